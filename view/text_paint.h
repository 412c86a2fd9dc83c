#pragma once
// Painting the text view: the page from the top position down, rules, link
// boxes, labels, the search highlight, and the title banner after a search.

#include <cstdint>

#include "view/text_view.h"

namespace quillory {

// Paints the page at the top position; with `erase` the text area is first
// filled white. -1 without a view, text or table; else the highlight pass's
// result when a highlight is set, else 0. Rebuilds the link table and
// counts the units drawn (the next page step).
int PaintTextView(TextView* view, bool erase);

// Draws the part of one run (`count` bytes at text offset `runStart`, drawn
// at x, y) that lies inside the view's highlight, blue on yellow. The
// caller has set the run base and selected the line's font.
void PaintHighlightRun(TextView* view, std::uint16_t runStart, std::int32_t count, std::int32_t x, std::int32_t y);

// The article's title and subtitle in a framed box at the bottom of the
// text area, over what is painted; the next paint removes it.
void DrawSearchBanner(TextView* view);

}  // namespace quillory
