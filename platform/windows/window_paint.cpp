// Painting windows and composing the screen.

#include <algorithm>

#include "platform/windows/backend.h"
#include "platform/windows/window_system.h"

namespace platform {
namespace {

// What lies behind every window: the handheld's plain desktop.
constexpr Pixel kDesktop = 0x00808080;

void Compose(Framebuffer& screen) {
  screen.Fill(screen.bounds(), kDesktop);
  for (const Window* top : System().topLevels) {
    if (!top->visible || !top->surface) continue;
    for (std::int32_t y = 0; y < top->surface->height(); ++y) {
      const std::int32_t screenY = top->rect.top + y;
      if (screenY < 0 || screenY >= screen.height()) continue;
      for (std::int32_t x = 0; x < top->surface->width(); ++x) {
        const std::int32_t screenX = top->rect.left + x;
        if (screenX >= 0 && screenX < screen.width()) screen.at(screenX, screenY) = top->surface->at(x, y);
      }
    }
  }
}

}  // namespace

DeviceContext* GetDC(WindowHandle handle) {
  Window* window = Live(handle);
  return window ? window->context.get() : nullptr;
}

PaintInfo BeginPaint(WindowHandle handle) {
  Window* window = Live(handle);
  if (!window) return PaintInfo{};
  PaintInfo info{window->context.get(), window->erase};
  window->invalid = false;
  window->erase = false;
  ++window->validations;
  if (info.erase) {
    info.erase = SendMessage(handle, kWmEraseBackground, reinterpret_cast<WParam>(info.context), 0) == 0;
  }
  // What is inside the window was painted over: it paints again after it.
  for (Window* child : window->children) InvalidateTree(*child, true);
  return info;
}

void EndPaint(WindowHandle) {}

void InvalidateTree(Window& window, bool erase) {
  window.invalid = true;
  window.erase = window.erase || erase;
  for (Window* child : window.children) InvalidateTree(*child, erase);
}

void InvalidateRect(WindowHandle handle, bool erase) {
  if (Window* window = Live(handle)) InvalidateTree(*window, erase);
}

void UpdateWindow(WindowHandle handle) {
  Window* window = Live(handle);
  if (!window || !window->invalid || !IsWindowVisible(handle)) return;
  DrawNonClient(*window);
  DispatchMessage(Message{handle, kWmPaint, 0, 0, 0});
}

void DrawNonClient(Window& window) {
  DrawCaptionBar(window);
  DrawScrollBar(window);
}

void PresentScreen() {
  WindowSystem& system = System();
  if (system.screenImage.width() != system.screen.cx || system.screenImage.height() != system.screen.cy) {
    system.screenImage.Resize(system.screen.cx, system.screen.cy);
  }
  Compose(system.screenImage);
  CurrentBackend().Present(system.screenImage);
}

const Framebuffer& ScreenImage() {
  PresentScreen();
  return System().screenImage;
}

}  // namespace platform
