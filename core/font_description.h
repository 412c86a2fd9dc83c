#pragma once
// The font description: the 72-byte block that says which font the text is
// drawn in. It is copied into every view and dialog that draws text.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quillory {

// Where a font keeps its Hebrew letters: the character code of alef.
enum LetterBase : std::uint32_t {
  kBaseLatin = 97,     // Hebrew glyphs at the Latin lower-case positions
  kBaseCp1255 = 224,   // the Windows-1255 positions
  kBaseUnicode = 1488  // the Unicode Hebrew block (U+05D0)
};
// A base above this keeps the letters beyond one byte: text in such a font
// is Unicode text.
constexpr std::uint32_t kHighestByteBase = 256;

struct FontDescription {
  std::array<char16_t, 32> faceName{};  // zero-terminated
  std::int32_t height = 0;              // >0 cell height, <0 character height, 0 default
  std::uint32_t asciiBase = 0;          // a copy of the letter code base
};
// Sets a zero-terminated face name field to `name`, cut to fit.
inline void SetFaceName(std::array<char16_t, 32>& field, std::u16string_view name) {
  field = {};
  std::copy_n(name.begin(), std::min(name.size(), field.size() - 1), field.begin());
}

static_assert(sizeof(FontDescription) == 72);
static_assert(offsetof(FontDescription, height) == 64);
static_assert(offsetof(FontDescription, asciiBase) == 68);

}  // namespace quillory
