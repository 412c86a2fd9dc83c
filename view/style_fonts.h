#pragma once
// Fonts by style: the style key of a record (its style byte & 0x1F) chooses
// the size, the weight and the colour of its text in the view's font
// description. Each view keeps the fonts it has made in a cache, newest
// first, so that a font is made once per key for the view's life.

#include <cstdint>
#include <forward_list>
#include <memory>

#include "core/font_description.h"
#include "platform/graphics/color.h"
#include "platform/graphics/device_context.h"
#include "platform/graphics/font.h"

namespace quillory {

struct FontCacheEntry {
  std::unique_ptr<platform::Font> font;  // empty when the platform could not make it
  std::uint8_t styleKey = 0;
};
using FontCache = std::forward_list<FontCacheEntry>;

// Asks SelectStyleFont to set the key's text colour as well.
constexpr std::uint32_t kWithColour = 0x100;

// The font request for a style key: the description's height, × 5 / 4 for
// large keys (20 when the height is 0), else × 6 / 8 for small keys (14 when
// it is 0); weight 700 for bold keys, else 400; the description's face.
platform::FontRequest StyleFontRequest(const FontDescription& description, std::uint8_t key);
// The current palette's colour of a key: its heading colour for large bold
// keys (blue by day), its small colour for small keys (navy), its text
// colour for the rest (black).
platform::Color StyleColour(std::uint8_t key);

// Makes the font of the entry's key; the entry holds nothing when that fails.
void CreateStyleFont(FontCacheEntry& entry, const FontDescription& description);

// Selects the font of the style key in bits 0-4 of `request` into the
// context (with kWithColour also its colour) and returns the font selected
// before, which the caller selects back when done. A key without a made font
// gets a new entry at the head of the cache. When no font can be made the
// context's font stays and the result is null.
platform::Font* SelectStyleFont(FontCache& cache, const FontDescription& description,
                                platform::DeviceContext& context, std::uint32_t request);

// Remakes every entry's font for a new description.
void RecreateFontCache(FontCache& cache, const FontDescription& description);
// Deletes every font; the entries stay, empty.
void ReleaseFontCache(FontCache& cache);

}  // namespace quillory
