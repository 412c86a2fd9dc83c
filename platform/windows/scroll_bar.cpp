// The vertical scroll bar of a window: drawn in the window's non-client
// area on the right, with an arrow box at each end, the track between, and
// a square thumb (the reader sets no page size, so the thumb does not
// grow with the page). The stylus on it sends scroll notifications:
// arrows line up and down, the track page up and down, the thumb tracks
// while dragged and gives its position when let go; every press ends with
// end-of-scrolling.

#include <algorithm>

#include "platform/windows/window_system.h"

namespace platform {
namespace {

enum Part { kUpArrow = 0, kTrackAbove = 1, kThumb = 2, kTrackBelow = 3, kDownArrow = 4 };


struct Geometry {
  Rect bar;    // in window coordinates
  std::int32_t trackTop = 0;
  std::int32_t trackBottom = 0;
  std::int32_t thumbTop = 0;
};

Geometry Measure(const Window& window) {
  Geometry g;
  // Beside the client area, inside any caption bar and frame.
  const Rect client = ClientArea(window);
  g.bar = Rect{client.right, client.top, client.right + kScrollBarWidth, client.bottom};
  g.trackTop = client.top + kScrollBarWidth;
  g.trackBottom = std::max(g.trackTop, client.bottom - kScrollBarWidth);
  const ScrollBarState& s = window.scroll;
  const std::int32_t travel = std::max(0, g.trackBottom - g.trackTop - kScrollBarWidth);
  const std::int64_t range = static_cast<std::int64_t>(s.maximum) - s.minimum;
  const std::int64_t offset = std::clamp<std::int64_t>(static_cast<std::int64_t>(s.position) - s.minimum, 0, std::max<std::int64_t>(range, 0));
  g.thumbTop = g.trackTop + (range > 0 ? static_cast<std::int32_t>(offset * travel / range) : 0);
  return g;
}

// The position a thumb top at `thumbTop` stands for.
std::int32_t PositionAt(const Window& window, const Geometry& g, std::int32_t thumbTop) {
  const ScrollBarState& s = window.scroll;
  const std::int32_t travel = std::max(1, g.trackBottom - g.trackTop - kScrollBarWidth);
  const std::int64_t along = std::clamp(thumbTop - g.trackTop, 0, travel);
  const std::int64_t range = static_cast<std::int64_t>(s.maximum) - s.minimum;
  return static_cast<std::int32_t>(s.minimum + (range * along + travel / 2) / travel);
}

// The surface's pixels for a rectangle of the program's pixels.
void Fill(Framebuffer& surface, const Rect& rect, Pixel value) { surface.Fill(surface.scale().ToDevice(rect), value); }

void Box(Framebuffer& surface, Rect box, const ScrollBarColors& colors) {
  Fill(surface, box, ToPixel(colors.face));
  const Pixel shadow = ToPixel(colors.shadow);
  Fill(surface, Rect{box.left, box.bottom - 1, box.right, box.bottom}, shadow);
  Fill(surface, Rect{box.right - 1, box.top, box.right, box.bottom}, shadow);
}

// A small solid triangle pointing up or down, centred in the box: four rows
// of the program's pixels, 1, 3, 5 and 7 wide, drawn row by row of the
// screen's pixels so that its slopes stay smooth on a dense screen.
void Arrow(Framebuffer& surface, Rect box, bool up, Pixel ink) {
  const DeviceScale scale = surface.scale();
  const std::int32_t middle = (box.left + box.right - 1) / 2;
  const std::int32_t top = scale.ToDevice((box.top + box.bottom) / 2 - 2);
  const std::int32_t rows = scale.LengthToDevice(4);
  for (std::int32_t row = 0; row < rows; ++row) {
    const std::int32_t fromApex = up ? row : rows - 1 - row;
    const std::int32_t half = (2 * fromApex + 1) * 7 * scale.quarters() / (16 * rows);
    surface.Fill(Rect{scale.ToDevice(middle) - half, top + row, scale.ToDevice(middle + 1) + half, top + row + 1},
                 ink);
  }
}

void Notify(Window& window, std::uint16_t code, std::int32_t position = 0) {
  PostMessage(&window, kWmVScroll, MakeLong(code, static_cast<std::uint16_t>(static_cast<std::int16_t>(position))), 0);
}

}  // namespace

void DrawScrollBar(Window& window) {
  if (!(window.style & kWsVScroll)) return;
  Window* top = TopLevelOf(&window);
  if (!top->surface) return;
  const Geometry g = Measure(window);
  const Point origin = WindowOrigin(window);
  const auto place = [&](Rect r) {
    return Rect{r.left + origin.x, r.top + origin.y, r.right + origin.x, r.bottom + origin.y};
  };
  Framebuffer& surface = *top->surface;
  const ScrollBarColors& colors = window.scroll.colors;
  Fill(surface, place(g.bar), ToPixel(colors.track));
  const Rect up = place(Rect{g.bar.left, g.bar.top, g.bar.right, g.trackTop});
  const Rect down = place(Rect{g.bar.left, g.trackBottom, g.bar.right, g.bar.bottom});
  Box(surface, up, colors);
  Arrow(surface, up, true, ToPixel(colors.arrow));
  Box(surface, down, colors);
  Arrow(surface, down, false, ToPixel(colors.arrow));
  if (g.trackBottom - g.trackTop >= kScrollBarWidth) {
    Box(surface, place(Rect{g.bar.left, g.thumbTop, g.bar.right, g.thumbTop + kScrollBarWidth}), colors);
  }
}

int ScrollBarPartAt(const Window& window, Point point) {
  if (!(window.style & kWsVScroll)) return -1;
  const Geometry g = Measure(window);
  if (!g.bar.Contains(point)) return -1;
  if (point.y < g.trackTop) return kUpArrow;
  if (point.y >= g.trackBottom) return kDownArrow;
  if (point.y < g.thumbTop) return kTrackAbove;
  if (point.y < g.thumbTop + kScrollBarWidth) return kThumb;
  return kTrackBelow;
}

void ScrollBarStylusDown(Window& window, Point point) {
  const int part = ScrollBarPartAt(window, point);
  window.scroll.pressedPart = part;
  switch (part) {
    case kUpArrow: Notify(window, kSbLineUp); break;
    case kDownArrow: Notify(window, kSbLineDown); break;
    case kTrackAbove: Notify(window, kSbPageUp); break;
    case kTrackBelow: Notify(window, kSbPageDown); break;
    case kThumb:
      window.scroll.dragging = true;
      window.scroll.grabOffset = point.y - Measure(window).thumbTop;
      break;
    default: break;
  }
}

void ScrollBarStylusMove(Window& window, Point point) {
  if (!window.scroll.dragging) return;
  const Geometry g = Measure(window);
  Notify(window, kSbThumbTrack, PositionAt(window, g, point.y - window.scroll.grabOffset));
}

void ScrollBarStylusUp(Window& window, Point point) {
  if (window.scroll.dragging) {
    const Geometry g = Measure(window);
    Notify(window, kSbThumbPosition, PositionAt(window, g, point.y - window.scroll.grabOffset));
    window.scroll.dragging = false;
  }
  window.scroll.pressedPart = -1;
  Notify(window, kSbEndScroll);
}

void SetScrollRange(WindowHandle handle, int bar, std::int32_t minimum, std::int32_t maximum, bool redraw) {
  Window* window = Live(handle);
  if (!window || bar != kSbVert) return;
  window->scroll.minimum = minimum;
  window->scroll.maximum = std::max(minimum, maximum);
  window->scroll.position = std::clamp(window->scroll.position, window->scroll.minimum, window->scroll.maximum);
  if (redraw) DrawScrollBar(*window);
}

void SetScrollPos(WindowHandle handle, int bar, std::int32_t position, bool redraw) {
  Window* window = Live(handle);
  if (!window || bar != kSbVert) return;
  window->scroll.position = std::clamp(position, window->scroll.minimum, window->scroll.maximum);
  if (redraw) DrawScrollBar(*window);
}

std::int32_t GetScrollPos(WindowHandle handle, int bar) {
  const Window* window = Live(handle);
  return window && bar == kSbVert ? window->scroll.position : 0;
}

void SetScrollBarColors(WindowHandle handle, const ScrollBarColors& colors, bool redraw) {
  Window* window = Live(handle);
  if (!window) return;
  window->scroll.colors = colors;
  if (redraw) DrawScrollBar(*window);
}

void GetScrollRange(WindowHandle handle, int bar, std::int32_t& minimum, std::int32_t& maximum) {
  const Window* window = Live(handle);
  minimum = window && bar == kSbVert ? window->scroll.minimum : 0;
  maximum = window && bar == kSbVert ? window->scroll.maximum : 0;
}

}  // namespace platform
