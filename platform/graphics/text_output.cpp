// Text measuring and drawing of DeviceContext.

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "platform/graphics/device_context.h"

namespace platform {
namespace {

constexpr std::size_t kNoUnderline = std::u16string::npos;

// Mixes `ink` over `paper` by `coverage` (0 to 255), channel by channel.
Pixel Blend(Pixel paper, Pixel ink, unsigned coverage) {
  if (coverage == 255) return ink;
  Pixel result = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const unsigned p = (paper >> shift) & 0xFF;
    const unsigned i = (ink >> shift) & 0xFF;
    result |= static_cast<Pixel>((i * coverage + p * (255 - coverage) + 127) / 255) << shift;
  }
  return result;
}

// Without kDtNoPrefix an '&' is not drawn and underlines the character after
// it; "&&" draws one '&'.
std::u16string StripPrefixes(std::u16string_view text, std::size_t& underlined) {
  std::u16string shown;
  underlined = kNoUnderline;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'&' && i + 1 < text.size()) {
      ++i;
      if (text[i] != u'&') underlined = shown.size();
    }
    shown += text[i];
  }
  return shown;
}

struct TextLine {
  std::u16string_view text;
  std::size_t start = 0;  // within the whole text, to place the underline
};

// The blends of one ink over one paper colour, for every coverage: text is
// nearly always drawn over its cell's own background, and a lookup costs
// far less than blending three channels. Other backgrounds (where glyphs
// overlap) are blended as they come.
class BlendTable {
 public:
  const std::array<Pixel, 256>& For(Pixel paper, Pixel ink) {
    if (!valid_ || paper != paper_ || ink != ink_) {
      for (unsigned c = 0; c < 256; ++c) table_[c] = Blend(paper, ink, c);
      paper_ = paper;
      ink_ = ink;
      valid_ = true;
    }
    return table_;
  }

 private:
  std::array<Pixel, 256> table_{};
  Pixel paper_ = 0;
  Pixel ink_ = 0;
  bool valid_ = false;
};

}  // namespace

Size DeviceContext::GetTextExtent(std::u16string_view text) const {
  if (!font_) return Size{};
  std::int32_t width = 0;
  for (char16_t c : text) width += font_->Advance(c);
  return Size{width, font_->metrics().height};
}

TextFit DeviceContext::GetTextExtentExPoint(std::u16string_view text, std::int32_t maxExtent) const {
  TextFit result;
  if (!font_) return result;
  for (char16_t c : text) {
    const std::int32_t next = result.width + font_->Advance(c);
    if (next > maxExtent) break;
    result.width = next;
    ++result.fit;
  }
  return result;
}

TextMetrics DeviceContext::GetTextMetrics() const { return font_ ? font_->metrics() : TextMetrics{}; }

void DeviceContext::BlendGlyph(const GlyphImage& glyph, std::int32_t penX, std::int32_t baseline, const Rect& clip) {
  const Pixel ink = ToPixel(textColor_);
  const Pixel paper = ToPixel(bkColor_);
  static BlendTable tables;
  const std::array<Pixel, 256>& over = tables.For(paper, ink);
  const std::int32_t left = penX + glyph.left;
  const std::int32_t top = baseline - glyph.top;
  const std::int32_t fromRow = std::max(0, clip.top - top);
  const std::int32_t toRow = std::min(glyph.height, clip.bottom - top);
  const std::int32_t fromColumn = std::max(0, clip.left - left);
  const std::int32_t toColumn = std::min(glyph.width, clip.right - left);
  if (fromRow >= toRow || fromColumn >= toColumn) return;
  for (std::int32_t row = fromRow; row < toRow; ++row) {
    const std::uint8_t* coverage = glyph.coverage.data() + static_cast<std::ptrdiff_t>(row) * glyph.width;
    Pixel* pixels = target_->row(top + row).data() + left;
    for (std::int32_t column = fromColumn; column < toColumn; ++column) {
      const unsigned c = coverage[column];
      if (c == 0) continue;
      Pixel& pixel = pixels[column];
      pixel = pixel == paper ? over[c] : Blend(pixel, ink, c);
    }
  }
  target_->NoteChanged(Rect{left + fromColumn, top + fromRow, left + toColumn, top + toRow});
}

void DeviceContext::DrawLine(std::u16string_view text, std::int32_t x, std::int32_t y, const Rect& clip,
                             std::size_t underlined) {
  // Laid out in the program's pixels, with the font's own advances, so that
  // the line takes on the screen exactly the room it measured; each glyph
  // is rasterized at the screen's resolution and placed at its pen position.
  const DeviceScale scale = Scale();
  const TextMetrics& metrics = font_->metrics();
  const std::int32_t width = GetTextExtent(text).cx;
  const Rect cell = Intersect(ToDevice(Rect{x, y, x + width, y + metrics.height}), clip);
  if (bkMode_ == BackgroundMode::kOpaque) target_->Fill(cell, ToPixel(bkColor_));
  const std::int32_t baseline = y + metrics.ascent;
  const std::int32_t deviceBaseline = scale.ToDevice(baseline + origin_.y);
  // The stroke under the characters from `left` to `right`, in the text colour.
  const auto underline = [&](std::int32_t left, std::int32_t right) {
    const std::int32_t top = baseline + font_->underlineOffset();
    target_->Fill(Intersect(ToDevice(Rect{left, top, right, top + font_->underlineThickness()}), clip),
                  ToPixel(textColor_));
  };
  std::int32_t penX = x;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::int32_t advance = font_->Advance(text[i]);
    BlendGlyph(font_->Glyph(text[i], scale), scale.ToDevice(penX + origin_.x), deviceBaseline, clip);
    if (i == underlined) underline(penX, penX + advance);
    penX += advance;
  }
  // An underlined font underlines the whole line, spaces included.
  if (font_->request().underline != 0) underline(x, x + width);
}

namespace {

// The lines of a text: one for a single line, else split at line feeds
// (carriage returns are dropped) and, with kDtWordBreak, wrapped at spaces
// to `width`. A word wider than the width (a web address, say) is broken
// where the line is full, so that none of it is cut off.
std::vector<TextLine> SplitLines(std::u16string_view text, std::uint32_t format, std::int32_t width,
                                 const DeviceContext& context) {
  std::vector<TextLine> lines;
  if (format & kDtSingleLine) {
    lines.push_back(TextLine{text, 0});
    return lines;
  }
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find(u'\n', start);
    if (end == std::u16string_view::npos) end = text.size();
    std::size_t lineEnd = end;
    if (lineEnd > start && text[lineEnd - 1] == u'\r') --lineEnd;
    std::size_t from = start;
    while (format & kDtWordBreak && from < lineEnd &&
           context.GetTextExtent(text.substr(from, lineEnd - from)).cx > width) {
      const TextFit fit = context.GetTextExtentExPoint(text.substr(from, lineEnd - from), width);
      const std::size_t cut = text.rfind(u' ', from + static_cast<std::size_t>(fit.fit));
      if (cut == std::u16string_view::npos || cut <= from) {
        const auto fitting = static_cast<std::size_t>(std::max(fit.fit, 1));
        lines.push_back(TextLine{text.substr(from, fitting), from});
        from += fitting;
        continue;
      }
      lines.push_back(TextLine{text.substr(from, cut - from), from});
      from = cut + 1;
    }
    lines.push_back(TextLine{text.substr(from, lineEnd - from), from});
    if (end == text.size()) break;
    start = end + 1;
  }
  return lines;
}

}  // namespace

std::int32_t DeviceContext::DrawText(std::u16string_view text, const Rect& rect, std::uint32_t format) {
  if (!font_ || !target_) return 0;
  std::size_t underlined = kNoUnderline;
  const std::u16string shown = format & kDtNoPrefix ? std::u16string(text) : StripPrefixes(text, underlined);
  const std::vector<TextLine> lines = SplitLines(shown, format, rect.width(), *this);
  const std::int32_t lineHeight = font_->metrics().height;
  const std::int32_t textHeight = lineHeight * static_cast<std::int32_t>(lines.size());

  std::int32_t y = rect.top;
  if (format & kDtSingleLine) {
    if (format & kDtVCenter) y = rect.top + (rect.height() - lineHeight) / 2;
    if (format & kDtBottom) y = rect.bottom - lineHeight;
  }
  const Rect clip = format & kDtNoClip ? DeviceClip() : Intersect(ToDevice(rect), DeviceClip());
  for (const TextLine& line : lines) {
    const std::int32_t width = GetTextExtent(line.text).cx;
    std::int32_t x = rect.left;
    if (format & kDtCenter) x = rect.left + (rect.width() - width) / 2;
    if (format & kDtRight) x = rect.right - width;
    const bool hasUnderline = underlined != kNoUnderline && underlined >= line.start &&
                              underlined < line.start + line.text.size();
    DrawLine(line.text, x, y, clip, hasUnderline ? underlined - line.start : kNoUnderline);
    y += lineHeight;
  }
  return textHeight;
}

Rect DeviceContext::MeasureText(std::u16string_view text, const Rect& rect, std::uint32_t format) const {
  if (!font_) return Rect{rect.left, rect.top, rect.left, rect.top};
  std::size_t underlined = kNoUnderline;
  const std::u16string shown = format & kDtNoPrefix ? std::u16string(text) : StripPrefixes(text, underlined);
  std::int32_t widest = 0;
  const std::vector<TextLine> lines = SplitLines(shown, format, rect.width(), *this);
  for (const TextLine& line : lines) widest = std::max(widest, GetTextExtent(line.text).cx);
  return Rect{rect.left, rect.top, rect.left + widest,
              rect.top + font_->metrics().height * static_cast<std::int32_t>(lines.size())};
}

}  // namespace platform
