#pragma once
// Conversions between the UTF-16 text of the handheld's calls and the UTF-8
// of Linux libraries and files. Malformed input becomes U+FFFD; nothing is
// dropped silently and nothing reads past the input.

#include <string>
#include <string_view>

namespace platform {

std::string Utf16ToUtf8(std::u16string_view text);
std::u16string Utf8ToUtf16(std::string_view text);

// The text up to its first zero character (or all of it when there is none).
std::u16string_view UntilZero(std::u16string_view text);

}  // namespace platform
