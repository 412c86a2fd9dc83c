#include "app/article_loading.h"

#include "app/desktop_settings.h"
#include "calendar/this_week.h"
#include "core/app_state.h"
#include "core/shell_calls.h"
#include "platform/windows/message_box.h"
#include "platform/windows/window.h"
#include "store/uncompress.h"

namespace quillory {
namespace {

constexpr int kInitialLineCapacity = 100;

// Moves both edges of one dimension in by the gutter, when it is larger
// than twice the gutter.
void Inset(std::int32_t& low, std::int32_t& high, std::int32_t gutter) {
  if (high - low > 2 * gutter) {
    low += gutter;
    high -= gutter;
  }
}

}  // namespace

ViewRect TextAreaOf(std::int32_t clientWidth, std::int32_t clientHeight) {
  const AppState& app = App();
  ViewRect area{0, 0, clientWidth, clientHeight};
  if (app.menuBarOnBottom != 0) {
    area.bottom -= app.barHeight;
  } else {
    area.top += app.barHeight;
  }
  Inset(area.top, area.bottom, app.gutter);
  Inset(area.left, area.right, app.gutter);
  return area;
}

int InitialLoad(platform::WindowHandle window) {
  AppState& app = App();
  const platform::Rect client = platform::GetClientRect(window);
  const ViewRect area = TextAreaOf(client.width(), client.height());
  app.textView = CreateTextView(platform::GetDC(window), &area, app.font, kInitialLineCapacity);
  if (app.textView == nullptr) return 1;

  TextBuffer text = LoadCompressedResource(app.currentArticle);
  if (!text) {
    return platform::ShowMessageBox(window, "Resource not found", "Error", platform::kMbIconExclamation);
  }
  TextView* view = app.textView;
  view->flags = static_cast<std::uint16_t>((view->flags & ~kShowBackLinks) | (app.previousArticle != 0 ? kShowBackLinks : 0));
  LayoutText(view, std::move(text), false);
  // Not clamped here: the next paint pulls a position past the end back.
  view->topPosition = app.savedPosition;
  RestoreReadingPlace(*view);
  UpdateScrollBar(window);
  return 0;
}

int SwitchArticleInReader(platform::WindowHandle window, std::uint16_t article, std::uint16_t top, bool remember) {
  AppState& app = App();
  const std::uint16_t leftArticle = app.currentArticle;
  const std::uint32_t leftFlags = app.flags;
  TextView* view = app.textView;

  app.previousArticle = remember ? leftArticle : 0;
  app.previousPosition = view != nullptr ? view->topPosition : 0;
  if (view != nullptr) {
    view->flags = static_cast<std::uint16_t>((view->flags & ~kShowBackLinks) | (remember ? kShowBackLinks : 0));
  }

  SelectArticle(article, true);
  TextBuffer text = LoadCompressedResource(app.currentArticle);
  // Without a view (it could not be made, or the out-of-memory stop has
  // released it) there is nowhere to show the text: the switch fails.
  view = app.textView;
  if (!text || view == nullptr) {
    app.currentArticle = leftArticle;
    app.flags = leftFlags;
    // The back link leads nowhere now (nothing is remembered): it goes
    // from the page rather than stay as a link that does nothing.
    if (view != nullptr) RepaintView(window);
    return 1;
  }
  LayoutText(view, std::move(text), true);
  view->topPosition = top;
  RepaintView(window);
  UpdateBookmarkCheck(window);
  return 0;
}

}  // namespace quillory
