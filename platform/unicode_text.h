#pragma once
// Conversions between UTF-8 (files, the rest of Linux) and UTF-16
// little-endian (the handheld's wide text). Malformed input never fails:
// each bad sequence becomes U+FFFD, so damaged text stays readable.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Appends `utf8` to `out` as UTF-16LE code units, two bytes each.
void AppendUtf16LeFromUtf8(std::string_view utf8, std::vector<std::uint8_t>& out);

// Decodes UTF-16LE bytes; an odd last byte is ignored.
std::string Utf8FromUtf16Le(std::span<const std::uint8_t> bytes);

}  // namespace platform
