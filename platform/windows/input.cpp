#include "platform/windows/input.h"

#include <algorithm>
#include <set>

#include "platform/windows/window_system.h"

namespace platform {
namespace {

std::set<std::uint16_t>& KeysDown() {
  static std::set<std::uint16_t> keys;
  return keys;
}

bool& StylusIsDown() {
  static bool down = false;
  return down;
}

// The scroll bar that holds the stylus between its press and release.
Window*& ScrollBarHolder() {
  static Window* holder = nullptr;
  return holder;
}

bool Contains(const Rect& rect, Point point) { return rect.Contains(point); }

// The window under a screen point: the front-most visible top-level window
// that holds it, then down through its children. A child shows only inside
// its parent's client area, and takes the stylus only there: the part of a
// child that reaches under its parent's scroll bar or past its edge is the
// parent's.
Window* WindowAt(Point screen) {
  const auto& tops = System().topLevels;
  for (auto it = tops.rbegin(); it != tops.rend(); ++it) {
    Window* window = *it;
    if (!window->visible || !Contains(window->rect, screen)) continue;
    bool descended = true;
    while (descended) {
      descended = false;
      const Point client = ClientToScreen(window, Point{0, 0});
      const Point inside{screen.x - client.x, screen.y - client.y};
      if (!Contains(GetClientRect(window), inside)) break;
      for (auto child = window->children.rbegin(); child != window->children.rend(); ++child) {
        if ((*child)->visible && Contains((*child)->rect, inside)) {
          window = *child;
          descended = true;
          break;
        }
      }
    }
    return window;
  }
  return nullptr;
}

bool Enabled(const Window* window) {
  for (; window; window = window->parent) {
    if (!window->enabled) return false;
  }
  return true;
}

Point InWindow(WindowHandle window, Point screen) {
  const Rect rect = GetWindowRect(window);
  return Point{screen.x - rect.left, screen.y - rect.top};
}

std::uint32_t StylusMessage(StylusAction action) {
  switch (action) {
    case StylusAction::kDown: return kWmLButtonDown;
    case StylusAction::kMove: return kWmMouseMove;
    case StylusAction::kUp: return kWmLButtonUp;
  }
  return kWmMouseMove;
}

// Tells the window the pointer was over that it has left it, when it has.
void NotePointerOver(Window* window) {
  WindowSystem& system = System();
  if (system.pointerOver == window) return;
  if (system.pointerOver && Live(system.pointerOver)) PostMessage(system.pointerOver, kWmMouseLeave, 0, 0);
  system.pointerOver = window;
}

}  // namespace

void InjectStylus(StylusAction action, Point screen, int clicks) {
  WindowSystem& system = System();
  if (action != StylusAction::kMove) StylusIsDown() = action == StylusAction::kDown;
  Window* under = WindowAt(screen);
  NotePointerOver(under);
  Window*& holder = ScrollBarHolder();
  if (holder && !Live(holder)) holder = nullptr;
  if (holder) {
    const Point at = InWindow(holder, screen);
    if (action == StylusAction::kMove) ScrollBarStylusMove(*holder, at);
    if (action == StylusAction::kUp) {
      Window* window = holder;
      holder = nullptr;
      ScrollBarStylusUp(*window, at);
    }
    return;
  }
  const bool captured = system.capture && Live(system.capture);
  Window* target = captured ? system.capture : under;
  if (!target || !Enabled(target)) return;
  if (action == StylusAction::kDown) {
    Window* top = TopLevelOf(target);
    if (system.foreground != top && !(top->exStyle & kWsExNoActivate)) Activate(top, kWaClickActive);
    if (!Live(target)) return;
    const Point at = InWindow(target, screen);
    if (ScrollBarPartAt(*target, at) >= 0) {
      holder = target;
      ScrollBarStylusDown(*target, at);
      return;
    }
  }
  if (!captured && CaptionBarStylus(*target, InWindow(target, screen), action == StylusAction::kDown)) return;
  const Point client = ClientToScreen(target, Point{0, 0});
  WParam first = action == StylusAction::kMove && StylusIsDown() ? kMkLButton : 0;
  if (action == StylusAction::kDown) first = MakeLong(0, static_cast<std::uint16_t>(std::clamp(clicks, 1, 0xFFFF)));
  PostMessage(target, StylusMessage(action), first, PointParam(screen.x - client.x, screen.y - client.y));
}

void InjectPointerLeave() { NotePointerOver(nullptr); }

void InjectKey(std::uint16_t virtualKey, bool down, char16_t character) {
  if (down) {
    KeysDown().insert(virtualKey);
  } else {
    KeysDown().erase(virtualKey);
  }
  System().queue.push_back(Message{nullptr, down ? kWmKeyDown : kWmKeyUp, virtualKey, 1, down ? character : u'\0', true});
}

bool AddressKeyboardInput(Message& message) {
  if (!message.toFocus) return true;
  WindowSystem& system = System();
  Window* target = system.focus && Live(system.focus) && IsWindowVisible(system.focus) ? system.focus : system.foreground;
  // Nobody takes it; a key still went down or up (NoteKeyMessage has seen it).
  if (!target || !Enabled(target)) return false;
  message.window = target;
  message.toFocus = false;
  return true;
}

bool IsKeyDown(std::uint16_t virtualKey) { return KeysDown().count(virtualKey) != 0; }

void NoteKeyMessage(const Message& message) {
  auto& keys = System().keysAsHandled;
  if (message.id == kWmKeyDown) keys.insert(static_cast<std::uint16_t>(message.first));
  if (message.id == kWmKeyUp) keys.erase(static_cast<std::uint16_t>(message.first));
}

bool GetKeyState(std::uint16_t virtualKey) { return System().keysAsHandled.count(virtualKey) != 0; }

void InjectCharacter(char16_t character) { System().queue.push_back(Message{nullptr, kWmChar, character, 1, 0, true}); }

void InjectWheel(Point screen, int lines) {
  Window* window = WindowAt(screen);
  while (window && !(window->style & kWsVScroll)) window = window->parent;
  if (!window || !Enabled(window)) return;
  const std::uint16_t code = lines < 0 ? kSbLineUp : kSbLineDown;
  for (int i = 0; i < (lines < 0 ? -lines : lines); ++i) PostMessage(window, kWmVScroll, MakeLong(code, 0), 0);
  PostMessage(window, kWmVScroll, MakeLong(kSbEndScroll, 0), 0);
}

void RequestClose() {
  for (const auto& window : System().windows) {
    if (!window->parent && !(window->exStyle & kWsExNoActivate)) {
      PostMessage(window.get(), kWmClose, 0, 0);
      return;
    }
  }
}

}  // namespace platform
