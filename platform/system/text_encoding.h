#pragma once
// Conversions between the UTF-16 text of the handheld's calls and the UTF-8
// of Linux libraries and files. Malformed input never fails: each bad
// sequence becomes U+FFFD, so damaged text stays readable, and nothing
// reads past the input.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

std::string Utf16ToUtf8(std::u16string_view text);
std::u16string Utf8ToUtf16(std::string_view text);

// The handheld's wide text as stored bytes: UTF-16 little-endian, two
// bytes a unit. Appends `utf8` to `out`.
void AppendUtf16LeFromUtf8(std::string_view utf8, std::vector<std::uint8_t>& out);
// Decodes UTF-16LE bytes; an odd last byte is ignored.
std::string Utf8FromUtf16Le(std::span<const std::uint8_t> bytes);

// The text up to its first zero character (or all of it when there is none).
std::u16string_view UntilZero(std::u16string_view text);

}  // namespace platform
