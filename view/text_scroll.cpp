#include "view/text_scroll.h"

#include <algorithm>

#include "view/article_format.h"
#include "view/text_lines.h"
#include "view/text_paint.h"

namespace quillory {

int ScrollTextView(TextView* view, int delta, int redrawMode, bool clamp) {
  if (!view) return kNoView;
  int next = view->topPosition + delta;
  if (next < 0) {
    next = 0;
  } else if (clamp || next > view->totalUnits) {
    if (next >= view->topPosition && view->topPosition >= view->maxTop) return kNothingToDo;
    if (next > view->totalUnits) next = view->maxTop;
  }
  if (redrawMode == 1 && next == view->topPosition) return kNothingToDo;
  const bool moved = next != view->topPosition;
  view->topPosition = static_cast<std::uint16_t>(next);
  if (redrawMode != 0) return PaintTextView(view, true);
  return moved ? kMovedNotPainted : kNothingToDo;
}

namespace {

// Puts the first line that `holds` at the top, not beyond the maximum top
// position; false, changing nothing, when no line does.
template <typename Holds>
bool ShowLineAtTop(TextView* view, Holds holds) {
  if (!view || !view->lines) return false;
  int unit = 0;
  for (const LineRecord* line = view->lines; line->style != 0; ++line) {
    if (holds(*line)) {
      view->topPosition = static_cast<std::uint16_t>(std::min(unit, static_cast<int>(view->maxTop)));
      return true;
    }
    unit += LineUnits(*line);
  }
  return false;
}

}  // namespace

int ShowOffsetAtTop(TextView* view, std::uint16_t offset) {
  return ShowLineAtTop(view, [&](const LineRecord& line) {
    const LineSpan span = SpanOf(*view, line);
    return span.first <= offset && offset <= span.end;
  }) ? 1 : 0;
}

std::optional<std::uint16_t> TopPlace(TextView* view) {
  if (!view || !view->lines || view->lineCount == 0) return std::nullopt;
  for (const LineRecord* line = view->lines + FindFirstLine(*view).index; line->style != 0; ++line) {
    if (line->count == 0 || IsHiddenLink(*view, *line)) continue;
    // Hebrew is stored in visual order: its first letter read is the last stored.
    const bool hebrew = (line->style & kHebrewBit) != 0;
    return static_cast<std::uint16_t>(hebrew ? line->textOffset + line->count - 1 : line->textOffset);
  }
  return std::nullopt;
}

bool ShowPlaceAtTop(TextView* view, std::uint16_t place) {
  return ShowLineAtTop(view, [place](const LineRecord& line) {
    return line.textOffset <= place && place < line.textOffset + line.count;
  });
}

std::uint16_t HitTestLink(const TextView* view, std::int32_t x, std::int32_t y) {
  if (!view || !view->links) return 0;
  for (const LinkHit* hit = view->links; hit->line; ++hit) {
    const LineRecord& line = *hit->line;
    if (line.x - 10 <= x && x <= line.x + line.width + 10 && hit->y - 2 <= y && y <= hit->y + line.height + 3) {
      return line.linkNumber;
    }
  }
  return 0;
}

}  // namespace quillory
