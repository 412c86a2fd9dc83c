#include "platform/graphics/framebuffer.h"

#include <algorithm>
#include <cassert>
#include <cstring>

namespace platform {

Framebuffer::Framebuffer(std::int32_t width, std::int32_t height, Pixel fill) {
  Resize(Size{width, height}, DeviceScale{}, fill);
}

Framebuffer::Framebuffer(Size logical, DeviceScale scale, Pixel fill) { Resize(logical, scale, fill); }

void Framebuffer::Resize(Size logical, DeviceScale scale, Pixel fill) {
  assert(logical.cx >= 0 && logical.cy >= 0);
  scale_ = scale;
  width_ = scale.ToDevice(logical.cx);
  height_ = scale.ToDevice(logical.cy);
  pixels_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), fill);
  changed_ = bounds();
}

void Framebuffer::Fill(const Rect& area, Pixel value) {
  const Rect r = Intersect(area, bounds());
  if (r.empty()) return;
  // One row filled, the others copied from it: a copy of a row that is
  // still in the cache runs at memory speed, a fill of 32-bit values not.
  Pixel* const first = pixels_.data() + Index(r.left, r.top);
  const std::size_t bytes = static_cast<std::size_t>(r.width()) * sizeof(Pixel);
  std::fill_n(first, r.width(), value);
  for (std::int32_t y = r.top + 1; y < r.bottom; ++y) std::memcpy(pixels_.data() + Index(r.left, y), first, bytes);
  NoteChanged(r);
}

void Framebuffer::NoteChanged(const Rect& area) { changed_ = Union(changed_, Intersect(area, bounds())); }

Rect Framebuffer::TakeChanged() {
  const Rect changed = changed_;
  changed_ = Rect{};
  return changed;
}

}  // namespace platform
