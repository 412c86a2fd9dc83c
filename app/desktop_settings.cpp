#include "app/desktop_settings.h"

#include "core/app_state.h"
#include "core/registry_values.h"
#include "platform/windows/desktop_window.h"
#include "view/text_scroll.h"

namespace quillory {
namespace {

constexpr std::uint32_t kLargestSide = 4096;
constexpr std::uint32_t kNotStored = 0xFFFFFFFF;

// Where the reading place was left, as read at start.
struct ReadingPlace {
  std::uint16_t article = 0;  // "Lesson" as stored: the place is in that article
  std::uint32_t textOffset = kNotStored;
  std::uint32_t layoutWidth = 0;
};
ReadingPlace gSaved;

bool Side(std::uint32_t value) { return value >= 1 && value <= kLargestSide; }

}  // namespace

WindowPlacement ReadWindowPlacement() {
  WindowPlacement placement;
  const std::uint32_t width = ReadSetting("WindowWidth", 0);
  const std::uint32_t height = ReadSetting("WindowHeight", 0);
  if (Side(width) && Side(height)) {
    placement.size = platform::Size{static_cast<std::int32_t>(width), static_cast<std::int32_t>(height)};
  }
  placement.fullScreen = ReadSetting("WindowFullScreen", 0) == 1 || ReadRegNumber(kMakerKey, "FullScreen", 0) != 0;
  return placement;
}

void LoadReadingPlace(std::uint16_t article) {
  gSaved.article = article;
  gSaved.textOffset = ReadSetting("LastTextOffset", kNotStored);
  gSaved.layoutWidth = ReadSetting("LastLayoutWidth", 0);
}

void RestoreReadingPlace(TextView& view) {
  // Only for the article it was saved in: This Week may have chosen another.
  if (gSaved.article != App().currentArticle || gSaved.textOffset > 0xFFFF || gSaved.layoutWidth == 0) return;
  if (gSaved.layoutWidth == static_cast<std::uint32_t>(view.width)) return;
  ShowPlaceAtTop(&view, static_cast<std::uint16_t>(gSaved.textOffset));
}

void WriteDesktopSettings() {
  if (TextView* view = App().textView) {
    if (const auto place = TopPlace(view)) {
      WriteRegNumber("LastTextOffset", *place);
      WriteRegNumber("LastLayoutWidth", static_cast<std::uint32_t>(view->width));
    }
  }
  if (!platform::HasDesktopWindow()) return;
  const platform::Size size = platform::DesktopWindowSize();
  WriteRegNumber("WindowWidth", static_cast<std::uint32_t>(size.cx));
  WriteRegNumber("WindowHeight", static_cast<std::uint32_t>(size.cy));
  WriteRegNumber("WindowFullScreen", platform::IsDesktopFullScreen() ? 1 : 0);
}

}  // namespace quillory
