#include "view/line_cells.h"

#include <algorithm>
#include <climits>
#include <optional>
#include <span>

#include "view/letter_code.h"
#include "view/reading_order.h"
#include "view/text_lines.h"

namespace quillory {
namespace {

// Reading indices of a record's string: a Hebrew string's from its map,
// any other string's are its stored offsets.
class ReadingIndices {
 public:
  ReadingIndices(const TextView& view, const StoredRecord& record)
      : stringAt_(record.stringAt), hebrew_(record.hebrew()) {
    if (hebrew_) map_.emplace(std::span(view.text.data() + record.stringAt, record.stringLength));
  }
  std::uint16_t PlaceOf(std::size_t stored) const {
    const std::size_t at = stored - stringAt_;
    return static_cast<std::uint16_t>(stringAt_ + (hebrew_ ? map_->ReadingIndex(at) : at));
  }
  bool InLeftToRightRun(std::size_t stored) const { return !hebrew_ || map_->InLeftToRightRun(stored - stringAt_); }

 private:
  std::size_t stringAt_;
  bool hebrew_;
  std::optional<ReadingMap> map_;
};

// Whether a stored offset lies in the record's string, as every byte a line
// draws does unless the text and its lines disagree.
bool InString(const StoredRecord& record, std::size_t stored) {
  return stored >= record.stringAt && stored < record.stringEnd();
}

}  // namespace

std::vector<LineCell> LineCells(TextView& view, const LineRecord& line, const StoredRecord& record) {
  std::vector<LineCell> cells;
  const LinePieces drawn = DrawnPieces(view, line);
  if (drawn.count == 0) return cells;
  const ReadingIndices indices(view, record);
  SetRunBase(drawn.hebrew ? kLiveFontBase : kNoMappingBase);
  for (int p = 0; p < drawn.count; ++p) {
    const DrawnPiece& piece = drawn.pieces[p];
    const std::u16string_view chars = DrawnChars(view.text.data() + piece.at, piece.count);
    const bool reversed = RunDrawnReversed();
    std::int32_t x = piece.x;
    for (std::size_t k = 0; k < chars.size(); ++k) {
      const std::size_t stored = reversed ? piece.at + chars.size() - 1 - k : piece.at + k;
      const std::int32_t width = view.context->GetTextExtentExPoint(chars.substr(k, 1), INT32_MAX).width;
      if (InString(record, stored)) {
        // Hebrew letters read leftwards, unless the run is drawn reversed.
        const bool forward = indices.InLeftToRightRun(stored) || !drawn.hebrew;
        cells.push_back(LineCell{static_cast<std::uint16_t>(stored), indices.PlaceOf(stored), x, width,
                                 forward != reversed, static_cast<std::uint8_t>(p)});
      }
      x += width;
    }
  }
  SetRunBase(kNoMappingBase);
  return cells;
}

LinePlaces PlacesOfLine(const TextView& view, const LineRecord& line, const StoredRecord& record) {
  const LineParts parts = SplitLine(view, line);
  const ReadingIndices indices(view, record);
  LinePlaces places{UINT16_MAX, 0};
  const auto take = [&](std::size_t from, std::size_t count) {
    for (std::size_t stored = from; stored < from + count; ++stored) {
      if (!InString(record, stored)) continue;
      const std::uint16_t place = indices.PlaceOf(stored);
      places.first = std::min(places.first, place);
      places.end = std::max<std::uint16_t>(places.end, place + 1);
    }
  };
  take(parts.bodyAt, line.count);
  take(parts.labelAt, parts.labelLength);
  if (places.first > places.end) {
    // A rule: the one place of its empty string.
    places.first = places.end = static_cast<std::uint16_t>(record.stringAt);
  }
  return places;
}

}  // namespace quillory
