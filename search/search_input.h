#pragma once
// What the Search dialog makes of its input: the key under a tap on the
// keyboard picture, the character a key types, and the search pattern made
// from the pattern box's text.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace quillory {

// The key number (0 for the space bar, 1 to 27 for the letters) at pixel
// x, y of the keyboard picture; nothing off the keys.
std::optional<int> KeyNumberAt(std::int32_t x, std::int32_t y);

// What key `key` types under letter code base `base` (97, 224 or 0x5D0):
// the letter at its place from the base, or a space; nothing for a number
// that is no key.
std::optional<char16_t> KeyCharacter(int key, std::uint32_t base);

// The pattern box's text as a search pattern: a letter of the code base
// becomes its letter code, any other character its low byte; each run of
// spaces becomes one space. At most 33 bytes and the terminating zero.
std::array<std::uint8_t, 34> PatternFromInput(std::u16string_view text, std::uint32_t base);

}  // namespace quillory
