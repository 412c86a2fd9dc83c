#include "search/search_input.h"

#include <algorithm>

#include "search/keyboard_layout.h"

namespace quillory {
namespace {

constexpr std::uint8_t kFirstLetterCode = 0x61;
constexpr std::size_t kLongestPattern = 33;

}  // namespace

std::optional<int> KeyNumberAt(std::int32_t x, std::int32_t y) {
  if (x < 0 || y < 0 || x >= kKeyboardWidth || y >= kKeyboardHeight) return std::nullopt;
  const int row = y / kKeyHeight;
  // The picture's last pixel column is the right frame of the rightmost
  // keys; counted as a tenth column it would name a key of another row.
  const int column = std::min(x / kKeyWidth, kKeysPerRow - 1);
  if (row < kLetterRows) return KeyAtCell(row, column);
  if (column < kSpaceBarFirstColumn || column > kSpaceBarLastColumn) return std::nullopt;
  return kSpaceKey;
}

std::optional<char16_t> KeyCharacter(int key, std::uint32_t base) {
  if (key == kSpaceKey) return u' ';
  if (key < 1 || key > kLetterKeyCount) return std::nullopt;
  return static_cast<char16_t>(base + static_cast<std::uint8_t>(kKeyLetters[key - 1]) - kFirstLetterCode);
}

std::array<std::uint8_t, 34> PatternFromInput(std::u16string_view text, std::uint32_t base) {
  std::array<std::uint8_t, 34> pattern{};
  std::size_t length = 0;
  for (std::size_t i = 0; i < text.size() && length < kLongestPattern; ++i) {
    const char16_t w = text[i];
    if (w == u' ' && i + 1 < text.size() && text[i + 1] == u' ') continue;
    const bool letter = w >= base && w < base + kLetterKeyCount;
    pattern[length++] = letter ? static_cast<std::uint8_t>(w - base + kFirstLetterCode) : static_cast<std::uint8_t>(w);
  }
  return pattern;
}

}  // namespace quillory
