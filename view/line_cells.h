#pragma once
// The characters of a shown line as the paint drew them: each stored byte's
// box on the page and its reading place (view/text_selection.h). What hit
// testing and the selection's marks are measured from.

#include <cstdint>
#include <vector>

#include "view/article_records.h"
#include "view/text_view.h"

namespace quillory {

struct LineCell {
  std::uint16_t stored = 0;  // the byte's text offset
  std::uint16_t place = 0;   // the reading place just before it
  std::int32_t left = 0;     // its box, window pixels
  std::int32_t width = 0;
  // Reading goes from the cell's left edge to its right: a number or Latin
  // word, or any left-to-right text; Hebrew letters read leftwards.
  bool rightward = true;
  std::uint8_t piece = 0;  // which drawn piece of the line (label parts, body)
};

// The line's cells, left to right within each drawn piece (view/text_lines.h);
// none for a rule. `record` is the record the line shows. Measured in the
// line's font, which the caller has selected.
std::vector<LineCell> LineCells(TextView& view, const LineRecord& line, const StoredRecord& record);

// The reading places a line's bytes stand at: from the first read to one
// past the last read. A number or Latin word that a line break cuts may put
// places of another line inside this span, never places of this line
// outside it.
struct LinePlaces {
  std::uint16_t first = 0;
  std::uint16_t end = 0;
};
LinePlaces PlacesOfLine(const TextView& view, const LineRecord& line, const StoredRecord& record);

}  // namespace quillory
