#include "search/find_next.h"

#include <algorithm>
#include <span>

#include "calendar/this_week.h"
#include "core/app_state.h"
#include "core/product.h"
#include "core/shell_calls.h"
#include "platform/windows/message_box.h"
#include "search/match_pattern.h"
#include "store/uncompress.h"
#include "view/text_lines.h"
#include "view/text_paint.h"
#include "view/text_scroll.h"

namespace quillory {
namespace {

constexpr char kNotFoundText[] = "Not Found!";
// The pattern field holds at most this many bytes before its zero.
constexpr std::size_t kLongestPattern = 33;

std::span<const std::uint8_t> StoredPattern() {
  const auto& field = App().searchPattern;
  const auto end = std::find(field.begin(), field.begin() + kLongestPattern, 0);
  return {field.data(), static_cast<std::size_t>(end - field.begin())};
}

std::span<const std::uint8_t> Bytes(const platform::HeapBlock& text) { return {text.data(), text.length()}; }

std::uint16_t NextArticle(std::uint16_t article) {
  return article >= kArticleCount ? 1 : static_cast<std::uint16_t>(article + 1);
}

int ShowMatch(TextView& view, const TextMatch& match) {
  ShowOffsetAtTop(&view, match.highest);
  RepaintView(nullptr);
  view.highlightStart = static_cast<std::uint16_t>(match.highest - match.length + 1);
  view.highlightEnd = static_cast<std::uint16_t>(match.highest + 1);
  PaintTextView(&view, true);
  UpdateBookmarkCheck(App().mainWindow);
  DrawSearchBanner(&view);
  return 1;
}

// The view's own text searched from `start`; no match without one. The
// view is looked up afresh: a message box shown on the way runs the message
// loop, in which the reader may have been closed.
TextMatch SearchView(std::uint16_t start, std::span<const std::uint8_t> pattern) {
  const TextView* view = App().textView;
  if (view == nullptr || !view->text) return TextMatch{};
  return MatchInText(Bytes(view->text), start, pattern);
}

}  // namespace

std::uint16_t SearchStartOffset(const TextView& view) {
  const LineRecord* top = nullptr;
  if (view.lines != nullptr && view.text) {
    int units = 0;
    top = view.lines;
    while (top->style != 0 && units < view.topPosition) {
      units += LineUnits(*top);
      ++top;
    }
    if (top->style == 0) top = nullptr;
  }
  if (HasHighlight(view)) {
    // Where the last search left its match: on the top line, or below it on
    // a last page that could not scroll further. The search goes on right
    // after it in reading order, so that no match is met twice.
    const std::uint16_t highest = static_cast<std::uint16_t>(view.highlightEnd - 1);
    const LineSpan span = top != nullptr ? SpanOf(view, *top) : LineSpan{};
    const bool onTop = top != nullptr && span.first <= highest && highest <= span.end;
    if (onTop || view.topPosition >= view.maxTop) return static_cast<std::uint16_t>(view.highlightStart - 1);
  }
  // Nothing highlighted where the reader is: from the top line's first byte
  // in reading order (a Hebrew line's highest, its label included). Past
  // the last line, the whole article.
  if (top == nullptr) return 0;
  return static_cast<std::uint16_t>(SpanOf(view, *top).end - 1);
}

int FindNext(platform::WindowHandle owner) {
  AppState& app = App();
  const std::span<const std::uint8_t> pattern = StoredPattern();
  if (pattern.empty() || app.textView == nullptr) return 0;

  TextMatch match = SearchView(SearchStartOffset(*app.textView), pattern);
  if (match.stopped) return 0;
  if (match.highest != 0) return ShowMatch(*app.textView, match);

  // Counted, not only compared with the current article, so that a current
  // article outside 1-44 still ends the loop after one round.
  const std::uint16_t current = app.currentArticle;
  std::uint16_t article = current;
  for (int step = 0; step < kArticleCount; ++step) {
    article = NextArticle(article);
    if (article == current) break;
    TextBuffer text = LoadCompressedResource(article);
    if (!text) continue;
    match = MatchInText(Bytes(text), 0, pattern);
    if (match.stopped) return 0;
    if (match.highest == 0) continue;
    // A text the view refuses could not show its match, and the current
    // article must keep naming the text on screen: it is passed over like
    // one that does not decode.
    if (LayoutText(app.textView, std::move(text), true) != kLayoutOk) continue;
    SelectArticle(article, true);
    return ShowMatch(*app.textView, match);
  }

  match = SearchView(0, pattern);
  if (match.stopped) return 0;
  if (match.highest != 0) return ShowMatch(*app.textView, match);
  platform::ShowMessageBox(owner, kNotFoundText, kProductTitle, platform::kMbOk);
  return 0;
}

}  // namespace quillory
