#pragma once
// Painting the text view: the page from the top position down, rules, link
// boxes, labels, the search highlight and the reader's selection, and the
// title banner after a search. Colours come from the current palette
// (view/palette.h).

#include <cstdint>
#include <functional>

#include "view/text_view.h"

namespace quillory {

// Paints the page at the top position; with `erase` the text area is first
// filled with the page colour. -1 without a view, text or table; else the
// highlight pass's result when a highlight is set, else 0. Rebuilds the link
// table and counts the units drawn (the next page step).
int PaintTextView(TextView* view, bool erase);

// Whether a search highlight is set (0, 0 is none).
bool HasHighlight(const TextView& view);

// Paints again, over what the last paint left, only the rows of the shown
// lines for which `changed` holds (with their highlight and selection), and
// the link boxes that cross those rows. For marks that change on a page
// that stays (a selection being dragged); a page under the search banner is
// painted whole, which removes the banner.
void RepaintLines(TextView* view, const std::function<bool(const LineRecord&)>& changed);

// Draws the part of one run (`count` bytes at text offset `runStart`, drawn
// at x, y) that lies inside the view's highlight, in the palette's marking
// colours. The caller has set the run base and selected the line's font.
void PaintHighlightRun(TextView* view, std::uint16_t runStart, std::int32_t count, std::int32_t x, std::int32_t y);

// Selects the font a line is drawn in (a link line's is the small font of
// its Hebrew bit), with its colour when `withColour`; the font it replaced.
platform::Font* SelectLineFont(TextView* view, const LineRecord& line, bool withColour);

// The article's title and subtitle in a framed box at the bottom of the
// text area, over what is painted; the next paint removes it.
void DrawSearchBanner(TextView* view);

}  // namespace quillory
