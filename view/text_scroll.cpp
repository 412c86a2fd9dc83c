#include "view/text_scroll.h"

#include <algorithm>

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

int ShowOffsetAtTop(TextView* view, std::uint16_t offset) {
  if (!view || !view->lines) return 0;
  int unit = 0;
  for (const LineRecord* line = view->lines; line->style != 0; ++line) {
    const LineSpan span = SpanOf(*view, *line);
    if (span.first <= offset && offset <= span.end) {
      view->topPosition = static_cast<std::uint16_t>(std::min(unit, static_cast<int>(view->maxTop)));
      return 1;
    }
    unit += LineUnits(*line);
  }
  return 0;
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
