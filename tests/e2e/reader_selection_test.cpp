// Selecting with the mouse in the whole reader: drags, double and triple
// clicks, Shift with a click, a click that clears, Escape, another article;
// Copy of the selection onto the clipboard and the primary selection; and
// Night Reading, its check mark, its page and its setting across a restart.

#include <chrono>
#include <string>

#include "app/bars.h"
#include "platform/windows/clipboard.h"
#include "platform/windows/timer.h"
#include "resources/program_resources.h"
#include "tests/e2e/reader_fixture.h"
#include "tests/support/clipboard_contents.h"
#include "view/palette.h"
#include "view/text_lines.h"
#include "view/text_selection.h"

namespace quillory_test {
namespace {

using quillory::App;
using quillory::testing::FromUtf16LeBytes;

// Article 31, the reader's own choice, in the default palette unless `more` says otherwise.
std::string Article31(const std::string& more = "") {
  return "\"Lesson\"=dword:0000001f\n\"Flags\"=dword:d1140044\n" + more;
}

platform::Point OnScreen(std::int32_t x, std::int32_t y) {
  return platform::ClientToScreen(App().mainWindow, platform::Point{x, y});
}

void Drag(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
  platform::InjectStylus(platform::StylusAction::kDown, OnScreen(x1, y1));
  for (int step = 1; step <= 8; ++step) {
    platform::InjectStylus(platform::StylusAction::kMove, OnScreen(x1 + (x2 - x1) * step / 8, y1 + (y2 - y1) * step / 8));
  }
  platform::InjectStylus(platform::StylusAction::kUp, OnScreen(x2, y2));
  platform::PumpUntilIdle();
}

// The presses of a click counted as the desktop counts them.
void Click(std::int32_t x, std::int32_t y, int presses = 1) {
  for (int press = 1; press <= presses; ++press) {
    platform::InjectStylus(platform::StylusAction::kDown, OnScreen(x, y), press);
    platform::InjectStylus(platform::StylusAction::kUp, OnScreen(x, y));
  }
  platform::PumpUntilIdle();
}

// A point on the n-th text line shown, `fromRight` pixels in from the right edge of the text area.
platform::Point OnLine(int n, std::int32_t fromRight) {
  const quillory::TextView& view = *App().textView;
  return platform::Point{view.left + view.width - fromRight, view.top + 16 * n + 8};
}

std::u16string HeldText() {
  return FromUtf16LeBytes(quillory::testing::HeldOnClipboard(platform::kCfUnicodeText).value_or("")).c_str();
}

std::u16string Copied() {
  platform::SendMessage(App().mainWindow, platform::kWmCommand, quillory::kCopyCommand, 0);
  platform::PumpUntilIdle();
  return HeldText();
}

std::string PrimaryHeld(platform::ClipboardFormat format) {
  const auto data = platform::HeldPrimarySelection(format);
  return data ? std::string(data->begin(), data->end()) : std::string();
}

class ReaderSelection : public ReaderTest {
 protected:
  void SetUp() override { platform::ResetClipboard(); }
  void TearDown() override { platform::ResetClipboard(); }
};

TEST_F(ReaderSelection, ADragSelectsFromThePressToThePointerAndCopyTakesJustThat) {
  StoreSettings(Article31());
  Run([&] {
    const std::uint16_t top = App().textView->topPosition;
    const platform::Point from = OnLine(3, 40);
    const platform::Point to = OnLine(6, 170);
    Drag(from.x, from.y, to.x, to.y);
    ASSERT_TRUE(quillory::HasSelection(*App().textView));
    EXPECT_EQ(App().textView->topPosition, top) << "a drag turns no page";
    const std::u16string passage = Copied();
    EXPECT_FALSE(passage.empty());
    const std::string rtf =
        quillory::testing::HeldOnClipboard(platform::RegisterClipboardFormat(platform::kRtfFormatName)).value_or("");
    EXPECT_EQ(rtf.rfind("{\\rtf1", 0), 0u) << "rich text beside it";
    EXPECT_EQ(FromUtf16LeBytes(PrimaryHeld(platform::kCfUnicodeText)).c_str(), passage) << "the primary selection";
    EXPECT_EQ(PrimaryHeld(platform::RegisterClipboardFormat(platform::kRtfFormatName)), rtf);

    Key(platform::kVkEscape);
    EXPECT_FALSE(quillory::HasSelection(*App().textView));
    const std::u16string article = Copied();
    EXPECT_GT(article.size(), passage.size());
    EXPECT_NE(article.find(passage), std::u16string::npos) << "the passage as the article reads";
  });
}

TEST_F(ReaderSelection, AClickClearsTheSelectionAndTheNextClickTurnsThePage) {
  StoreSettings(Article31());
  Run([&] {
    const platform::Point from = OnLine(2, 30);
    const platform::Point to = OnLine(3, 100);
    Drag(from.x, from.y, to.x, to.y);
    ASSERT_TRUE(quillory::HasSelection(*App().textView));
    const std::uint16_t top = App().textView->topPosition;
    const platform::Point lower = OnLine(12, 100);
    Click(lower.x, lower.y);
    EXPECT_FALSE(quillory::HasSelection(*App().textView));
    EXPECT_EQ(App().textView->topPosition, top) << "the click only cleared";
    Click(lower.x, lower.y);
    EXPECT_GT(App().textView->topPosition, top) << "a click in the lower half pages forward";
  });
}

platform::TimerClock::time_point gTestNow;
platform::TimerClock::time_point TestClock() { return gTestNow; }

TEST_F(ReaderSelection, ADragHeldBelowThePageScrollsItWhileThePointerKeepsMoving) {
  StoreSettings(Article31());
  Run([&] {
    gTestNow = platform::TimerClock::time_point{} + std::chrono::hours(1);
    const platform::TimeSource previous = platform::SetTimeSource(TestClock);
    const quillory::TextView& view = *App().textView;
    const std::uint16_t top = view.topPosition;
    const platform::Point from = OnLine(2, 30);
    platform::InjectStylus(platform::StylusAction::kDown, OnScreen(from.x, from.y));
    // A hand that goes on moving below the page, a little every 40 ms.
    for (int move = 0; move < 10; ++move) {
      platform::InjectStylus(platform::StylusAction::kMove, OnScreen(from.x - move, view.top + view.height + 10));
      platform::PumpUntilIdle();
      gTestNow += std::chrono::milliseconds(40);
    }
    platform::InjectStylus(platform::StylusAction::kUp, OnScreen(from.x - 10, view.top + view.height + 10));
    platform::PumpUntilIdle();
    platform::SetTimeSource(previous);
    EXPECT_GE(view.topPosition, top + 4) << "a line each 80 ms of the 400";
    EXPECT_TRUE(quillory::HasSelection(view));
  });
}

TEST_F(ReaderSelection, ADoubleClickSelectsAWordOnThePageItBeganOnAndATripleClickItsParagraph) {
  StoreSettings(Article31());
  Run([&] {
    const std::uint16_t top = App().textView->topPosition;
    const platform::Point word = OnLine(12, 60);
    Click(word.x, word.y, 2);
    EXPECT_EQ(App().textView->topPosition, top) << "the first click's page turn is taken back";
    const std::u16string selected = Copied();
    EXPECT_FALSE(selected.empty());
    EXPECT_EQ(selected.find(u' '), std::u16string::npos) << "one word";
    Click(word.x, word.y, 3);
    const std::u16string paragraph = Copied();
    EXPECT_NE(paragraph.find(selected), std::u16string::npos);
    EXPECT_NE(paragraph.find(u' '), std::u16string::npos);
    EXPECT_EQ(paragraph.find(u'\r'), std::u16string::npos) << "the paragraph without its line end";
  });
}

TEST_F(ReaderSelection, ShiftWithAClickExtendsAndAnotherArticleClears) {
  StoreSettings(Article31());
  Run([&] {
    const platform::Point from = OnLine(2, 30);
    const platform::Point to = OnLine(2, 120);
    Drag(from.x, from.y, to.x, to.y);
    const quillory::PlaceSpan first = quillory::SelectedSpan(*App().textView);
    const platform::Point further = OnLine(5, 120);
    platform::InjectKey(platform::kVkShift, true);
    Click(further.x, further.y);
    platform::InjectKey(platform::kVkShift, false);
    const quillory::PlaceSpan extended = quillory::SelectedSpan(*App().textView);
    EXPECT_EQ(extended.start, first.start);
    EXPECT_GT(extended.end, first.end);
    Key(platform::kVkRight);
    EXPECT_EQ(App().currentArticle, 32);
    EXPECT_FALSE(quillory::HasSelection(*App().textView));
  });
}

TEST_F(ReaderSelection, ALinksCaptionIsSelectedByADragAndTheLinkFollowedOnlyByAClick) {
  StoreSettings(Article31());
  Run([&] {
    std::vector<LinkOnPage> links;
    for (int page = 0; page < 30 && (links = LinksOnPage()).empty(); ++page) Key(platform::kVkNext);
    ASSERT_FALSE(links.empty());
    const LinkOnPage link = links.front();
    const std::uint16_t article = App().currentArticle;
    Drag(link.x + 40, link.y - 10, link.x, link.y);
    EXPECT_EQ(App().currentArticle, article) << "a drag follows no link";
    EXPECT_TRUE(quillory::HasSelection(*App().textView));
    Click(link.x, link.y);
    EXPECT_EQ(App().currentArticle, link.article) << "a click does, even with a selection";
  });
}

// Whether most of the text area shows `colour`: the page's ground.
bool PageIs(platform::Color colour) {
  const quillory::TextView& view = *App().textView;
  const platform::Framebuffer& screen = platform::ScreenImage();
  const platform::Point origin = OnScreen(view.left, view.top);
  std::int64_t same = 0;
  for (std::int32_t y = 0; y < view.height; ++y) {
    for (std::int32_t x = 0; x < view.width; ++x) same += screen.at(origin.x + x, origin.y + y) == platform::ToPixel(colour);
  }
  return same * 2 > std::int64_t{view.width} * view.height;
}

TEST_F(ReaderSelection, NightReadingIsCheckedPaintsThePageAndIsKeptAcrossARestart) {
  StoreSettings(Article31());
  const platform::Color night = quillory::NightPalette().page;
  // Ctrl+N from the script, through the reader's own shortcut table.
  Script("key ctrl+n\n");
  Then([&] {
    EXPECT_TRUE(platform::GetMenuState(quillory::CheckMarkMenu(), quillory::kNightReadingCommand) & platform::kMfChecked);
    EXPECT_TRUE(PageIs(night));
  });
  Run([&] {
    platform::Menu* menu = quillory::CheckMarkMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_FALSE(platform::GetMenuState(menu, quillory::kNightReadingCommand) & platform::kMfChecked);
    EXPECT_TRUE(PageIs(platform::kWhite));
  });
  EXPECT_EQ(Stored("NightReading"), 1u);
  script_.clear();
  Run([&] {
    EXPECT_EQ(App().nightReading, 1u);
    EXPECT_TRUE(platform::GetMenuState(quillory::CheckMarkMenu(), quillory::kNightReadingCommand) & platform::kMfChecked);
    EXPECT_TRUE(PageIs(night));
    Command(quillory::kNightReadingCommand);
    EXPECT_TRUE(PageIs(platform::kWhite)) << "by day again";
  });
  EXPECT_EQ(Stored("NightReading"), 0u);
}

}  // namespace
}  // namespace quillory_test
