// The reader in a desktop window, without a display: every bar and dialog
// follows the window as it is resized, full screen comes and goes with F11,
// the reading place survives a new width, and the window's size and state
// are kept for the next start.

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "app/bars.h"
#include "index/choose_section.h"
#include "index/index_entries.h"
#include "index/section_list.h"
#include "platform/graphics/font_catalog.h"
#include "platform/menus/command_bar.h"
#include "platform/menus/menu.h"
#include "platform/windows/desktop_window.h"
#include "resources/program_resources.h"
#include "tests/e2e/reader_fixture.h"
#include "tests/support/crispness.h"
#include "view/text_scroll.h"

namespace quillory_test {
namespace {

using quillory::App;

constexpr platform::Size kMonitor{1200, 800};
constexpr platform::DeviceScale kTwice = platform::DeviceScale::FromQuarters(8);

std::string Settings(int article, int position, const std::string& more = "") {
  char text[96];
  std::snprintf(text, sizeof text, "\"Lesson\"=dword:%08x\n\"LastPosition\"=dword:%08x\n", article, position);
  return text + std::string("\"Flags\"=dword:d1140044\n") + more;
}

// The line shown at the top of the page holds `place`.
bool TopLineHolds(std::uint16_t place) {
  quillory::TextView& view = *App().textView;
  const std::optional<std::uint16_t> top = quillory::TopPlace(&view);
  if (!top) return false;
  for (const quillory::LineRecord* line = view.lines; line->style != 0; ++line) {
    if (line->textOffset <= *top && *top < line->textOffset + line->count) {
      return line->textOffset <= place && place < line->textOffset + line->count;
    }
  }
  return false;
}

platform::Rect Place(platform::WindowHandle window) { return platform::GetWindowRect(window); }

void TapScreen(platform::Point at) {
  platform::InjectStylus(platform::StylusAction::kDown, at);
  platform::InjectStylus(platform::StylusAction::kUp, at);
}

class DesktopReaderTest : public ReaderTest {
 protected:
  DesktopReaderTest() { desktopMonitor_ = kMonitor; }
};

TEST_F(DesktopReaderTest, TheWindowStartsWithItsBarAndNoTaskBarStandsInForTheWindowManager) {
  StoreSettings(Settings(4, 0));
  platform::Rect main;
  platform::Rect bar;
  Run([&] {
    main = Place(App().mainWindow);
    bar = Place(App().barWindow);
  });
  EXPECT_EQ(main, (platform::Rect{0, 0, 240, 320}));
  EXPECT_EQ(bar.top, 0) << "the command bar is the window's first row";
  EXPECT_FALSE(taskBarShownAtEnd_);
}

TEST_F(DesktopReaderTest, AResizeKeepsTheBytesAtTheTopOfThePageOnTheTopLine) {
  StoreSettings(Settings(4, 40));
  std::vector<bool> held;
  std::uint16_t topUnitBefore = 0;
  std::uint16_t topUnitAfterHeightOnly = 0;
  Run([&] {
    for (const platform::Size size : {platform::Size{420, 320}, platform::Size{170, 500}, platform::Size{240, 320}}) {
      const std::uint16_t place = quillory::TopPlace(&View()).value();
      platform::SetScreenSize(size);
      platform::PumpUntilIdle();
      held.push_back(TopLineHolds(place));
    }
    topUnitBefore = View().topPosition;
    platform::SetScreenSize(platform::Size{240, 200});
    platform::PumpUntilIdle();
    topUnitAfterHeightOnly = View().topPosition;
  });
  EXPECT_EQ(held, (std::vector<bool>{true, true, true}));
  EXPECT_EQ(topUnitAfterHeightOnly, topUnitBefore) << "the same width lays out the same lines";
}

TEST_F(DesktopReaderTest, TheCommandBarSpansTheWindowAfterEveryResizeAndNothingStaleTakesTaps) {
  StoreSettings(Settings(4, 0));
  std::vector<platform::Rect> bars;
  std::vector<platform::Rect> clients;
  platform::WindowHandle frontAfterTap = nullptr;
  Run([&] {
    for (const platform::Size size : {platform::Size{500, 400}, platform::Size{200, 320}}) {
      platform::SetScreenSize(size);
      platform::PumpUntilIdle();
      bars.push_back(Place(App().barWindow));
      clients.push_back(platform::GetClientRect(App().mainWindow));
    }
    // At 200 pixels the last toolbar button would reach under the scroll
    // bar's up arrow: a tap there is the arrow's.
    const platform::Rect last = platform::BarButtonRect(App().barWindow, quillory::kToolbarPictureCount - 1);
    ASSERT_GT(last.right, clients.back().right) << "the buttons are wider than the window";
    TapScreen(platform::Point{clients.back().right + 3, 5});
    platform::PumpUntilIdle();
    frontAfterTap = platform::GetForegroundWindow();
  });
  ASSERT_EQ(bars.size(), 2u);
  for (std::size_t i = 0; i < bars.size(); ++i) {
    EXPECT_EQ(bars[i].left, 0);
    EXPECT_EQ(bars[i].width(), clients[i].width()) << "size " << i;
  }
  EXPECT_EQ(frontAfterTap, App().mainWindow) << "Choose Section did not open";
}

TEST_F(DesktopReaderTest, TheMenuBarStaysAlongTheBottomOfTheWindow) {
  StoreSettings(Settings(4, 0), "\"MenuBarOnBottom\"=dword:00000001\n");
  std::vector<platform::Rect> bars;
  std::vector<std::int32_t> viewBottoms;
  Run([&] {
    for (const platform::Size size : {platform::Size{500, 400}, platform::Size{300, 250}}) {
      platform::SetScreenSize(size);
      platform::PumpUntilIdle();
      bars.push_back(Place(App().barWindow));
      viewBottoms.push_back(View().top + View().height);
    }
  });
  EXPECT_EQ(bars, (std::vector<platform::Rect>{{0, 400 - platform::kBarHeight, 500 - 13, 400},
                                               {0, 250 - platform::kBarHeight, 300 - 13, 250}}));
  EXPECT_EQ(viewBottoms, (std::vector<std::int32_t>{400 - platform::kBarHeight, 250 - platform::kBarHeight}));
}

TEST_F(DesktopReaderTest, ChooseSectionFollowsTheWindowKeepingWhatWasOpen) {
  StoreSettings(Settings(4, 0));
  platform::Rect dialog;
  platform::Rect client;
  std::int32_t listWidth = 0;
  std::uint16_t visibleBefore = 0;
  std::uint16_t visibleAfter = 0;
  std::int32_t toggledFromTheLastColumn = 0;
  Script("command 119\n");
  Then([&] {
    quillory::SectionList* list = const_cast<quillory::SectionList*>(quillory::OpenSectionList());
    // Open the closed group, at the end of the list, by a tap right of its
    // header on the last column before the scroll bar.
    quillory::ScrollSectionList(list, list->maxTop, false, true);
    for (const quillory::ListLine* line = list->lines; line->style != 0; ++line) {
      if (line->key != 0xBFE1 || !(line->style & quillory::kShownBit)) continue;
      std::int32_t y = list->top;
      for (const quillory::ListLine* above = quillory::FirstShownLine(*list); above != line; ++above) {
        if (above->style & quillory::kShownBit) y += above->height;
      }
      toggledFromTheLastColumn = quillory::HitTestSectionList(list, list->left + list->width - 1, y + 1);
      break;
    }
    visibleBefore = list->visibleLines;
    platform::SetScreenSize(platform::Size{600, 450});
    platform::PumpUntilIdle();
    const platform::WindowHandle window = platform::GetForegroundWindow();
    dialog = Place(window);
    client = platform::GetClientRect(window);
    listWidth = quillory::OpenSectionList()->width;
    visibleAfter = quillory::OpenSectionList()->visibleLines;
  });
  Then("key Escape\n");
  Run(nullptr);
  EXPECT_LT(toggledFromTheLastColumn, 0) << "the list reaches the scroll bar, so that tap toggles the group";
  EXPECT_EQ(dialog, (platform::Rect{0, 0, 600, 450})) << "full screen on the new window";
  EXPECT_EQ(listWidth, client.width()) << "the whole width beside the scroll bar";
  EXPECT_GT(visibleBefore, 30) << "the group was opened";
  EXPECT_GE(visibleAfter, 45) << "still open, one line an entry at the new width";
}

TEST_F(DesktopReaderTest, SmallDialogsStayCentredOverTheWindow) {
  StoreSettings(Settings(4, 0));
  std::vector<std::pair<platform::Rect, platform::Size>> seen;
  Script("command 116\n");
  Then([&] {
    for (const platform::Size size : {platform::Size{240, 320}, platform::Size{700, 500}}) {
      platform::SetScreenSize(size);
      platform::PumpUntilIdle();
      seen.emplace_back(Place(platform::GetForegroundWindow()), size);
    }
  });
  Then("key Escape\n");
  Run(nullptr);
  ASSERT_EQ(seen.size(), 2u);
  // Wider than the window, it keeps its left edge in it.
  for (const auto& [dialog, screen] : seen) {
    EXPECT_EQ(dialog.left, std::max(0, (screen.cx - dialog.width()) / 2));
    EXPECT_EQ(dialog.top, std::max(0, (screen.cy - dialog.height()) / 2));
  }
}

TEST_F(DesktopReaderTest, F11MakesTheWindowFullScreenAndBackAndTheMenuShowsWhich) {
  StoreSettings(Settings(4, 30));
  platform::SetDeviceScale(kTwice);
  std::vector<platform::Size> screens;
  std::vector<bool> checked;
  bool placeKept = false;
  std::uint16_t place = 0;
  const auto record = [&] {
    screens.push_back(platform::ScreenSize());
    checked.push_back(
        (platform::GetMenuState(quillory::CheckMarkMenu(), quillory::kFullScreenCommand) & platform::kMfChecked) != 0);
  };
  Script("key F11\n");
  Then([&] {
    record();
    placeKept = TopLineHolds(place);
  });
  Then("key F11\n");
  Then(record);
  Then("key F11\n");
  Run([&] { place = quillory::TopPlace(&View()).value(); });
  EXPECT_EQ(screens, (std::vector<platform::Size>{{600, 400}, {240, 320}})) << "the monitor at scale 2, then back";
  EXPECT_EQ(checked, (std::vector<bool>{true, false}));
  EXPECT_TRUE(placeKept);
  EXPECT_EQ(Stored("WindowFullScreen"), 1u) << "left full screen";
  EXPECT_EQ(Stored("WindowWidth"), 240u) << "the size to come back to";
  EXPECT_EQ(Stored("WindowHeight"), 320u);
}

TEST_F(DesktopReaderTest, TheFullScreenSwitchStartsTheWindowFullScreen) {
  StoreSettings(Settings(4, 0), "\"FullScreen\"=dword:00000001\n");
  platform::Size screen;
  Run([&] { screen = platform::ScreenSize(); });
  EXPECT_EQ(screen, (platform::Size{1200, 800}));
}

TEST_F(DesktopReaderTest, TheSizeAndThePlaceAreSavedAndAnotherWidthFindsThePlaceAgain) {
  StoreSettings(Settings(4, 40));
  std::uint16_t place = 0;
  std::int32_t width = 0;
  Run([&] {
    platform::SetScreenSize(platform::Size{400, 300});
    platform::PumpUntilIdle();
    place = quillory::TopPlace(&View()).value();
    width = View().width;
  });
  EXPECT_EQ(Stored("WindowWidth"), 400u);
  EXPECT_EQ(Stored("WindowHeight"), 300u);
  EXPECT_EQ(Stored("WindowFullScreen"), 0u);
  EXPECT_EQ(Stored("LastTextOffset"), place);
  EXPECT_EQ(Stored("LastLayoutWidth"), static_cast<std::uint32_t>(width));
  const std::uint32_t position = Stored("LastPosition").value();

  // The next start at another width: the position would be another
  // passage, the saved place is not.
  bool found = false;
  Run([&] { found = TopLineHolds(place); });
  EXPECT_TRUE(found) << "at 240 wide, counted at " << width;

  // At the width it was counted at, the position is taken as it stands.
  platform::SetScreenSize(platform::Size{400, 300});
  std::uint16_t top = 0;
  Run([&] { top = View().topPosition; });
  EXPECT_EQ(top, position);
}

TEST_F(DesktopReaderTest, ThePlaceOfAnotherArticleIsNotLookedFor) {
  // The place was saved in article 4; This Week chose another at start.
  StoreSettings(Settings(4, 40, "\"LastTextOffset\"=dword:00000500\n\"LastLayoutWidth\"=dword:00000100\n") +
                "\"Flags\"=dword:d1140040\n");
  std::uint16_t top = 1;
  std::uint16_t article = 4;
  Run(
      [&] {
        top = View().topPosition;
        article = App().currentArticle;
      },
      true);
  ASSERT_NE(article, 4);
  EXPECT_EQ(top, 0);
}

TEST_F(DesktopReaderTest, AtScaleTwoTheTextIsRasterizedNotDoubled) {
  platform::SetFontFactory(nullptr);  // the system's David CLM, not boxes
  StoreSettings(Settings(4, 0));
  platform::SetDeviceScale(kTwice);
  Crispness crispness;
  Run([&] {
    const platform::Framebuffer& screen = platform::ScreenImage();
    ASSERT_EQ(screen.width(), 480);
    const quillory::TextView& view = View();
    crispness = MeasureCrispness(
        screen, kTwice.ToDevice(platform::Rect{view.left, view.top, view.left + view.width, view.top + view.height}));
  });
  EXPECT_GT(crispness.inkedBlocks, 1000);
  EXPECT_LT(crispness.UniformShare(), 0.5);
  std::printf("uniform 2x2 blocks among inked ones in the text area: %.1f %%\n", 100 * crispness.UniformShare());
}

}  // namespace
}  // namespace quillory_test
