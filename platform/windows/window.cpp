// Window classes, the window tree and its geometry.

#include <algorithm>
#include <cassert>
#include <utility>

#include "platform/graphics/bitmap.h"
#include "platform/windows/backend.h"
#include "platform/windows/shell.h"
#include "platform/windows/window_system.h"

namespace platform {
namespace {

// Icons are stored as plain bitmaps whose magenta pixels are transparent.
constexpr Pixel kIconTransparent = 0x00FF00FF;

// Given at the screen's scale, enlarged as pictures are, so that a dense
// desktop need not blow the small one up itself.
void ShowClassIcon(const WindowClass& windowClass) {
  if (const auto icon = ParseBitmapResource(windowClass.module, windowClass.icon, ResourceType::kIcon)) {
    CurrentBackend().SetIcon(icon->AtScale(System().scale), kIconTransparent);
  }
}

const WindowClass* FindClass(std::u16string_view name) {
  for (const auto& c : System().classes) {
    if (c->name == name) return c.get();
  }
  return nullptr;
}

void SendSize(Window& window) {
  const Rect client = ClientArea(window);
  SendMessage(&window, kWmSize, 0, static_cast<LParam>(MakeLong(static_cast<std::uint16_t>(client.width()),
                                                                static_cast<std::uint16_t>(client.height()))));
}

void Unlink(Window& window) {
  WindowSystem& system = System();
  auto& siblings = window.parent ? window.parent->children : system.topLevels;
  siblings.erase(std::remove(siblings.begin(), siblings.end(), &window), siblings.end());
  if (system.foreground == &window) system.foreground = nullptr;
  for (const auto& other : system.windows) {
    if (other->owner == &window) other->owner = nullptr;
  }
  if (system.focus == &window) system.focus = nullptr;
  if (system.capture == &window) system.capture = nullptr;
}

// The front-most visible top-level window other than `except`.
Window* FrontWindow(const Window* except) {
  const auto& tops = System().topLevels;
  for (auto it = tops.rbegin(); it != tops.rend(); ++it) {
    if (*it != except && (*it)->visible && (*it)->enabled && !((*it)->exStyle & kWsExNoActivate)) return *it;
  }
  return nullptr;
}

void SendDestroy(Window& window) {
  window.destroying = true;
  SendMessage(&window, kWmDestroy, 0, 0);
  // Children learn of it after their parent, as on the handheld.
  const std::vector<Window*> children = window.children;
  for (Window* child : children) SendDestroy(*child);
}

void Free(Window& window) {
  const std::vector<Window*> children = window.children;
  for (Window* child : children) Free(*child);
  ForgetTimersOf(window);
  if (System().pointerOver == &window) System().pointerOver = nullptr;
  Unlink(window);
  auto& windows = System().windows;
  windows.erase(std::remove_if(windows.begin(), windows.end(), [&](const auto& w) { return w.get() == &window; }),
                windows.end());
}

}  // namespace

Rect WorkArea() {
  const WindowSystem& system = System();
  Rect area{0, 0, system.screen.cx, system.screen.cy};
  const WindowHandle taskBar = FindWindow(u"HHTaskBar", u"");
  if (taskBar && IsWindowVisible(taskBar)) area.top = GetWindowRect(taskBar).bottom;
  return area;
}

Rect PlacedRect(Placement placement, Size size, const Rect& area) {
  switch (placement) {
    case Placement::kFree:
      break;
    case Placement::kFillsWorkArea:
      return area;
    case Placement::kAboveMenuBar:
      return Rect{area.left, area.top, area.right, std::max(area.top, area.bottom - kBarHeight)};
    case Placement::kCentred: {
      // A window larger than the area keeps its top left corner in it.
      const std::int32_t left = area.left + std::max(0, (area.width() - size.cx) / 2);
      const std::int32_t top = area.top + std::max(0, (area.height() - size.cy) / 2);
      return Rect{left, top, left + size.cx, top + size.cy};
    }
  }
  return Rect{0, 0, size.cx, size.cy};
}

void PlaceWindow(Window& window, Placement placement) {
  PlaceWindow(window, placement, Size{window.rect.width(), window.rect.height()});
}

void PlaceWindow(Window& window, Placement placement, Size size) {
  const Rect place = PlacedRect(placement, size, WorkArea());
  if (placement != Placement::kFree) MoveWindow(&window, place.left, place.top, place.width(), place.height(), true);
  if (Live(&window)) window.placement = placement;
}

void PlaceWindowsOnWorkArea() {
  // Back to front, so that a window learns of its new size before the
  // windows it owns (its menu bar, its dialogs) are placed over it.
  for (Window* top : std::vector<Window*>(System().topLevels)) {
    if (Live(top) && top->placement != Placement::kFree) PlaceWindow(*top, top->placement);
  }
}

WindowSystem& System() {
  static WindowSystem system;
  return system;
}

Window* Live(WindowHandle handle) {
  if (!handle) return nullptr;
  for (const auto& w : System().windows) {
    if (w.get() == handle) return w.get();
  }
  return nullptr;
}

Window* TopLevelOf(Window* window) {
  while (window && window->parent) window = window->parent;
  return window;
}

bool HasCaptionBar(const Window& window) { return !window.parent && (window.style & kWsCaption) == kWsCaption; }

Rect ClientArea(const Window& window) {
  Rect area{0, 0, window.rect.width(), window.rect.height()};
  if (HasCaptionBar(window)) {
    area = Rect{kFrameWidth, kCaptionBarHeight, area.right - kFrameWidth, area.bottom - kFrameWidth};
  }
  if (window.style & kWsVScroll) area.right -= kScrollBarWidth;
  area.right = std::max(area.left, area.right);
  area.bottom = std::max(area.top, area.bottom);
  return area;
}

Size WindowSizeForClient(std::uint32_t style, Size client) {
  const bool caption = (style & kWsCaption) == kWsCaption;
  return Size{client.cx + (style & kWsVScroll ? kScrollBarWidth : 0) + (caption ? 2 * kFrameWidth : 0),
              client.cy + (caption ? kCaptionBarHeight + kFrameWidth : 0)};
}

Point WindowOrigin(const Window& window) {
  if (!window.parent) return Point{0, 0};
  const Point parent = SurfaceOrigin(*window.parent);
  return Point{parent.x + window.rect.left, parent.y + window.rect.top};
}

Point SurfaceOrigin(const Window& window) {
  const Point origin = WindowOrigin(window);
  const Rect client = ClientArea(window);
  return Point{origin.x + client.left, origin.y + client.top};
}

void RetargetContexts(Window& window) {
  Window* top = TopLevelOf(&window);
  const Point origin = SurfaceOrigin(window);
  const Rect client = ClientArea(window);
  // Clipped to the client area and to every ancestor's client area.
  Rect clip{origin.x, origin.y, origin.x + client.width(), origin.y + client.height()};
  for (const Window* w = &window; w->parent; w = w->parent) {
    const Point parentOrigin = SurfaceOrigin(*w->parent);
    const Rect parentClient = ClientArea(*w->parent);
    clip = Intersect(clip, Rect{parentOrigin.x, parentOrigin.y, parentOrigin.x + parentClient.width(),
                                parentOrigin.y + parentClient.height()});
  }
  window.context->Retarget(top->surface.get(), origin, &clip);
  for (Window* child : window.children) RetargetContexts(*child);
}

bool RegisterClass(const WindowClass& windowClass) {
  if (windowClass.name.empty() || !windowClass.procedure || FindClass(windowClass.name)) return false;
  System().classes.push_back(std::make_unique<WindowClass>(windowClass));
  return true;
}

WindowHandle CreateWindow(std::uint32_t exStyle, std::u16string_view className, std::u16string_view title,
                          std::uint32_t style, std::int32_t x, std::int32_t y, std::int32_t width,
                          std::int32_t height, WindowHandle parent, std::uint16_t id, void* parameter) {
  StartShell();
  WindowSystem& system = System();
  const WindowClass* windowClass = FindClass(className);
  Window* parentWindow = Live(parent);
  if (!windowClass || (parent && !parentWindow) || ((style & kWsChild) && !parentWindow)) return nullptr;

  auto owned = std::make_unique<Window>();
  Window& window = *owned;
  window.windowClass = windowClass;
  window.procedure = windowClass->procedure;
  window.title = title;
  window.style = style;
  window.exStyle = exStyle;
  window.id = id;
  window.parent = (style & kWsChild) ? parentWindow : nullptr;
  window.owner = (style & kWsChild) ? nullptr : TopLevelOf(parentWindow);
  if (!window.parent && (x == kUseDefault || width == kUseDefault)) {
    window.rect = WorkArea();
    window.placement = Placement::kFillsWorkArea;
  } else {
    window.rect = Rect{x == kUseDefault ? 0 : x, y == kUseDefault ? 0 : y, 0, 0};
    window.rect.right = window.rect.left + std::max(0, width == kUseDefault ? 0 : width);
    window.rect.bottom = window.rect.top + std::max(0, height == kUseDefault ? 0 : height);
  }
  if (!window.parent) {
    window.surface = std::make_unique<Framebuffer>(Size{window.rect.width(), window.rect.height()}, system.scale);
    if (windowClass->icon != 0) ShowClassIcon(*windowClass);
  }
  window.context = std::make_unique<DeviceContext>(nullptr);
  system.windows.push_back(std::move(owned));
  (window.parent ? window.parent->children : system.topLevels).push_back(&window);
  RetargetContexts(window);

  CreateParameters create{parameter, parent, style};
  if (SendMessage(&window, kWmCreate, 0, reinterpret_cast<LParam>(&create)) == -1) {
    DestroyWindow(&window);
    return nullptr;
  }
  if (!Live(&window)) return nullptr;  // it destroyed itself while being made
  SendSize(window);
  if (style & kWsVisible) ShowWindow(&window, kSwShow);
  return &window;
}

bool DestroyWindow(WindowHandle handle) {
  Window* window = Live(handle);
  if (!window || window->destroying) return false;
  // Windows it owns go first, as they stand in front of it.
  for (Window* top : std::vector<Window*>(System().topLevels)) {
    if (Live(top) && top->owner == window) DestroyWindow(top);
  }
  if (!Live(handle)) return true;
  const bool wasForeground = System().foreground == window;
  window->visible = false;
  SendDestroy(*window);
  if (!Live(handle)) return true;
  Free(*window);
  if (wasForeground) {
    if (Window* next = FrontWindow(nullptr)) SetForegroundWindow(next);
  }
  return true;
}

bool IsWindow(WindowHandle window) { return Live(window) != nullptr; }

bool MoveWindow(WindowHandle handle, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                bool repaint) {
  Window* window = Live(handle);
  if (!window) return false;
  const bool resized = width != window->rect.width() || height != window->rect.height();
  const Rect place{x, y, x + std::max(0, width), y + std::max(0, height)};
  // Put where it already is, a window placed by the platform stays so.
  if (!(place == window->rect)) window->placement = Placement::kFree;
  window->rect = place;
  if (window->surface && resized) {
    window->surface->Resize(Size{window->rect.width(), window->rect.height()}, System().scale);
  }
  RetargetContexts(*window);
  WindowPosition position{handle, x, y, width, height, 0};
  SendMessage(handle, kWmWindowPositionChanged, 0, reinterpret_cast<LParam>(&position));
  if (!Live(handle)) return true;
  if (resized) SendSize(*window);
  const bool redrawOnSize = window->windowClass->style & (kCsHRedraw | kCsVRedraw);
  if (window->surface && resized) {
    InvalidateTree(*window, true);  // a new surface holds nothing
  } else if (repaint || (resized && redrawOnSize)) {
    InvalidateTree(*window, true);
  }
  if (window->parent && (repaint || resized)) InvalidateTree(*TopLevelOf(window), true);
  return true;
}

bool ShowWindow(WindowHandle handle, int command) {
  Window* window = Live(handle);
  if (!window) return false;
  const bool wasVisible = window->visible;
  window->visible = command != kSwHide;
  if (window->visible) {
    InvalidateTree(*window, true);
    if (!window->parent && !(window->exStyle & kWsExNoActivate)) SetForegroundWindow(handle);
  } else if (wasVisible) {
    if (window->parent) InvalidateTree(*TopLevelOf(window), true);
    if (System().foreground == window) {
      Window* next = FrontWindow(window);
      System().foreground = nullptr;
      if (next) SetForegroundWindow(next);
    }
  }
  // The work area changes with the task bar: windows placed by the
  // platform follow it.
  if (window->windowClass->name == u"HHTaskBar" && wasVisible != window->visible) PlaceWindowsOnWorkArea();
  return wasVisible;
}

bool EnableWindow(WindowHandle handle, bool enable) {
  Window* window = Live(handle);
  if (!window) return false;
  const bool wasDisabled = !window->enabled;
  window->enabled = enable;
  return wasDisabled;
}

bool IsWindowEnabled(WindowHandle handle) {
  const Window* window = Live(handle);
  return window && window->enabled;
}

bool IsWindowVisible(WindowHandle handle) {
  for (const Window* w = Live(handle); w; w = w->parent) {
    if (!w->visible) return false;
    if (!w->parent) return true;
  }
  return false;
}

Rect GetClientRect(WindowHandle handle) {
  const Window* window = Live(handle);
  if (!window) return Rect{};
  const Rect area = ClientArea(*window);
  return Rect{0, 0, area.width(), area.height()};
}

Rect GetWindowRect(WindowHandle handle) {
  Window* window = Live(handle);
  if (!window) return Rect{};
  const Window* top = TopLevelOf(window);
  const Point origin = WindowOrigin(*window);
  const std::int32_t left = top->rect.left + origin.x;
  const std::int32_t y = top->rect.top + origin.y;
  return Rect{left, y, left + window->rect.width(), y + window->rect.height()};
}

Point ClientToScreen(WindowHandle handle, Point point) {
  Window* window = Live(handle);
  if (!window) return point;
  const Window* top = TopLevelOf(window);
  const Point origin = SurfaceOrigin(*window);
  return Point{top->rect.left + origin.x + point.x, top->rect.top + origin.y + point.y};
}

Point ScreenToClient(WindowHandle handle, Point point) {
  const Point origin = ClientToScreen(handle, Point{0, 0});
  return Point{point.x - origin.x, point.y - origin.y};
}

WindowProcedure SetWindowProcedure(WindowHandle handle, WindowProcedure procedure) {
  Window* window = Live(handle);
  if (!window || procedure == nullptr) return nullptr;
  return std::exchange(window->procedure, procedure);
}

WindowHandle GetParent(WindowHandle handle) {
  const Window* window = Live(handle);
  if (!window) return nullptr;
  return window->parent ? window->parent : window->owner;
}

std::uint16_t GetWindowId(WindowHandle handle) {
  const Window* window = Live(handle);
  return window ? window->id : 0;
}

WindowHandle GetChild(WindowHandle parent, std::uint16_t id) {
  const Window* window = Live(parent);
  if (!window) return nullptr;
  for (Window* child : window->children) {
    if (child->id == id) return child;
  }
  return nullptr;
}

WindowHandle GetWindow(WindowHandle handle, WindowRelation relation) {
  const Window* window = Live(handle);
  if (!window) return nullptr;
  if (relation == kGwOwner) return window->owner;
  if (relation == kGwChild) return window->children.empty() ? nullptr : window->children.front();
  if (relation != kGwHwndNext || !window->parent) return nullptr;
  const auto& siblings = window->parent->children;
  const auto at = std::find(siblings.begin(), siblings.end(), window);
  return at == siblings.end() || at + 1 == siblings.end() ? nullptr : *(at + 1);
}

std::uint32_t GetWindowStyle(WindowHandle handle) {
  const Window* window = Live(handle);
  return window ? window->style : 0;
}

std::u16string GetWindowText(WindowHandle handle) {
  const Window* window = Live(handle);
  return window ? window->title : std::u16string();
}

void SetWindowText(WindowHandle handle, std::u16string_view text) {
  if (Window* window = Live(handle)) {
    window->title = text;
    InvalidateTree(*window, true);
  }
}

const WindowClass* GetWindowClass(WindowHandle handle) {
  const Window* window = Live(handle);
  return window ? window->windowClass : nullptr;
}

void* GetWindowData(WindowHandle handle) {
  const Window* window = Live(handle);
  return window ? window->data : nullptr;
}

void SetWindowData(WindowHandle handle, void* data) {
  if (Window* window = Live(handle)) window->data = data;
}

WindowHandle GetForegroundWindow() { return System().foreground; }

bool SetForegroundWindow(WindowHandle handle) { return Activate(handle, kWaActive); }

bool Activate(WindowHandle handle, std::uint16_t how) {
  Window* window = TopLevelOf(Live(handle));
  if (!window) return false;
  WindowSystem& system = System();
  auto& tops = system.topLevels;
  tops.erase(std::remove(tops.begin(), tops.end(), window), tops.end());
  tops.push_back(window);
  // What the window owns stays in front of it.
  for (Window* top : std::vector<Window*>(tops)) {
    if (top->owner == window) {
      tops.erase(std::remove(tops.begin(), tops.end(), top), tops.end());
      tops.push_back(top);
    }
  }
  if (system.foreground == window) return true;
  Window* previous = system.foreground;
  system.foreground = window;
  if (previous) SendMessage(previous, kWmActivate, MakeLong(kWaInactive, 0), reinterpret_cast<LParam>(window));
  SendMessage(window, kWmActivate, MakeLong(how, 0), reinterpret_cast<LParam>(previous));
  return true;
}

WindowHandle GetFocus() { return System().focus; }

WindowHandle SetFocus(WindowHandle handle) {
  WindowSystem& system = System();
  Window* window = Live(handle);
  Window* previous = system.focus;
  if (window == previous) return previous;
  system.focus = window;
  if (previous) SendMessage(previous, kWmKillFocus, reinterpret_cast<WParam>(window), 0);
  if (window) SendMessage(window, kWmSetFocus, reinterpret_cast<WParam>(previous), 0);
  return previous;
}

WindowHandle SetCapture(WindowHandle handle) { return std::exchange(System().capture, Live(handle)); }
void ReleaseCapture() { System().capture = nullptr; }

WindowHandle FindWindow(std::u16string_view className, std::u16string_view title) {
  StartShell();
  for (Window* top : System().topLevels) {
    if (top->windowClass->name == className && (title.empty() || top->title == title)) return top;
  }
  return nullptr;
}

void ResetWindowSystem() {
  WindowSystem& system = System();
  while (!system.topLevels.empty()) {
    Window* top = system.topLevels.back();
    if (!DestroyWindow(top) && Live(top)) Free(*top);
  }
  system.windows.clear();
  system.classes.clear();
  system.queue.clear();
  system.timers.clear();
  system.keysAsHandled.clear();
  system.foreground = system.focus = system.capture = system.pointerOver = nullptr;
  system.quitPosted = false;
  system.quitCode = 0;
  system.shellStarted = false;
  system.scale = DeviceScale{};
  system.composed.clear();
}

std::int32_t GetSystemMetrics(int metric) {
  switch (metric) {
    case kSmCxScreen: return System().screen.cx;
    case kSmCyScreen: return System().screen.cy;
    case kSmCxVScroll: return kScrollBarWidth;
    case kSmCyCaption: return kCaptionBarHeight;
    case kSmCxEdge:
    case kSmCyEdge: return 2;
    default: return 0;
  }
}

}  // namespace platform
