#pragma once
// What the reader shows in a real window, learnt from the same reader run
// on the headless backend as a desktop window of the same screen: same
// settings, same fonts, so the same page and the same places on it.

#include <cstdint>
#include <functional>
#include <optional>

#include "app/reader.h"
#include "core/app_state.h"
#include "platform/backends/headless/headless_backend.h"
#include "platform/windows/window.h"
#include "view/article_format.h"
#include "view/text_view.h"

namespace quillory::testing {

// Runs the reader without a display and calls `look` once it is shown.
inline void LookAtHeadlessReader(const std::function<void()>& look) {
  platform::ScopedHeadlessBackend backend;
  backend->SetScript({});
  backend->SetDesktopWindow(platform::Size{800, 800});  // like the real one: no task bar
  platform::SetScreenSize(platform::Size{240, 320});
  quillory::ReaderOptions options;
  options.onShown = [&] {
    platform::PumpUntilIdle();
    look();
  };
  quillory::RunReader(options);
  platform::ResetWindowSystem();
}

struct LinkPlace {
  platform::Point at;       // a point inside its box, in the reader's screen pixels
  std::uint16_t target = 0;  // the article it leads to
};

// The first link to another article on the page that the stored settings open.
inline std::optional<LinkPlace> FirstLinkOnOpeningPage() {
  std::optional<LinkPlace> found;
  LookAtHeadlessReader([&] {
    for (const LinkHit* hit = App().textView->links; hit && hit->line; ++hit) {
      const std::uint16_t number = hit->line->linkNumber;
      if (number != 0 && number != kBackLinkNumber) {
        found = LinkPlace{platform::ClientToScreen(App().mainWindow, platform::Point{hit->line->x + 3, hit->y + 3}),
                          number};
        break;
      }
    }
  });
  return found;
}

}  // namespace quillory::testing
