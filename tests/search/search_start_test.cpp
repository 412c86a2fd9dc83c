// Where Search Again starts in the view's article, and successive searches
// stepping through one article in reading order, with fixed fonts: twelve
// one-line Hebrew paragraphs, four lines to a page.

#include <gtest/gtest.h>

#include <vector>

#include "search/find_next.h"
#include "tests/search/search_fixture.h"
#include "tests/view/view_fixture.h"

namespace {

using namespace quillory;
using namespace quillory_test;

// Paragraph i's record starts at 12 i and its string at 12 i + 2.
// "xyz" ends at 19 (paragraph 1), 64 and 70 (paragraph 5), 136 and 142
// (paragraph 11, on the last page).
Article TwelveLines() {
  Article article;
  for (int i = 0; i < 12; ++i) {
    article.Text(0x11, 0, i == 1 ? "qqqxyzqqq" : (i == 5 || i == 11) ? "xyzqqqxyz" : "qqqqqqqqq");
  }
  return article;
}

class SearchStart : public ViewTest {
 protected:
  void LayTwelveLines() {
    ASSERT_EQ(Lay(TwelveLines(), 100, 64), kLayoutOk);
    ASSERT_EQ(view_->lineCount, 12);
    for (int i = 0; i < 12; ++i) {
      ASSERT_EQ(Line(i).textOffset, 12 * i + 2);
      ASSERT_EQ(Line(i).count, 9);
    }
    ASSERT_EQ(view_->maxTop, 8);
    App().textView = view_;
    App().currentArticle = 1;
  }
  void Place(std::uint16_t top, std::uint16_t highlightStart, std::uint16_t highlightEnd) {
    view_->topPosition = top;
    view_->highlightStart = highlightStart;
    view_->highlightEnd = highlightEnd;
  }
};

TEST_F(SearchStart, FollowsTheTopLineAndTheHighlight) {
  LayTwelveLines();
  struct Case {
    const char* name;
    std::uint16_t top, highlightStart, highlightEnd;
    std::uint16_t start;
  };
  const std::vector<Case> cases = {
      {"nothing highlighted: the top line's reading start", 0, 0, 0, 10},
      {"a later top line", 3, 0, 0, 46},
      {"a highlight off the top line while the view can scroll", 3, 17, 20, 46},
      {"a highlight ending the top line in reading order: right after it", 3, 38, 41, 37},
      {"a highlight inside the top line: right after it", 3, 40, 43, 39},
      {"a highlight ending the top line's range", 3, 44, 47, 43},
      {"capped at the last page: right after the match below the top", 8, 140, 143, 139},
      {"the last page with nothing highlighted: the top line's reading start", 8, 0, 0, 106},
      {"a highlight ending the last line: right after it, not the article again", 11, 134, 137, 133},
      {"a top past every line, nothing highlighted: the whole article", 20, 0, 0, 0},
      {"a top past every line with a highlight: right after it", 20, 17, 20, 16},
  };
  for (const Case& c : cases) {
    Place(c.top, c.highlightStart, c.highlightEnd);
    EXPECT_EQ(SearchStartOffset(*view_), c.start) << c.name;
  }
}

TEST_F(SearchStart, ABlankUnitOnTopBelongsToTheLineAfterIt) {
  // Records of 12 bytes again, each line followed by a blank unit.
  Article article;
  for (int i = 0; i < 12; ++i) article.Text(0x91, 0, "qqqqqqqqq");
  ASSERT_EQ(Lay(article, 100, 64), kLayoutOk);
  Place(1, 0, 0);
  EXPECT_EQ(SearchStartOffset(*view_), 12 + 2 + 8);
  Place(4, 0, 0);
  EXPECT_EQ(SearchStartOffset(*view_), 2 * 12 + 2 + 8);
}

TEST_F(SearchStart, SearchAgainWalksTheArticleInReadingOrderThenStartsOver) {
  LayTwelveLines();
  ShellRecorder shell;
  StorePattern("xyz");
  // Paragraphs in text order, each from its highest offset down; the
  // last paragraph's matches leave the top capped at the last page, and
  // the search after its lower match must leave that paragraph.
  const std::vector<Shown> expected = {{17, 20, 1},    {68, 71, 5},    {62, 65, 5},
                                       {140, 143, 8},  {134, 137, 8},  {17, 20, 1}};
  for (std::size_t i = 0; i < expected.size(); ++i) {
    ASSERT_EQ(FindNext(nullptr), 1) << "search " << i;
    EXPECT_EQ(ShownBy(*view_), expected[i]) << "search " << i;
  }
  EXPECT_EQ(shell.counts().repaints, 6);
  EXPECT_EQ(shell.counts().bookmarkChecks, 6);
  EXPECT_TRUE(shell.boxes().empty());
  EXPECT_EQ(App().currentArticle, 1);
}

TEST_F(SearchStart, AnEmptyPatternShowsNothing) {
  LayTwelveLines();
  ShellRecorder shell;
  StorePattern("");
  Place(3, 40, 43);
  EXPECT_EQ(FindNext(nullptr), 0);
  EXPECT_TRUE(shell.boxes().empty());
  EXPECT_EQ(shell.counts().repaints, 0);
  EXPECT_EQ(ShownBy(*view_), (Shown{40, 43, 3}));
}

}  // namespace
