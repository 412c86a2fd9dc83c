#pragma once
// The lines of an edit box: a single-line box has one; a multi-line box
// breaks its text at line feeds ("\r\n", "\n" or a lone "\r") and wraps it
// at the last space that fits the width (the space stays at the end of its
// line), or inside a word wider than the width. Nothing outside platform/
// includes this.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/graphics/font.h"

namespace platform {

struct EditLine {
  std::size_t start = 0;  // the first character
  std::size_t end = 0;    // after the last character shown (a line break is not shown)
};

std::vector<EditLine> BreakEditLines(std::u16string_view text, Font& font, std::int32_t width, bool multiLine);
// The line that holds the caret at `index`: the last line starting at or before it.
std::size_t LineOfIndex(const std::vector<EditLine>& lines, std::size_t index);
std::int32_t TextWidth(Font& font, std::u16string_view text);
// The character boundary of `text` nearest to `x` pixels from its start.
std::size_t NearestBoundary(Font& font, std::u16string_view text, std::int32_t x);

}  // namespace platform
