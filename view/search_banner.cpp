// The title banner drawn after a search finds a match.

#include <algorithm>

#include "view/article_format.h"
#include "view/letter_code.h"
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

// One row of the banner, red on yellow, centred on the inside of the box
// (a signed halving: a row wider than the inside starts left of it).
void DrawRow(TextView& view, const TitleRun& run, const platform::Rect& inside, std::int32_t y,
             std::int32_t rowHeight) {
  SetRunBase((run.style & kHebrewBit) ? kLiveFontBase : kNoMappingBase);
  const MeasuredRun fit = MeasureRun(*view.context, run.text, view.width, run.length);
  if (fit.count != 0) {
    DrawRunColoured(*view.context, run.text, fit.count, inside.left + (inside.width() - fit.width) / 2, y,
                    fit.width, rowHeight, platform::Rgb(255, 0, 0), platform::Rgb(255, 255, 0));
  }
  SetRunBase(kNoMappingBase);
}

std::int32_t MeasuredWidth(TextView& view, const TitleRun& run) {
  if (!run.found) return 0;
  SetRunBase((run.style & kHebrewBit) ? kLiveFontBase : kNoMappingBase);
  const std::int32_t width = MeasureRun(*view.context, run.text, view.width, run.length).width;
  SetRunBase(kNoMappingBase);
  return width;
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

  const std::int32_t widest = std::max(MeasuredWidth(*view, title), MeasuredWidth(*view, subtitle));
  const std::int32_t boxWidth = std::min(widest + 2 * (rowHeight + 4), view->width);
  platform::Rect box;
  box.left = view->left + (view->width - boxWidth) / 2;
  box.right = box.left + boxWidth;
  box.bottom = view->top + view->height - 2;
  box.top = view->top + view->height - rowHeight * rows - 12;

  // Two frames of red, one of white, two of blue, each a pixel inside the last.
  const platform::Color frames[] = {platform::Rgb(255, 0, 0), platform::Rgb(255, 0, 0), platform::kWhite,
                                    platform::Rgb(0, 0, 255), platform::Rgb(0, 0, 255)};
  const platform::Brush* oldBrush = context.SelectBrush(platform::GetStockBrush(platform::StockBrush::kHollowBrush));
  for (const platform::Color colour : frames) {
    const platform::Pen pen = platform::SolidPen(1, colour);
    const platform::Pen* oldPen = context.SelectPen(&pen);
    context.Rectangle(box);
    context.SelectPen(oldPen);
    box = platform::Rect{box.left + 1, box.top + 1, box.right - 1, box.bottom - 1};
  }
  context.SelectBrush(oldBrush);
  context.FillRect(box, platform::SolidBrush(platform::Rgb(255, 255, 0)));

  std::int32_t y = box.top;
  if (title.found) {
    DrawRow(*view, title, box, y, rowHeight);
    if (title.length != 0) y += rowHeight;
  }
  if (subtitle.found) DrawRow(*view, subtitle, box, y, rowHeight);
  SetRunBase(kNoMappingBase);
  context.SelectFont(previous);
  context.SetTextColor(oldText);
}

}  // namespace quillory
