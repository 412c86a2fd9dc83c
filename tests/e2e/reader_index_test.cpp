// The Choose Section dialog inside the running reader: what it shows when
// it opens, how it closes, and the article switch that follows a tap.

#include <vector>

#include "index/choose_section.h"
#include "index/index_entries.h"
#include "index/section_list.h"
#include "resources/program_resources.h"
#include "tests/e2e/reader_fixture.h"
#include "tests/support/stored_values.h"

namespace quillory_test {
namespace {

using quillory::OpenSectionList;
using quillory::SectionList;

constexpr std::uint16_t kGroupKey = 0xBFE1;
constexpr std::uint16_t kBookmarksKey = 0x8877;

std::string Settings(int article, const std::string& more = "") {
  char text[64];
  std::snprintf(text, sizeof text, "\"Lesson\"=dword:%08x\n", article);
  return text + std::string("\"Flags\"=dword:d1140044\n\"FontName\"=\"Fixed\"\n") + more;
}

// The keys of the entries shown, each once, in order.
std::vector<std::uint16_t> ShownEntries(const SectionList* list) {
  std::vector<std::uint16_t> keys;
  if (list == nullptr) return keys;
  for (const quillory::ListLine* line = list->lines; line->style != 0; ++line) {
    if ((line->style & quillory::kShownBit) && (keys.empty() || keys.back() != line->key)) keys.push_back(line->key);
  }
  return keys;
}

std::vector<std::uint16_t> Articles(int first, int last) {
  std::vector<std::uint16_t> keys;
  for (int i = first; i <= last; ++i) keys.push_back(static_cast<std::uint16_t>(0x4000 | i));
  return keys;
}

std::vector<std::uint16_t> Join(std::vector<std::uint16_t> first, const std::vector<std::uint16_t>& second) {
  first.insert(first.end(), second.begin(), second.end());
  return first;
}

// Drags the scroll bar's thumb to `position`.
void DragThumb(std::uint16_t position) {
  platform::SendMessage(platform::GetForegroundWindow(), platform::kWmVScroll,
                        platform::MakeLong(platform::kSbThumbTrack, position), 0);
}

// A tap on the first line of the first shown entry with `key`, at its
// text's left edge (or `dx` further right).
void TapEntry(std::uint16_t key, std::int32_t dx = 0) {
  ASSERT_NE(OpenSectionList(), nullptr);
  const SectionList& list = *OpenSectionList();
  std::int32_t y = list.top;
  for (const quillory::ListLine* line = quillory::FirstShownLine(list);
       line->style != 0 && y + line->height <= list.top + list.height; ++line) {
    if (!(line->style & quillory::kShownBit)) continue;
    if (line->key == key) {
      const platform::Point at =
          platform::ClientToScreen(platform::GetForegroundWindow(), platform::Point{line->x + dx, y + line->height / 2});
      platform::InjectStylus(platform::StylusAction::kDown, at);
      platform::InjectStylus(platform::StylusAction::kUp, at);
      return;
    }
    y += line->height;
  }
  ADD_FAILURE() << "no entry " << key << " on the page";
}

TEST_F(ReaderTest, TheCurrentArticleIsRevealedInItsClosedGroupAndCancelSwitchesNothing) {
  StoreSettings(Settings(35));
  std::vector<std::uint16_t> shown;
  bool groupOpen = true;
  std::int32_t barMaximum = -1;
  Then([&] {
    ASSERT_NE(OpenSectionList(), nullptr);
    const SectionList& list = *OpenSectionList();
    shown = ShownEntries(&list);
    for (const quillory::ListLine* line = list.lines; line->style; ++line) {
      if (line->key == kGroupKey) groupOpen = (line->style & quillory::kExpandedBit) != 0;
    }
    std::int32_t minimum = 0;
    platform::GetScrollRange(platform::GetForegroundWindow(), platform::kSbVert, minimum, barMaximum);
    EXPECT_EQ(barMaximum, list.maxTop);
  });
  Then("command 2\n");
  Run([] { Command(quillory::kIndexCommand); });
  EXPECT_EQ(shown, Join(Join(Articles(1, 29), {kGroupKey}), Articles(35, 36)));
  EXPECT_FALSE(groupOpen);
  EXPECT_GT(barMaximum, 0);
  EXPECT_EQ(Stored("Lesson"), 35u);
  EXPECT_EQ(OpenSectionList(), nullptr);
}

TEST_F(ReaderTest, TheLastArticleHasNoneAfterItAndABookmarkedOneIsFoundInTheGroup) {
  StoreSettings(Settings(44));
  std::vector<std::uint16_t> shown;
  Then([&] { shown = ShownEntries(OpenSectionList()); });
  Then("command 1\n");
  Run([] { Command(quillory::kChooseArticleCommand); });
  EXPECT_EQ(shown, Join(Join(Articles(1, 29), {kGroupKey}), {0x402C}));
  EXPECT_EQ(Stored("Lesson"), 44u) << "OK keeps the current article";

  StoreSettings(Settings(35, "\"Bookmarks\"=hex:11,00,23,00,00,00\n"));
  script_.clear();
  Then([&] { shown = ShownEntries(OpenSectionList()); });
  Then("command 2\n");
  Run([] { Command(quillory::kIndexCommand); });
  EXPECT_EQ(shown, Join(Join({kBookmarksKey, 0x4011, 0x4023}, Articles(1, 29)), {kGroupKey}));
}

TEST_F(ReaderTest, ATappedTitleBecomesTheArticleAndAGroupOpensInPlace) {
  StoreSettings(Settings(35));
  std::vector<std::uint16_t> shown;
  Then("key ctrl+d\n");
  Then([] {
    DragThumb(1000);
    TapEntry(kGroupKey, -1);  // left of the header's text: nothing
  });
  Then([&] {
    shown = ShownEntries(OpenSectionList());
    ASSERT_NE(OpenSectionList(), nullptr);
    const quillory::ListLine* header = quillory::FirstShownLine(*OpenSectionList());
    while (header->key != kGroupKey) ++header;
    TapEntry(kGroupKey, header->width + 8);  // its glyph
  });
  Then([&] {
    EXPECT_EQ(ShownEntries(OpenSectionList()), Join(Join(Articles(1, 29), {kGroupKey}), Articles(30, 44)));
    DragThumb(0);
    TapEntry(0x4003);
  });
  Run(nullptr);
  EXPECT_EQ(shown, Join(Join(Articles(1, 29), {kGroupKey}), Articles(35, 36)));
  EXPECT_EQ(Stored("Lesson"), 3u);
  EXPECT_EQ(Stored("PreviousLesson"), 0u) << "not remembered for the back link";
}

// The keys move the focus mark (reader_keyboard_test.cpp); the scroll bar
// scrolls.
TEST_F(ReaderTest, TheScrollBarScrollsByALineAndPagesByTheLinesDrawn) {
  StoreSettings(Settings(1));
  std::vector<int> tops;
  const auto note = [&] {
    ASSERT_NE(OpenSectionList(), nullptr);
    const SectionList& list = *OpenSectionList();
    tops.push_back(list.topLine);
    EXPECT_EQ(platform::GetScrollPos(platform::GetForegroundWindow(), platform::kSbVert), list.topLine);
  };
  const auto scroll = [](std::uint16_t code) {
    platform::SendMessage(platform::GetForegroundWindow(), platform::kWmVScroll, code, 0);
  };
  int page = 0;
  Then(note);
  Then([&] {
    scroll(platform::kSbLineDown);
    scroll(platform::kSbLineDown);
    scroll(platform::kSbLineUp);
  });
  Then(note);
  Then([&] {
    ASSERT_NE(OpenSectionList(), nullptr);
    page = OpenSectionList()->linesDrawn;
    scroll(platform::kSbPageDown);
  });
  Then(note);
  Then([] { DragThumb(1000); });
  Then(note);
  Then("key Escape\n");
  Run([] { Command(quillory::kIndexCommand); });
  ASSERT_EQ(tops.size(), 4u);
  EXPECT_EQ(tops[0], 0);
  EXPECT_EQ(tops[1], 1);
  EXPECT_GT(page, 5);
  EXPECT_EQ(tops[2], 1 + page);
  EXPECT_GT(tops[3], tops[2]) << "the thumb dragged to the end stops at the last page";
  EXPECT_EQ(Stored("Lesson"), 1u);
}

TEST_F(ReaderTest, ABookmarkJoinsTheGroupAtOnceAndRemovingTheOnlyOneHidesIt) {
  StoreSettings(Settings(17));
  answers_ = {platform::kIdYes};
  std::vector<std::uint16_t> withBookmark;
  std::vector<std::uint16_t> without;
  Then("command 123\ncommand 119\n");
  Then([&] { withBookmark = ShownEntries(OpenSectionList()); });
  Then("command 2\ncommand 123\ncommand 119\n");
  Then([&] { without = ShownEntries(OpenSectionList()); });
  Then("command 2\n");
  Run(nullptr);
  EXPECT_EQ(withBookmark, Join(Join({kBookmarksKey, 0x4011}, Articles(1, 29)), {kGroupKey}));
  EXPECT_EQ(without, Join(Articles(1, 29), {kGroupKey}));
  const auto stored = quillory::testing::StoredSetting("Bookmarks");
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->data, (std::vector<std::uint8_t>{0, 0}));
}

}  // namespace
}  // namespace quillory_test
