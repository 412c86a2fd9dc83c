#pragma once
// Steps a reader takes, written so that they may run in a reader that has
// just stopped for want of memory: each checks for the view before it
// touches it, and does nothing once it is gone.

#include <vector>

#include "core/app_state.h"
#include "platform/windows/input.h"
#include "platform/windows/messages.h"
#include "platform/windows/window.h"
#include "view/article_format.h"
#include "view/text_view.h"

namespace quillory_test {

// Whether the reader still has its window and view.
inline bool ReaderIsShowing() {
  return quillory::App().textView != nullptr && platform::IsWindow(quillory::App().mainWindow);
}

inline void PressKey(std::uint16_t virtualKey) {
  platform::InjectKey(virtualKey, true);
  platform::InjectKey(virtualKey, false);
  platform::PumpUntilIdle();
}

// A tap at a client point of the main window.
inline void TapView(std::int32_t x, std::int32_t y) {
  const platform::Point at = platform::ClientToScreen(quillory::App().mainWindow, platform::Point{x, y});
  platform::InjectStylus(platform::StylusAction::kDown, at);
  platform::InjectStylus(platform::StylusAction::kUp, at);
  platform::PumpUntilIdle();
}

// Where the links to other articles on the page shown are (not the back
// link): the point a tap follows each, and its article.
struct LinkOnPage {
  std::int32_t x;
  std::int32_t y;
  std::uint16_t article;
};
inline std::vector<LinkOnPage> LinksOnPage() {
  std::vector<LinkOnPage> links;
  if (!ReaderIsShowing()) return links;
  for (const quillory::LinkHit* hit = quillory::App().textView->links; hit && hit->line; ++hit) {
    const std::uint16_t article = hit->line->linkNumber;
    if (article != 0 && article != quillory::kBackLinkNumber) links.push_back({hit->line->x + 2, hit->y + 2, article});
  }
  return links;
}

// Pages down (at most `pages` times) to the first link and follows it;
// false when none was found or the reader stopped on the way.
inline bool FollowFirstLink(int pages) {
  for (int page = 0; page <= pages && ReaderIsShowing(); ++page) {
    const std::vector<LinkOnPage> links = LinksOnPage();
    if (!links.empty()) {
      TapView(links.front().x, links.front().y);
      return true;
    }
    PressKey(platform::kVkNext);
  }
  return false;
}

}  // namespace quillory_test
