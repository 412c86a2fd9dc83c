// The paint pass of the text view, the marks over it (the search highlight
// and the selection), and the repaint of single rows.

#include <algorithm>
#include <climits>
#include <vector>

#include "view/article_format.h"
#include "view/article_records.h"
#include "view/letter_code.h"
#include "view/palette.h"
#include "view/text_lines.h"
#include "view/text_paint.h"
#include "view/text_selection.h"

namespace quillory {
namespace {

// A link box reaches this far beyond its text.
constexpr std::int32_t kBoxSide = 10;
constexpr std::int32_t kBoxAbove = 2;
constexpr std::int32_t kBoxBelow = 3;
constexpr std::int32_t kBoxCorner = 6;

const std::uint8_t* Bytes(const TextView& view, std::size_t offset) { return view.text.data() + offset; }

// The colours a paint sets in the view's context, put back when it ends:
// the text colour, and the background behind drawn text (the page's).
class PaintColours {
 public:
  explicit PaintColours(platform::DeviceContext& context)
      : context_(context),
        text_(context.textColor()),
        background_(context.SetBkColor(CurrentPalette().page)) {}
  ~PaintColours() {
    context_.SetTextColor(text_);
    context_.SetBkColor(background_);
  }
  PaintColours(const PaintColours&) = delete;
  PaintColours& operator=(const PaintColours&) = delete;

 private:
  platform::DeviceContext& context_;
  platform::Color text_;
  platform::Color background_;
};

void DrawLineText(TextView& view, const LineRecord& line, std::int32_t y) {
  const LinePieces drawn = DrawnPieces(view, line);
  SetRunBase(drawn.hebrew ? kLiveFontBase : kNoMappingBase);
  for (int i = 0; i < drawn.count; ++i) {
    const DrawnPiece& piece = drawn.pieces[i];
    DrawRun(*view.context, Bytes(view, piece.at), piece.count, piece.x, y, piece.width, line.height);
  }
  SetRunBase(kNoMappingBase);
}

void DrawRule(TextView& view, const LineRecord& line, std::int32_t y) {
  platform::DeviceContext& context = *view.context;
  const platform::Brush ink = platform::SolidBrush(CurrentPalette().rule);
  const platform::Pen edge = platform::SolidPen(1, CurrentPalette().rule);
  const platform::Brush* previousBrush = context.SelectBrush(&ink);
  const platform::Pen* previousPen = context.SelectPen(&edge);
  const std::int32_t middle = y + line.height / 2;
  context.Rectangle(platform::Rect{line.x, middle, line.x + line.width, middle + 1});
  context.SelectPen(previousPen);
  context.SelectBrush(previousBrush);
}

// The rounded box around the link group that starts at line `first`: its
// following lines of the same number, as far as they fit in `room`.
platform::Rect LinkBoxRect(const TextView& view, std::uint16_t first, std::int32_t y, std::int32_t room) {
  const LineRecord* lines = view.lines;
  std::uint16_t last = first;
  std::int32_t budget = room;
  std::int32_t above = 0;  // heights of the group's lines before its last
  // A following line joins the box only when it fits below the lines
  // already in it, so that the box never reaches below the page.
  while (lines[last + 1].style != 0 && lines[last + 1].linkNumber == lines[first].linkNumber &&
         lines[last + 1].height <= budget - lines[last].height) {
    budget -= lines[last].height;
    above += lines[last].height;
    ++last;
  }
  const LineRecord& line = lines[first];
  // The box keeps inside the text area: on the page's first line its margin
  // above would reach over the bar, which no paint of the view repaints.
  return platform::Rect{std::max(line.x - kBoxSide, view.left), std::max(y - kBoxAbove, view.top),
                        std::min(line.x + line.width + kBoxSide, view.left + view.width),
                        std::min(y + above + lines[last].height + kBoxBelow, view.top + view.height)};
}

void DrawLinkBox(TextView& view, const platform::Rect& box) {
  platform::DeviceContext& context = *view.context;
  const platform::Pen edge = platform::SolidPen(1, CurrentPalette().linkBox);
  const platform::Brush* previousBrush = context.SelectBrush(platform::GetStockBrush(platform::StockBrush::kHollowBrush));
  const platform::Pen* previousPen = context.SelectPen(&edge);
  context.RoundRect(box, kBoxCorner, kBoxCorner);
  context.SelectPen(previousPen);
  context.SelectBrush(previousBrush);
}

// The search highlight on one line; special lines carry none.
void HighlightLine(TextView& view, const LineRecord& line, std::int32_t y) {
  if (IsSpecialStyle(line.style)) return;
  const LineSpan span = SpanOf(view, line);
  if (span.first > view.highlightEnd || view.highlightStart > span.end) return;
  const LinePieces drawn = DrawnPieces(view, line);
  SetRunBase(drawn.hebrew ? kLiveFontBase : kNoMappingBase);
  for (int i = 0; i < drawn.count; ++i) {
    const DrawnPiece& piece = drawn.pieces[i];
    PaintHighlightRun(&view, static_cast<std::uint16_t>(piece.at), piece.count, piece.x, y);
  }
  SetRunBase(kNoMappingBase);
}

// The marks over the lines a paint drew: the search highlight, then the
// selection. Each line is measured in its own font.
void MarkLine(TextView& view, const LineRecord& line, std::int32_t y, RecordCursor& records) {
  if (!HasHighlight(view) && !HasSelection(view)) return;
  platform::Font* previous = SelectLineFont(&view, line, false);
  if (HasHighlight(view)) HighlightLine(view, line, y);
  MarkSelectionOnLine(view, line, y, records);
  view.context->SelectFont(previous);
}

// Draws a line's rule or text in its font and colour.
void DrawLine(TextView& view, const LineRecord& line, std::int32_t y) {
  if (IsSpecialStyle(line.style) && line.linkNumber == 0) {
    DrawRule(view, line, y);
    return;
  }
  platform::Font* previous = SelectLineFont(&view, line, true);
  DrawLineText(view, line, y);
  view.context->SelectFont(previous);
}

}  // namespace

bool HasHighlight(const TextView& view) { return view.highlightStart != 0 || view.highlightEnd != 0; }

platform::Font* SelectLineFont(TextView* view, const LineRecord& line, bool withColour) {
  std::uint32_t key = line.style;
  if (IsSpecialStyle(line.style)) key = line.linkNumber != 0 ? (line.style & kHebrewBit) | kSmallBit : 1;
  return SelectStyleFont(view, key | (withColour ? kWithColour : 0));
}

int PaintTextView(TextView* view, bool erase) {
  if (!view || !view->text || !view->lines) return kNoView;
  platform::DeviceContext& context = *view->context;
  const PaintColours colours(context);
  view->unitsDrawn = 0;
  view->bannerShown = false;
  if (erase) FillViewRect(context, view->left, view->top, view->width, view->height, CurrentPalette().page);
  std::uint16_t nextLink = 0;
  if (view->links) view->links[0] = LinkHit{};
  int lastBoxed = -1;  // link number of the last box drawn

  ForEachShownLine(*view, [&](std::uint16_t i, std::int32_t y, std::int32_t room) {
    const LineRecord& line = view->lines[i];
    if (IsSpecialStyle(line.style) && line.linkNumber != 0) {
      view->links[nextLink++] = LinkHit{&line, static_cast<std::uint16_t>(y)};
      view->links[nextLink] = LinkHit{};
      if (line.linkNumber != lastBoxed) {
        DrawLinkBox(*view, LinkBoxRect(*view, i, y, room));
        lastBoxed = line.linkNumber;
      }
    }
    DrawLine(*view, line, y);
    view->unitsDrawn += LineUnits(line);
  });
  if (HasHighlight(*view) || HasSelection(*view)) {
    RecordCursor records({view->text.data(), view->text.length()});
    ForEachShownLine(*view, [&](std::uint16_t i, std::int32_t y, std::int32_t) {
      MarkLine(*view, view->lines[i], y, records);
    });
  }
  return 0;
}

void RepaintLines(TextView* view, const std::function<bool(const LineRecord&)>& changed) {
  if (!view || !view->text || !view->lines) return;
  if (view->bannerShown) {
    PaintTextView(view, true);
    return;
  }
  struct Row {
    std::uint16_t index;
    std::int32_t y;
    bool repaint;
    int box;  // the box of the link group this line starts, or -1
    bool Crosses(const platform::Rect& rect, std::int32_t height) const { return y < rect.bottom && rect.top < y + height; }
  };
  std::vector<Row> rows;
  std::vector<platform::Rect> boxes;
  int lastBoxed = -1;
  ForEachShownLine(*view, [&](std::uint16_t i, std::int32_t y, std::int32_t room) {
    const LineRecord& line = view->lines[i];
    int box = -1;
    if (line.linkNumber != 0 && line.linkNumber != lastBoxed) {
      box = static_cast<int>(boxes.size());
      boxes.push_back(LinkBoxRect(*view, i, y, room));
      lastBoxed = line.linkNumber;
    }
    rows.push_back(Row{i, y, changed(line), box});
  });
  // A link box's outline reaches into the rows above and below its lines,
  // and lines and marks lie over it: a box that crosses a row painted again
  // is drawn again, and so is every row it crosses.
  std::vector<bool> redrawn(boxes.size(), false);
  for (bool grew = true; grew;) {
    grew = false;
    for (std::size_t b = 0; b < boxes.size(); ++b) {
      if (redrawn[b]) continue;
      const auto crosses = [&](const Row& row) { return row.Crosses(boxes[b], view->lines[row.index].height); };
      if (std::none_of(rows.begin(), rows.end(), [&](const Row& row) { return row.repaint && crosses(row); })) continue;
      redrawn[b] = grew = true;
      for (Row& row : rows) row.repaint = row.repaint || crosses(row);
    }
  }
  // In the order of a whole paint: the ground, then lines and boxes top
  // down, then the marks.
  const PaintColours colours(*view->context);
  for (const Row& row : rows) {
    if (row.repaint) FillViewRect(*view->context, view->left, row.y, view->width, view->lines[row.index].height,
                                  CurrentPalette().page);
  }
  for (const Row& row : rows) {
    if (row.box >= 0 && redrawn[static_cast<std::size_t>(row.box)]) DrawLinkBox(*view, boxes[static_cast<std::size_t>(row.box)]);
    if (row.repaint) DrawLine(*view, view->lines[row.index], row.y);
  }
  RecordCursor records({view->text.data(), view->text.length()});
  for (const Row& row : rows) {
    if (row.repaint) MarkLine(*view, view->lines[row.index], row.y, records);
  }
}

void PaintHighlightRun(TextView* view, std::uint16_t runStart, std::int32_t count, std::int32_t x, std::int32_t y) {
  std::int32_t start = runStart;
  std::int32_t shift = 0;
  const std::int32_t f = view->highlightStart - start;
  if (f >= 0) {
    count -= f;
    if (count <= 0) return;
    shift = MeasureRun(*view->context, Bytes(*view, runStart), INT32_MAX, f).width;
    start = view->highlightStart;
  }
  const std::int32_t n = std::min(count, view->highlightEnd - start);
  if (n < 1) return;
  const MeasuredRun run = MeasureRun(*view->context, Bytes(*view, static_cast<std::size_t>(start)), INT32_MAX, n);
  DrawRunColoured(*view->context, Bytes(*view, static_cast<std::size_t>(start)), n, x + shift, y, run.width,
                  view->context->GetTextMetrics().height, CurrentPalette().markText, CurrentPalette().markBackground);
}

}  // namespace quillory
