#pragma once
// The stored article text, as far as its bytes carry meaning of their own.
// An article is a run of records ended by a zero byte; a record is
//
//   byte 0   style (never 0)
//   byte 1   layout: bits 0-5 indent in pixels, bits 6-7 label class
//   byte 2.. the string, ended by a zero byte
//
// Special records (size class 7) are empty (layout 0, three bytes in all),
// rules (layout = the length code, empty string) or links (a number of one
// or two bytes before the string). Everything here is plain arithmetic on
// those bytes, shared by the reader and the volume compiler.

#include <algorithm>
#include <cstdint>

namespace quillory {

// Bits of the style byte.
constexpr std::uint8_t kSizeClassMask = 0x07;
constexpr std::uint8_t kSpecialStyle = 0x07;  // size class of rules, links, empty records
constexpr std::uint8_t kSmallBit = 0x02;
constexpr std::uint8_t kLargeBit = 0x04;  // wins over small
constexpr std::uint8_t kBoldBit = 0x08;
constexpr std::uint8_t kHebrewBit = 0x10;  // letter code in visual order
constexpr std::uint8_t kStyleKeyMask = 0x1F;  // what chooses the font
constexpr std::uint8_t kAlignMask = 0x60;
constexpr std::uint8_t kAlignRight = 0x20;
constexpr std::uint8_t kAlignCentre = 0x40;
constexpr std::uint8_t kBlankAfterBit = 0x80;  // a blank line follows the paragraph

// Bits of the layout byte.
constexpr std::uint8_t kIndentMask = 0x3F;
constexpr int kLabelClassShift = 6;

// The link that leads back to where the reader followed a link from.
constexpr std::uint16_t kBackLinkNumber = 0x3FFF;

constexpr bool IsSpecialStyle(std::uint8_t style) { return (style & kSizeClassMask) == kSpecialStyle; }

struct LinkNumber {
  std::uint16_t number = 0;
  std::uint8_t length = 1;  // bytes the number takes
};

// A link's number from its first byte and the byte after it: seven bits,
// or fourteen when the second byte has its top bit set.
constexpr LinkNumber DecodeLinkNumber(std::uint8_t first, std::uint8_t second) {
  if (second & 0x80) {
    return LinkNumber{static_cast<std::uint16_t>((first & 0x7F) + 128 * (second & 0x7F)), 2};
  }
  return LinkNumber{static_cast<std::uint16_t>(first & 0x7F), 1};
}

// A rule's length in pixels for its layout byte: up to 160 the length
// itself, above it (code − 160) × 2 percent of the view width; never wider
// than the view.
constexpr std::int32_t RuleLength(std::uint8_t code, std::int32_t viewWidth) {
  const std::int32_t length = code <= 160 ? code : (code - 160) * 2 * viewWidth / 100;
  return std::min(length, viewWidth);
}

}  // namespace quillory
