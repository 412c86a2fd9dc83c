#pragma once
// Reading a laid-out line back against the view's text: where its body and
// its label lie, and where painting starts. Shared by painting, the
// highlight and scrolling. Every offset stays inside the view's text.

#include <array>
#include <cstddef>
#include <cstdint>

#include "view/text_view.h"

namespace quillory {

// The stored bytes of a line's label and body.
struct LineParts {
  std::size_t bodyAt = 0;
  std::size_t labelAt = 0;
  std::size_t labelLength = 0;  // 0: no label
  bool hebrew = false;
};

LineParts SplitLine(const TextView& view, const LineRecord& line);

// The stored bytes a line shows, its label included: from `first` up to
// `end`, one past its last byte. A line holds an offset x (as search and
// the highlight see it) when first <= x <= end.
struct LineSpan {
  std::size_t first = 0;
  std::size_t end = 0;
};

LineSpan SpanOf(const TextView& view, const LineRecord& line);

// Where painting starts: the first line at or after the top position, its
// top y and the height left for lines. Pulls a top position beyond the
// article back to the maximum.
struct FirstLine {
  std::uint16_t index = 0;
  std::int32_t y = 0;
  std::int32_t room = 0;
};

FirstLine FindFirstLine(TextView& view);

// The units a line takes: 1, and 1 more for a blank line after it.
inline int LineUnits(const LineRecord& line) { return (line.style & 0x80) ? 2 : 1; }

// A hidden line: a back link while back links are not shown, or any link
// when the view has no link table. It takes no room on the page.
bool IsHiddenLink(const TextView& view, const LineRecord& line);

// Visits the lines a paint shows, top down, as visit(index, y, room): the
// line's top and the height left from there to the bottom of the text
// area. Hidden links are passed over; the walk stops at the first line that
// does not fit.
template <typename Visit>
void ForEachShownLine(TextView& view, Visit&& visit) {
  const FirstLine first = FindFirstLine(view);
  std::int32_t y = first.y;
  std::int32_t room = first.room;
  for (std::uint16_t i = first.index; view.lines[i].style != 0 && view.lines[i].height <= room; ++i) {
    const LineRecord& line = view.lines[i];
    if (IsHiddenLink(view, line)) continue;
    visit(i, y, room);
    for (int unit = 0; unit < LineUnits(line); ++unit) {
      room -= line.height;
      y += line.height;
    }
  }
}

// Stored bytes of a line drawn in one piece, left to right from x.
struct DrawnPiece {
  std::size_t at = 0;
  std::int32_t count = 0;
  std::int32_t x = 0;
  std::int32_t width = 0;
};

// What a line draws, left to right within each piece: the part of its
// label that fits the label column (a Hebrew label's beginning in reading
// order may come as two pieces, see FitReadingStart) and its body. Pieces
// without bytes are left out, so a rule has none. Measured in the context's
// font, which the caller has selected for the line.
struct LinePieces {
  std::array<DrawnPiece, 3> pieces;
  int count = 0;
  bool hebrew = false;
};
LinePieces DrawnPieces(TextView& view, const LineRecord& line);

}  // namespace quillory
