#include "platform/graphics/picture_scaling.h"

#include <algorithm>

namespace platform {
namespace {

// The picture's pixel at x, y, the nearest edge pixel for points outside,
// so that an edge counts as continuing past the border.
Pixel Clamped(const Framebuffer& picture, std::int32_t x, std::int32_t y) {
  return picture.at(std::clamp(x, 0, picture.width() - 1), std::clamp(y, 0, picture.height() - 1));
}

DeviceScale Times(DeviceScale scale, int factor) { return DeviceScale::FromQuarters(scale.quarters() * factor); }

// Each pixel P becomes 2 × 2. With A above, B right, C left and D below, a
// corner takes the colour of its two neighbours when they agree and the
// other two do not (the rule is Scale2x's).
Framebuffer Double(const Framebuffer& source, Size logical) {
  Framebuffer out(logical, Times(source.scale(), 2));
  for (std::int32_t y = 0; y < source.height(); ++y) {
    for (std::int32_t x = 0; x < source.width(); ++x) {
      const Pixel p = source.at(x, y);
      const Pixel a = Clamped(source, x, y - 1);
      const Pixel b = Clamped(source, x + 1, y);
      const Pixel c = Clamped(source, x - 1, y);
      const Pixel d = Clamped(source, x, y + 1);
      const bool differ = a != d && c != b;
      out.at(2 * x, 2 * y) = differ && c == a ? a : p;
      out.at(2 * x + 1, 2 * y) = differ && a == b ? b : p;
      out.at(2 * x, 2 * y + 1) = differ && c == d ? c : p;
      out.at(2 * x + 1, 2 * y + 1) = differ && b == d ? d : p;
    }
  }
  return out;
}

// Each pixel E becomes 3 × 3, with its eight neighbours named
//   A B C
//   D E F
//   G H I
// (the rule is Scale3x's).
Framebuffer Triple(const Framebuffer& source, Size logical) {
  Framebuffer out(logical, Times(source.scale(), 3));
  for (std::int32_t y = 0; y < source.height(); ++y) {
    for (std::int32_t x = 0; x < source.width(); ++x) {
      const Pixel a = Clamped(source, x - 1, y - 1), b = Clamped(source, x, y - 1), c = Clamped(source, x + 1, y - 1);
      const Pixel d = Clamped(source, x - 1, y), e = source.at(x, y), f = Clamped(source, x + 1, y);
      const Pixel g = Clamped(source, x - 1, y + 1), h = Clamped(source, x, y + 1), i = Clamped(source, x + 1, y + 1);
      Pixel block[9] = {e, e, e, e, e, e, e, e, e};
      if (b != h && d != f) {
        block[0] = d == b ? d : e;
        block[1] = (d == b && e != c) || (b == f && e != a) ? b : e;
        block[2] = b == f ? f : e;
        block[3] = (d == b && e != g) || (d == h && e != a) ? d : e;
        block[5] = (b == f && e != i) || (h == f && e != c) ? f : e;
        block[6] = d == h ? d : e;
        block[7] = (d == h && e != i) || (h == f && e != g) ? h : e;
        block[8] = h == f ? f : e;
      }
      for (int k = 0; k < 9; ++k) out.at(3 * x + k % 3, 3 * y + k / 3) = block[k];
    }
  }
  return out;
}

// The nearest pixel of `source` for each pixel at `scale`.
Framebuffer Resampled(const Framebuffer& source, Size logical, DeviceScale scale) {
  Framebuffer out(logical, scale);
  const std::int64_t from = source.scale().quarters();
  const std::int64_t to = scale.quarters();
  const auto nearest = [&](std::int32_t i, std::int32_t limit) {
    return static_cast<std::int32_t>(std::min<std::int64_t>(limit - 1, ((2 * std::int64_t{i} + 1) * from) / (2 * to)));
  };
  for (std::int32_t y = 0; y < out.height(); ++y) {
    const std::int32_t sourceY = nearest(y, source.height());
    for (std::int32_t x = 0; x < out.width(); ++x) out.at(x, y) = source.at(nearest(x, source.width()), sourceY);
  }
  return out;
}

}  // namespace

Framebuffer ScalePicture(const Framebuffer& source, Size logical, DeviceScale scale) {
  if (source.width() == 0 || source.height() == 0) return Framebuffer(logical, scale);
  Framebuffer picture = source;
  // Enlarged in whole steps until it is at least as large as asked.
  while (picture.scale().quarters() < scale.quarters()) {
    const int ratio = (scale.quarters() + picture.scale().quarters() - 1) / picture.scale().quarters();
    picture = ratio == 3 ? Triple(picture, logical) : Double(picture, logical);
  }
  return picture.scale() == scale ? picture : Resampled(picture, logical, scale);
}

}  // namespace platform
