#pragma once
// A 32-bit framebuffer: what a window shows, or the pixels of a bitmap.
// Pixels are 0x00RRGGBB, rows top to bottom, no padding. Its size is in
// its own (device) pixels; its scale says how many of them stand for one
// pixel of the program, and device contexts drawing into it map through
// that scale (platform/graphics/device_scale.h).
//
// It keeps the rectangle written since the last TakeChanged, so that the
// screen is composed and shown again only where something was drawn.

#include <cstdint>
#include <span>
#include <vector>

#include "platform/graphics/color.h"
#include "platform/graphics/device_scale.h"
#include "platform/graphics/geometry.h"

namespace platform {

class Framebuffer {
 public:
  Framebuffer() = default;
  // `width` × `height` device pixels at scale 1; every pixel starts as `fill`.
  Framebuffer(std::int32_t width, std::int32_t height, Pixel fill = 0x00FFFFFF);
  // Room for `logical` pixels of the program at `scale`.
  Framebuffer(Size logical, DeviceScale scale, Pixel fill = 0x00FFFFFF);

  std::int32_t width() const { return width_; }
  std::int32_t height() const { return height_; }
  DeviceScale scale() const { return scale_; }
  Rect bounds() const { return Rect{0, 0, width_, height_}; }

  Pixel at(std::int32_t x, std::int32_t y) const { return pixels_[Index(x, y)]; }
  Pixel& at(std::int32_t x, std::int32_t y) { return pixels_[Index(x, y)]; }
  std::span<const Pixel> pixels() const { return pixels_; }
  std::span<Pixel> row(std::int32_t y) { return std::span<Pixel>(pixels_).subspan(Index(0, y), width_); }
  std::span<const Pixel> row(std::int32_t y) const {
    return std::span<const Pixel>(pixels_).subspan(Index(0, y), width_);
  }

  // Fills the part of `area` (device pixels) that lies inside the framebuffer.
  void Fill(const Rect& area, Pixel value);
  // Changes the size; the contents are then all `fill`.
  void Resize(Size logical, DeviceScale scale, Pixel fill = 0x00FFFFFF);

  // Notes that `area` (device pixels) was written other than through Fill.
  void NoteChanged(const Rect& area);
  // What was written since the last call (empty for nothing), and starts afresh.
  Rect TakeChanged();

 private:
  std::size_t Index(std::int32_t x, std::int32_t y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x);
  }

  std::int32_t width_ = 0;
  std::int32_t height_ = 0;
  DeviceScale scale_;
  std::vector<Pixel> pixels_;
  Rect changed_;
};

}  // namespace platform
