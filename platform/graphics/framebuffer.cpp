#include "platform/graphics/framebuffer.h"

#include <algorithm>
#include <cassert>

namespace platform {

Framebuffer::Framebuffer(std::int32_t width, std::int32_t height, Pixel fill) { Resize(width, height, fill); }

void Framebuffer::Resize(std::int32_t width, std::int32_t height, Pixel fill) {
  assert(width >= 0 && height >= 0);
  width_ = width;
  height_ = height;
  pixels_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill);
}

void Framebuffer::Fill(const Rect& area, Pixel value) {
  const Rect r = Intersect(area, bounds());
  for (std::int32_t y = r.top; y < r.bottom; ++y) {
    std::fill_n(pixels_.begin() + static_cast<std::ptrdiff_t>(Index(r.left, y)), r.width(), value);
  }
}

}  // namespace platform
