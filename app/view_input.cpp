#include "app/view_input.h"

#include <cstdlib>
#include <optional>

#include "app/commands.h"
#include "core/app_state.h"
#include "core/shell_calls.h"
#include "platform/windows/messages.h"
#include "search/find_next.h"
#include "view/article_format.h"
#include "view/text_scroll.h"
#include "view/text_selection.h"

namespace quillory {
namespace {

constexpr std::uint32_t kHalfPageStep2 = 0x2;
constexpr std::uint32_t kHalfPageStep4 = 0x4;

// A step field's value (shifted down to 0-7) gives half a page for 2 and 4.
int PageStep(const TextView& view, std::uint32_t fieldValue) {
  if (fieldValue == kHalfPageStep2 || fieldValue == kHalfPageStep4) return view.unitsDrawn / 2;
  return view.unitsDrawn - 1;
}

// The page step of keys and of taps: the step fields of "Flags" (each
// shifted down to 0-7) give half a page for 2 and 4, else a page less one.
int KeyPageStep(const TextView& view) { return PageStep(view, (App().flags & kKeyPageStepField) >> 20); }
int TapPageStep(const TextView& view) { return PageStep(view, (App().flags >> 24) & 7); }

}  // namespace

void ScrollView(platform::WindowHandle window, int delta) {
  ScrollTextView(App().textView, delta, 1, true);
  UpdateScrollBar(window);
}

int HandleViewKey(platform::WindowHandle window, std::uint16_t virtualKey) {
  const TextView* view = App().textView;
  switch (virtualKey) {
    case platform::kVkReturn:
      if (App().searchPattern[0] != 0) FindNext(window);
      return 0;
    case platform::kVkLeft:
      StepArticle(window, -1);
      return 0;
    case platform::kVkRight:
      StepArticle(window, +1);
      return 0;
    default:
      break;
  }
  if (view == nullptr) {
    // Without a view the scrolling keys are still the window's own keys;
    // they just have nothing to move.
    switch (virtualKey) {
      case platform::kVkPrior: case platform::kVkNext: case platform::kVkEnd:
      case platform::kVkHome: case platform::kVkUp: case platform::kVkDown:
        return 0;
      default:
        return 1;
    }
  }
  switch (virtualKey) {
    case platform::kVkPrior:
    case platform::kVkNext:
      PageView(window, virtualKey == platform::kVkNext ? 1 : -1);
      return 0;
    case platform::kVkEnd:
      // The last full page from wherever the reader is, even from beyond it.
      ScrollView(window, view->maxTop - view->topPosition);
      return 0;
    case platform::kVkHome:
      ScrollView(window, -(view->topPosition != 0 ? view->topPosition : KeyPageStep(*view)));
      return 0;
    case platform::kVkUp:
      ScrollView(window, -1);
      return 0;
    case platform::kVkDown:
      ScrollView(window, 1);
      return 0;
    case platform::kVkEscape:
      if (!HasSelection(*view)) return 1;
      ClearSelection(App().textView);
      return 0;
    default:
      return 1;
  }
}

void PageView(platform::WindowHandle window, int direction) {
  if (const TextView* view = App().textView) ScrollView(window, direction > 0 ? KeyPageStep(*view) : -KeyPageStep(*view));
}

void FollowBackLink(platform::WindowHandle window) {
  const AppState& app = App();
  if (app.previousArticle != 0) SwitchArticle(window, app.previousArticle, app.previousPosition, false);
}

int ScrollAmountFor(const TextView& view, std::uint16_t code, std::int16_t position) {
  switch (code) {
    case platform::kSbLineUp: return -1;
    case platform::kSbLineDown: return 1;
    case platform::kSbPageUp: return 1 - view.unitsDrawn;
    case platform::kSbPageDown: return view.unitsDrawn - 1;
    case platform::kSbThumbPosition:
    case platform::kSbThumbTrack: return position - view.topPosition;
    case platform::kSbTop: return -view.topPosition;
    case platform::kSbBottom: return view.maxTop - view.topPosition;
    default: return 0;
  }
}

bool OnPage(const TextView& view, std::int32_t x, std::int32_t y) {
  const std::int32_t g = App().gutter;
  return view.left - g <= x && x <= view.left + view.width + g && view.top - g <= y && y <= view.top + view.height;
}

void HandleViewTap(platform::WindowHandle window, std::int32_t x, std::int32_t y) {
  const AppState& app = App();
  const TextView* view = app.textView;
  if (view == nullptr || !OnPage(*view, x, y)) return;

  const std::uint16_t link = HitTestLink(view, x, y);
  if (link == kBackLinkNumber) {
    FollowBackLink(window);
    return;
  }
  if (link != 0) {
    SwitchArticle(window, link, 0, true);
    return;
  }
  if ((app.flags & kTapPagingFlag) == 0) return;
  const bool firstHalf = (app.flags & kTapHalvesFlag) != 0 ? y < view->top + view->height / 2
                                                           : x < view->left + view->width / 2;
  const int step = std::abs(TapPageStep(*view));
  ScrollView(window, firstHalf ? -step : step);
}

void HandleViewResize(platform::WindowHandle window, std::int32_t clientWidth, std::int32_t clientHeight) {
  const AppState& app = App();
  const std::int32_t g = app.gutter;
  if (clientWidth > 2 * g) clientWidth -= 2 * g;
  if (clientHeight > 2 * g) clientHeight -= 2 * g;
  TextView* view = app.textView;
  if (view == nullptr) return;
  const std::int32_t height = clientHeight - app.barHeight;
  if (view->width != clientWidth || view->height != height) {
    // Another width breaks the lines elsewhere, and the same top position
    // would be another passage: the byte at the top stays on the top line.
    const std::optional<std::uint16_t> place = view->width != clientWidth ? TopPlace(view) : std::nullopt;
    ResizeTextView(view, clientWidth, height);
    if (place) ShowPlaceAtTop(view, *place);
    UpdateScrollBar(window);
  }
}

}  // namespace quillory
