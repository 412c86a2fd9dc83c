#include "app/view_pointer.h"

#include <algorithm>
#include <cstdlib>

#include "app/view_input.h"
#include "clipboard/copy_article.h"
#include "core/app_state.h"
#include "platform/windows/input.h"
#include "platform/windows/messages.h"
#include "platform/windows/timer.h"
#include "platform/windows/window.h"
#include "view/text_scroll.h"
#include "view/text_selection.h"

namespace quillory {
namespace {

// A press becomes a drag once the pointer has moved further than this from
// it, in either direction; a hand that shakes a little still clicks.
constexpr std::int32_t kDragThreshold = 3;
// While a drag holds the pointer above or below the page, the page moves a
// line this often.
constexpr std::uintptr_t kDragScrollTimer = 0x5E1;
constexpr std::uint32_t kDragScrollMilliseconds = 80;

struct Press {
  bool active = false;     // from the press to its release
  bool dragging = false;   // the focus follows the pointer
  bool selecting = false;  // a double or triple click, or Shift: the release is no click
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t pointerX = 0;  // where the pointer is now
  std::int32_t pointerY = 0;
  std::uint16_t anchor = 0;
  std::uint16_t article = 0;  // the places belong to this article's text
  bool scrolling = false;     // the drag's scrolling timer runs
};

// What the last click did, for the double click that may follow it.
struct LastClick {
  bool paged = false;     // it turned the page from `top`
  bool switched = false;  // it followed a link
  std::uint16_t top = 0;
};

Press gPress;
LastClick gLastClick;

TextView* View() { return App().textView; }

// The press in progress, unless the article changed under it (the places
// it holds belong to the text of its own article).
bool PressHolds() {
  if (gPress.active && View() != nullptr && gPress.article == App().currentArticle) return true;
  gPress.active = false;
  return false;
}

void Extend(std::int32_t x, std::int32_t y) {
  if (const auto point = PointOnPage(View(), x, y)) SelectPlaces(View(), gPress.anchor, point->place);
}

// The drag's scrolling: on while the pointer is above or below the page.
// The timer is set only as the pointer leaves the page: set again at every
// move, it would never come due while the hand moves.
void FollowPointerOffPage(platform::WindowHandle window) {
  const TextView* view = View();
  const bool off = view != nullptr && (gPress.pointerY < view->top || gPress.pointerY >= view->top + view->height);
  if (off == gPress.scrolling) return;
  gPress.scrolling = off;
  if (off) {
    platform::SetTimer(window, kDragScrollTimer, kDragScrollMilliseconds);
  } else {
    platform::KillTimer(window, kDragScrollTimer);
  }
}

// A double or triple click: the first click's page turn is taken back (it
// was the start of this gesture), then the word or the paragraph is
// selected. After a click that followed a link the press is let be.
void SelectByClicks(platform::WindowHandle window, std::int32_t x, std::int32_t y, int clicks) {
  if (gLastClick.switched) return;
  if (clicks == 2 && gLastClick.paged) ScrollView(window, gLastClick.top - View()->topPosition);
  gLastClick = LastClick{};
  TextView* view = View();
  if (view == nullptr) return;
  const auto point = PointOnPage(view, x, y);
  if (!point) return;
  const PlaceSpan span = clicks == 2 ? WordAt(*view, *point) : point->paragraph;
  SelectPlaces(view, span.start, span.end);
}

void Click(platform::WindowHandle window) {
  TextView* view = View();
  const std::uint16_t top = view->topPosition;
  const std::uint16_t article = App().currentArticle;
  gLastClick = LastClick{};
  // A click clears a selection, unless it follows a link.
  if (HasSelection(*view) && HitTestLink(view, gPress.x, gPress.y) == 0) {
    ClearSelection(view);
    return;
  }
  HandleViewTap(window, gPress.x, gPress.y);
  if (View() == nullptr) return;
  gLastClick.switched = App().currentArticle != article;
  gLastClick.paged = !gLastClick.switched && View()->topPosition != top;
  gLastClick.top = top;
}

}  // namespace

void HandleViewPress(platform::WindowHandle window, std::int32_t x, std::int32_t y, int clicks) {
  TextView* view = View();
  if (view == nullptr || !OnPage(*view, x, y)) return;
  platform::SetCapture(window);
  gPress = Press{true, false, false, x, y, x, y, 0, App().currentArticle};
  if (clicks >= 2) {
    gPress.selecting = true;
    SelectByClicks(window, x, y, clicks);
  } else if (platform::GetKeyState(platform::kVkShift) && HasSelection(*view)) {
    gPress.selecting = gPress.dragging = true;
    gPress.anchor = view->selectionAnchor;
    Extend(x, y);
  }
}

void HandleViewPointerMove(platform::WindowHandle window, std::int32_t x, std::int32_t y, bool buttonDown) {
  if (!buttonDown || !PressHolds()) return;
  gPress.pointerX = x;
  gPress.pointerY = y;
  if (!gPress.dragging) {
    if (gPress.selecting) return;
    if (std::max(std::abs(x - gPress.x), std::abs(y - gPress.y)) <= kDragThreshold) return;
    const auto start = PointOnPage(View(), gPress.x, gPress.y);
    if (!start) return;
    gPress.dragging = true;
    gPress.anchor = start->place;
  }
  Extend(x, y);
  FollowPointerOffPage(window);
}

void HandleViewRelease(platform::WindowHandle window) {
  if (!gPress.active) return;
  platform::ReleaseCapture();
  platform::KillTimer(window, kDragScrollTimer);
  const bool holds = PressHolds();
  gPress.active = false;
  if (!holds) return;
  if (gPress.dragging || gPress.selecting) {
    gLastClick = LastClick{};
    OfferSelection(View());
    return;
  }
  Click(window);
}

void HandleViewTimer(platform::WindowHandle window, std::uintptr_t timer) {
  if (timer != kDragScrollTimer) return;
  if (!PressHolds() || !gPress.dragging) {
    platform::KillTimer(window, kDragScrollTimer);
    gPress.scrolling = false;
    return;
  }
  const TextView* view = View();
  ScrollView(window, gPress.pointerY < view->top ? -1 : 1);
  Extend(gPress.pointerX, gPress.pointerY);
}

}  // namespace quillory
