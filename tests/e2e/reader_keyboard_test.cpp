// The reader driven from the keyboard alone, as a desktop user drives it:
// the Go menu, paging, the back link, bookmarks, the text's size, Choose
// Section, Hebrew typed on a Latin layout, and the first start's Font
// dialog. Keys come through the script, so they pass the reader's own
// shortcut table as real key presses do.

#include <vector>

#include "index/choose_section.h"
#include "index/index_entries.h"
#include "index/section_list.h"
#include "platform/controls/controls.h"
#include "platform/dialogs/dialog.h"
#include "platform/menus/command_bar.h"
#include "resources/dialog_templates.h"
#include "resources/program_resources.h"
#include "tests/e2e/reader_fixture.h"
#include "tests/support/stored_values.h"
#include "view/text_lines.h"
#include "view/text_scroll.h"

namespace quillory_test {
namespace {

using quillory::App;

std::string Settings(int article, const std::string& more = "") {
  char text[64];
  std::snprintf(text, sizeof text, "\"Lesson\"=dword:%08x\n", article);
  return text + std::string("\"Flags\"=dword:d1140044\n") + more;
}

std::vector<std::uint16_t> StoredBookmarks() {
  std::vector<std::uint16_t> articles;
  const auto stored = quillory::testing::StoredSetting("Bookmarks");
  if (!stored) return articles;
  for (std::size_t i = 0; i + 1 < stored->data.size(); i += 2) {
    const auto article = static_cast<std::uint16_t>(stored->data[i] | stored->data[i + 1] << 8);
    if (article != 0) articles.push_back(article);
  }
  return articles;
}

TEST_F(ReaderTest, F10AndAltGOpenTheGoMenuWhichTheKeysWork) {
  StoreSettings(Settings(12));
  // F10 selects About; eight Downs pass the separators, Full Screen and
  // Night Reading to Bookmark. F10, Down and Escape close without a choice.
  // Alt+G and the underlined letter of Next Article.
  Script("key F10\nkey Down\nkey Down\nkey Down\nkey Down\nkey Down\nkey Down\nkey Down\nkey Down\nkey Return\n"
         "key F10\nkey Down\nkey Escape\n"
         "key alt+g\nkey n\n");
  Run(nullptr);
  EXPECT_EQ(StoredBookmarks(), (std::vector<std::uint16_t>{12}));
  EXPECT_EQ(Stored("Lesson"), 13u) << "Next Article by its letter";
  EXPECT_EQ(Stored("PreviousLesson"), 0u);
}

TEST_F(ReaderTest, SpaceAndShiftSpaceTurnThePage) {
  StoreSettings(Settings(4));
  std::vector<int> tops;
  const auto note = [&] { tops.push_back(View().topPosition); };
  int page = 0;
  Then([&] { page = View().unitsDrawn - 1; });
  Then("key Space\n");
  Then(note);
  Then("key Space\n");
  Then(note);
  // A page back is as long as the page shown then, as with Page Up.
  int back = 0;
  Then([&] { back = View().unitsDrawn - 1; });
  Then("key shift+Space\n");
  Then(note);
  Run(nullptr);
  ASSERT_GT(page, 1);
  EXPECT_EQ(tops, (std::vector<int>{page, 2 * page, 2 * page - back}));
}

TEST_F(ReaderTest, BackspaceAndAltLeftFollowTheBackLinkWhenThereIsOne) {
  StoreSettings(Settings(4));
  std::uint16_t linked = 0;
  std::uint16_t topBefore = 0;
  std::vector<std::uint16_t> articles;
  const auto note = [&] { articles.push_back(App().currentArticle); };
  Then("key BackSpace\n");  // no back link yet: nothing
  Then(note);
  Then([&] {
    ASSERT_TRUE(FollowFirstLink(30));
    linked = App().currentArticle;
    topBefore = App().previousPosition;
  });
  Then("key BackSpace\n");
  Then([&] {
    note();
    EXPECT_EQ(View().topPosition, topBefore) << "back where the link was";
    ASSERT_TRUE(FollowFirstLink(30));
  });
  Then("key alt+Left\n");
  Then(note);
  Run(nullptr);
  ASSERT_NE(linked, 4);
  EXPECT_EQ(articles, (std::vector<std::uint16_t>{4, 4, 4}));
}

TEST_F(ReaderTest, CtrlBBookmarksTheArticleAndAgainAsksBeforeTheMarkGoes) {
  StoreSettings(Settings(9));
  answers_ = {platform::kIdYes};
  bool checked = false;
  Then("key ctrl+b\n");
  Then([&] {
    checked = platform::GetMenuState(platform::BarMenu(App().barWindow, quillory::kGoButtonCommand),
                                     quillory::kBookmarkCommand) & platform::kMfChecked;
  });
  Then("key ctrl+b\n");
  Run(nullptr);
  EXPECT_TRUE(checked);
  ASSERT_EQ(boxes_.size(), 1u) << "the removal question";
  EXPECT_TRUE(StoredBookmarks().empty());
}

// The index of the line that holds text offset `place`.
std::size_t LineHolding(std::uint16_t place) {
  const quillory::TextView& view = *App().textView;
  std::size_t i = 0;
  for (; view.lines[i].style != 0; ++i) {
    const quillory::LineRecord& line = view.lines[i];
    if (line.textOffset <= place && place < line.textOffset + line.count) break;
  }
  return i;
}

// The first line with text at the top of the page.
std::size_t TopTextLine() {
  quillory::TextView& view = *App().textView;
  std::size_t i = quillory::FindFirstLine(view).index;
  while (view.lines[i].style != 0 && view.lines[i].count == 0) ++i;
  return i;
}

TEST_F(ReaderTest, CtrlPlusMinusAndZeroSizeTheTextKeepingThePlaceAndTheSizeIsSaved) {
  StoreSettings(Settings(4));
  std::optional<std::uint16_t> place;
  std::vector<std::int32_t> heights;
  std::vector<bool> sameLine;
  const auto check = [&] {
    heights.push_back(App().font.height);
    EXPECT_EQ(View().font.height, App().font.height);
    sameLine.push_back(place && LineHolding(*place) == TopTextLine());
    std::int32_t minimum = 0;
    std::int32_t maximum = 0;
    platform::GetScrollRange(App().mainWindow, platform::kSbVert, minimum, maximum);
    EXPECT_EQ(maximum, View().maxTop) << "the scroll bar follows the new length";
  };
  Then("key PageDown\nkey PageDown\nkey Down\n");
  Then([&] { place = quillory::TopPlace(&View()); });
  Then("key ctrl+plus\n");
  Then(check);
  Then("key ctrl+plus\n");
  Then(check);
  Then("key ctrl+minus\n");
  Then(check);
  Then("key ctrl+0\n");
  Then(check);
  Then("key ctrl+minus\n");
  Then(check);
  Then("key ctrl+0\n");
  Then(check);
  Run(nullptr);
  ASSERT_TRUE(place);
  EXPECT_EQ(heights, (std::vector<std::int32_t>{18, 20, 18, 16, 14, 16}));
  EXPECT_EQ(sameLine, (std::vector<bool>(6, true))) << "the text that was at the top stays there";
  EXPECT_EQ(Stored("FontSize"), 16u) << "the default size is saved over the size saved before";
}

// The key of the entry with the focus mark, and whether it is on the page.
struct Mark {
  std::uint16_t key = 0;
  bool onPage = false;
};
Mark MarkOfOpenList() {
  const quillory::SectionList* list = quillory::OpenSectionList();
  const auto focus = quillory::FocusedEntry(list);
  if (!focus) return {};
  int shownBefore = 0;
  for (std::size_t i = 0; i < focus->firstLine; ++i) shownBefore += (list->lines[i].style & quillory::kShownBit) ? 1 : 0;
  return {list->lines[focus->firstLine].key, shownBefore >= list->topLine && shownBefore < list->topLine + list->linesDrawn};
}

TEST_F(ReaderTest, ChooseSectionOpensWithTheMarkOnTheArticleAndTheKeysChooseFromIt) {
  StoreSettings(Settings(35));
  std::vector<Mark> marks;
  const auto note = [&] { marks.push_back(MarkOfOpenList()); };
  Then("key ctrl+d\n");
  Then(note);
  Then("key Down\n");
  Then(note);
  Then("key Return\n");
  Run(nullptr);
  ASSERT_EQ(marks.size(), 2u);
  EXPECT_EQ(marks[0].key, 0x4023) << "article 35, shown inside its closed group";
  EXPECT_TRUE(marks[0].onPage) << "scrolled to it";
  EXPECT_EQ(marks[1].key, 0x4024);
  EXPECT_EQ(Stored("Lesson"), 36u) << "Enter opened the marked article";
}

TEST_F(ReaderTest, EnterOnAGroupOpensItAndEscapeCancels) {
  StoreSettings(Settings(29));
  std::size_t shownBefore = 0;
  std::size_t shownAfter = 0;
  Then("key ctrl+d\nkey Down\n");
  Then([&] { shownBefore = quillory::OpenSectionList()->visibleLines; });
  Then("key Return\n");
  Then([&] { shownAfter = quillory::OpenSectionList()->visibleLines; });
  Then("key Down\nkey Down\nkey Escape\n");
  Then("key ctrl+d\nkey Down\nkey Return\nkey Down\nkey Return\n");
  Run(nullptr);
  EXPECT_EQ(shownAfter, shownBefore + 15) << "the group's fifteen articles";
  EXPECT_EQ(Stored("Lesson"), 30u) << "Escape chose nothing; then the group's first article";
}

TEST_F(ReaderTest, LatinLettersTypeHebrewInTheSearchBox) {
  StoreSettings(Settings(4));
  std::u16string typed;
  Then("key alt+F3\ntype mer?E\n");
  Then([&] { typed = platform::GetDlgItemText(platform::GetForegroundWindow(), quillory::kPatternBoxId, 40); });
  Then("key Escape\n");
  Run(nullptr);
  // Typed right to left: each letter before the one typed last.
  EXPECT_EQ(typed, u"E?\u05E8\u05E7\u05E6") << "m, e, r on the Israeli layout; capitals and ? as they are";
}

// Fonts named as a desktop's are: the face an empty name gives reports the
// family "David CLM".
std::unique_ptr<platform::Font> NamedReaderFont(const platform::FontRequest& request) {
  const std::u16string face(platform::UntilZero({request.faceName.data(), request.faceName.size()}));
  const std::int32_t height = request.height == 0 ? 16 : (request.height < 0 ? -request.height : request.height);
  return platform::Font::Fixed(height, 8, request.underline, face.empty() ? "David CLM" : platform::Utf16ToUtf8(face));
}

class FirstStartTest : public ReaderTest {
 protected:
  FirstStartTest() : previous_(platform::SetFontFactory(NamedReaderFont)) {}
  ~FirstStartTest() override { platform::SetFontFactory(previous_); }

 private:
  platform::FontFactory previous_;
};

TEST_F(FirstStartTest, TheFontDialogOpensOnTheFaceShownAndEscapeKeepsItAsTheChoice) {
  StoreExactSettings("");
  std::u16string selected;
  Then([&] {
    const platform::WindowHandle list = platform::GetDlgItem(platform::GetForegroundWindow(), quillory::kFaceListId);
    selected = platform::ListBoxText(list, platform::SendMessage(list, platform::kLbGetCurSel, 0, 0));
  });
  Then("key Escape\n");
  Run(nullptr);
  EXPECT_EQ(selected, u"David CLM");
  EXPECT_EQ(StoredText("FontName"), u"David CLM");

  // The next start does not ask again: the script's first key reaches the
  // reader, not a dialog.
  Script("key PageDown\n");
  Run(nullptr);
  EXPECT_GT(Stored("LastPosition").value_or(0), 0u);
}

TEST_F(FirstStartTest, OkAtTheFirstStartStoresTheFaceShown) {
  StoreExactSettings("");
  Script("command 1\n");
  Run(nullptr);
  EXPECT_EQ(StoredText("FontName"), u"David CLM");
}

TEST(ScriptKeys, TheScriptKnowsEveryKeyTheReaderHandles) {
  const struct {
    const char* line;
    std::uint16_t key;
    bool control, alt, shift;
  } cases[] = {
      {"key space", platform::kVkSpace, false, false, false},
      {"key shift+Space", platform::kVkSpace, false, false, true},
      {"key BackSpace", platform::kVkBack, false, false, false},
      {"key F10", platform::kVkF10, false, false, false},
      {"key F11", platform::kVkF11, false, false, false},
      {"key ctrl+plus", platform::kVkOemPlus, true, false, false},
      {"key ctrl+minus", platform::kVkOemMinus, true, false, false},
      {"key ctrl+0", '0', true, false, false},
      {"key ctrl+b", 'B', true, false, false},
      {"key alt+g", 'G', false, true, false},
      {"key alt+Left", platform::kVkLeft, false, true, false},
  };
  for (const auto& c : cases) {
    platform::ScriptError error;
    const auto script = platform::ParseScript(c.line, error);
    ASSERT_TRUE(script) << c.line << ": " << error.reason;
    ASSERT_EQ(script->size(), 1u);
    const platform::ScriptCommand& command = script->front();
    EXPECT_EQ(command.key, c.key) << c.line;
    EXPECT_EQ(command.control, c.control) << c.line;
    EXPECT_EQ(command.alt, c.alt) << c.line;
    EXPECT_EQ(command.shift, c.shift) << c.line;
  }
}

}  // namespace
}  // namespace quillory_test
