#pragma once
// A 32-bit framebuffer: what a window shows, or the pixels of a bitmap.
// Pixels are 0x00RRGGBB, rows top to bottom, no padding.

#include <cstdint>
#include <span>
#include <vector>

#include "platform/graphics/color.h"
#include "platform/graphics/geometry.h"

namespace platform {

class Framebuffer {
 public:
  Framebuffer() = default;
  // Every pixel starts as `fill`.
  Framebuffer(std::int32_t width, std::int32_t height, Pixel fill = 0x00FFFFFF);

  std::int32_t width() const { return width_; }
  std::int32_t height() const { return height_; }
  Rect bounds() const { return Rect{0, 0, width_, height_}; }

  Pixel at(std::int32_t x, std::int32_t y) const { return pixels_[Index(x, y)]; }
  Pixel& at(std::int32_t x, std::int32_t y) { return pixels_[Index(x, y)]; }
  std::span<const Pixel> pixels() const { return pixels_; }
  std::span<Pixel> row(std::int32_t y) { return std::span<Pixel>(pixels_).subspan(Index(0, y), width_); }

  // Fills the part of `area` that lies inside the framebuffer.
  void Fill(const Rect& area, Pixel value);
  // Changes the size; the contents are then all `fill`.
  void Resize(std::int32_t width, std::int32_t height, Pixel fill = 0x00FFFFFF);

 private:
  std::size_t Index(std::int32_t x, std::int32_t y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x);
  }

  std::int32_t width_ = 0;
  std::int32_t height_ = 0;
  std::vector<Pixel> pixels_;
};

}  // namespace platform
