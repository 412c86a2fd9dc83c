#pragma once
// The program's registry values: the two keys it keeps them under, and the
// readers and writers of its values. Every call opens its key anew and
// closes it again before it returns; none reports a failure to the user.
// Readers fall back to their default (or nothing); writers create the
// product key when it is missing and return whether the value was stored.

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

#include "platform/system/memory.h"

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

// ReadRegNumber on the product key.
std::uint32_t ReadSetting(std::string_view name, std::uint32_t defaultValue);

// A block of wide text on the platform heap, owned by the caller.
using WideTextBlock = std::unique_ptr<char16_t[], platform::HeapDeleter>;

// The product key's value `name` as wide text: its stored bytes taken as
// UTF-16LE units whatever its type (an odd last byte is no unit), up to the
// first zero unit or the end of the data, and then a zero unit. Null when
// the value is missing, or when memory ran out (AllocOrStop has then
// stopped the program).
WideTextBlock ReadRegText(std::string_view name);

// The product key's value `name` as its stored bytes; the block's length
// is their count. Empty when the value is missing or memory ran out (as
// above).
platform::HeapBlock ReadRegBytes(std::string_view name);

// Values of the product key, stored with the types the handheld gives
// them: a 32-bit number; text up to its first zero, with a terminator,
// (length + 1) * 2 bytes; raw bytes.
bool WriteRegNumber(std::string_view name, std::uint32_t value);
bool WriteRegText(std::string_view name, std::u16string_view text);
bool WriteRegBytes(std::string_view name, std::span<const std::uint8_t> bytes);

}  // namespace quillory
