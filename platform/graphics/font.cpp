#include "platform/graphics/font.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SIZES_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cassert>
#include <cmath>

namespace platform {
namespace {

// One FreeType library for the process, made on first use.
FT_Library Library() {
  struct Holder {
    FT_Library library = nullptr;
    Holder() {
      if (FT_Init_FreeType(&library) != 0) library = nullptr;
    }
    ~Holder() {
      if (library) FT_Done_FreeType(library);
    }
  };
  static Holder holder;
  return holder.library;
}

// A size beyond this is a damaged setting, not a font anyone reads.
constexpr std::int32_t kLargestEm = 400;

// Glyphs are hinted lightly (vertically only): shapes stay true to the face
// at the small sizes of a handheld page while advances stay whole pixels.
constexpr FT_Int32 kLoadFlags = FT_LOAD_DEFAULT | FT_LOAD_TARGET_LIGHT | FT_LOAD_NO_BITMAP;

// Font units to whole pixels, rounded to the nearest.
std::int32_t Scale(std::int64_t units, std::int32_t em, std::int32_t unitsPerEm) {
  return static_cast<std::int32_t>((units * em + unitsPerEm / 2) / unitsPerEm);
}

}  // namespace

struct Font::Face {
  FT_Face face = nullptr;
  FT_Size baseSize = nullptr;  // the size the font measures with; the face frees it
  bool embolden = false;
  ~Face() {
    if (face) FT_Done_Face(face);
  }
};

void Font::CharTable::Set(char16_t c, std::int32_t value) {
  auto& page = pages_[c >> 8];
  if (!page) {
    page = std::make_unique<Page>();
    page->fill(-1);
  }
  (*page)[c & 0xFF] = value;
}

Font::Font(std::unique_ptr<Face> face) : face_(std::move(face)) {}

Font::~Font() { assert(selections == 0 && "a font was destroyed while selected"); }

std::unique_ptr<Font> Font::Open(const FontFile& file, const FontRequest& request) {
  FT_Library library = Library();
  if (!library) return nullptr;
  auto face = std::make_unique<Face>();
  if (FT_New_Face(library, file.path.c_str(), file.index, &face->face) != 0) return nullptr;
  FT_Face ft = face->face;
  if (!FT_IS_SCALABLE(ft) || ft->units_per_EM == 0) return nullptr;
  face->embolden = file.embolden;

  // The Windows metrics of the face decide its cell, as on the handheld;
  // faces without them use the horizontal header.
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(ft, FT_SFNT_OS2));
  const std::int64_t ascender = os2 && os2->usWinAscent ? os2->usWinAscent : ft->ascender;
  const std::int64_t descender = os2 && os2->usWinDescent ? os2->usWinDescent : -ft->descender;
  const std::int64_t cellUnits = std::max<std::int64_t>(1, ascender + descender);
  const std::int32_t unitsPerEm = ft->units_per_EM;

  std::int32_t cellHeight = request.height == 0 ? kDefaultFontHeight : request.height;
  std::int32_t em;
  if (cellHeight > 0) {
    cellHeight = std::min(cellHeight, kLargestEm * 2);
    em = static_cast<std::int32_t>((cellHeight * static_cast<std::int64_t>(unitsPerEm) + cellUnits / 2) / cellUnits);
  } else {
    em = cellHeight == INT32_MIN ? kLargestEm : -cellHeight;
  }
  em = std::clamp(em, 1, kLargestEm);
  if (FT_Set_Pixel_Sizes(ft, 0, static_cast<FT_UInt>(em)) != 0) return nullptr;
  face->baseSize = ft->size;

  std::unique_ptr<Font> font(new Font(std::move(face)));
  font->em_ = em;
  font->request_ = request;
  TextMetrics& m = font->metrics_;
  m.ascent = Scale(ascender, em, unitsPerEm);
  m.descent = Scale(descender, em, unitsPerEm);
  if (cellHeight > 0) m.descent = std::max(0, cellHeight - m.ascent);  // a cell height asked for is given
  m.height = m.ascent + m.descent;
  m.internalLeading = std::max(0, m.height - em);
  const std::int32_t boldExtra = file.embolden ? 1 : 0;
  m.maxCharWidth = Scale(ft->max_advance_width, em, unitsPerEm) + boldExtra;
  m.averageCharWidth = os2 && os2->xAvgCharWidth > 0 ? Scale(os2->xAvgCharWidth, em, unitsPerEm) + boldExtra
                                                     : font->Advance(u'x');
  font->familyName_ = ft->family_name ? ft->family_name : "";
  // FreeType gives the underline's centre (negative below the baseline).
  if (ft->underline_thickness > 0) {
    font->underlineThickness_ = std::max(1, Scale(ft->underline_thickness, em, unitsPerEm));
    const std::int32_t centre = Scale(-static_cast<std::int64_t>(ft->underline_position), em, unitsPerEm);
    font->underlineOffset_ = std::clamp(centre - font->underlineThickness_ / 2, 1, std::max(1, m.descent));
  }
  return font;
}

std::unique_ptr<Font> Font::Fixed(std::int32_t height, std::int32_t advance, std::uint8_t underline,
                                  std::string familyName) {
  std::unique_ptr<Font> font(new Font(nullptr));
  font->fixedAdvance_ = std::max(0, advance);
  font->request_.height = height;
  font->request_.underline = underline;
  TextMetrics& m = font->metrics_;
  m.height = std::max(1, height);
  // In 64 bits: a damaged setting may ask for a cell near the 32-bit limit.
  m.ascent = static_cast<std::int32_t>(std::int64_t{m.height} * 3 / 4);
  m.descent = m.height - m.ascent;
  m.averageCharWidth = m.maxCharWidth = font->fixedAdvance_;
  font->familyName_ = std::move(familyName);
  return font;
}

bool Font::LoadOutline(char16_t c) {
  if (!face_) return false;
  FT_Face ft = face_->face;
  if (FT_Load_Glyph(ft, FT_Get_Char_Index(ft, c), kLoadFlags) != 0) return false;
  if (face_->embolden) FT_GlyphSlot_Embolden(ft->glyph);
  return true;
}

std::int32_t Font::LoadAdvance(char16_t c) {
  if (!face_) {
    advances_.Set(c, fixedAdvance_);
    return fixedAdvance_;
  }
  FT_Activate_Size(face_->baseSize);
  const std::int32_t advance =
      LoadOutline(c) ? static_cast<std::int32_t>((face_->face->glyph->advance.x + 32) >> 6) : 0;
  advances_.Set(c, std::max(0, advance));
  return std::max(0, advance);
}

Font::Raster& Font::RasterAt(DeviceScale scale) {
  for (const auto& raster : rasters_) {
    if (raster->scale == scale) return *raster;
  }
  auto raster = std::make_unique<Raster>();
  raster->scale = scale;
  if (face_) {
    raster->size = face_->baseSize;
    FT_Size size = nullptr;
    // The same em, S times as many pixels: 26.6 points at 72 dots an inch
    // are pixels, and S is a whole number of quarters.
    if (!scale.identity() && FT_New_Size(face_->face, &size) == 0) {
      FT_Activate_Size(size);
      if (FT_Set_Char_Size(face_->face, 0, static_cast<FT_F26Dot6>(em_) * scale.quarters() * 16, 72, 72) == 0) {
        raster->size = size;
      } else {
        FT_Done_Size(size);
      }
    }
  }
  rasters_.push_back(std::move(raster));
  return *rasters_.back();
}

GlyphImage Font::FixedGlyph(char16_t c, DeviceScale scale) const {
  // A solid box one pixel in from each side of the cell above the baseline.
  GlyphImage image;
  if (c == u' ' || fixedAdvance_ <= 2 || metrics_.ascent <= 2) return image;
  image.left = scale.ToDevice(1);
  image.top = scale.ToDevice(metrics_.ascent - 1);
  image.width = scale.ToDevice(fixedAdvance_ - 1) - image.left;
  image.height = image.top - scale.ToDevice(1);
  image.coverage.assign(static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height), 255);
  return image;
}

GlyphImage Font::Render(char16_t c, const Raster& raster) {
  GlyphImage image;
  FT_Activate_Size(raster.size);
  if (!LoadOutline(c) || FT_Render_Glyph(face_->face->glyph, FT_RENDER_MODE_NORMAL) != 0) return image;
  const FT_GlyphSlot slot = face_->face->glyph;
  const FT_Bitmap& bitmap = slot->bitmap;
  if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY) return image;
  image.left = slot->bitmap_left;
  image.top = slot->bitmap_top;
  image.width = static_cast<std::int32_t>(bitmap.width);
  image.height = static_cast<std::int32_t>(bitmap.rows);
  image.coverage.resize(static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height));
  for (std::int32_t row = 0; row < image.height; ++row) {
    const unsigned char* source = bitmap.buffer + static_cast<std::ptrdiff_t>(row) * bitmap.pitch;
    std::copy_n(source, image.width, image.coverage.begin() + static_cast<std::ptrdiff_t>(row) * image.width);
  }
  return image;
}

const GlyphImage& Font::Glyph(char16_t c, DeviceScale scale) {
  Raster& raster = RasterAt(scale);
  const std::int32_t cached = raster.index.Get(c);
  if (cached >= 0) return raster.glyphs[static_cast<std::size_t>(cached)];
  raster.glyphs.push_back(face_ ? Render(c, raster) : FixedGlyph(c, scale));
  raster.index.Set(c, static_cast<std::int32_t>(raster.glyphs.size() - 1));
  return raster.glyphs.back();
}

}  // namespace platform
