#include "bookmarks/bookmark_list.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/app_state.h"
#include "platform/backends/headless/headless_backend.h"
#include "platform/dialogs/message_box_dialog.h"
#include "platform/system/memory.h"
#include "platform/windows/window.h"
#include "tests/support/scoped_environment.h"
#include "tests/support/stored_values.h"

namespace quillory {
namespace {

using Bytes = std::vector<std::uint8_t>;

class BookmarkTest : public ::testing::Test {
 protected:
  BookmarkTest() { ResetAppState(); }
  ~BookmarkTest() override {
    ReleaseBookmarks();
    ResetAppState();
  }
  void Store(const std::string& hex) {
    scratch_.Write("registry.reg", "Windows Registry Editor Version 5.00\n\n"
                                   "[HKEY_CURRENT_USER\\Software\\Orvenda\\Quillory - 32]\n"
                                   "\"Bookmarks\"=hex:" + hex + "\n");
  }
  static std::vector<std::uint16_t> List() {
    std::vector<std::uint16_t> numbers;
    for (const std::uint16_t* entry = App().bookmarks; entry && *entry; ++entry) numbers.push_back(*entry);
    EXPECT_EQ(numbers.size(), App().bookmarkCount);
    return numbers;
  }
  void Bookmark(std::uint16_t article) {
    App().currentArticle = article;
    ToggleBookmark(IsBookmarked(article));
  }

  testing::ScratchFolder scratch_;
  testing::ScopedVariable registry_{"QUILLORY_REGISTRY", (scratch_.path() / "registry.reg").string()};
  platform::ScopedHeadlessBackend backend_;
};

TEST_F(BookmarkTest, AddedInOrderAndStoredAsLittleEndianWordsWithAZero) {
  Store("00,00");
  LoadBookmarks();
  EXPECT_TRUE(List().empty());
  Bookmark(17);
  Bookmark(3);
  Bookmark(0);  // no article: nothing
  Bookmark(45);  // a damaged "Lesson" shown as the reader's choice: nothing either
  Bookmark(0xFFFF);
  EXPECT_EQ(List(), (std::vector<std::uint16_t>{17, 3}));
  SaveBookmarks();
  ReleaseBookmarks();
  testing::ExpectStoredSettings({{"Bookmarks", platform::kRegBytes, {0x11, 0, 3, 0, 0, 0}}});
  LoadBookmarks();
  EXPECT_EQ(List(), (std::vector<std::uint16_t>{17, 3}));
  EXPECT_TRUE(backend_->shownBoxes().empty());
}

TEST_F(BookmarkTest, DamagedValuesKeepTheirValidDistinctNumbersUpToTheFirstZero) {
  const std::vector<std::pair<std::string, std::vector<std::uint16_t>>> cases = {
      {"11,00,03,00,00,00", {17, 3}},               // sound: as it stands
      {"11,00,03,00", {17, 3}},                     // no terminator
      {"11,00,03,00,07", {17, 3}},                  // odd length
      {"11,00,2d,00,03,00,00,00", {17, 3}},         // 45 is no article
      {"11,00,11,00,03,00,00,00", {17, 3}},         // repeated
      {"11,00,00,00,03,00,00,00", {17}},            // a 0 ends the list
      {"ff,ff,05,00,00,00", {5}},
      {"07", {}},
  };
  for (const auto& [hex, expected] : cases) {
    SCOPED_TRACE(hex);
    Store(hex);
    LoadBookmarks();
    EXPECT_EQ(List(), expected);
    ASSERT_NE(App().bookmarks, nullptr);
    EXPECT_EQ(App().bookmarks[expected.size()], 0);
    ReleaseBookmarks();
  }
}

TEST_F(BookmarkTest, TheRemovalQuestionDecides) {
  Store("05,00,09,00,00,00");
  LoadBookmarks();
  backend_->ScriptAnswer(platform::kIdNo);
  Bookmark(5);
  EXPECT_EQ(List(), (std::vector<std::uint16_t>{5, 9}));
  ASSERT_EQ(backend_->shownBoxes().size(), 1u);
  EXPECT_EQ(backend_->shownBoxes()[0].text, "Remove Bookmark?\n\nCancel - Don't ask again");
  EXPECT_EQ(backend_->shownBoxes()[0].caption, "Bookmark");
  EXPECT_EQ(backend_->shownBoxes()[0].style, static_cast<unsigned>(platform::kMbYesNoCancel));

  backend_->ScriptAnswer(platform::kIdYes);
  Bookmark(5);
  EXPECT_EQ(List(), (std::vector<std::uint16_t>{9}));

  // Cancel removes and stops the question for the rest of the run.
  Bookmark(5);
  backend_->ScriptAnswer(platform::kIdCancel);
  Bookmark(9);
  EXPECT_EQ(List(), (std::vector<std::uint16_t>{5}));
  Bookmark(5);
  EXPECT_TRUE(List().empty());
  EXPECT_EQ(backend_->shownBoxes().size(), 3u);
  SaveBookmarks();
  testing::ExpectStoredSettings({{"Bookmarks", platform::kRegBytes, {0, 0}}});
}

// Shows the real box and answers it from the keyboard (or by closing it),
// as a person would; counts the boxes.
class PersonAtTheBox final : public platform::Backend {
 public:
  explicit PersonAtTheBox(std::vector<platform::ScriptCommand> answer) : answer_(std::move(answer)) {}
  int RunMessageBox(const platform::MessageBoxRequest& request) override {
    ++shown;
    next_ = 0;
    return platform::RunMessageBoxDialog(request);
  }
  bool WaitForInput(int) override {
    if (next_ >= answer_.size()) return false;
    platform::RunScriptCommand(answer_[next_++]);
    return true;
  }
  int shown = 0;

 private:
  std::vector<platform::ScriptCommand> answer_;
  std::size_t next_ = 0;
};

TEST_F(BookmarkTest, BackingOutOfTheQuestionKeepsTheBookmarkAndItIsAskedAgain) {
  platform::ScriptError error;
  platform::ScriptCommand close;
  close.kind = platform::ScriptCommand::Kind::kCall;
  close.call = [] { platform::PostMessage(platform::OpenMessageBox(), platform::kWmClose, 0, 0); };
  for (const std::vector<platform::ScriptCommand>& answer :
       {platform::ParseScript("key Escape\n", error).value(), std::vector<platform::ScriptCommand>{close}}) {
    Store("05,00,00,00");
    LoadBookmarks();
    PersonAtTheBox person(answer);
    platform::Backend* previous = platform::InstallBackend(&person);
    Bookmark(5);
    EXPECT_EQ(List(), (std::vector<std::uint16_t>{5}));
    Bookmark(5);
    EXPECT_EQ(person.shown, 2) << "backing out is no Cancel: the question comes again";
    EXPECT_EQ(List(), (std::vector<std::uint16_t>{5}));
    platform::InstallBackend(previous);
    App().bookmarkOptions = 0;
    ReleaseBookmarks();
    platform::ResetWindowSystem();
  }
}

TEST_F(BookmarkTest, NoMemoryToAddLeavesTheListAsItWas) {
  Store("05,00,00,00");
  LoadBookmarks();
  App().currentArticle = 8;
  platform::FailNthAllocation(1);
  AddBookmark();
  platform::FailNthAllocation(0);
  EXPECT_EQ(List(), (std::vector<std::uint16_t>{5}));
}

}  // namespace
}  // namespace quillory
