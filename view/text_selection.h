#pragma once
// The reader's selection in the text view: a passage from the place where
// it was started (the anchor) to the place it reaches (the focus), marked
// as a search match is, kept across scrolling and new layouts of the same
// text.
//
// A reading place is a text offset: for a record whose string of n bytes
// starts at offset s, s + k is the place after the first k bytes read
// (k from 0 to n). Hebrew strings read from their last stored byte down,
// except their numbers and Latin words (view/reading_order.h); every other
// string reads from its first byte. So places grow in reading order through
// the whole article, and a passage is every byte read between two places.

#include <cstdint>
#include <optional>

#include "view/article_records.h"
#include "view/text_view.h"

namespace quillory {

struct PlaceSpan {
  std::uint16_t start = 0;  // end exclusive
  std::uint16_t end = 0;
  bool empty() const { return start >= end; }
};

// The selected places in reading order; empty when nothing is selected.
PlaceSpan SelectedSpan(const TextView& view);
bool HasSelection(const TextView& view);

// What lies at a point of the page as last painted (window pixels of the
// view's context, as taps and drags come): the line nearest to it in
// height, and on that line the nearest character.
struct PagePoint {
  std::uint16_t place = 0;      // the place between characters nearest the point: where a drag reaches
  std::uint16_t character = 0;  // the place just before the character at (or nearest to) the point
  PlaceSpan paragraph;          // the places of the record the line shows (a link's caption)
};
// Nothing when no line is shown.
std::optional<PagePoint> PointOnPage(TextView* view, std::int32_t x, std::int32_t y);

// The word around a point's character, for a double click: the letters,
// digits and marks up to the spaces and punctuation on either side; a
// character that is no part of a word is taken alone.
PlaceSpan WordAt(const TextView& view, const PagePoint& point);

// Sets the selection and repaints what that changes (only the lines whose
// marking changes, when the page is as last painted).
void SelectPlaces(TextView* view, std::uint16_t anchor, std::uint16_t focus);
void ClearSelection(TextView* view);

// Marks the selected characters of one shown line at `y`, over its text,
// in the line's font, which the caller has selected. `records` walks the
// text as the lines come, top down.
void MarkSelectionOnLine(TextView& view, const LineRecord& line, std::int32_t y, RecordCursor& records);

}  // namespace quillory
