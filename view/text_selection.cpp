#include "view/text_selection.h"

#include <algorithm>
#include <climits>

#include "view/letter_code.h"
#include "view/line_cells.h"
#include "view/palette.h"
#include "view/reading_order.h"
#include "view/text_lines.h"
#include "view/text_paint.h"

namespace quillory {
namespace {

std::span<const std::uint8_t> TextOf(const TextView& view) { return {view.text.data(), view.text.length()}; }

bool Selected(const PlaceSpan& span, std::uint16_t place) { return span.start <= place && place < span.end; }

// Whether some place in [first, end) is selected in one span and not the
// other. Both are intervals, so their difference can begin only at the
// line's first place or at one of their four ends.
bool MarkingDiffers(const PlaceSpan& before, const PlaceSpan& after, const LinePlaces& line) {
  const std::uint16_t candidates[] = {line.first, before.start, before.end, after.start, after.end};
  for (const std::uint16_t place : candidates) {
    if (place < line.first || place >= line.end) continue;
    if (Selected(before, place) != Selected(after, place)) return true;
  }
  return false;
}

// Bytes that belong to a word: everything but spaces and the punctuation
// that stands between words. Hyphens, quotes and geresh marks stay inside
// words ("ה-24", abbreviations).
bool IsWordByte(std::uint8_t byte, bool hebrew) {
  switch (byte) {
    case ' ': case '.': case ',': case ';': case ':': case '!': case '?':
    case '(': case ')': case '[': case ']': case '{': case '}':
      return false;
    case 0x7E:  // a Hebrew string's stand-in for '{'
      return !hebrew;
    default:
      return true;
  }
}

// The shown line nearest to `y` in height, and its top: the line whose
// rows (its blank row after it included) hold y, the first line for a point
// above them all, the last for one below.
struct ShownLine {
  const LineRecord* line = nullptr;
  std::int32_t y = 0;
};
ShownLine LineNearest(TextView& view, std::int32_t y) {
  ShownLine nearest;
  ForEachShownLine(view, [&](std::uint16_t i, std::int32_t top, std::int32_t) {
    if (nearest.line == nullptr || top <= y) nearest = ShownLine{&view.lines[i], top};
  });
  return nearest;
}

// The place between characters nearest to x on a line of `cells`.
PagePoint PointAmong(const std::vector<LineCell>& cells, std::int32_t x) {
  // The cell nearest to x: the one it falls in, else the nearest edge.
  const LineCell* nearest = &cells.front();
  std::int32_t best = INT32_MAX;
  for (const LineCell& cell : cells) {
    const std::int32_t distance = x < cell.left ? cell.left - x : (x >= cell.left + cell.width ? x - (cell.left + cell.width) + 1 : 0);
    if (distance < best) {
      best = distance;
      nearest = &cell;
    }
  }
  PagePoint point;
  point.character = nearest->place;
  // The left half of a cell lies before the character when reading goes
  // rightwards across it, after it when reading goes leftwards.
  const bool leftHalf = 2 * (x - nearest->left) < nearest->width;
  point.place = static_cast<std::uint16_t>(nearest->place + (leftHalf == nearest->rightward ? 0 : 1));
  return point;
}

void MarkPiece(TextView& view, const std::vector<LineCell>& cells, std::size_t from, std::size_t to,
               std::int32_t y) {
  std::uint16_t first = UINT16_MAX;
  std::int32_t width = 0;
  for (std::size_t i = from; i < to; ++i) {
    first = std::min(first, cells[i].stored);
    width += cells[i].width;
  }
  const Palette& palette = CurrentPalette();
  DrawRunColoured(*view.context, view.text.data() + first, static_cast<std::int32_t>(to - from), cells[from].left, y,
                  width, view.context->GetTextMetrics().height, palette.markText, palette.markBackground);
}

}  // namespace

PlaceSpan SelectedSpan(const TextView& view) {
  return PlaceSpan{std::min(view.selectionAnchor, view.selectionFocus),
                   std::max(view.selectionAnchor, view.selectionFocus)};
}

bool HasSelection(const TextView& view) { return view.selectionAnchor != view.selectionFocus; }

std::optional<PagePoint> PointOnPage(TextView* view, std::int32_t x, std::int32_t y) {
  if (!view || !view->text || !view->lines || view->lineCount == 0) return std::nullopt;
  const ShownLine shown = LineNearest(*view, y);
  if (shown.line == nullptr) return std::nullopt;
  RecordCursor records(TextOf(*view));
  const StoredRecord* record = records.Holding(shown.line->textOffset);
  if (record == nullptr) return std::nullopt;
  const PlaceSpan paragraph{static_cast<std::uint16_t>(record->stringAt), static_cast<std::uint16_t>(record->stringEnd())};
  platform::Font* previous = SelectLineFont(view, *shown.line, false);
  const std::vector<LineCell> cells = LineCells(*view, *shown.line, *record);
  view->context->SelectFont(previous);
  // A rule has no characters: its one place.
  PagePoint point{paragraph.start, paragraph.start, paragraph};
  if (!cells.empty()) {
    point = PointAmong(cells, x);
    point.paragraph = paragraph;
  }
  return point;
}

PlaceSpan WordAt(const TextView& view, const PagePoint& point) {
  RecordCursor records(TextOf(view));
  const StoredRecord* record = records.Holding(point.character);
  if (record == nullptr || record->stringLength == 0 || point.character >= record->stringEnd()) return PlaceSpan{};
  const bool hebrew = record->hebrew();
  const std::uint8_t* string = view.text.data() + record->stringAt;
  const std::optional<ReadingMap> map =
      hebrew ? std::optional<ReadingMap>(std::span(string, record->stringLength)) : std::nullopt;
  // The byte read at a reading index of the string.
  const auto byteAt = [&](std::size_t read) { return string[hebrew ? map->StoredAt(read) : read]; };
  const std::size_t at = point.character - record->stringAt;
  if (!IsWordByte(byteAt(at), hebrew)) {
    return PlaceSpan{point.character, static_cast<std::uint16_t>(point.character + 1)};
  }
  std::size_t first = at;
  std::size_t end = at + 1;
  while (first > 0 && IsWordByte(byteAt(first - 1), hebrew)) --first;
  while (end < record->stringLength && IsWordByte(byteAt(end), hebrew)) ++end;
  return PlaceSpan{static_cast<std::uint16_t>(record->stringAt + first), static_cast<std::uint16_t>(record->stringAt + end)};
}

void SelectPlaces(TextView* view, std::uint16_t anchor, std::uint16_t focus) {
  if (!view) return;
  const PlaceSpan before = SelectedSpan(*view);
  view->selectionAnchor = anchor;
  view->selectionFocus = focus;
  const PlaceSpan after = SelectedSpan(*view);
  if ((before.empty() && after.empty()) || !view->text) return;
  RecordCursor records(TextOf(*view));
  RepaintLines(view, [&](const LineRecord& line) {
    const StoredRecord* record = records.Holding(line.textOffset);
    return record != nullptr && MarkingDiffers(before, after, PlacesOfLine(*view, line, *record));
  });
}

void ClearSelection(TextView* view) { SelectPlaces(view, 0, 0); }

void MarkSelectionOnLine(TextView& view, const LineRecord& line, std::int32_t y, RecordCursor& records) {
  if (!HasSelection(view)) return;
  const PlaceSpan span = SelectedSpan(view);
  const StoredRecord* record = records.Holding(line.textOffset);
  if (record == nullptr) return;
  const LinePlaces places = PlacesOfLine(view, line, *record);
  if (places.end <= span.start || places.first >= span.end) return;
  const std::vector<LineCell> cells = LineCells(view, line, *record);
  SetRunBase(record->hebrew() ? kLiveFontBase : kNoMappingBase);
  // Runs of selected cells side by side in one piece are drawn at once.
  for (std::size_t i = 0; i < cells.size();) {
    if (!Selected(span, cells[i].place)) {
      ++i;
      continue;
    }
    std::size_t end = i + 1;
    while (end < cells.size() && cells[end].piece == cells[i].piece && Selected(span, cells[end].place)) ++end;
    MarkPiece(view, cells, i, end, y);
    i = end;
  }
  SetRunBase(kNoMappingBase);
}

}  // namespace quillory
