// The title banner drawn after a search finds a match.

#include <algorithm>
#include <climits>

#include "view/article_format.h"
#include "view/letter_code.h"
#include "view/palette.h"
#include "view/text_paint.h"

namespace quillory {
namespace {

struct TitleRun {
  const std::uint8_t* text = nullptr;
  std::int32_t length = 0;
  std::uint8_t style = 0;
  bool found = false;
};

// The string of the record at `at`, if the text holds one there.
TitleRun RecordString(const TextView& view, std::size_t at) {
  TitleRun run;
  const std::size_t length = view.text.length();
  if (at + 2 > length) return run;
  run.style = view.text.data()[at];
  run.text = view.text.data() + at + 2;
  const std::size_t room = length - at - 2;
  run.length = static_cast<std::int32_t>(std::find(run.text, run.text + room, 0) - run.text);
  return run;
}

bool IsTitleStyle(std::uint8_t style) { return style == 0xCC || style == 0xDC; }
bool IsSubtitleStyle(std::uint8_t style) { return style == 0xC1 || style == 0xD1; }

// What a row shows: the whole string when it fits the view's width; else
// its beginning in reading order, ended after its last whole word where
// there is one, and "..." where the rest was cut (left of a Hebrew row,
// right of a left-to-right one).
struct BannerRow {
  ReadingStart fit;
  std::int32_t markWidth = 0;  // 0: nothing was cut
  std::int32_t width() const { return fit.width + markWidth; }
};

constexpr std::uint8_t kCutMark[] = {'.', '.', '.'};
constexpr std::int32_t kCutMarkLength = 3;

void SetBaseFor(const TitleRun& run) { SetRunBase((run.style & kHebrewBit) ? kLiveFontBase : kNoMappingBase); }

BannerRow FitRow(TextView& view, const TitleRun& run) {
  BannerRow row;
  if (!run.found) return row;
  platform::DeviceContext& context = *view.context;
  SetBaseFor(run);
  const bool hebrew = (run.style & kHebrewBit) != 0;
  const MeasuredRun whole = MeasureRun(context, run.text, INT32_MAX, run.length);
  if (whole.width <= view.width) {
    row.fit = ReadingStart{0, 0, 0, run.length, 0, whole.width};
  } else {
    row.markWidth = MeasureRun(context, kCutMark, INT32_MAX, kCutMarkLength).width;
    const std::int32_t room = std::max(0, view.width - row.markWidth);
    // A word cut in two reads as another word: the row ends after the last
    // whole word, when there is one.
    if (hebrew) {
      row.fit = FitReadingStart(context, run.text, run.length, room);
      const std::int32_t end = row.fit.tailAt + row.fit.tailCount;
      const bool wordEnds = row.fit.headCount == 0 && row.fit.tailAt > 0 && run.text[row.fit.tailAt - 1] == ' ';
      std::int32_t space = row.fit.tailAt;
      while (space < end && run.text[space] != ' ') ++space;
      if (!wordEnds && space < end) {
        const std::int32_t width = MeasureRun(context, run.text + space + 1, INT32_MAX, end - space - 1).width;
        row.fit = ReadingStart{0, 0, space + 1, end - space - 1, 0, width};
      }
    } else {
      const MeasuredRun fit = FitLine(context, run.text, room, run.length, false);
      row.fit = ReadingStart{0, 0, 0, fit.count, 0, fit.width};
    }
  }
  SetRunBase(kNoMappingBase);
  return row;
}

// One row of the banner, red on yellow, centred on the inside of the box
// (a signed halving: a row wider than the inside starts left of it).
void DrawRow(TextView& view, const TitleRun& run, const BannerRow& row, const platform::Rect& inside, std::int32_t y,
             std::int32_t rowHeight) {
  if (row.width() == 0) return;
  const platform::Color text = CurrentPalette().bannerText;
  const platform::Color ground = CurrentPalette().bannerInside;
  const bool hebrew = (run.style & kHebrewBit) != 0;
  std::int32_t x = inside.left + (inside.width() - row.width()) / 2;
  SetBaseFor(run);
  const auto draw = [&](const std::uint8_t* bytes, std::int32_t count, std::int32_t width) {
    if (count != 0) DrawRunColoured(*view.context, bytes, count, x, y, width, rowHeight, text, ground);
    x += width;
  };
  if (hebrew) draw(kCutMark, row.markWidth != 0 ? kCutMarkLength : 0, row.markWidth);
  draw(run.text + row.fit.headAt, row.fit.headCount, row.fit.headWidth);
  draw(run.text + row.fit.tailAt, row.fit.tailCount, row.fit.width - row.fit.headWidth);
  if (!hebrew) draw(kCutMark, row.markWidth != 0 ? kCutMarkLength : 0, row.markWidth);
  SetRunBase(kNoMappingBase);
}

}  // namespace

void DrawSearchBanner(TextView* view) {
  if (!view || !view->text) return;
  TitleRun title = RecordString(*view, 0);
  title.found = title.text && IsTitleStyle(title.style);
  const std::size_t subtitleAt = title.found ? 2 + static_cast<std::size_t>(title.length) + 1 : 0;
  TitleRun subtitle = RecordString(*view, subtitleAt);
  subtitle.found = subtitle.text && IsSubtitleStyle(subtitle.style);
  if (!title.found && !subtitle.found) return;

  platform::DeviceContext& context = *view->context;
  const platform::Color oldText = context.textColor();
  platform::Font* previous = SelectStyleFont(view, kSmallBit | kWithColour);
  const std::int32_t rowHeight = context.GetTextMetrics().height;
  const std::int32_t rows = title.found && subtitle.found && title.length != 0 && subtitle.length != 0 ? 2 : 1;

  const BannerRow titleRow = FitRow(*view, title);
  const BannerRow subtitleRow = FitRow(*view, subtitle);
  const std::int32_t widest = std::max(titleRow.width(), subtitleRow.width());
  const std::int32_t boxWidth = std::min(widest + 2 * (rowHeight + 4), view->width);
  platform::Rect box;
  box.left = view->left + (view->width - boxWidth) / 2;
  box.right = box.left + boxWidth;
  box.bottom = view->top + view->height - 2;
  box.top = view->top + view->height - rowHeight * rows - 12;

  // Two frames of red, one of white, two of blue (by day), each a pixel
  // inside the last.
  const Palette& palette = CurrentPalette();
  const platform::Brush* oldBrush = context.SelectBrush(platform::GetStockBrush(platform::StockBrush::kHollowBrush));
  for (const platform::Color colour : palette.bannerFrames) {
    const platform::Pen pen = platform::SolidPen(1, colour);
    const platform::Pen* oldPen = context.SelectPen(&pen);
    context.Rectangle(box);
    context.SelectPen(oldPen);
    box = platform::Rect{box.left + 1, box.top + 1, box.right - 1, box.bottom - 1};
  }
  context.SelectBrush(oldBrush);
  context.FillRect(box, platform::SolidBrush(palette.bannerInside));

  std::int32_t y = box.top;
  if (title.found) {
    DrawRow(*view, title, titleRow, box, y, rowHeight);
    if (title.length != 0) y += rowHeight;
  }
  if (subtitle.found) DrawRow(*view, subtitle, subtitleRow, box, y, rowHeight);
  SetRunBase(kNoMappingBase);
  context.SelectFont(previous);
  context.SetTextColor(oldText);
  view->bannerShown = true;
}

}  // namespace quillory
