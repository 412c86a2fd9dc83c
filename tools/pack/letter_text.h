#pragma once
// Between the authoring sources' Unicode text and the stored strings.
//
// A Hebrew string is stored in visual order (left to right as the one long
// line appears on screen) in the one-byte letter code: alef..tav are
// 0x61..0x7B in Unicode order (each final form just before its regular
// form), 0x7E stands for "{", every other byte is itself. A plain string is
// printable ASCII, stored as it is.

#include <optional>
#include <string>
#include <string_view>

namespace quillory::pack {

struct TextError {
  std::size_t column = 0;  // 1-based, in characters of the logical text
  std::string reason;
};

// Logical-order Unicode → stored visual letter code. Drops niqqud and
// cantillation marks, turns maqaf into "-", geresh into "'", gershayim into
// '"'; refuses any character the letter code cannot carry.
std::optional<std::string> StoreHebrew(std::u32string_view logical, TextError& error);
// Printable ASCII only.
std::optional<std::string> StorePlain(std::u32string_view text, TextError& error);

// Stored visual letter code → logical-order Unicode, for reading a volume back.
std::u32string ReadHebrew(std::string_view stored);
std::u32string ReadPlain(std::string_view stored);

// "U+05D0" style name of a character, for messages.
std::string CharacterName(char32_t c);

}  // namespace quillory::pack
