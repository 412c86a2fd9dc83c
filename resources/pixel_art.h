#pragma once
// Pictures drawn as text in the source, one character per pixel, and turned
// into bitmap bytes at compile time, so no binary file is checked in and a
// picture is edited where it is read.
//
// Colour pictures name one of the sixteen classic colours with each
// character, which are also the palette of every colour picture (lower case
// dark, upper case bright):
//
//   #  black        b  navy         +  grey         B  blue
//   r  dark red     m  purple       R  red          M  magenta
//   g  dark green   c  teal         G  green        C  cyan
//   y  olive        .  silver       Y  yellow       W  white
//
// One-bit pictures know two: '#' black and '.' white. Drawn, black takes
// the text colour of the device context and white its background colour;
// '.' is the background in both kinds of picture, as silver too shows as
// white in one bit.
//
// The bytes are a device-independent bitmap as platform/graphics/bitmap.h
// reads it: a 40-byte header (width, positive height, 1 plane, 4 or 1 bits
// per pixel, no compression, image size, all colours used), the palette as
// blue, green, red, 0, then the rows bottom row first, packed with the
// leftmost pixel in the high bits of a byte, each row padded to 4 bytes.

#include <array>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string_view>

#include "resources/little_endian_bytes.h"

namespace quillory {

struct PaletteColour {
  char name;
  std::uint8_t red;
  std::uint8_t green;
  std::uint8_t blue;
};

constexpr std::array<PaletteColour, 16> kClassicPalette = {{
    {'#', 0, 0, 0},
    {'r', 128, 0, 0},
    {'g', 0, 128, 0},
    {'y', 128, 128, 0},
    {'b', 0, 0, 128},
    {'m', 128, 0, 128},
    {'c', 0, 128, 128},
    {'.', 192, 192, 192},
    {'+', 128, 128, 128},
    {'R', 255, 0, 0},
    {'G', 0, 255, 0},
    {'Y', 255, 255, 0},
    {'B', 0, 0, 255},
    {'M', 255, 0, 255},
    {'C', 0, 255, 255},
    {'W', 255, 255, 255},
}};

constexpr std::array<PaletteColour, 2> kMonochromePalette = {{
    {'#', 0, 0, 0},
    {'.', 255, 255, 255},
}};

// kHeight rows of exactly kWidth palette characters, top row first.
template <std::size_t kWidth, std::size_t kHeight>
struct PixelArt {
  std::array<std::string_view, kHeight> rows;
};

constexpr std::size_t kDibHeaderSize = 40;

// A palette of 2^n colours packs n bits a pixel.
constexpr std::size_t BitsPerPixel(std::size_t colours) { return colours == 2 ? 1 : 4; }
constexpr std::size_t DibRowSize(std::size_t width, std::size_t bits) { return (width * bits + 31) / 32 * 4; }
constexpr std::size_t DibSize(std::size_t width, std::size_t height, std::size_t colours) {
  return kDibHeaderSize + 4 * colours + DibRowSize(width, BitsPerPixel(colours)) * height;
}

template <std::size_t kColours>
constexpr std::uint8_t PaletteIndex(const std::array<PaletteColour, kColours>& palette, char name) {
  for (std::size_t i = 0; i < kColours; ++i) {
    if (palette[i].name == name) return static_cast<std::uint8_t>(i);
  }
  throw std::invalid_argument("a picture uses a character that names no colour of its palette");
}

// One bitmap of `pictures` laid side by side, left to right, in the colours
// of `palette`: a toolbar strip, or a single picture.
template <std::size_t kColours, std::size_t kWidth, std::size_t kHeight, std::size_t kCount>
constexpr std::array<std::uint8_t, DibSize(kWidth * kCount, kHeight, kColours)> PaletteDib(
    const std::array<PaletteColour, kColours>& palette, const std::array<PixelArt<kWidth, kHeight>, kCount>& pictures) {
  constexpr std::size_t kBits = BitsPerPixel(kColours);
  constexpr std::size_t kStripWidth = kWidth * kCount;
  constexpr std::size_t kRowSize = DibRowSize(kStripWidth, kBits);
  LittleEndianBytes<DibSize(kStripWidth, kHeight, kColours)> out;
  out.DoubleWord(static_cast<std::uint32_t>(kDibHeaderSize));
  out.DoubleWord(static_cast<std::uint32_t>(kStripWidth));
  out.DoubleWord(static_cast<std::uint32_t>(kHeight));
  out.Word(1);
  out.Word(static_cast<std::uint16_t>(kBits));
  out.DoubleWord(0);
  out.DoubleWord(static_cast<std::uint32_t>(kRowSize * kHeight));
  out.DoubleWord(0);
  out.DoubleWord(0);
  out.DoubleWord(static_cast<std::uint32_t>(kColours));
  out.DoubleWord(0);
  for (const PaletteColour& colour : palette) {
    out.Byte(colour.blue);
    out.Byte(colour.green);
    out.Byte(colour.red);
    out.Byte(0);
  }
  for (std::size_t y = kHeight; y-- > 0;) {
    std::array<std::uint8_t, kRowSize> row{};
    for (std::size_t picture = 0; picture < kCount; ++picture) {
      const std::string_view text = pictures[picture].rows[y];
      if (text.size() != kWidth) throw std::invalid_argument("a picture row has the wrong width");
      for (std::size_t x = 0; x < kWidth; ++x) {
        const std::size_t bit = (picture * kWidth + x) * kBits;
        const std::size_t shift = 8 - kBits - bit % 8;
        row[bit / 8] = static_cast<std::uint8_t>(row[bit / 8] | PaletteIndex(palette, text[x]) << shift);
      }
    }
    for (const std::uint8_t byte : row) out.Byte(byte);
  }
  return out.Finished();
}

template <std::size_t kWidth, std::size_t kHeight, std::size_t kCount>
constexpr auto PixelArtDib(const std::array<PixelArt<kWidth, kHeight>, kCount>& pictures) {
  return PaletteDib(kClassicPalette, pictures);
}

template <std::size_t kWidth, std::size_t kHeight, std::size_t kCount>
constexpr auto MonochromeDib(const std::array<PixelArt<kWidth, kHeight>, kCount>& pictures) {
  return PaletteDib(kMonochromePalette, pictures);
}

}  // namespace quillory
