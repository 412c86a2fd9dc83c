#pragma once
// The font heights the reader offers: the Font dialog's size list, and the
// steps of the keys that make the text larger and smaller.

#include <array>
#include <cstdint>

#include "platform/graphics/font.h"

namespace quillory {

constexpr std::array<std::int32_t, 14> kFontHeights = {10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 32, 52, 72};

// The height one step larger (`step` > 0) or smaller (< 0) than `height` in
// kFontHeights, as cell heights. The default height 0 counts as the cell
// height it gives, and a character height (negative) by its size. At either
// end of the table the height stays as it is.
constexpr std::int32_t SteppedFontHeight(std::int32_t height, int step) {
  const std::int32_t size = height == 0 ? platform::kDefaultFontHeight : (height < 0 ? -height : height);
  if (step > 0) {
    for (const std::int32_t entry : kFontHeights) {
      if (entry > size) return entry;
    }
  } else if (step < 0) {
    for (auto entry = kFontHeights.rbegin(); entry != kFontHeights.rend(); ++entry) {
      if (*entry < size) return *entry;
    }
  }
  return height;
}

static_assert(SteppedFontHeight(0, 1) == 18 && SteppedFontHeight(0, -1) == 14);
static_assert(SteppedFontHeight(72, 1) == 72 && SteppedFontHeight(10, -1) == 10);

}  // namespace quillory
