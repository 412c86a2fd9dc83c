#include "app/commands.h"

#include "app/about.h"
#include "app/bars.h"
#include "app/night_reading.h"
#include "app/update_check.h"
#include "bookmarks/bookmark_list.h"
#include "clipboard/copy_article.h"
#include "core/app_state.h"
#include "core/shell_calls.h"
#include "index/choose_section.h"
#include "platform/windows/desktop_window.h"
#include "platform/windows/message_box.h"
#include "platform/windows/window.h"
#include "resources/program_resources.h"
#include "search/find_next.h"
#include "search/search_dialog.h"
#include "view/font_dialog.h"
#include "view/text_paint.h"
#include "view/text_view.h"

namespace quillory {
namespace {

void ToggleReverse(platform::WindowHandle window) {
  UpdateReverseCheck(window, false);
  // The scroll bar stays as it is: reversing moves no line.
  PaintTextView(App().textView, true);
}

// The article tapped in the Choose Section dialog, unless it is the one shown.
void ChooseArticle(platform::WindowHandle window) {
  AppState& app = App();
  const std::uint16_t chosen = ChooseSection(app.module, window, app.currentArticle, &app.font);
  if (chosen != 0 && chosen != app.currentArticle) SwitchArticle(window, chosen, 0, false);
}

void Exit(platform::WindowHandle window) { platform::DestroyWindow(window); }

void ChooseFont(platform::WindowHandle window) {
  if (ShowFontDialog(window, App().font) == platform::kIdOk) ApplyReaderFont(window);
}

}  // namespace

int DispatchCommand(platform::WindowHandle window, platform::WParam first) {
  switch (platform::LowWord(first)) {
    case kThisWeekCommand:
      SwitchArticle(window, 0, 0, false);
      return 0;
    case kPreviousArticleCommand:
      StepArticle(window, -1);
      return 0;
    case kNextArticleCommand:
      StepArticle(window, +1);
      return 0;
    case kReverseCommand:
      ToggleReverse(window);
      return 0;
    case kNightReadingCommand:
      ToggleNightReading(window);
      return 0;
    case kExitCommand:
      Exit(window);
      return 0;
    case kAboutCommand:
      ShowAbout(window);
      return 0;
    case kCheckForUpdatesCommand:
      CheckForUpdates(window);
      return 0;
    case kBookmarkCommand:
      ToggleBookmark(IsBookmarked(App().currentArticle));
      UpdateBookmarkCheck(window);
      return 0;
    case kSearchCommand:
      ShowSearchDialog(window);
      return 0;
    case kSearchAgainCommand:
      FindNext(window);
      return 0;
    case kIndexCommand:
    case kChooseArticleCommand:
      ChooseArticle(window);
      return 0;
    case kChooseFontCommand:
      ChooseFont(window);
      return 0;
    case kFullScreenCommand:
      // The mark follows at once; the desktop's new size comes later (or,
      // with nothing to change, never).
      platform::SetDesktopFullScreen(!platform::IsDesktopFullScreen());
      UpdateFullScreenCheck();
      return 0;
    case kCopyCommand:
      CopyArticleToClipboard(App().textView, false);
      return 0;
    case kAppendToClipboardCommand:
      CopyArticleToClipboard(App().textView, true);
      return 0;
    default:
      return 1;
  }
}

void StepArticle(platform::WindowHandle window, int step) {
  int next = App().currentArticle + step;
  if (next > kArticleCount) next = 1;
  if (next < 1) next = kArticleCount;
  SwitchArticle(window, static_cast<std::uint16_t>(next), 0, false);
}

void ApplyReaderFont(platform::WindowHandle window) {
  ApplyFontDescription(App().textView, &App().font);
  UpdateScrollBar(window);
}

int SetMenuCheck(platform::Menu* menu, bool set, std::uint16_t command, int state) {
  if (!set) {
    const std::uint32_t current = platform::GetMenuState(menu, command);
    state = current != platform::kMenuItemMissing && (current & platform::kMfChecked) ? 0 : 1;
  }
  platform::CheckMenuItem(menu, command, state != 0);
  return state != 0 ? 1 : 0;
}

void UpdateReverseCheck(platform::WindowHandle window, bool set) {
  (void)window;
  platform::Menu* menu = CheckMarkMenu();
  // Without a bar there is no check mark to follow or to flip.
  if (menu == nullptr) return;
  const int checked = SetMenuCheck(menu, set, kReverseCommand, (App().flags & kReverseFlag) != 0);
  App().flags = checked != 0 ? (App().flags | kReverseFlag) : (App().flags & ~kReverseFlag);
}

void UpdateFullScreenCheck() {
  if (platform::Menu* menu = CheckMarkMenu()) {
    SetMenuCheck(menu, true, kFullScreenCommand, platform::IsDesktopFullScreen() ? 1 : 0);
  }
}

void UpdateBookmarkCheckInReader(platform::WindowHandle window) {
  (void)window;
  if (platform::Menu* menu = CheckMarkMenu()) {
    SetMenuCheck(menu, true, kBookmarkCommand, IsBookmarked(App().currentArticle) ? 1 : 0);
  }
}

}  // namespace quillory
