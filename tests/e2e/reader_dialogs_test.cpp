// The reader's dialogs as a person meets them: About from the menu and
// from the help key, with its link.

#include <chrono>
#include <fstream>
#include <thread>

#include "platform/graphics/dialog_units.h"
#include "platform/windows/descriptor_watch.h"
#include "platform/windows/message_box.h"
#include "resources/program_resources.h"
#include "search/keyboard_layout.h"
#include "tests/e2e/reader_fixture.h"
#include "tests/platform/png_reader.h"
#include "tests/support/wait_until.h"

namespace quillory_test {
namespace {

using quillory::App;

bool HasPixel(const platform::Framebuffer& screen, platform::Pixel wanted) {
  for (const platform::Pixel pixel : screen.pixels()) {
    if (pixel == wanted) return true;
  }
  return false;
}

TEST_F(ReaderTest, AboutShowsItsBlueLinkWhichOpensTheMakersPage) {
  const auto opener = scratch_.Write("xdg-open", "#!/bin/sh\nprintf '%s' \"$1\" > \"${0%/*}/opened\"\n");
  std::filesystem::permissions(opener, std::filesystem::perms::owner_all);
  quillory::testing::ScopedVariable path("PATH", scratch_.path().string());
  StoreSettings("\"Lesson\"=dword:00000004\n\"Flags\"=dword:d1140044\n");
  const std::string shot = (scratch_.path() / "about.png").string();
  // Played while the dialog runs: a picture of it, the link, then OK.
  Script("snapshot " + shot + "\ncommand 1025\ncommand 1\n");
  bool mainWindowAfter = false;
  Run([&] {
    Command(quillory::kAboutCommand);
    mainWindowAfter = platform::GetForegroundWindow() == App().mainWindow;
  });
  EXPECT_TRUE(mainWindowAfter);
  const auto screen = ReadPng(shot);
  ASSERT_TRUE(screen);
  EXPECT_TRUE(HasPixel(*screen, 0x000000FF));
  std::string opened;
  for (int i = 0; i < 200 && opened.empty(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::ifstream(scratch_.path() / "opened") >> opened;
  }
  EXPECT_EQ(opened, "http://www.orvenda.example/");
  EXPECT_TRUE(boxes_.empty());
}

// The longest run of `colour` along one row of the picture.
std::int32_t LongestRow(const platform::Framebuffer& picture, platform::Pixel colour) {
  std::int32_t longest = 0;
  for (std::int32_t y = 0; y < picture.height(); ++y) {
    std::int32_t run = 0;
    for (std::int32_t x = 0; x < picture.width(); ++x) {
      run = picture.at(x, y) == colour ? run + 1 : 0;
      longest = std::max(longest, run);
    }
  }
  return longest;
}

TEST_F(ReaderTest, TheAboutLinkIsUnderlinedFromEndToEnd) {
  StoreSettings("\"Lesson\"=dword:00000004\n\"Flags\"=dword:d1140044\n");
  const std::string shot = (scratch_.path() / "about.png").string();
  Script("snapshot " + shot + "\ncommand 1\n");
  Run([&] { Command(quillory::kAboutCommand); });
  const auto screen = ReadPng(shot);
  ASSERT_TRUE(screen);
  // The test's characters are 8-pixel boxes with a gap between them: only
  // the underline runs the length of the address.
  EXPECT_GE(LongestRow(*screen, 0x000000FF), 8 * static_cast<std::int32_t>(std::string("www.orvenda.example").size()));
}

// An opener that is there but cannot open anything, as xdg-open is on a
// machine without a browser.
void FailingOpener(const quillory::testing::ScratchFolder& folder) {
  const auto opener = folder.Write("xdg-open", "#!/bin/sh\nexit 3\n");
  std::filesystem::permissions(opener, std::filesystem::perms::owner_all);
}

TEST_F(ReaderTest, WhenNoBrowserCanBeStartedTheReaderSaysSoWithTheAddress) {
  StoreSettings("\"Lesson\"=dword:00000004\n\"Flags\"=dword:d1140044\n");
  const std::string update = "http://updates.orvenda.example/cgi-bin/upgrade?p=arm/Orvenda/Quillory+%2D+32&v=1.84a";
  // No opener at all: the About link tells at once, over About.
  {
    quillory::testing::ScopedVariable path("PATH", (scratch_.path() / "nothing").string());
    Script("command 1025\ncommand 1\n");
    Run([&] { Command(quillory::kAboutCommand); });
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, "No web browser could be started to open\nhttp://www.orvenda.example/\n\n"
                              "Open it in a browser by hand.");
    EXPECT_EQ(boxes_[0].caption, "Quillory - 32");
    EXPECT_EQ(boxes_[0].icon(), platform::kMbIconExclamation);
    EXPECT_NE(boxes_[0].owner, App().mainWindow) << "over the About dialog";
  }
  // An opener that fails: Check For Updates tells once it has ended.
  FailingOpener(scratch_);
  quillory::testing::ScopedVariable path("PATH", scratch_.path().string());
  Script("");
  Run([&] {
    Command(quillory::kCheckForUpdatesCommand);
    EXPECT_TRUE(quillory::testing::WaitUntil([&] {
      platform::PollWatchedDescriptors(10);
      return !backend_->shownBoxes().empty();
    }));
  });
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, "No web browser could be started to open\n" + update + "\n\nOpen it in a browser by hand.");
  EXPECT_EQ(boxes_[0].owner, App().mainWindow);
}

TEST_F(ReaderTest, TheHelpKeyOpensAboutAndItsOkButtonClosesIt) {
  StoreSettings("\"Lesson\"=dword:00000004\n\"Flags\"=dword:d1140044\n");
  // The first command reaches the open dialog, so the second, This Week,
  // can only reach the reader once About is closed.
  Script("command 1\ncommand 108\n");
  Run([&] { Key(platform::kVkF1); });
  EXPECT_EQ(Stored("Flags").value_or(0) & quillory::kChosenArticleFlag, 0u);
}

}  // namespace
}  // namespace quillory_test

namespace quillory_test {
namespace {

// A tap on key `key` of the Search dialog's keyboard, in the dialog's
// client pixels, as the dialog finds its keyboard.
std::string TapKey(int key) {
  const platform::Size units = platform::GetDialogBaseUnits();
  const int left = 7 * units.cx / 4;
  const int top = 71 * units.cy / 8;
  const int row = key == quillory::kSpaceKey ? quillory::kLetterRows : quillory::KeyRow(key);
  const int column = key == quillory::kSpaceKey ? 4 : quillory::KeyColumn(key);
  return "tap " + std::to_string(left + column * quillory::kKeyWidth + 8) + " " +
         std::to_string(top + row * quillory::kKeyHeight + 12) + "\n";
}

std::string StoredPattern() {
  return std::string(reinterpret_cast<const char*>(App().searchPattern.data()));
}

TEST_F(ReaderTest, KeysTappedRightToLeftMakeThePatternInDisplayOrder) {
  StoreSettings("\"Lesson\"=dword:00000004\n\"Flags\"=dword:d1140044\n");
  answers_ = {platform::kIdOk};  // "Not Found!", if it comes
  Script(TapKey(1) + TapKey(2) + TapKey(3) + "command 1\ncommand 2\n");
  Run([&] { Command(quillory::kSearchCommand); });
  // Gimel, bet, alef as the box shows them, alef rightmost.
  EXPECT_EQ(StoredPattern(), "cba");
}

TEST_F(ReaderTest, SpaceRunsFoldAndAnEmptyPatternClosesWithoutASearch) {
  StoreSettings("\"Lesson\"=dword:00000004\n\"Flags\"=dword:d1140044\n");
  answers_ = {platform::kIdOk};
  Script(TapKey(0) + TapKey(0) + TapKey(0) + TapKey(1) + "command 1\ncommand 2\n");
  Run([&] { Command(quillory::kSearchCommand); });
  EXPECT_EQ(StoredPattern(), "a ");

  // The stored pattern comes up selected; a Backspace empties the box.
  StoreSettings("\"Lesson\"=dword:00000004\n\"Flags\"=dword:d1140044\n\"SearchString\"=hex:6d,7a,00\n");
  Script("key Backspace\ncommand 1\ncommand 108\n");
  Run([&] { Command(quillory::kSearchCommand); });
  EXPECT_EQ(StoredPattern(), "");
  EXPECT_TRUE(boxes_.empty());
  // The dialog had closed, so This Week reached the reader.
  EXPECT_EQ(Stored("Flags").value_or(0) & quillory::kChosenArticleFlag, 0u);
}

TEST_F(ReaderTest, HebrewTypedOnTheComputersKeyboardFindsTheWord) {
  StoreSettings("\"Lesson\"=dword:00000004\n\"Flags\"=dword:d1140044\n");
  // Shin then lamed, typed as a person writes "של".
  Script("type \xD7\xA9\xD7\x9C\ncommand 1\n");
  std::uint16_t highlighted = 0;
  Run([&] {
    Command(quillory::kSearchCommand);
    highlighted = View().highlightEnd;
  });
  EXPECT_EQ(StoredPattern(), "mz");
  EXPECT_GT(highlighted, 0);
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(ReaderTest, NumbersAndLatinTypedInReadingOrderAreFoundAndBackspaceTakesBackTheLastCharacter) {
  // "הפרשות 23 עד 32" and "מקש F3", as the volume shows them; typed in
  // reading order, each is stored as the text is, and found.
  const std::vector<std::pair<const char*, const char*>> typed = {
      {"\xD7\x94\xD7\xA4\xD7\xA8\xD7\xA9\xD7\x95\xD7\xAA 23 \xD7\xA2\xD7\x93 32", "32 ds 23 {fzyue"},
      {"\xD7\x9E\xD7\xA7\xD7\xA9 F3", "F3 zxo"}};
  for (const auto& [keys, stored] : typed) {
    SCOPED_TRACE(stored);
    StoreSettings("\"Lesson\"=dword:00000002\n\"Flags\"=dword:d1140044\n");
    Script(std::string("type ") + keys + "\ncommand 1\n");
    std::uint16_t article = 0;
    Run([&] {
      Command(quillory::kSearchCommand);
      article = App().currentArticle;
    });
    EXPECT_EQ(StoredPattern(), stored);
    EXPECT_TRUE(boxes_.empty()) << "found";
    EXPECT_NE(article, 2);
  }
  // "שבת" less its last letter, and "23" less its last digit.
  StoreSettings("\"Lesson\"=dword:00000002\n\"Flags\"=dword:d1140044\n");
  Script("type \xD7\xA9\xD7\x91\xD7\xAA\nkey Backspace\ncommand 1\ncommand 2\n");
  Run([&] { Command(quillory::kSearchCommand); });
  EXPECT_EQ(StoredPattern(), "bz");
  Script("type 23\nkey Backspace\ncommand 1\ncommand 2\n");
  Run([&] { Command(quillory::kSearchCommand); });
  EXPECT_EQ(StoredPattern(), "2");
}

TEST_F(ReaderTest, WithTheReverseOptionAnUnchangedPatternIsConfirmedAsItWas) {
  // "כוהן" stored; the box shows it reversed under the Reverse option.
  StoreSettings("\"Lesson\"=dword:00000002\n\"Flags\"=dword:d1140844\n\"SearchString\"=hex:70,65,66,6c,00\n");
  Script("command 1\n");
  Run([&] { Command(quillory::kSearchCommand); });
  EXPECT_EQ(StoredPattern(), "pefl");
  EXPECT_TRUE(boxes_.empty()) << "found";
}

}  // namespace
}  // namespace quillory_test

namespace quillory_test {
namespace {

// The words the volume's notes list for searching, typed as a person types
// them, found through the dialog; Search Again then goes on to another one.
TEST_F(ReaderTest, TheVolumesSearchWordsAreFoundThroughTheDialog) {
  for (const char* word : {"\xD7\xA7\xD7\xA8\xD7\x91\xD7\x9F",          // קרבן
                           "\xD7\x9B?\xD7\x94\xD7\x9F",                  // כ?הן
                           "\xD7\x98\xD7\x95*\xD7\x94",                  // טו*ה
                           "\xD7\xA9\xD7\x9E\xD7\x99\xD7\x98\xD7\x94"}) {  // שמיטה
    SCOPED_TRACE(word);
    StoreSettings("\"Lesson\"=dword:00000001\n\"Flags\"=dword:d1140044\n");
    Script(std::string("type ") + word + "\ncommand 1\n");
    std::uint16_t first = 0;
    std::uint16_t firstArticle = 0;
    std::uint16_t second = 0;
    std::uint16_t secondArticle = 0;
    Run([&] {
      Command(quillory::kSearchCommand);
      first = View().highlightEnd;
      firstArticle = App().currentArticle;
      Key(platform::kVkReturn);
      second = View().highlightEnd;
      secondArticle = App().currentArticle;
    });
    EXPECT_TRUE(boxes_.empty());
    EXPECT_GT(first, 0);
    EXPECT_GT(second, 0);
    EXPECT_TRUE(firstArticle != secondArticle || first != second);
  }
}

}  // namespace
}  // namespace quillory_test
