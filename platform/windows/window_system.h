#pragma once
// The window system's own records, shared by the files that implement
// window.h. Nothing outside platform/ includes this.

#include <chrono>
#include <deque>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/graphics/framebuffer.h"
#include "platform/windows/window.h"

namespace platform {

struct ScrollBarState {
  std::int32_t minimum = 0;
  std::int32_t maximum = 0;
  std::int32_t position = 0;
  bool dragging = false;
  std::int32_t grabOffset = 0;  // from the thumb's top to where the stylus took it
  std::int32_t pressedPart = -1;
  ScrollBarColors colors;
};

// How the platform keeps a top-level window placed as the work area
// changes (the task bar comes or goes, the desktop window is resized).
enum class Placement {
  kFree,              // where it was put
  kFillsWorkArea,     // made with the default place and size, or sized by the shell
  kAboveMenuBar,      // sized by the shell to the work area less a menu bar at its bottom
  kCentred,           // its own size, centred on the work area (and inside it)
};

struct Window {
  const WindowClass* windowClass = nullptr;
  WindowProcedure procedure = nullptr;  // the class's, unless replaced for this window
  std::u16string title;
  std::uint32_t style = 0;
  std::uint32_t exStyle = 0;
  std::uint16_t id = 0;
  Window* parent = nullptr;       // a child window's parent
  Window* owner = nullptr;        // a top-level window's owner: it stays in front of it and goes with it
  std::vector<Window*> children;  // back to front
  Rect rect;                      // in the parent's client area; on the screen for top-level windows
  bool visible = false;
  bool enabled = true;
  bool invalid = false;
  bool erase = false;
  std::uint32_t validations = 0;  // BeginPaint calls, so that a paint may invalidate anew
  Placement placement = Placement::kFree;  // a move elsewhere makes it kFree
  bool destroying = false;
  void* data = nullptr;
  ScrollBarState scroll;
  std::unique_ptr<Framebuffer> surface;  // top-level windows only
  std::unique_ptr<DeviceContext> context;
};

struct Timer {
  Window* window = nullptr;
  std::uintptr_t id = 0;
  std::chrono::milliseconds period{0};
  std::chrono::steady_clock::time_point due;
};

struct WindowSystem {
  std::vector<std::unique_ptr<WindowClass>> classes;
  std::vector<std::unique_ptr<Window>> windows;
  std::vector<Window*> topLevels;  // back to front
  Window* foreground = nullptr;
  Window* focus = nullptr;
  Window* capture = nullptr;
  Window* pointerOver = nullptr;  // where the pointer was last, for kWmMouseLeave
  std::deque<Message> queue;
  std::vector<Timer> timers;
  std::set<std::uint16_t> keysAsHandled;  // GetKeyState's keys
  bool quitPosted = false;
  int quitCode = 0;
  Size screen{240, 320};       // in the program's pixels
  DeviceScale scale;           // screen pixels per pixel of the program
  Framebuffer screenImage{240, 320};
  // The windows as the screen image was last composed from them, front
  // last, each with its place in screen pixels: while they stay, only
  // what was drawn since is composed again.
  std::vector<std::pair<const Window*, Rect>> composed;
  bool shellStarted = false;
};

WindowSystem& System();
// The live window behind a handle, or null.
Window* Live(WindowHandle handle);
Window* TopLevelOf(Window* window);
// The client area in the window's own coordinates (non-client parts off).
Rect ClientArea(const Window& window);
// A top-level window with kWsCaption: its caption bar stands above the
// client area, and a frame goes round the rest.
bool HasCaptionBar(const Window& window);
constexpr std::int32_t kCaptionBarHeight = 26;
constexpr std::int32_t kFrameWidth = 1;
// The size a top-level window of `style` needs for a client area of `client`.
Size WindowSizeForClient(std::uint32_t style, Size client);
// Where the window (its non-client parts included) starts on its top-level
// window's surface, and where its client area starts there.
Point WindowOrigin(const Window& window);
Point SurfaceOrigin(const Window& window);
// Points the window's context (and its children's) at its current place.
void RetargetContexts(Window& window);
// Marks the window and everything in it for painting.
void InvalidateTree(Window& window, bool erase);
// Draws the non-client parts of a window (caption bar and frame, scroll
// bar) on its surface.
void DrawNonClient(Window& window);
void DrawCaptionBar(Window& window);
void DrawScrollBar(Window& window);
// Stylus input on the caption bar (`point` in window coordinates): true when
// the point is on it, which keeps the input from the client area. A press
// on the ok button posts command 1 to the window.
bool CaptionBarStylus(Window& window, Point point, bool down);
// Composes the screen from the visible top-level windows and hands it to
// the backend.
void PresentScreen();
// The screen less the shell's task bar while it shows, and the windows the
// platform placed moved onto it.
Rect WorkArea();
void PlaceWindowsOnWorkArea();
// Where `placement` puts a window of `size` on `area`.
Rect PlacedRect(Placement placement, Size size, const Rect& area);
// Moves a top-level window as `placement` says and keeps it placed so; with
// `size`, sized so as well in the same move.
void PlaceWindow(Window& window, Placement placement);
void PlaceWindow(Window& window, Placement placement, Size size);
// Makes sure the shell's own windows exist.
void StartShell();

// SetForegroundWindow, telling the window how it became active: kWaActive,
// or kWaClickActive for a tap on it.
bool Activate(WindowHandle window, std::uint16_t how);

// Timers (platform/timer.h): the time they read; a window's go with it;
// the next one due at `now`, as its kWmTimer message (each comes once for
// a given `now`, as its next time lies after it); how long until the next
// is due (-1: none runs).
std::chrono::steady_clock::time_point TimerNow();
void ForgetTimersOf(const Window& window);
std::optional<Message> TakeDueTimer(std::chrono::steady_clock::time_point now);
int MillisecondsToNextTimer();

// Keeps the key state of GetKeyState as key messages leave the queue.
void NoteKeyMessage(const Message& message);
// Keyboard input taken from the queue goes to the window with the focus
// now (or the foreground window); false when no window takes it.
bool AddressKeyboardInput(Message& message);

// Copies at most room - 1 characters of `text` and a terminator into
// `buffer`, as kWmGetText does; the count copied.
std::size_t CopyText(std::u16string_view text, std::size_t room, char16_t* buffer);

// The scroll bar's part under a point in window coordinates, or -1.
int ScrollBarPartAt(const Window& window, Point point);
// Stylus handling on the scroll bar; `point` in window coordinates.
void ScrollBarStylusDown(Window& window, Point point);
void ScrollBarStylusMove(Window& window, Point point);
void ScrollBarStylusUp(Window& window, Point point);
constexpr std::int32_t kScrollBarWidth = 13;

}  // namespace platform
