// Laying out articles into display lines, in exact pixels.

#include <gtest/gtest.h>

#include "platform/system/memory.h"
#include "tests/view/view_fixture.h"
#include "view/article_format.h"
#include "view/text_view.h"

namespace {

using namespace quillory;
using quillory_test::Article;
using quillory_test::ViewTest;

using TextLayout = ViewTest;

TEST_F(TextLayout, HebrewLinesAreBrokenOnTheReversedCopyAndPointAtTheStoredSegment) {
  // An 11-byte string at offsets 2-12 with a space at string position 5,
  // in a view where 5 bytes fit: the stored string's right part comes first.
  ASSERT_EQ(Lay(Article().Text(0x11, 0, "abcde fghij"), 50), kLayoutOk);
  ASSERT_EQ(view_->lineCount, 2);
  EXPECT_EQ(Line(0).textOffset, 8);
  EXPECT_EQ(Line(0).count, 5);
  EXPECT_EQ(Line(1).textOffset, 2);
  EXPECT_EQ(Line(1).count, 5);
  EXPECT_EQ(Line(0).width, 50);
  EXPECT_EQ(Line(0).height, 16);
  EXPECT_EQ(Line(2).style, 0) << "the terminator";
  EXPECT_EQ(view_->totalUnits, 2);
}

struct BreakCase {
  const char* name;
  std::string text;
  std::int32_t width;
  std::vector<std::pair<int, int>> lines;  // {offset in the string, count}
};

TEST_F(TextLayout, LinesBreakAtSpacesAndHyphensOrWhereAWordStopsFitting) {
  const std::vector<BreakCase> cases = {
      {"ends before a space", "aaa bbb ccc", 70, {{0, 7}, {8, 3}}},
      {"hyphen stays at the line's end", "aaaa-bbbbbb", 70, {{0, 5}, {5, 6}}},
      {"hyphen at the first byte is no break", "-aaaaaaaaa", 50, {{0, 5}, {5, 5}}},
      {"a number range is no break", "aa 15-21", 60, {{0, 2}, {3, 5}}},
      {"a hyphen after a number is", "aa 15-bb", 60, {{0, 6}, {6, 2}}},
      {"word wider than the view", "aaaaaaaaaaaa", 50, {{0, 5}, {5, 5}, {10, 2}}},
      {"leading spaces dropped, the last space kept", "   aaa  bbb", 50, {{3, 4}, {8, 3}}},
      {"fits exactly before a space", "a b c d e f", 50, {{0, 5}, {6, 5}}},
      {"break at the last space that fits", "a b cdef", 50, {{0, 3}, {4, 4}}},
      {"narrower than a byte: one byte per line", "ab", 5, {{0, 1}, {1, 1}}},
  };
  for (const BreakCase& c : cases) {
    if (view_) DestroyTextView(view_, true);
    view_ = nullptr;
    ASSERT_EQ(Lay(Article().Text(0x01, 0, c.text), c.width), kLayoutOk) << c.name;
    ASSERT_EQ(view_->lineCount, c.lines.size()) << c.name;
    for (std::size_t i = 0; i < c.lines.size(); ++i) {
      EXPECT_EQ(Line(static_cast<int>(i)).textOffset, 2 + c.lines[i].first) << c.name << " line " << i;
      EXPECT_EQ(Line(static_cast<int>(i)).count, c.lines[i].second) << c.name << " line " << i;
      EXPECT_EQ(Line(static_cast<int>(i)).width, quillory_test::kAdvance * c.lines[i].second) << c.name;
    }
  }
}

TEST_F(TextLayout, AlignmentPlacesTheBody) {
  ASSERT_EQ(Lay(Article().Text(0x21, 0, "aaa").Text(0x41, 0, "aaa").Text(0x61, 0, "aaa").Text(0x41, 8, "aaa"), 100,
                300, 7),
            kLayoutOk);
  EXPECT_EQ(Line(0).x, 7 + 100 - 30) << "right";
  EXPECT_EQ(Line(1).x, 7 + 35) << "centred";
  EXPECT_EQ(Line(2).x, 7) << "0x60 is left";
  EXPECT_EQ(Line(3).x, 7 + 8 + (100 - 8 - 30) / 2) << "centred after the indent";
}

TEST_F(TextLayout, LabelsHangInTheirColumnAndContinuingRecordsKeepTheIndent) {
  // Label class 1: one widest character (10). Indent 4.
  const Article article = Article()
                              .Text(0x01, 0x44, "1. aaaa bbbb cccc")
                              .Text(0x01, 0x44, " dddd eeee")
                              .Text(0x01, 0x00, "ffff");
  ASSERT_EQ(Lay(article, 100), kLayoutOk);
  ASSERT_EQ(view_->lineCount, 6);
  EXPECT_EQ(Line(0).labelWidth, 10);
  EXPECT_EQ(Line(0).textOffset, 2) << "the label's first byte";
  EXPECT_EQ(Line(0).count, 4) << "86 pixels after the label hold 8 bytes, cut back to the space";
  EXPECT_EQ(Line(0).x, 14);
  EXPECT_EQ(Line(1).labelWidth, 0);
  EXPECT_EQ(Line(1).x, 14) << "the body hangs under the first line's body";
  EXPECT_EQ(Line(2).x, 14);
  EXPECT_EQ(Line(3).x, 14) << "a labelled record starting with a space continues the indent";
  EXPECT_EQ(Line(3).labelWidth, 0);
  EXPECT_EQ(Line(3).textOffset, Line(2).textOffset + 4 + 1 + 2 + 1) << "after the space it starts with";
  EXPECT_EQ(Line(5).x, 0);
}

TEST_F(TextLayout, LabelClassesWidenTheColumnByHalfAWidestCharacter) {
  ASSERT_EQ(Lay(Article().Text(0x01, 0x80, "22 aaa").Text(0x01, 0xC0, "333 bbb"), 200), kLayoutOk);
  EXPECT_EQ(Line(0).labelWidth, 15);
  EXPECT_EQ(Line(1).labelWidth, 20);
}

TEST_F(TextLayout, HebrewLabelIsTheRightmostStoredWord) {
  // Stored in visual order: the body "bbb" on the left, the label "a1" right.
  ASSERT_EQ(Lay(Article().Text(0x31, 0x40, "bbb a1"), 200), kLayoutOk);
  ASSERT_EQ(view_->lineCount, 1);
  EXPECT_EQ(Line(0).textOffset, 2);
  EXPECT_EQ(Line(0).count, 3);
  EXPECT_EQ(Line(0).labelWidth, 10);
  EXPECT_EQ(Line(0).x, 200 - 10 - 30);
}

TEST_F(TextLayout, BlankUnitsFollowParagraphsButNotTheLastLine) {
  ASSERT_EQ(Lay(Article().Text(0x81, 0, "aaa bbb").Text(0x81, 0, "ccc").Text(0x81, 0, "ddd"), 40), kLayoutOk);
  ASSERT_EQ(view_->lineCount, 4);
  EXPECT_EQ(Line(0).style, 0x01) << "not the paragraph's last line";
  EXPECT_EQ(Line(1).style, 0x81);
  EXPECT_EQ(Line(2).style, 0x81);
  EXPECT_EQ(Line(3).style, 0x01) << "the article's last line loses its blank";
  EXPECT_EQ(view_->totalUnits, 6);
}

TEST_F(TextLayout, RulesTakeTheirLengthCodeAndAlignment) {
  const Article article = Article().Rule(0x47, 160).Rule(0x07, 161).Rule(0x27, 210).Rule(0xC7, 255).Rule(0x07, 60);
  ASSERT_EQ(Lay(article, 200), kLayoutOk);
  ASSERT_EQ(view_->lineCount, 5);
  EXPECT_EQ(Line(0).width, 160);
  EXPECT_EQ(Line(0).x, 20) << "centred";
  EXPECT_EQ(Line(0).count, 0);
  EXPECT_EQ(Line(0).textOffset, 2);
  EXPECT_EQ(Line(1).width, 4);
  EXPECT_EQ(Line(2).width, 200);
  EXPECT_EQ(Line(3).width, 200);
  EXPECT_EQ(Line(4).width, 60);
  EXPECT_EQ(Line(4).height, 16) << "the current line height";
  EXPECT_EQ(view_->totalUnits, 6) << "a blank after the fourth rule";
}

TEST_F(TextLayout, LinksAreSetSmallWithTheirNumberAndEmptyRecordsMakeNothing) {
  const Article article = Article()
                              .Text(0x11, 0, "aa")
                              .Empty()
                              .Link(0xD7, 12, "bbbbbbbbbbbb")
                              .Link(0xD7, 0, "hidden")
                              .Link(0xD7, kBackLinkNumber, "ccc")
                              .Text(0x11, 0, "");
  ASSERT_EQ(Lay(article, 100), kLayoutOk);
  ASSERT_EQ(view_->lineCount, 4);
  EXPECT_EQ(Line(1).linkNumber, 12);
  EXPECT_EQ(Line(1).height, 12) << "the small font";
  EXPECT_EQ(Line(1).style, 0x57) << "the record's own style, blank bit off the first line";
  EXPECT_EQ(Line(2).linkNumber, 12);
  EXPECT_EQ(Line(2).style, 0xD7);
  EXPECT_EQ(Line(3).linkNumber, kBackLinkNumber);
  EXPECT_NE(view_->links, nullptr) << "a table for the link lines";
}

TEST_F(TextLayout, IndentNotSmallerThanTheViewIsDropped) {
  ASSERT_EQ(Lay(Article().Text(0x01, 63, "aaa"), 60), kLayoutOk);
  EXPECT_EQ(Line(0).x, 0);
}

TEST_F(TextLayout, RejectedTextsKeepTheViewsOwn) {
  ASSERT_EQ(Lay(Article().Text(0x01, 0, "aaa"), 100), kLayoutOk);
  EXPECT_EQ(LayoutText(view_, Article().Text(0x00, 0, "x").Block(), true), kRejectedText);
  EXPECT_EQ(LayoutText(view_, Article().Text(0x11, 0, "").Block(), true), kRejectedText);
  EXPECT_EQ(view_->lineCount, 1);
  EXPECT_EQ(view_->text.data()[2], 'a');
  EXPECT_EQ(view_->totalUnits, 0) << "the counters are already reset";
  EXPECT_EQ(LayoutText(view_, Article().Rule(0x07, 100).Block(), true), kLayoutOk) << "only special records";
  EXPECT_EQ(LayoutText(view_, platform::HeapBlock(), false), kNoText);
  EXPECT_EQ(LayoutText(nullptr, Article().Rule(0x07, 100).Block(), true), kNoView);
}

TEST_F(TextLayout, ResizeRefusesEmptySizesAndLaysOutAgain) {
  ASSERT_EQ(Lay(Article().Text(0x01, 0, "aaa bbb"), 100), kLayoutOk);
  EXPECT_EQ(ResizeTextView(view_, 0, 100), kBadSize);
  EXPECT_EQ(ResizeTextView(view_, 100, -1), kBadSize);
  EXPECT_EQ(view_->lineCount, 1);
  EXPECT_EQ(ResizeTextView(view_, 40, 100), kLayoutOk);
  EXPECT_EQ(view_->lineCount, 2);
  EXPECT_EQ(ResizeTextView(nullptr, 40, 100), kNoView);
}

TEST_F(TextLayout, MaximumTopFillsTheLastPage) {
  // Ten paragraphs of one 16-pixel line with blanks: 19 units.
  Article article;
  for (int i = 0; i < 10; ++i) article.Text(0x81, 0, "aaa");
  ASSERT_EQ(Lay(article, 100, 100), kLayoutOk);
  EXPECT_EQ(view_->totalUnits, 19);
  // From the end: last line 16 (84 left), then 3 more lines with blanks
  // (32 each) fit 2 (20 left), the third line fits but not its blank.
  EXPECT_EQ(view_->maxTop, 19 - 6);
  EXPECT_EQ(ComputeMaxTop(view_), 13);
}

TEST_F(TextLayout, OutOfMemoryEndsTheLayoutCleanly) {
  Article article;
  for (int i = 0; i < 200; ++i) article.Text(0x11, 0, "aaa bbb");
  for (int failing = 1; failing <= 3; ++failing) {
    if (view_) DestroyTextView(view_, true);
    const ViewRect rect{0, 0, 100, 300};
    view_ = CreateTextView(&context_, &rect, font_, 0);
    ASSERT_TRUE(view_);
    platform::HeapBlock text = article.Block();
    const std::int64_t live = platform::LiveAllocations();
    platform::FailNthAllocation(failing);
    const int result = LayoutText(view_, std::move(text), true);
    platform::FailNthAllocation(0);
    EXPECT_EQ(result, kOutOfMemory) << "allocation " << failing;
    EXPECT_EQ(view_->lineCount, 0) << "nothing refers to a text the view does not hold";
    EXPECT_FALSE(view_->text);
    EXPECT_LE(platform::LiveAllocations(), live) << "the text went; at most the table stayed";
  }
}

TEST_F(TextLayout, TheTableGrowsInStepsOf128) {
  Article article;
  for (int i = 0; i < 300; ++i) article.Text(0x01, 0, "a");
  ASSERT_EQ(Lay(article, 100), kLayoutOk);
  EXPECT_EQ(view_->lineCount, 300);
  EXPECT_EQ(view_->capacity, 100 + 128 + 128);
}

TEST_F(TextLayout, CreateNeedsAContextAndDestroyReleasesEverything) {
  EXPECT_EQ(CreateTextView(nullptr, nullptr, font_, 100), nullptr);
  const std::int64_t live = platform::LiveAllocations();
  platform::FailNthAllocation(1);
  EXPECT_EQ(CreateTextView(&context_, nullptr, font_, 100), nullptr);
  TextView* view = CreateTextView(&context_, nullptr, font_, 100);
  ASSERT_TRUE(view);
  ASSERT_EQ(ResizeTextView(view, 100, 100), kNoText);
  ASSERT_EQ(LayoutText(view, Article().Link(0x17, 3, "aaa").Block(), false), kLayoutOk);
  DestroyTextView(view, true);
  EXPECT_EQ(platform::LiveAllocations(), live);
}

}  // namespace
