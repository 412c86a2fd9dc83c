// Selecting with the mouse and Night Reading in the real reader window,
// with xdotool's mouse and keys and xclip as the other program: a passage of
// article 31 dragged over, copied with Ctrl+C and read back as UTF-8 text,
// as rich text and from the primary selection; and the night palette
// switched on, seen on the page, and found again after a restart. Every
// wait is for a condition, never for a fixed time.

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "tests/e2e/reader_window_fixture.h"

namespace {

using quillory::testing::Output;
using quillory::testing::WaitUntil;
using quillory::testing::Xdotool;

// The night page's colour as the window shows it.
constexpr std::uint32_t kNightPage = 0x121214;

std::string Selection(const std::string& selection, const std::string& target) {
  return Output("timeout 5 xclip -o -selection " + selection + " -t '" + target + "' 2>/dev/null");
}

// The colour most of a picture shows.
std::uint32_t Ground(const std::vector<std::uint32_t>& picture) {
  std::map<std::uint32_t, std::size_t> counts;
  for (const std::uint32_t pixel : picture) ++counts[pixel & 0xFFFFFF];
  return std::max_element(counts.begin(), counts.end(), [](const auto& a, const auto& b) { return a.second < b.second; })
      ->first;
}

// Article 31 in David CLM.
class SelectionWindow : public quillory::testing::ReaderWindowTest {
 protected:
  SelectionWindow() { StoreSettings("\"FontName\"=\"David CLM\"\n\"Lesson\"=dword:0000001f\n\"Flags\"=dword:d1140044\n"); }
};

TEST_F(SelectionWindow, ADraggedPassageOfArticle31IsCopiedAsTextAsRichTextAndAsThePrimarySelection) {
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_EQ(std::system("printf before | xclip -i -selection clipboard >/dev/null 2>&1"), 0);
  ASSERT_TRUE(WaitUntil([] { return Selection("clipboard", "UTF8_STRING") == "before"; }));
  const std::vector<std::uint32_t> plain = windows_->Picture(window_);
  // From near the right end of a line of the first paragraph to the middle
  // of a line further down (window pixels, twice the reader's).
  Xdotool("mousemove --window " + Id() + " 420 180 mousedown 1 mousemove --window " + Id() +
          " 300 220 mousemove --window " + Id() + " 200 300 mouseup 1");
  ASSERT_TRUE(windows_->WaitForChange(window_, plain)) << "the passage is marked";
  Key("ctrl+c");
  ASSERT_TRUE(WaitUntil([] { return Selection("clipboard", "UTF8_STRING") != "before"; })) << "the reader copied";

  const std::string text = Selection("clipboard", "UTF8_STRING");
  EXPECT_GT(text.size(), 20u);
  EXPECT_NE(text.find("\xD7"), std::string::npos) << "Hebrew letters";
  EXPECT_EQ(text.find('\r'), std::string::npos) << "lines end as the desktop's do";
  Key("Escape");
  Key("ctrl+c");
  ASSERT_TRUE(WaitUntil([&] { return Selection("clipboard", "UTF8_STRING") != text; }));
  const std::string article = Selection("clipboard", "UTF8_STRING");
  EXPECT_NE(article.find(text), std::string::npos) << "the passage, as the whole article reads";
  EXPECT_GT(article.size(), text.size());

  EXPECT_EQ(Selection("primary", "UTF8_STRING"), text) << "a middle click pastes the passage";
  EXPECT_EQ(Selection("primary", "text/rtf").rfind("{\\rtf1\\ansi", 0), 0u);
  EXPECT_EQ(Selection("clipboard", "text/rtf").rfind("{\\rtf1\\ansi", 0), 0u);
}

TEST_F(SelectionWindow, NightReadingDarkensThePageAndIsThereAgainAfterARestart) {
  ASSERT_NO_FATAL_FAILURE(Start());
  EXPECT_EQ(Ground(windows_->Picture(window_)), 0xFFFFFFu) << "a white page by day";
  Key("ctrl+n");
  ASSERT_TRUE(WaitUntil([&] { return Ground(windows_->Picture(window_)) == kNightPage; }))
      << "the page in the night palette";
  Stop();
  EXPECT_NE(Settings().find("\"NightReading\"=dword:00000001"), std::string::npos) << Settings();

  ASSERT_NO_FATAL_FAILURE(Start());
  EXPECT_EQ(Ground(windows_->Picture(window_)), kNightPage) << "restored at the start";
  Key("ctrl+n");
  ASSERT_TRUE(WaitUntil([&] { return Ground(windows_->Picture(window_)) == 0xFFFFFFu; }));
  Stop();
  EXPECT_NE(Settings().find("\"NightReading\"=dword:00000000"), std::string::npos);
}

}  // namespace
