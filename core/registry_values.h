#pragma once
// The program's registry values: the two keys it keeps them under and the
// readers of its values. Every reader opens its key anew, reads, and closes
// it again; none reports a failure, each falls back to its default.

#include <cstdint>
#include <string_view>

namespace quillory {

// Start-up switches and "Israel", set by an administrator or another tool;
// the program only reads them. The names are used as they stand.
constexpr std::string_view kMakerKey = "software\\Orvenda";
// The program's own settings.
constexpr std::string_view kProductKey = "Software\\Orvenda\\Quillory - 32";

// The number stored as value `name` of `key` (under the current user's root),
// or `defaultValue` when the key or value is missing or a number is not 4
// bytes. A value of any other type is read as wide text and taken digit by
// digit as the handheld does: each character up to the terminator adds its
// code less '0' to ten times the result, with no character rejected ("-5"
// reads as 1 * 10 + 5 - 48 = ... wrapped to 32 bits) and no overflow check.
std::uint32_t ReadRegNumber(std::string_view key, std::string_view name, std::uint32_t defaultValue);

}  // namespace quillory
