// The paint pass and the highlight pass of the text view.

#include <algorithm>
#include <climits>

#include "view/article_format.h"
#include "view/letter_code.h"
#include "view/text_lines.h"
#include "view/text_paint.h"

namespace quillory {
namespace {

constexpr platform::Color kHighlightText = platform::Rgb(0, 0, 255);
constexpr platform::Color kHighlightBackground = platform::Rgb(255, 255, 0);
// A link box reaches this far beyond its text.
constexpr std::int32_t kBoxSide = 10;
constexpr std::int32_t kBoxAbove = 2;
constexpr std::int32_t kBoxBelow = 3;
constexpr std::int32_t kBoxCorner = 6;

const std::uint8_t* Bytes(const TextView& view, std::size_t offset) { return view.text.data() + offset; }

std::int32_t BaseOf(const LineParts& parts) { return parts.hebrew ? kLiveFontBase : kNoMappingBase; }

// The part of a label that fits its column: the label's beginning in
// reading order, drawn right-aligned in the column for a Hebrew line, left
// of the body for a left-to-right one.
ReadingStart FitLabel(TextView& view, const LineParts& parts, const LineRecord& line) {
  const auto length = static_cast<std::int32_t>(parts.labelLength);
  if (parts.hebrew) return FitReadingStart(*view.context, Bytes(view, parts.labelAt), length, line.labelWidth);
  const MeasuredRun fit = MeasureRun(*view.context, Bytes(view, parts.labelAt), line.labelWidth, length);
  return ReadingStart{0, 0, 0, fit.count, 0, fit.width};
}

// Where a label's pieces start: Hebrew labels are set right-aligned in the
// column right of the body, left-to-right labels hang left of it.
std::int32_t LabelX(const LineRecord& line, const LineParts& parts, const ReadingStart& label) {
  return parts.hebrew ? line.x + line.width + line.labelWidth - label.width : line.x - line.labelWidth;
}

void DrawLineText(TextView& view, const LineRecord& line, std::int32_t y) {
  const LineParts parts = SplitLine(view, line);
  SetRunBase(BaseOf(parts));
  if (line.labelWidth != 0) {
    const ReadingStart label = FitLabel(view, parts, line);
    const std::int32_t x = LabelX(line, parts, label);
    if (label.headCount != 0) {
      DrawRun(*view.context, Bytes(view, parts.labelAt + label.headAt), label.headCount, x, y, label.headWidth,
              line.height);
    }
    DrawRun(*view.context, Bytes(view, parts.labelAt + label.tailAt), label.tailCount, x + label.headWidth, y,
            label.width - label.headWidth, line.height);
  }
  DrawRun(*view.context, Bytes(view, parts.bodyAt), line.count, line.x, y, line.width, line.height);
  SetRunBase(kNoMappingBase);
}

void DrawRule(TextView& view, const LineRecord& line, std::int32_t y) {
  platform::DeviceContext& context = *view.context;
  const platform::Brush* previous = context.SelectBrush(platform::GetStockBrush(platform::StockBrush::kBlackBrush));
  const std::int32_t middle = y + line.height / 2;
  context.Rectangle(platform::Rect{line.x, middle, line.x + line.width, middle + 1});
  context.SelectBrush(previous);
}

// The rounded box around the link group that starts at line `first`: its
// following lines of the same number, as far as they fit in `room`.
void DrawLinkBox(TextView& view, std::uint16_t first, std::int32_t y, std::int32_t room) {
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
  platform::DeviceContext& context = *view.context;
  const platform::Brush* previous = context.SelectBrush(platform::GetStockBrush(platform::StockBrush::kHollowBrush));
  const LineRecord& line = lines[first];
  // The box keeps inside the text area: on the page's first line its margin
  // above would reach over the bar, which no paint of the view repaints.
  const platform::Rect box{std::max(line.x - kBoxSide, view.left), std::max(y - kBoxAbove, view.top),
                           std::min(line.x + line.width + kBoxSide, view.left + view.width),
                           std::min(y + above + lines[last].height + kBoxBelow, view.top + view.height)};
  context.RoundRect(box, kBoxCorner, kBoxCorner);
  context.SelectBrush(previous);
}

int HighlightPass(TextView& view) {
  const FirstLine first = FindFirstLine(view);
  std::uint8_t current = view.lines[first.index].style;
  if (IsSpecialStyle(current)) current = 1;
  platform::Font* previous = SelectStyleFont(&view, current);
  std::int32_t y = first.y;
  std::int32_t room = first.room;
  for (std::uint16_t i = first.index; view.lines[i].style != 0 && view.lines[i].height <= room; ++i) {
    const LineRecord& line = view.lines[i];
    if (IsSpecialStyle(line.style)) {
      if (IsHiddenLink(view, line)) continue;
    } else if (const LineSpan span = SpanOf(view, line);
               span.first <= view.highlightEnd && view.highlightStart <= span.end) {
      if ((line.style & kStyleKeyMask) != (current & kStyleKeyMask)) SelectStyleFont(&view, line.style);
      current = line.style;
      const LineParts parts = SplitLine(view, line);
      SetRunBase(BaseOf(parts));
      if (line.labelWidth != 0) {
        // The matched letters of the label, where the paint pass drew them.
        const ReadingStart label = FitLabel(view, parts, line);
        const std::int32_t x = LabelX(line, parts, label);
        PaintHighlightRun(&view, static_cast<std::uint16_t>(parts.labelAt + label.headAt), label.headCount, x, y);
        PaintHighlightRun(&view, static_cast<std::uint16_t>(parts.labelAt + label.tailAt), label.tailCount,
                          x + label.headWidth, y);
      }
      PaintHighlightRun(&view, static_cast<std::uint16_t>(parts.bodyAt), line.count, line.x, y);
      SetRunBase(kNoMappingBase);
    }
    for (int unit = 0; unit < LineUnits(line); ++unit) {
      room -= line.height;
      y += line.height;
    }
  }
  view.context->SelectFont(previous);
  return 0;
}

}  // namespace

int PaintTextView(TextView* view, bool erase) {
  if (!view || !view->text || !view->lines) return kNoView;
  platform::DeviceContext& context = *view->context;
  view->unitsDrawn = 0;
  const FirstLine first = FindFirstLine(*view);
  const platform::Color oldText = context.textColor();
  std::uint8_t current = view->lines[first.index].style;
  if (IsSpecialStyle(current) || current == 0) current = 1;
  platform::Font* previous = SelectStyleFont(view, current | kWithColour);
  if (erase) FillViewRect(context, view->left, view->top, view->width, view->height, platform::StockBrush::kWhiteBrush);
  std::uint16_t nextLink = 0;
  if (view->links) view->links[0] = LinkHit{};
  int lastBoxed = -1;  // link number of the last box drawn

  std::int32_t y = first.y;
  std::int32_t room = first.room;
  for (std::uint16_t i = first.index; view->lines[i].style != 0 && view->lines[i].height <= room; ++i) {
    const LineRecord& line = view->lines[i];
    if (IsSpecialStyle(line.style) && line.linkNumber == 0) {
      DrawRule(*view, line, y);
    } else if (IsSpecialStyle(line.style)) {
      if (IsHiddenLink(*view, line)) continue;
      view->links[nextLink++] = LinkHit{&line, static_cast<std::uint16_t>(y)};
      view->links[nextLink] = LinkHit{};
      if (line.linkNumber != lastBoxed) {
        DrawLinkBox(*view, i, y, room);
        lastBoxed = line.linkNumber;
      }
      SelectStyleFont(view, (line.style & kHebrewBit) | kSmallBit | kWithColour);
      current = 0;  // the next ordinary line selects its own font
      DrawLineText(*view, line, y);
    } else {
      if ((line.style & kStyleKeyMask) != (current & kStyleKeyMask) || current == 0) {
        SelectStyleFont(view, line.style | kWithColour);
      }
      current = line.style;
      DrawLineText(*view, line, y);
    }
    for (int unit = 0; unit < LineUnits(line); ++unit) {
      room -= line.height;
      y += line.height;
      ++view->unitsDrawn;
    }
  }
  context.SelectFont(previous);
  context.SetTextColor(oldText);
  if (view->highlightStart != 0 || view->highlightEnd != 0) return HighlightPass(*view);
  return 0;
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
                  view->context->GetTextMetrics().height, kHighlightText, kHighlightBackground);
}

}  // namespace quillory
