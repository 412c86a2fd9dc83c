#include "app/bars.h"

#include <array>
#include <string>

#include "core/app_state.h"
#include "platform/menus/command_bar.h"
#include "platform/windows/shell.h"
#include "platform/windows/window.h"
#include "resources/program_resources.h"

namespace quillory {
namespace {

constexpr std::uint16_t kCommandBarId = 1;
// The count with which the platform's standard small images are added.
constexpr std::int32_t kStandardImageCount = -7;

// The first belongs to the place of the menu; the rest to the buttons.
const std::array<std::u16string, 8> kToolTips{
    u"", u"Previous Article", u"This Week", u"Next Article", u"Choose Font", u"Search", u"Search Again",
    u"Choose Article"};

// In the order of their pictures in the toolbar bitmap.
constexpr std::array<platform::BarButton, kToolbarPictureCount> kButtons{{
    {0, kPreviousArticleCommand},
    {1, kThisWeekCommand},
    {2, kNextArticleCommand},
    {3, kChooseFontCommand},
    {4, kSearchCommand},
    {5, kSearchAgainCommand},
    {6, kChooseArticleCommand},
}};

bool MenuBarWanted() {
  const platform::PlatformVersion version = platform::GetPlatformVersion();
  // Newer shells have only the menu bar.
  return App().menuBarOnBottom != 0 || version.major > 4 || (version.major == 4 && version.minor >= 21);
}

// The menu bar along the bottom of the screen, narrowed so that the main
// window's scroll bar stays in sight beside it.
void PlaceMenuBar() {
  const AppState& app = App();
  const platform::Size screen = platform::ScreenSize();
  platform::MoveWindow(app.barWindow, 0, screen.cy - app.barHeight,
                       screen.cx - platform::GetSystemMetrics(platform::kSmCxVScroll), app.barHeight, true);
}

void CreateMenuBar(platform::WindowHandle mainWindow) {
  AppState& app = App();
  app.barWindow = platform::ShellCreateMenuBar(mainWindow, app.module, kMenuBarId, platform::kMenuBarHideSipButton);
  if (app.barWindow == nullptr) return;
  app.barHeight = platform::BarHeight(app.barWindow);
  PlaceMenuBar();
}

void CreateCommandBar(platform::WindowHandle mainWindow) {
  AppState& app = App();
  app.barWindow = platform::CreateCommandBar(app.module, mainWindow, kCommandBarId);
  if (app.barWindow == nullptr) return;
  app.barHeight = platform::BarHeight(app.barWindow);
  platform::CommandBarInsertMenu(app.barWindow, app.module, kMenuId);
}

}  // namespace

void CreateBars(platform::WindowHandle mainWindow) {
  AppState& app = App();
  app.mainWindow = mainWindow;
  if (MenuBarWanted()) {
    app.menuBarOnBottom = 1;
    CreateMenuBar(mainWindow);
  } else {
    CreateCommandBar(mainWindow);
  }
  const platform::WindowHandle bar = app.barWindow;
  if (bar == nullptr) return;
  platform::BarSetToolTips(bar, kToolTips);
  platform::BarAddBitmap(bar, app.module, kToolbarBitmapId, kToolbarPictureCount);
  platform::BarAddButtons(bar, kButtons);
  platform::BarAddStandardImages(bar, kStandardImageCount);
  if (Switches().fullScreen != 0 && app.menuBarOnBottom == 0) platform::CommandBarAddCloseButton(bar);
  platform::ShowWindow(bar, platform::kSwShow);
}

void FitBars(platform::WindowHandle mainWindow) {
  const AppState& app = App();
  if (app.barWindow == nullptr) return;
  if (app.menuBarOnBottom != 0) {
    PlaceMenuBar();
  } else {
    platform::MoveWindow(app.barWindow, 0, 0, platform::GetClientRect(mainWindow).right, app.barHeight, true);
  }
}

platform::Menu* CheckMarkMenu() {
  const platform::WindowHandle bar = App().barWindow;
  return bar != nullptr ? platform::BarMenu(bar, kGoButtonCommand) : nullptr;
}

}  // namespace quillory
