#pragma once
// The device scale: how many pixels of the screen stand for one pixel of
// the program. Everything the program measures and places (layout, taps,
// dialog units, window sizes) stays in its own pixels; only drawing maps
// to the screen's, so that a line one pixel wide is S screen pixels wide
// and text is rasterized at S times its height instead of being enlarged.
//
// The scale runs from 1 to 4 in steps of a quarter and is kept in quarters,
// so that mapping is exact integer arithmetic: a coordinate v becomes
// floor(v × S + 1/2), the same for every edge, and shapes that touch in the
// program's pixels touch on the screen too.

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "platform/graphics/geometry.h"

namespace platform {

class DeviceScale {
 public:
  static constexpr int kQuartersPerPixel = 4;
  static constexpr int kSmallest = 4;  // 1
  static constexpr int kLargest = 16;  // 4

  constexpr DeviceScale() = default;
  // `quarters` screen quarter-pixels per pixel, held to 1 to 4.
  static constexpr DeviceScale FromQuarters(int quarters) {
    DeviceScale scale;
    scale.quarters_ = std::clamp(quarters, kSmallest, kLargest);
    return scale;
  }
  // The nearest quarter to `value`, held to 1 to 4.
  static DeviceScale Nearest(double value) {
    if (!(value > 0)) return DeviceScale{};
    return FromQuarters(static_cast<int>(std::lround(std::min(value, 8.0) * kQuartersPerPixel)));
  }

  constexpr int quarters() const { return quarters_; }
  constexpr bool identity() const { return quarters_ == kQuartersPerPixel; }

  // A coordinate in the program's pixels on the screen.
  constexpr std::int32_t ToDevice(std::int32_t v) const {
    return static_cast<std::int32_t>(
        FloorDivide(std::int64_t{v} * quarters_ + kQuartersPerPixel / 2, kQuartersPerPixel));
  }
  // The program's pixel that a screen pixel lies in: the last one whose
  // edge maps at or before it.
  constexpr std::int32_t ToLogical(std::int32_t device) const {
    return static_cast<std::int32_t>(FloorDivide(std::int64_t{device} * kQuartersPerPixel + 1, quarters_));
  }
  // The fewest program pixels whose edge maps at or past `device` screen
  // pixels: a screen that size is covered.
  constexpr std::int32_t LogicalCovering(std::int32_t device) const {
    return static_cast<std::int32_t>(-FloorDivide(-(std::int64_t{device} * kQuartersPerPixel - 2), quarters_));
  }
  // A length (a pen, a corner) on the screen: at least one pixel when the
  // program's length was.
  constexpr std::int32_t LengthToDevice(std::int32_t length) const {
    if (length <= 0) return 0;
    return std::max<std::int32_t>(1, ToDevice(length));
  }
  constexpr Rect ToDevice(const Rect& r) const {
    return Rect{ToDevice(r.left), ToDevice(r.top), ToDevice(r.right), ToDevice(r.bottom)};
  }
  constexpr Size ToDevice(Size s) const { return Size{ToDevice(s.cx), ToDevice(s.cy)}; }

  friend constexpr bool operator==(DeviceScale a, DeviceScale b) { return a.quarters_ == b.quarters_; }

 private:
  static constexpr std::int64_t FloorDivide(std::int64_t a, std::int64_t b) {
    const std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
  }

  int quarters_ = kQuartersPerPixel;
};

}  // namespace platform
