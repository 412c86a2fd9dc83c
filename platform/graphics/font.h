#pragma once
// Fonts: a face file from the font catalog, scaled the way the handheld
// scales a logical font, with FreeType doing the glyph work.
//
// Measuring happens for every line of every layout and paint, and FreeType
// costs about a microsecond per glyph, so each font keeps the advance and the
// rendered coverage of every character it has seen; after the first use a
// character costs a table lookup.
//
// A font measures in the program's pixels, at the size it was asked for.
// For a screen of another density it renders its glyphs at that density
// too (S times the size, a size of its own in the same face), kept apart
// per scale, so that text on a dense screen is rasterized, never enlarged.

#include <array>
#include <deque>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/graphics/device_scale.h"

struct FT_SizeRec_;  // FreeType's size object, which the font keeps per scale

namespace platform {

// The handheld's logical font. The reader fills in the height, the weight
// and the face name and leaves everything else 0; the other fields are kept
// for the shape of the record and do not change the result.
struct FontRequest {
  std::int32_t height = 0;  // >0 cell height, <0 character (em) height, 0 the default
  std::int32_t width = 0;
  std::int32_t escapement = 0;
  std::int32_t orientation = 0;
  std::int32_t weight = 0;  // 400 regular, 700 bold; 0 means regular
  std::uint8_t italic = 0;
  std::uint8_t underline = 0;
  std::uint8_t strikeOut = 0;
  std::uint8_t charSet = 0;
  std::uint8_t outPrecision = 0;
  std::uint8_t clipPrecision = 0;
  std::uint8_t quality = 0;
  std::uint8_t pitchAndFamily = 0;
  std::array<char16_t, 32> faceName{};  // zero-terminated; empty = the default face
};

// The cell height of a font asked for with height 0.
constexpr std::int32_t kDefaultFontHeight = 16;

struct TextMetrics {
  std::int32_t height = 0;  // cell height: ascent + descent
  std::int32_t ascent = 0;
  std::int32_t descent = 0;
  std::int32_t internalLeading = 0;  // cell height less the em height
  std::int32_t averageCharWidth = 0;
  std::int32_t maxCharWidth = 0;  // the widest character
};

// Where a face lives on disk, as the font catalog found it.
struct FontFile {
  std::string path;
  std::int32_t index = 0;   // face within a collection
  bool embolden = false;    // bold was asked of a face that has no bold
};

// Coverage of one rendered character: 0 transparent to 255 solid. In the
// pixels of the scale it was rendered at.
struct GlyphImage {
  std::int32_t left = 0;  // from the pen position to the first column
  std::int32_t top = 0;   // from the baseline up to the first row
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::vector<std::uint8_t> coverage;  // width × height, rows top to bottom
};

class Font {
 public:
  // Opens `file` at the size `request` asks for. Null when the file cannot be
  // read as a scalable face.
  static std::unique_ptr<Font> Open(const FontFile& file, const FontRequest& request);
  // A font without a face, for results in exact pixels: every character is
  // `advance` pixels wide and drawn as a solid box (a space as nothing), in
  // a cell `height` pixels high, underlined when `underline` is not 0. It
  // reports `familyName` as its family.
  static std::unique_ptr<Font> Fixed(std::int32_t height, std::int32_t advance, std::uint8_t underline = 0,
                                     std::string familyName = "Fixed");
  ~Font();
  Font(const Font&) = delete;
  Font& operator=(const Font&) = delete;

  const TextMetrics& metrics() const { return metrics_; }
  // The logical font it was made from, as the handheld describes a font
  // object back to its caller.
  const FontRequest& request() const { return request_; }
  // The family name the face reports (UTF-8).
  const std::string& familyName() const { return familyName_; }
  // Where an underline goes: its top, in pixels below the baseline (at
  // least 1), and its thickness (at least 1), as the face places it.
  std::int32_t underlineOffset() const { return underlineOffset_; }
  std::int32_t underlineThickness() const { return underlineThickness_; }

  // The advance of a character in whole pixels.
  std::int32_t Advance(char16_t c) {
    const std::int32_t cached = advances_.Get(c);
    return cached >= 0 ? cached : LoadAdvance(c);
  }
  // The character rendered for a screen of `scale`; valid until the font is
  // destroyed.
  const GlyphImage& Glyph(char16_t c, DeviceScale scale = DeviceScale{});

  // How many device contexts hold this font selected; a font must not be
  // destroyed while it is selected.
  int selections = 0;

 private:
  // A table of one value per 16-bit character, in pages made on first use;
  // -1 marks a character not yet seen.
  class CharTable {
   public:
    std::int32_t Get(char16_t c) const {
      const auto& page = pages_[c >> 8];
      return page ? (*page)[c & 0xFF] : -1;
    }
    void Set(char16_t c, std::int32_t value);

   private:
    using Page = std::array<std::int32_t, 256>;
    std::array<std::unique_ptr<Page>, 256> pages_;
  };

  struct Face;
  // The glyphs rendered for one scale.
  struct Raster {
    DeviceScale scale;
    FT_SizeRec_* size = nullptr;     // the face's size object for this scale
    CharTable index;                 // into glyphs
    std::deque<GlyphImage> glyphs;   // a deque: references stay valid as it grows
  };
  explicit Font(std::unique_ptr<Face> face);
  std::int32_t LoadAdvance(char16_t c);
  // Loads a character's outline into the face's slot at the size active
  // now; false when FreeType fails.
  bool LoadOutline(char16_t c);
  Raster& RasterAt(DeviceScale scale);
  GlyphImage Render(char16_t c, const Raster& raster);
  GlyphImage FixedGlyph(char16_t c, DeviceScale scale) const;

  std::unique_ptr<Face> face_;  // null for a fixed font
  std::int32_t em_ = 0;         // the em in pixels, at scale 1
  std::int32_t fixedAdvance_ = 0;
  TextMetrics metrics_;
  FontRequest request_;
  std::string familyName_;
  std::int32_t underlineOffset_ = 1;
  std::int32_t underlineThickness_ = 1;
  CharTable advances_;
  std::vector<std::unique_ptr<Raster>> rasters_;  // the scales seen, in the order first seen
};

}  // namespace platform
