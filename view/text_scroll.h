#pragma once
// Moving the reading position, and finding what a tap hits.

#include <cstdint>
#include <optional>

#include "view/text_view.h"

namespace quillory {

// Moves the top position by `delta` units. With `clamp` (or when the step
// would pass the article's end) a forward step from the maximum top
// position or beyond does nothing, and one past the end lands on the
// maximum. -1 without a view; 1 when nothing changed; the paint's result
// when redrawn (redraw mode not 0); 3 when moved and redraw mode is 0.
int ScrollTextView(TextView* view, int delta, int redrawMode, bool clamp);

// Puts the line that holds text offset `offset` (in its body or in its
// label) at the top, not beyond the maximum top position. 1 when a line
// holds it, else 0 and nothing changes.
int ShowOffsetAtTop(TextView* view, std::uint16_t offset);

// The place at the top of the page as a text offset, which outlives a new
// layout (another font or width), where a top position in display units
// does not: the first byte read on the first line of text shown there.
// Nothing when no text is shown.
std::optional<std::uint16_t> TopPlace(TextView* view);
// Puts the line that holds the byte at `place` at the top (not beyond the
// maximum top position); false, changing nothing, when no line holds it.
bool ShowPlaceAtTop(TextView* view, std::uint16_t place);

// The number of the link drawn at x, y by the last paint, or 0. A link is
// hit up to 10 pixels beside its text, 2 above and 3 below its row.
std::uint16_t HitTestLink(const TextView* view, std::int32_t x, std::int32_t y);

}  // namespace quillory
