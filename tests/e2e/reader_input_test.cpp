// Reading: keys, the scroll bar, taps, links and the commands that move
// between articles.

#include "app/article_loading.h"
#include "app/bars.h"
#include "app/view_input.h"
#include "resources/program_resources.h"
#include "tests/e2e/reader_fixture.h"
#include "view/article_format.h"
#include "view/text_scroll.h"

namespace quillory_test {
namespace {

using quillory::App;

// Article 12 as the reader's own choice, with the given "Flags" besides.
std::string ChosenArticle12(std::uint32_t flags) {
  char text[80];
  std::snprintf(text, sizeof text, "\"Lesson\"=dword:0000000c\n\"Flags\"=dword:%08x\n", flags | quillory::kChosenArticleFlag);
  return text;
}

constexpr std::uint32_t kDefaultFlags = 0xD1140040;

platform::LResult Scroll(std::uint16_t code, std::int16_t position = 0) {
  const platform::LResult result = platform::SendMessage(
      App().mainWindow, platform::kWmVScroll, platform::MakeLong(code, static_cast<std::uint16_t>(position)), 0);
  platform::PumpUntilIdle();
  return result;
}

// A point of the text area's middle column at a fraction of its height
// that no link covers.
platform::Point PlainPointAt(double fraction) {
  const quillory::TextView& view = *App().textView;
  const std::int32_t x = view.left + view.width / 2;
  for (std::int32_t y = view.top + static_cast<std::int32_t>(view.height * fraction); y < view.top + view.height; ++y) {
    if (quillory::HitTestLink(&view, x, y) == 0) return platform::Point{x, y};
  }
  ADD_FAILURE() << "no plain point";
  return platform::Point{x, view.top};
}

TEST_F(ReaderTest, PagingKeysFollowTheKeyStepOfFlags) {
  StoreSettings(ChosenArticle12(kDefaultFlags));
  Run([&] {
    const int page = View().unitsDrawn;
    ASSERT_GT(page, 4);
    Key(platform::kVkNext);
    EXPECT_EQ(View().topPosition, page - 1);
    Key(platform::kVkDown);
    EXPECT_EQ(View().topPosition, page);
    Key(platform::kVkUp);
    Key(platform::kVkPrior);
    EXPECT_EQ(View().topPosition, 0);
    Key(platform::kVkEnd);
    EXPECT_EQ(View().topPosition, View().maxTop);
    EXPECT_EQ(platform::GetScrollPos(App().mainWindow, platform::kSbVert), View().maxTop);
    // From a page that runs past the last full one, End comes back to it.
    Key(platform::kVkUp);
    Key(platform::kVkNext);
    ASSERT_GT(View().topPosition, View().maxTop) << "a page step from below the last page runs past it";
    Key(platform::kVkEnd);
    EXPECT_EQ(View().topPosition, View().maxTop);
    Key(platform::kVkEnd);
    EXPECT_EQ(View().topPosition, View().maxTop);
    Key(platform::kVkHome);
    EXPECT_EQ(View().topPosition, 0);
    EXPECT_EQ(platform::SendMessage(App().mainWindow, platform::kWmKeyDown, 'Z', 0), 1);
  });

  StoreSettings(ChosenArticle12((kDefaultFlags & ~quillory::kKeyPageStepField) | 0x00200000));
  Run([&] {
    const int page = View().unitsDrawn;
    Key(platform::kVkNext);
    EXPECT_EQ(View().topPosition, page / 2);
  });
}

TEST_F(ReaderTest, ScrollBarNotificationsMoveAsTheBarsCodesSay) {
  StoreSettings(ChosenArticle12(kDefaultFlags));
  Run([&] {
    const int page = View().unitsDrawn;
    EXPECT_EQ(Scroll(platform::kSbPageDown), 1);
    EXPECT_EQ(View().topPosition, page - 1);
    Scroll(platform::kSbLineDown);
    Scroll(platform::kSbLineDown);
    Scroll(platform::kSbLineUp);
    EXPECT_EQ(View().topPosition, page);
    const int drawn = View().unitsDrawn;
    Scroll(platform::kSbPageUp);
    EXPECT_EQ(View().topPosition, page - (drawn - 1));
    Scroll(platform::kSbThumbTrack, 9);
    EXPECT_EQ(View().topPosition, 9);
    Scroll(platform::kSbThumbPosition, 4);
    EXPECT_EQ(View().topPosition, 4);
    Scroll(platform::kSbBottom);  // the last full page
    EXPECT_EQ(View().topPosition, View().maxTop);
    Scroll(platform::kSbEndScroll);
    EXPECT_EQ(View().topPosition, View().maxTop);
    EXPECT_EQ(platform::GetScrollPos(App().mainWindow, platform::kSbVert), View().maxTop);
    Scroll(platform::kSbTop);
    EXPECT_EQ(View().topPosition, 0);
  });
}

TEST_F(ReaderTest, TapsPageByTheHalvesThatFlagsChoose) {
  // Upper and lower halves (the default).
  StoreSettings(ChosenArticle12(kDefaultFlags));
  Run([&] {
    const int step = View().unitsDrawn - 1;
    const platform::Point lower = PlainPointAt(0.75);
    Tap(lower.x, lower.y);
    EXPECT_EQ(View().topPosition, step);
    const platform::Point upper = PlainPointAt(0.1);
    Tap(upper.x, upper.y);
    EXPECT_EQ(View().topPosition, 0);
  });
  // Left and right halves, half a page each.
  StoreSettings(ChosenArticle12((kDefaultFlags & ~(quillory::kTapHalvesFlag | quillory::kTapPageStepField)) | 0x02000000));
  Run([&] {
    const int step = View().unitsDrawn / 2;
    const platform::Point middle = PlainPointAt(0.5);
    Tap(View().left + View().width - 5, middle.y);
    EXPECT_EQ(View().topPosition, step);
    Tap(View().left + 5, middle.y);
    EXPECT_EQ(View().topPosition, 0);
  });
  // Tap paging off.
  StoreSettings(ChosenArticle12(kDefaultFlags & ~quillory::kTapPagingFlag));
  Run([&] {
    const platform::Point lower = PlainPointAt(0.75);
    Tap(lower.x, lower.y);
    EXPECT_EQ(View().topPosition, 0);
  });
}

TEST_F(ReaderTest, TheGutterIsAMarginAndTheTapTolerance) {
  StoreSettings(ChosenArticle12(kDefaultFlags), "\"SurroundingGutter\"=dword:0000000a\n");
  Run([&] {
    EXPECT_EQ(View().left, 10);
    const std::int32_t y = PlainPointAt(0.75).y;
    Tap(View().left - 11, y);
    EXPECT_EQ(View().topPosition, 0);
    Tap(View().left - 10, y);
    const int afterTolerance = View().topPosition;
    EXPECT_GT(afterTolerance, 0);
    Tap(View().left + View().width / 2, View().top + View().height + 1);
    EXPECT_EQ(View().topPosition, afterTolerance);
  });
}

TEST(TextArea, TheBarAndTheGutterComeOffTheClientArea) {
  quillory::ResetAppState();
  App().barHeight = 26;
  App().gutter = 10;
  const quillory::ViewRect area = quillory::TextAreaOf(240, 268);
  EXPECT_EQ(area.left, 10);
  EXPECT_EQ(area.top, 36);
  EXPECT_EQ(area.right - area.left, 220);
  EXPECT_EQ(area.bottom - area.top, 222);

  App().menuBarOnBottom = 1;
  App().gutter = 125;  // at least half of each side: the edges stay
  const quillory::ViewRect wide = quillory::TextAreaOf(240, 268);
  EXPECT_EQ(wide.left, 0);
  EXPECT_EQ(wide.right, 240);
  EXPECT_EQ(wide.top, 0);
  EXPECT_EQ(wide.bottom, 242);
  quillory::ResetAppState();
}

TEST_F(ReaderTest, ALinkLeadsToItsArticleAndTheBackLinkReturns) {
  StoreSettings("\"Lesson\"=dword:00000004\n\"Flags\"=dword:d1140044\n");
  Run([&] {
    // Find the first link and follow it.
    const quillory::LinkHit* link = nullptr;
    for (int page = 0; page < 40 && !link; ++page) {
      for (const quillory::LinkHit* hit = View().links; hit && hit->line; ++hit) {
        if (hit->line->linkNumber != 0 && hit->line->linkNumber != quillory::kBackLinkNumber) {
          link = hit;
          break;
        }
      }
      if (!link) Key(platform::kVkNext);
    }
    ASSERT_NE(link, nullptr);
    const std::uint16_t target = link->line->linkNumber;
    const std::uint16_t leftAt = View().topPosition;
    Tap(link->line->x + 2, link->y + 2);
    ASSERT_EQ(App().currentArticle, target);
    EXPECT_EQ(App().previousArticle, 4);
    EXPECT_EQ(App().previousPosition, leftAt);
    EXPECT_EQ(View().topPosition, 0);

    // The back link is shown now; find it and tap it.
    bool returned = false;
    for (int page = 0; page < 60 && !returned; ++page) {
      for (const quillory::LinkHit* hit = View().links; hit && hit->line; ++hit) {
        if (hit->line->linkNumber == quillory::kBackLinkNumber) {
          Tap(hit->line->x + 2, hit->y + 2);
          returned = true;
          break;
        }
      }
      if (!returned) Key(platform::kVkNext);
    }
    ASSERT_TRUE(returned);
    EXPECT_EQ(App().currentArticle, 4);
    EXPECT_EQ(View().topPosition, leftAt);
    EXPECT_EQ(App().previousArticle, 0);
  });
}

TEST_F(ReaderTest, StepsWrapAroundTheVolumeAndForgetTheBackLink) {
  StoreSettings("\"Lesson\"=dword:0000002c\n\"Flags\"=dword:d1140044\n\"PreviousLesson\"=dword:00000003\n");
  Run([&] {
    Command(quillory::kNextArticleCommand);
    EXPECT_EQ(App().currentArticle, 1);
    EXPECT_EQ(App().previousArticle, 0);
    Key(platform::kVkLeft);
    EXPECT_EQ(App().currentArticle, 44);
    Command(quillory::kPreviousArticleCommand);
    EXPECT_EQ(App().currentArticle, 43);
    Key(platform::kVkRight);
    EXPECT_EQ(App().currentArticle, 44);
  });
  EXPECT_EQ(Stored("Lesson"), 44u);
  EXPECT_EQ(Stored("PreviousLesson"), 0u);
}

TEST_F(ReaderTest, ReverseTwiceRestoresTheBitAndTheCheckMark) {
  StoreSettings(ChosenArticle12(kDefaultFlags | quillory::kReverseFlag));
  Run([&] {
    platform::Menu* menu = quillory::CheckMarkMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(platform::GetMenuState(menu, quillory::kReverseCommand) & platform::kMfChecked);
    Command(quillory::kReverseCommand);
    EXPECT_EQ(App().flags & quillory::kReverseFlag, 0u);
    EXPECT_FALSE(platform::GetMenuState(menu, quillory::kReverseCommand) & platform::kMfChecked);
    Command(quillory::kReverseCommand);
    EXPECT_NE(App().flags & quillory::kReverseFlag, 0u);
    EXPECT_TRUE(platform::GetMenuState(menu, quillory::kReverseCommand) & platform::kMfChecked);
  });
  EXPECT_NE(Stored("Flags").value_or(0) & quillory::kReverseFlag, 0u);
}

TEST_F(ReaderTest, ShortcutsSendTheirMenuCommands) {
  StoreSettings(ChosenArticle12(kDefaultFlags));
  // ctrl+home is This Week; ctrl+q ends the reader before the script does.
  Script("key ctrl+Home\nkey ctrl+q\nkey PageDown\n");
  Run(nullptr);
  EXPECT_EQ(Stored("Flags").value_or(0) & quillory::kChosenArticleFlag, 0u);
  EXPECT_EQ(Stored("LastPosition"), 0u);
}

TEST_F(ReaderTest, NewerPlatformsPutTheMenuBarAtTheBottom) {
  platform::SetPlatformVersion(platform::PlatformVersion{4, 21});
  StoreSettings(ChosenArticle12(kDefaultFlags));
  Run([&] {
    EXPECT_EQ(App().menuBarOnBottom, 1u);
    EXPECT_GT(App().barHeight, 0);
    EXPECT_EQ(View().top, 0);
    const platform::Rect client = platform::GetClientRect(App().mainWindow);
    EXPECT_EQ(View().height, client.height() - App().barHeight);
    EXPECT_NE(quillory::CheckMarkMenu(), nullptr);
  });
  platform::SetPlatformVersion(platform::PlatformVersion{4, 20});
  Run([&] {
    EXPECT_EQ(App().menuBarOnBottom, 0u);
    EXPECT_EQ(View().top, App().barHeight);
  });
}

TEST_F(ReaderTest, UnknownCommandsGoToDefaultProcessing) {
  StoreSettings(ChosenArticle12(kDefaultFlags));
  Run([&] {
    Command(111);
    Command(quillory::kGoButtonCommand);
    EXPECT_EQ(App().currentArticle, 12);
    EXPECT_TRUE(platform::IsWindow(App().mainWindow));
  });
}

}  // namespace
}  // namespace quillory_test

namespace quillory_test {
namespace {

TEST_F(ReaderTest, EnterAndSearchAgainFindTheStoredPattern) {
  // "של" in the letter code, stored as it is drawn: lamed, then shin.
  StoreSettings("\"Lesson\"=dword:00000004\n\"Flags\"=dword:d1140044\n\"SearchString\"=hex:6d,7a,00\n");
  Script("key F3\n");
  std::uint16_t firstMatch = 0;
  Run([&] {
    Key(platform::kVkReturn);
    firstMatch = View().highlightEnd;
    EXPECT_GT(firstMatch, 0);
  });
  EXPECT_TRUE(boxes_.empty());
  // F3 went on from the first match, so the reader was left further on.
  EXPECT_GT(Stored("LastPosition").value_or(0), 0u);

  StoreSettings("\"Lesson\"=dword:00000004\n\"Flags\"=dword:d1140044\n");
  Run([&] {
    Key(platform::kVkReturn);
    EXPECT_EQ(View().highlightEnd, 0);
  });
  EXPECT_TRUE(boxes_.empty());
}

}  // namespace
}  // namespace quillory_test

namespace quillory_test {
namespace {

TEST_F(ReaderTest, TheBookmarkCommandKeepsItsCheckMarkAndTheListSurvivesARestart) {
  StoreSettings("\"Lesson\"=dword:00000011\n\"Flags\"=dword:d1140044\n");
  Run([&] {
    platform::Menu* menu = quillory::CheckMarkMenu();
    EXPECT_FALSE(platform::GetMenuState(menu, quillory::kBookmarkCommand) & platform::kMfChecked);
    Command(quillory::kBookmarkCommand);
    EXPECT_TRUE(platform::GetMenuState(menu, quillory::kBookmarkCommand) & platform::kMfChecked);
    Command(quillory::kNextArticleCommand);  // the mark follows the article
    EXPECT_FALSE(platform::GetMenuState(menu, quillory::kBookmarkCommand) & platform::kMfChecked);
    Command(quillory::kBookmarkCommand);
  });
  answers_ = {platform::kIdNo};
  bool stillMarked = false;
  Run([&] {
    Command(quillory::kPreviousArticleCommand);
    Command(quillory::kBookmarkCommand);  // No: kept
    stillMarked = platform::GetMenuState(quillory::CheckMarkMenu(), quillory::kBookmarkCommand) & platform::kMfChecked;
  });
  EXPECT_TRUE(stillMarked);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].caption, "Bookmark");
}

}  // namespace
}  // namespace quillory_test
