#include "platform/controls/edit_layout.h"

namespace platform {
namespace {

// Appends the wrapped lines of one paragraph [start, end) of `text`.
void WrapParagraph(std::u16string_view text, std::size_t start, std::size_t end, Font& font, std::int32_t width,
                   std::vector<EditLine>& lines) {
  while (true) {
    std::int32_t used = 0;
    std::size_t at = start;
    std::size_t lastSpace = std::u16string_view::npos;
    while (at < end) {
      const std::int32_t advance = font.Advance(text[at]);
      if (used + advance > width && at > start && text[at] != u' ') break;
      if (text[at] == u' ') lastSpace = at;
      used += advance;
      ++at;
    }
    if (at >= end) {
      lines.push_back(EditLine{start, end});
      return;
    }
    const std::size_t cut = lastSpace != std::u16string_view::npos ? lastSpace + 1 : at;
    lines.push_back(EditLine{start, cut});
    start = cut;
  }
}

}  // namespace

std::vector<EditLine> BreakEditLines(std::u16string_view text, Font& font, std::int32_t width, bool multiLine) {
  std::vector<EditLine> lines;
  if (!multiLine) {
    lines.push_back(EditLine{0, text.size()});
    return lines;
  }
  std::size_t start = 0;
  while (true) {
    std::size_t end = start;
    while (end < text.size() && text[end] != u'\r' && text[end] != u'\n') ++end;
    WrapParagraph(text, start, end, font, width, lines);
    if (end >= text.size()) return lines;
    start = end + (text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n' ? 2 : 1);
  }
}

std::size_t LineOfIndex(const std::vector<EditLine>& lines, std::size_t index) {
  std::size_t line = 0;
  for (std::size_t i = 0; i < lines.size() && lines[i].start <= index; ++i) line = i;
  return line;
}

std::int32_t TextWidth(Font& font, std::u16string_view text) {
  std::int32_t width = 0;
  for (const char16_t c : text) width += font.Advance(c);
  return width;
}

std::size_t NearestBoundary(Font& font, std::u16string_view text, std::int32_t x) {
  std::int32_t left = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::int32_t advance = font.Advance(text[i]);
    if (x < left + (advance + 1) / 2) return i;
    left += advance;
  }
  return text.size();
}

}  // namespace platform
