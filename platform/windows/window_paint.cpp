// Painting windows and composing the screen.

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/windows/backend.h"
#include "platform/windows/window_system.h"

namespace platform {
namespace {

// What lies behind every window: the handheld's plain desktop.
constexpr Pixel kDesktop = 0x00808080;

using Layers = std::vector<std::pair<const Window*, Rect>>;

// The visible top-level windows, back to front, each with its place on the
// screen in screen pixels.
Layers VisibleLayers() {
  Layers layers;
  const DeviceScale scale = System().scale;
  for (const Window* top : System().topLevels) {
    if (!top->visible || !top->surface) continue;
    const Point corner{scale.ToDevice(top->rect.left), scale.ToDevice(top->rect.top)};
    layers.emplace_back(top, Rect{corner.x, corner.y, corner.x + top->surface->width(),
                                  corner.y + top->surface->height()});
  }
  return layers;
}

bool Covers(const Rect& outer, const Rect& inner) {
  return outer.left <= inner.left && outer.top <= inner.top && outer.right >= inner.right &&
         outer.bottom >= inner.bottom;
}

// Composes `area` of the screen: each window's part of it, back to front,
// starting from the front-most window that covers all of it.
void Compose(Framebuffer& screen, const Rect& area, const Layers& layers) {
  std::size_t first = 0;
  bool covered = false;
  for (std::size_t i = 0; i < layers.size(); ++i) {
    if (Covers(layers[i].second, area)) {
      first = i;
      covered = true;
    }
  }
  if (!covered) screen.Fill(area, kDesktop);
  for (std::size_t i = first; i < layers.size(); ++i) {
    const auto& [window, place] = layers[i];
    const Rect part = Intersect(area, place);
    for (std::int32_t y = part.top; y < part.bottom; ++y) {
      const auto from = window->surface->row(y - place.top).subspan(static_cast<std::size_t>(part.left - place.left),
                                                                   static_cast<std::size_t>(part.width()));
      std::copy(from.begin(), from.end(), screen.row(y).begin() + part.left);
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
  Framebuffer& screen = system.screenImage;
  const Size size = system.scale.ToDevice(system.screen);
  if (screen.width() != size.cx || screen.height() != size.cy || screen.scale() != system.scale) {
    screen.Resize(system.screen, system.scale);
  }
  // Only what was drawn since the last time, while the windows stay where
  // they were; everything when they moved, came or went.
  const Layers layers = VisibleLayers();
  Rect changed = screen.TakeChanged();
  if (layers != system.composed) changed = screen.bounds();
  for (const auto& window : system.windows) {
    if (!window->surface) continue;
    const Rect drawn = window->surface->TakeChanged();
    const auto layer =
        std::find_if(layers.begin(), layers.end(), [&](const auto& l) { return l.first == window.get(); });
    if (layer == layers.end() || drawn.empty()) continue;
    const Rect& place = layer->second;
    changed = Union(changed, Intersect(Rect{place.left + drawn.left, place.top + drawn.top, place.left + drawn.right,
                                            place.top + drawn.bottom},
                                       screen.bounds()));
  }
  system.composed = layers;
  if (changed.empty()) return;
  Compose(screen, changed, layers);
  screen.TakeChanged();
  CurrentBackend().Present(screen, changed);
}

DeviceScale GetDeviceScale() { return System().scale; }

void SetDeviceScale(DeviceScale scale) {
  WindowSystem& system = System();
  if (system.scale == scale) return;
  system.scale = scale;
  // Every surface is drawn again at the new scale.
  for (Window* top : system.topLevels) {
    if (!top->surface) continue;
    top->surface->Resize(Size{top->rect.width(), top->rect.height()}, scale);
    InvalidateTree(*top, true);
  }
}

const Framebuffer& ScreenImage() {
  PresentScreen();
  return System().screenImage;
}

}  // namespace platform
