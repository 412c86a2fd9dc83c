#include "platform/backends/sdl/sdl_backend.h"

#include <SDL.h>
#include <SDL_syswm.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/backends/sdl/desktop_scale.h"
#include "platform/backends/sdl/x11_clipboard.h"
#include "platform/backends/sdl/x11_errors.h"
#include "platform/dialogs/message_box_dialog.h"
#include "platform/system/text_encoding.h"
#include "platform/windows/descriptor_watch.h"
#include "platform/windows/input.h"
#include "platform/windows/window.h"

namespace platform {
namespace {

// How long the loop sleeps in SDL before it looks at its watched
// descriptors again; short enough that a second start or a signal is
// answered at once as far as a person can tell.
constexpr int kWaitSliceMilliseconds = 50;

struct KeyMapping {
  SDL_Keycode sdl;
  std::uint16_t key;
  char16_t character;
};

constexpr KeyMapping kKeys[] = {
    {SDLK_UP, kVkUp, 0},          {SDLK_DOWN, kVkDown, 0},       {SDLK_LEFT, kVkLeft, 0},
    {SDLK_RIGHT, kVkRight, 0},    {SDLK_PAGEUP, kVkPrior, 0},    {SDLK_PAGEDOWN, kVkNext, 0},
    {SDLK_HOME, kVkHome, 0},      {SDLK_END, kVkEnd, 0},         {SDLK_RETURN, kVkReturn, u'\r'},
    {SDLK_KP_ENTER, kVkReturn, u'\r'}, {SDLK_ESCAPE, kVkEscape, 0x1B}, {SDLK_BACKSPACE, kVkBack, 0x08},
    {SDLK_TAB, kVkTab, u'\t'},    {SDLK_DELETE, kVkDelete, 0},   {SDLK_F1, kVkF1, 0},
    {SDLK_F3, kVkF3, 0},          {SDLK_F10, kVkF10, 0},         {SDLK_F11, kVkF11, 0},
    {SDLK_EQUALS, kVkOemPlus, 0}, {SDLK_PLUS, kVkOemPlus, 0},    {SDLK_MINUS, kVkOemMinus, 0},
    {SDLK_KP_PLUS, kVkAdd, 0},    {SDLK_KP_MINUS, kVkSubtract, 0}, {SDLK_KP_0, kVkNumpad0, 0},
    {SDLK_LCTRL, kVkControl, 0},  {SDLK_RCTRL, kVkControl, 0},
    {SDLK_LALT, kVkMenu, 0},      {SDLK_RALT, kVkMenu, 0},       {SDLK_LSHIFT, kVkShift, 0},
    {SDLK_RSHIFT, kVkShift, 0},
};

bool HasValue(const char* variable) {
  const char* value = std::getenv(variable);
  return value != nullptr && value[0] != '\0';
}

// The handheld's virtual key of an SDL key: letters and digits by their
// upper-case code, the named keys from the table, nothing for the rest.
std::uint16_t KeyOf(SDL_Keycode code, char16_t& character) {
  character = 0;
  for (const KeyMapping& mapping : kKeys) {
    if (mapping.sdl == code) {
      character = mapping.character;
      return mapping.key;
    }
  }
  if (code >= SDLK_a && code <= SDLK_z) return static_cast<std::uint16_t>('A' + (code - SDLK_a));
  if (code >= SDLK_0 && code <= SDLK_9) return static_cast<std::uint16_t>('0' + (code - SDLK_0));
  if (code == SDLK_SPACE) return kVkSpace;
  return 0;
}

// Whether SDL has queued the window's first exposure, leaving the queue as
// it was.
bool Exposed() {
  SDL_PumpEvents();
  SDL_Event events[64];
  const int count = SDL_PeepEvents(events, 64, SDL_PEEKEVENT, SDL_WINDOWEVENT, SDL_WINDOWEVENT);
  for (int i = 0; i < count; ++i) {
    if (events[i].window.event == SDL_WINDOWEVENT_EXPOSED) return true;
  }
  return false;
}

}  // namespace

struct SdlBackend::Sdl {
  std::unique_ptr<X11Clipboard> clipboard;  // null when the desktop is not X11
  SDL_Window* window = nullptr;
  DeviceScale scale;
  Size windowed;                      // screen pixels, the last size when not full screen
  const Framebuffer* shown = nullptr;  // the screen last presented: the window system's
  bool wholeWindowStale = true;        // a new or exposed window surface shows nothing yet

  ~Sdl() {
    // SDL may still hear of a wake-up message it sent to the window as it
    // went: that error is read only when SDL closes its connections.
    QuietXErrorsWhileClosing();
    if (window) SDL_DestroyWindow(window);
    SDL_Quit();
  }
  Point ScreenPoint(int x, int y) const { return Point{scale.ToLogical(x), scale.ToLogical(y)}; }
  // The screen's size, in the program's pixels, for a window of this many
  // screen pixels: enough to cover it.
  Size ScreenFor(int width, int height) const {
    return Size{std::max(1, scale.LogicalCovering(width)), std::max(1, scale.LogicalCovering(height))};
  }
};

namespace {

// Where a window of `size` screen pixels opens: within the work area, less
// the frame that the window manager puts round it, and centred there.
SDL_Rect PlaceInWorkArea(SDL_Rect area, Size size, int frameLeft, int frameTop, int frameRight, int frameBottom) {
  area.x += frameLeft;
  area.y += frameTop;
  area.w = std::max(1, area.w - frameLeft - frameRight);
  area.h = std::max(1, area.h - frameTop - frameBottom);
  const int width = std::min(size.cx, area.w);
  const int height = std::min(size.cy, area.h);
  return SDL_Rect{area.x + (area.w - width) / 2, area.y + (area.h - height) / 2, width, height};
}

SDL_Rect WorkAreaOf(SDL_Window* window) {
  SDL_Rect area{0, 0, 0, 0};
  const int display = std::max(0, SDL_GetWindowDisplayIndex(window));
  if (SDL_GetDisplayUsableBounds(display, &area) != 0 || area.w <= 0 || area.h <= 0) {
    SDL_GetDisplayBounds(display, &area);
  }
  return area;
}

void* X11DisplayOf(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return nullptr;
  return info.info.x11.display;
}

}  // namespace

bool SdlBackend::DisplayNamed(std::string& problem) {
  if (HasValue("SDL_VIDEODRIVER") || HasValue("WAYLAND_DISPLAY") || HasValue("DISPLAY")) return true;
  problem = "no display was found (neither DISPLAY nor WAYLAND_DISPLAY is set)";
  return false;
}

std::unique_ptr<SdlBackend> SdlBackend::Open(const std::string& title, const DesktopWindowRequest& request,
                                             std::string& error) {
  // With only an X display named, only X is tried: SDL would otherwise go on
  // to other drivers, whose libraries print their own complaints.
  if (!HasValue("SDL_VIDEODRIVER") && !HasValue("WAYLAND_DISPLAY") && HasValue("DISPLAY")) {
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
  }
  InstallXErrorHandler();
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    const char* display = std::getenv(HasValue("DISPLAY") ? "DISPLAY" : "WAYLAND_DISPLAY");
    error = "the display " + std::string(display ? display : "") + " could not be opened";
    return nullptr;
  }
  auto sdl = std::make_unique<Sdl>();
  const char* driver = SDL_GetCurrentVideoDriver();
  if (!driver || std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0) {
    error = "the video driver '" + std::string(driver ? driver : "none") + "' draws where nobody sees it";
    return nullptr;
  }
  // The window's surface is plain X memory: left to itself SDL would put it
  // on an OpenGL texture, loading a GL driver and making the window anew (a
  // window that flashes up and goes, to the desktop and to tests).
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  // Made hidden first: its size needs the desktop's scale, which the
  // window's connection to the display tells.
  sdl->window = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, request.size.cx,
                                 request.size.cy, SDL_WINDOW_RESIZABLE | SDL_WINDOW_HIDDEN);
  if (!sdl->window) {
    error = std::string("the window could not be made: ") + SDL_GetError();
    return nullptr;
  }
  sdl->scale = request.scale ? *request.scale : DeviceScale::Nearest(2 * ReadDesktopScale(X11DisplayOf(sdl->window)));
  const SDL_Rect place = PlaceInWorkArea(WorkAreaOf(sdl->window), sdl->scale.ToDevice(request.size), 0, 0, 0, 0);
  SDL_SetWindowSize(sdl->window, place.w, place.h);
  SDL_SetWindowPosition(sdl->window, place.x, place.y);
  sdl->windowed = Size{place.w, place.h};
  // Asked before the window is shown, the window manager maps it full screen
  // at once instead of showing it small first.
  if (request.fullScreen) SDL_SetWindowFullscreen(sdl->window, SDL_WINDOW_FULLSCREEN_DESKTOP);
  SDL_ShowWindow(sdl->window);
  // Input aimed at a window that the X server has not shown yet is lost;
  // wait (a little) until it is there. Events are only looked at here: a
  // key pressed or a click made as the window appears is the reader's.
  for (int waited = 0; waited < 2000 && !Exposed(); waited += 10) SDL_Delay(10);
  // Now the window manager has framed it: the frame, too, stays in the work area.
  int top = 0, left = 0, bottom = 0, right = 0;
  if (!request.fullScreen && SDL_GetWindowBordersSize(sdl->window, &top, &left, &bottom, &right) == 0 &&
      (top | left | bottom | right) != 0) {
    const SDL_Rect framed = PlaceInWorkArea(WorkAreaOf(sdl->window), sdl->windowed, left, top, right, bottom);
    if (framed.w != place.w || framed.h != place.h) SDL_SetWindowSize(sdl->window, framed.w, framed.h);
    SDL_SetWindowPosition(sdl->window, framed.x, framed.y);
    sdl->windowed = Size{framed.w, framed.h};
  }
  SDL_StartTextInput();
  if (std::strcmp(driver, "x11") == 0) sdl->clipboard = X11Clipboard::Open();
  int width = 0, height = 0;
  SDL_GetWindowSize(sdl->window, &width, &height);
  SetDeviceScale(sdl->scale);
  SetScreenSize(sdl->ScreenFor(width, height));
  return std::unique_ptr<SdlBackend>(new SdlBackend(std::move(sdl)));
}

SdlBackend::SdlBackend(std::unique_ptr<Sdl> sdl) : sdl_(std::move(sdl)) {}
SdlBackend::~SdlBackend() = default;

unsigned long SdlBackend::NativeWindowId() const {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(sdl_->window, &info) || info.subsystem != SDL_SYSWM_X11) return 0;
  return static_cast<unsigned long>(info.info.x11.window);
}

int SdlBackend::RunMessageBox(const MessageBoxRequest& request) {
  // Drawn in the screen like every other window, never as a desktop box.
  return RunMessageBoxDialog(request);
}

bool SdlBackend::Handle(const void* raw) {
  const SDL_Event& event = *static_cast<const SDL_Event*>(raw);
  switch (event.type) {
    case SDL_QUIT:
      RequestClose();
      return true;
    case SDL_WINDOWEVENT:
      if (event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
        const int width = event.window.data1;
        const int height = event.window.data2;
        if (!IsFullScreen()) sdl_->windowed = Size{width, height};
        sdl_->wholeWindowStale = true;
        SetScreenSize(sdl_->ScreenFor(width, height));
      } else if (event.window.event == SDL_WINDOWEVENT_EXPOSED && sdl_->shown) {
        Show(*sdl_->shown, sdl_->shown->bounds());
      }
      if (event.window.event == SDL_WINDOWEVENT_LEAVE) InjectPointerLeave();
      return true;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      if (event.button.button != SDL_BUTTON_LEFT) return false;
      InjectStylus(event.type == SDL_MOUSEBUTTONDOWN ? StylusAction::kDown : StylusAction::kUp,
                   sdl_->ScreenPoint(event.button.x, event.button.y), event.button.clicks);
      return true;
    case SDL_MOUSEMOTION:
      // With the button up the pointer only passes over: hover for tooltips.
      InjectStylus(StylusAction::kMove, sdl_->ScreenPoint(event.motion.x, event.motion.y));
      return true;
    case SDL_MOUSEWHEEL: {
      int x = 0;
      int y = 0;
      SDL_GetMouseState(&x, &y);
      InjectWheel(sdl_->ScreenPoint(x, y), -event.wheel.y);
      return true;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      char16_t character = 0;
      const std::uint16_t key = KeyOf(event.key.keysym.sym, character);
      if (key == 0) return false;
      InjectKey(key, event.type == SDL_KEYDOWN, event.type == SDL_KEYDOWN ? character : u'\0');
      return true;
    }
    case SDL_TEXTINPUT:
      // Typed characters come apart from their keys, as the keyboard layout
      // made them. With Control or the left Alt held a key is a shortcut and
      // types nothing (the right Alt types a layout's third letters).
      if (SDL_GetModState() & (KMOD_CTRL | KMOD_LALT)) return true;
      for (const char16_t c : Utf8ToUtf16(event.text.text)) InjectCharacter(c);
      return true;
    default:
      return false;
  }
}

bool SdlBackend::WaitForInputFor(int milliseconds) {
  const auto start = std::chrono::steady_clock::now();
  while (true) {
    int slice = kWaitSliceMilliseconds;
    if (milliseconds >= 0) {
      const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
      slice = std::clamp(milliseconds - static_cast<int>(waited.count()), 0, kWaitSliceMilliseconds);
    }
    SDL_Event event;
    bool handled = false;
    if (SDL_WaitEventTimeout(&event, slice)) {
      handled = Handle(&event);
      while (SDL_PollEvent(&event)) handled = Handle(&event) || handled;
    }
    handled = PollWatchedDescriptors(0) || handled;
    // Other programs asking for the clipboard are answered between input.
    if (sdl_->clipboard) sdl_->clipboard->HandlePending();
    if (handled) return true;
    if (milliseconds >= 0 && slice == 0) return false;
  }
}

bool SdlBackend::WaitForInput(int timeoutMilliseconds) {
  // The time running out is no end of input: a timer is due.
  return WaitForInputFor(timeoutMilliseconds) || timeoutMilliseconds >= 0;
}

void SdlBackend::Present(const Framebuffer& screen, const Rect& changed) {
  sdl_->shown = &screen;
  Show(screen, sdl_->wholeWindowStale ? screen.bounds() : changed);
}

void SdlBackend::Show(const Framebuffer& screen, const Rect& area) {
  // Straight into the window's own surface: no texture and no renderer,
  // so the screen is held once more at most, by the window system itself.
  SDL_Surface* target = SDL_GetWindowSurface(sdl_->window);
  if (!target || area.empty()) return;
  SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(
      const_cast<Pixel*>(screen.pixels().data()), screen.width(), screen.height(), 32,
      screen.width() * static_cast<int>(sizeof(Pixel)), SDL_PIXELFORMAT_RGB888);
  if (!source) return;
  SDL_Rect from{area.left, area.top, area.width(), area.height()};
  SDL_Rect to = from;
  SDL_BlitSurface(source, &from, target, &to);
  SDL_FreeSurface(source);
  SDL_UpdateWindowSurfaceRects(sdl_->window, &to, 1);
  sdl_->wholeWindowStale = false;
}

}  // namespace platform

namespace platform {

void SdlBackend::SetIcon(const Framebuffer& icon, Pixel transparent) {
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
      const_cast<Pixel*>(icon.pixels().data()), icon.width(), icon.height(), 32,
      icon.width() * static_cast<int>(sizeof(Pixel)), SDL_PIXELFORMAT_RGB888);
  if (!surface) return;
  SDL_SetColorKey(surface, SDL_TRUE, transparent);
  SDL_SetWindowIcon(sdl_->window, surface);  // SDL keeps its own copy
  SDL_FreeSurface(surface);
}

bool SdlBackend::InFront() const {
  // On X11 the server says where the keyboard focus is; SDL's own record
  // lags behind it (it waits for the focus to settle) and misses changes
  // made without a window manager. The focus may sit on a window inside
  // ours (an input method's), which counts as ours.
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(sdl_->window, &info) || info.subsystem != SDL_SYSWM_X11) {
    return (SDL_GetWindowFlags(sdl_->window) & SDL_WINDOW_INPUT_FOCUS) != 0;
  }
  Display* display = info.info.x11.display;
  ::Window focus = 0;
  int revertTo = 0;
  XGetInputFocus(display, &focus, &revertTo);
  for (int depth = 0; focus > PointerRoot && depth < 64; ++depth) {
    if (focus == info.info.x11.window) return true;
    ::Window root = 0;
    ::Window parent = 0;
    ::Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, focus, &root, &parent, &children, &count)) return false;
    if (children) XFree(children);
    if (parent == root) return false;
    focus = parent;
  }
  return false;
}

void SdlBackend::ComeForward() {
  // SDL learns that the window was minimized from the window's events; a
  // minimized window is put back on the screen first, since raising alone
  // leaves it minimized.
  SDL_PumpEvents();
  if (SDL_GetWindowFlags(sdl_->window) & (SDL_WINDOW_MINIMIZED | SDL_WINDOW_HIDDEN)) {
    SDL_RestoreWindow(sdl_->window);
    SDL_ShowWindow(sdl_->window);
  }
  SDL_RaiseWindow(sdl_->window);
}

void SdlBackend::SetFullScreen(bool on) {
  if (on == IsFullScreen()) return;
  SDL_SetWindowFullscreen(sdl_->window, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
  // Back to the size it had; the window manager may have forgotten it.
  if (!on) SDL_SetWindowSize(sdl_->window, sdl_->windowed.cx, sdl_->windowed.cy);
}

bool SdlBackend::IsFullScreen() const {
  return (SDL_GetWindowFlags(sdl_->window) & SDL_WINDOW_FULLSCREEN_DESKTOP) == SDL_WINDOW_FULLSCREEN_DESKTOP;
}

Size SdlBackend::WindowedSize() const { return sdl_->ScreenFor(sdl_->windowed.cx, sdl_->windowed.cy); }

void SdlBackend::ClipboardChanged() {
  if (sdl_->clipboard) sdl_->clipboard->Claim();
}

void SdlBackend::PrimarySelectionChanged() {
  if (sdl_->clipboard) sdl_->clipboard->ClaimPrimary();
}

std::optional<std::vector<std::uint8_t>> SdlBackend::ReadDesktopClipboard(ClipboardFormat format) {
  if (!sdl_->clipboard) return std::nullopt;
  return sdl_->clipboard->Read(format);
}

}  // namespace platform
