#pragma once
// Windows: classes, the window tree, geometry, messages and the message
// loop, painting, and the vertical scroll bar, shaped like the handheld's
// calls. Everything runs on one thread; dialogs and message boxes run nested
// loops on it.
//
// Each top-level window draws into a surface of its own, and the screen is
// composed from the surfaces in z-order when the loop goes idle. So a
// window's device context never draws over a window in front of it, and a
// window may draw outside its paint notification (as the reader's view does)
// without disturbing anything else.
//
// Handles are owned by the window system: a window lives from CreateWindow
// to DestroyWindow, and a handle of a destroyed window is merely invalid
// (IsWindow says so; messages to it are dropped).

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/graphics/device_context.h"
#include "platform/graphics/device_scale.h"
#include "platform/graphics/framebuffer.h"
#include "platform/graphics/geometry.h"
#include "platform/graphics/paint_objects.h"
#include "platform/system/resources.h"
#include "platform/windows/messages.h"

namespace platform {

// Styles, with the handheld's values.
constexpr std::uint32_t kWsPopup = 0x80000000;
constexpr std::uint32_t kWsChild = 0x40000000;
constexpr std::uint32_t kWsVisible = 0x10000000;
// A top-level window with a caption has a caption bar (its title) above its
// client area.
constexpr std::uint32_t kWsCaption = 0x00C00000;
constexpr std::uint32_t kWsBorder = 0x00800000;
constexpr std::uint32_t kWsVScroll = 0x00200000;
constexpr std::uint32_t kWsSysMenu = 0x00080000;
constexpr std::uint32_t kWsGroup = 0x00020000;    // the first control of a group of radio buttons
constexpr std::uint32_t kWsTabStop = 0x00010000;  // Tab and the dialog's first focus stop here
constexpr std::uint32_t kWsExWindowEdge = 0x00000100;
// Never becomes the foreground window: bars, tooltips, the shell's task bar.
constexpr std::uint32_t kWsExNoActivate = 0x08000000;
// An "ok" button at the right of the caption bar, sending command 1.
constexpr std::uint32_t kWsExCaptionOkButton = 0x80000000;
constexpr std::uint32_t kCsVRedraw = 0x0001;
constexpr std::uint32_t kCsHRedraw = 0x0002;
// Position or size left to the platform: a top-level window then fills the
// screen's work area and follows it when the screen changes size.
constexpr std::int32_t kUseDefault = INT32_MIN;

enum ShowCommand { kSwHide = 0, kSwShowNormal = 1, kSwShow = 5 };

struct WindowClass {
  std::uint32_t style = 0;
  WindowProcedure procedure = nullptr;
  ModuleHandle module = nullptr;
  std::uint16_t icon = 0;                 // icon resource, 0 for none
  const Brush* background = nullptr;      // null: the window erases nothing
  std::u16string name;
};

// What kWmCreate's second parameter points at.
struct CreateParameters {
  void* parameter = nullptr;
  WindowHandle parent = nullptr;
  std::uint32_t style = 0;
};

// False when a class of that name is already registered.
bool RegisterClass(const WindowClass& windowClass);

WindowHandle CreateWindow(std::uint32_t exStyle, std::u16string_view className, std::u16string_view title,
                          std::uint32_t style, std::int32_t x, std::int32_t y, std::int32_t width,
                          std::int32_t height, WindowHandle parent, std::uint16_t id, void* parameter);
bool DestroyWindow(WindowHandle window);
bool IsWindow(WindowHandle window);
bool MoveWindow(WindowHandle window, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                bool repaint);
bool ShowWindow(WindowHandle window, int command);
bool IsWindowVisible(WindowHandle window);
// A disabled window, and everything in it, gets no stylus and no keys.
// Returns whether the window was disabled before.
bool EnableWindow(WindowHandle window, bool enable);
bool IsWindowEnabled(WindowHandle window);

// (0, 0, width, height) of the client area.
Rect GetClientRect(WindowHandle window);
// The whole window in screen coordinates.
Rect GetWindowRect(WindowHandle window);
Point ClientToScreen(WindowHandle window, Point point);
Point ScreenToClient(WindowHandle window, Point point);
// The parent of a child window; the owner of a top-level one, as the
// handheld answers.
WindowHandle GetParent(WindowHandle window);
std::uint16_t GetWindowId(WindowHandle window);
WindowHandle GetChild(WindowHandle parent, std::uint16_t id);
// The window's first child (kGwChild) or its next sibling (kGwHwndNext),
// in the order they were made, which is a dialog's order of controls; or
// the top-level window that owns it (kGwOwner), as a dialog's owner.
enum WindowRelation { kGwHwndNext = 2, kGwOwner = 4, kGwChild = 5 };
WindowHandle GetWindow(WindowHandle window, WindowRelation relation);
std::uint32_t GetWindowStyle(WindowHandle window);
std::u16string GetWindowText(WindowHandle window);
void SetWindowText(WindowHandle window, std::u16string_view text);
const WindowClass* GetWindowClass(WindowHandle window);
// Gives one window a procedure of its own, which may hand what it does not
// take to the one it replaced (returned; null for a dead window).
WindowProcedure SetWindowProcedure(WindowHandle window, WindowProcedure procedure);
// One pointer-sized slot per window for its procedure's own state.
void* GetWindowData(WindowHandle window);
void SetWindowData(WindowHandle window, void* data);

WindowHandle GetForegroundWindow();
bool SetForegroundWindow(WindowHandle window);
WindowHandle GetFocus();
WindowHandle SetFocus(WindowHandle window);
WindowHandle SetCapture(WindowHandle window);
void ReleaseCapture();
// The first top-level window of that class and title (an empty title
// matches any).
WindowHandle FindWindow(std::u16string_view className, std::u16string_view title);

LResult DefWindowProc(WindowHandle window, std::uint32_t message, WParam first, LParam second);
LResult SendMessage(WindowHandle window, std::uint32_t message, WParam first, LParam second);
bool PostMessage(WindowHandle window, std::uint32_t message, WParam first, LParam second);
void PostQuitMessage(int exitCode);
// The next message, painting and waiting for input as needed; false at the
// quit request, whose code is then in `message.first`.
bool GetMessage(Message& message);
// Turns key-down messages of printable keys into character messages.
void TranslateMessage(const Message& message);
LResult DispatchMessage(const Message& message);
// Runs messages until `done` says so or the quit request comes; the quit
// request is left for the outer loop. False when it ended at the quit request.
// A message that `filter` takes (returns true for) is neither translated
// nor dispatched: dialogs take their navigation keys this way.
bool RunModalLoop(const std::function<bool()>& done,
                  const std::function<bool(const Message&)>& filter = nullptr);
// Dispatches everything pending and paints, without waiting for input.
void PumpUntilIdle();

// The window's own device context, kept for its life: drawing through it
// shows at the next idle moment without a paint notification.
DeviceContext* GetDC(WindowHandle window);
struct PaintInfo {
  DeviceContext* context = nullptr;
  bool erase = false;
};
// Validates the window and returns its context, erased with the class
// background when an erase was asked for.
PaintInfo BeginPaint(WindowHandle window);
void EndPaint(WindowHandle window);
void InvalidateRect(WindowHandle window, bool erase);
// Paints the window now if it is invalid.
void UpdateWindow(WindowHandle window);

// The vertical scroll bar of a window made with kWsVScroll.
constexpr int kSbVert = 1;
void SetScrollRange(WindowHandle window, int bar, std::int32_t minimum, std::int32_t maximum, bool redraw);
void SetScrollPos(WindowHandle window, int bar, std::int32_t position, bool redraw);
std::int32_t GetScrollPos(WindowHandle window, int bar);
void GetScrollRange(WindowHandle window, int bar, std::int32_t& minimum, std::int32_t& maximum);
// The colours the bar is drawn in; the defaults are the handheld's greys.
struct ScrollBarColors {
  Color track = Rgb(224, 224, 224);
  Color face = Rgb(192, 192, 192);  // the arrow boxes and the thumb
  Color shadow = Rgb(128, 128, 128);
  Color arrow = kBlack;
};
void SetScrollBarColors(WindowHandle window, const ScrollBarColors& colors, bool redraw);

enum SystemMetric {
  kSmCxScreen = 0,
  kSmCyScreen = 1,
  kSmCxVScroll = 2,
  kSmCyCaption = 4,  // the caption bar of a top-level window with kWsCaption
  kSmCxEdge = 45,    // a three-dimensional edge
  kSmCyEdge = 46,
};
std::int32_t GetSystemMetrics(int metric);

// The screen: its size in the program's pixels (a change moves the windows
// the platform placed and sends them size notifications), its device scale
// (screen pixels per pixel of the program; windows are drawn at it), and
// what it shows now, in screen pixels.
Size ScreenSize();
void SetScreenSize(Size size);
DeviceScale GetDeviceScale();
void SetDeviceScale(DeviceScale scale);
const Framebuffer& ScreenImage();

// Destroys every window and forgets every class: a fresh window system, for
// tests and for the end of a run. The device scale goes back to 1.
void ResetWindowSystem();

}  // namespace platform
