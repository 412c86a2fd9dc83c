#include "view/style_fonts.h"

#include <algorithm>
#include <cstdint>

#include "platform/graphics/font_catalog.h"
#include "view/article_format.h"
#include "view/palette.h"

namespace quillory {
namespace {

constexpr std::int32_t kLargeDefaultHeight = 20;
constexpr std::int32_t kSmallDefaultHeight = 14;
constexpr std::int32_t kBoldWeight = 700;
constexpr std::int32_t kRegularWeight = 400;

// height × numerator / denominator, worked in 64 bits and kept within 32: the
// height comes from the settings file, where a damaged one may store any value.
std::int32_t ScaledHeight(std::int32_t height, std::int32_t numerator, std::int32_t denominator) {
  const std::int64_t scaled = std::int64_t{height} * numerator / denominator;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(scaled, INT32_MIN, INT32_MAX));
}

}  // namespace

platform::FontRequest StyleFontRequest(const FontDescription& description, std::uint8_t key) {
  platform::FontRequest request;
  const std::int32_t height = description.height;
  request.height = height;
  if (key & kLargeBit) {
    request.height = height == 0 ? kLargeDefaultHeight : ScaledHeight(height, 5, 4);
  } else if (key & kSmallBit) {
    request.height = height == 0 ? kSmallDefaultHeight : ScaledHeight(height, 6, 8);
  }
  request.weight = (key & kBoldBit) ? kBoldWeight : kRegularWeight;
  request.faceName = description.faceName;
  return request;
}

platform::Color StyleColour(std::uint8_t key) {
  const Palette& palette = CurrentPalette();
  if ((key & (kLargeBit | kBoldBit)) == (kLargeBit | kBoldBit)) return palette.heading;
  if (key & kSmallBit) return palette.small;
  return palette.text;
}

void CreateStyleFont(FontCacheEntry& entry, const FontDescription& description) {
  entry.font = platform::CreateFont(StyleFontRequest(description, entry.styleKey));
}

platform::Font* SelectStyleFont(FontCache& cache, const FontDescription& description,
                                platform::DeviceContext& context, std::uint32_t request) {
  const auto key = static_cast<std::uint8_t>(request & kStyleKeyMask);
  auto entry = std::find_if(cache.begin(), cache.end(),
                            [key](const FontCacheEntry& e) { return e.styleKey == key && e.font; });
  if (entry == cache.end()) {
    // An older entry of the same key whose font failed stays where it is;
    // the new one goes first and tries again.
    cache.push_front(FontCacheEntry{nullptr, key});
    entry = cache.begin();
    CreateStyleFont(*entry, description);
  }
  if (request & kWithColour) context.SetTextColor(StyleColour(key));
  return context.SelectFont(entry->font.get());
}

void RecreateFontCache(FontCache& cache, const FontDescription& description) {
  for (FontCacheEntry& entry : cache) {
    entry.font.reset();
    CreateStyleFont(entry, description);
  }
}

void ReleaseFontCache(FontCache& cache) {
  for (FontCacheEntry& entry : cache) entry.font.reset();
}

}  // namespace quillory
