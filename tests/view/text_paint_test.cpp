// Painting, the highlight, scrolling, taps on links and the search banner,
// with fixed fonts (characters 10 pixels wide drawn as solid boxes).

#include <gtest/gtest.h>

#include "tests/view/view_fixture.h"
#include "view/article_format.h"
#include "view/text_paint.h"
#include "view/text_scroll.h"

namespace {

using namespace quillory;
using quillory_test::Article;
using quillory_test::ViewTest;

constexpr platform::Pixel kWhite = 0x00FFFFFF;
constexpr platform::Pixel kYellow = 0x00FFFF00;
constexpr platform::Pixel kBlack = 0x00000000;

class TextPaint : public ViewTest {
 protected:
  // Rows of the framebuffer that hold any pixel of `colour` in the view.
  std::vector<int> RowsWith(platform::Pixel colour) const {
    std::vector<int> rows;
    for (int y = 0; y < pixels_.height(); ++y) {
      for (int x = 0; x < pixels_.width(); ++x) {
        if (pixels_.at(x, y) == colour) {
          rows.push_back(y);
          break;
        }
      }
    }
    return rows;
  }
  bool RowHasInk(int y) const {
    for (int x = view_->left; x < view_->left + view_->width; ++x) {
      if (pixels_.at(x, y) != kWhite) return true;
    }
    return false;
  }
  // The first row from `y` down that has any ink.
  int FirstInkRow(int y = 0) const {
    while (y < pixels_.height() && !RowHasInk(y)) ++y;
    return y;
  }
};

TEST_F(TextPaint, PagesStartOnTheTopUnitAndABlankUnitLeavesAnEmptyRow) {
  Article article;
  for (int i = 0; i < 30; ++i) article.Text(0x81, 0, "aaa");
  ASSERT_EQ(Lay(article, 100, 100), kLayoutOk);
  EXPECT_EQ(PaintTextView(view_, true), 0);
  EXPECT_EQ(view_->unitsDrawn, 6) << "three lines with their blanks in 100 pixels: 16 × 6";
  view_->topPosition = 1;  // the blank after the first paragraph
  pixels_.Fill(pixels_.bounds(), 0x00808080);
  EXPECT_EQ(PaintTextView(view_, true), 0);
  EXPECT_EQ(pixels_.at(50, 5), kWhite) << "erased";
  EXPECT_EQ(FirstInkRow(), 16 + 16 * 3 / 4 - 1 - (16 * 3 / 4 - 2)) << "the first row is the blank line";
  EXPECT_EQ(view_->unitsDrawn, 6) << "a blank unit counts even where it no longer fits";
}

TEST_F(TextPaint, TopBeyondTheArticleIsPulledBackToTheMaximum) {
  Article article;
  for (int i = 0; i < 30; ++i) article.Text(0x01, 0, "aaa");
  ASSERT_EQ(Lay(article, 100, 100), kLayoutOk);
  view_->topPosition = 500;
  PaintTextView(view_, true);
  EXPECT_EQ(view_->topPosition, view_->maxTop);
  EXPECT_EQ(view_->maxTop, 30 - 6);
}

TEST_F(TextPaint, WithoutTextOrTableNothingIsPainted) {
  EXPECT_EQ(PaintTextView(nullptr, true), kNoView);
  const ViewRect rect{0, 0, 100, 100};
  view_ = CreateTextView(&context_, &rect, font_, 0);
  EXPECT_EQ(PaintTextView(view_, true), kNoView);
  EXPECT_EQ(pixels_.at(0, 0), kWhite);
}

TEST_F(TextPaint, RulesAreOnePixelAcrossTheMiddleOfTheirRow) {
  ASSERT_EQ(Lay(Article().Rule(0x47, 60).Text(0x01, 0, "a"), 100), kLayoutOk);
  PaintTextView(view_, true);
  EXPECT_EQ(RowsWith(kBlack).front(), 8);
  EXPECT_EQ(pixels_.at(20, 8), kBlack);
  EXPECT_EQ(pixels_.at(79, 8), kBlack);
  EXPECT_EQ(pixels_.at(80, 8), kWhite);
  EXPECT_EQ(pixels_.at(50, 9), kWhite);
}

TEST_F(TextPaint, BackLinksAreHiddenTakeNoRoomAndCannotBeTappedUnlessShown) {
  const Article article = Article().Text(0x01, 0, "a").Link(0x17, kBackLinkNumber, "bbb").Text(0x01, 0, "c");
  ASSERT_EQ(Lay(article, 100), kLayoutOk);
  EXPECT_EQ(view_->totalUnits, 3) << "the hidden line still counts";
  PaintTextView(view_, true);
  EXPECT_EQ(view_->links[0].line, nullptr);
  EXPECT_EQ(HitTestLink(view_, 10, 20), 0);
  EXPECT_EQ(view_->unitsDrawn, 2);
  EXPECT_TRUE(RowHasInk(16 + 5)) << "the third line moved up into the hidden one's room";

  view_->flags |= kShowBackLinks;
  PaintTextView(view_, true);
  ASSERT_NE(view_->links[0].line, nullptr);
  EXPECT_EQ(view_->links[0].y, 16);
  EXPECT_EQ(HitTestLink(view_, 10, 20), kBackLinkNumber);
  EXPECT_EQ(view_->unitsDrawn, 3);
}

TEST_F(TextPaint, TapsHitALinkWithinItsTolerances) {
  ASSERT_EQ(Lay(Article().Text(0x01, 0, "a").Link(0x57, 9, "bbb"), 100), kLayoutOk);
  PaintTextView(view_, true);
  const LineRecord& link = *view_->links[0].line;
  const int x = link.x;
  const int right = link.x + link.width;
  const int y = view_->links[0].y;
  const int bottom = y + link.height;
  EXPECT_EQ(HitTestLink(view_, x - 10, y - 2), 9);
  EXPECT_EQ(HitTestLink(view_, right + 10, bottom + 3), 9);
  EXPECT_EQ(HitTestLink(view_, x - 11, y), 0);
  EXPECT_EQ(HitTestLink(view_, right + 11, y), 0);
  EXPECT_EQ(HitTestLink(view_, x, y - 3), 0);
  EXPECT_EQ(HitTestLink(view_, x, bottom + 4), 0);
}

TEST_F(TextPaint, LinkBoxesCoverTheVisibleLinesOfTheirGroupAsWideAsTheFirstLine) {
  // A link of three lines (the last shorter) right at the bottom of a page
  // that has room for only the first two of them.
  const Article article = Article().Text(0x01, 0, "a").Link(0x47, 5, "bbbbbbbbbbbbbbbbbbbbbbbb");
  ASSERT_EQ(Lay(article, 100, 16 + 12 * 2 + 4, 20), kLayoutOk);
  ASSERT_EQ(view_->lineCount, 4);
  PaintTextView(view_, true);
  const LineRecord& first = view_->lines[1];
  const int top = 16 - 2;
  const int bottom = 16 + 12 + 12 + 3 - 1;
  EXPECT_EQ(pixels_.at(first.x + first.width / 2, top), kBlack) << "top edge";
  EXPECT_EQ(pixels_.at(first.x + first.width / 2, bottom), kBlack) << "bottom edge under the second line";
  // The lines fill the view's width: the box's sides, 10 pixels out, would
  // fall outside the text area and are left out.
  EXPECT_EQ(pixels_.at(view_->left - 10, 16 + 12), kWhite) << "nothing left of the text area";
  EXPECT_EQ(pixels_.at(view_->left + view_->width + 9, 16 + 12), kWhite) << "nothing right of it";
  EXPECT_EQ(view_->links[2].line, nullptr) << "the third line did not fit";
}

TEST_F(TextPaint, ALinkBoxOnThePagesFirstLineStaysInsideTheTextArea) {
  const Article article = Article().Link(0x47, 5, "bbb").Text(0x01, 0, "a");
  ASSERT_EQ(Lay(article, 100, 100, 20, 30), kLayoutOk);
  pixels_.Fill(pixels_.bounds(), 0x00808080);  // what lies around the view: the bar
  PaintTextView(view_, true);
  const LineRecord& link = view_->lines[0];
  EXPECT_EQ(pixels_.at(link.x + 5, 29), 0x00808080u) << "nothing over the bar";
  EXPECT_EQ(pixels_.at(link.x + 5, 28), 0x00808080u);
  EXPECT_EQ(pixels_.at(link.x + 5, 30 + link.height + 2), kBlack) << "the bottom edge";
  EXPECT_EQ(pixels_.at(link.x - 10, 30 + 5), kBlack) << "the left edge";
}

TEST_F(TextPaint, HighlightSpansTwoLinesAndSurvivesScrolling) {
  Article article;
  for (int i = 0; i < 10; ++i) article.Text(0x01, 0, "aaaa bbbb");
  ASSERT_EQ(Lay(article, 50, 100), kLayoutOk);
  // From "bbbb" of the first record to "aaaa" of the second.
  view_->highlightStart = 2 + 5;
  view_->highlightEnd = 11 + 2 + 4;
  EXPECT_EQ(PaintTextView(view_, true), 0);
  EXPECT_EQ(RowsWith(kYellow).front(), 16);
  EXPECT_EQ(RowsWith(kYellow).back(), 47);
  EXPECT_EQ(pixels_.at(0, 5), kWhite) << "the first line's text is not highlighted";

  EXPECT_EQ(ScrollTextView(view_, 1, 1, true), 0);
  EXPECT_EQ(RowsWith(kYellow).front(), 0) << "moved up one line, still highlighted";
}

TEST_F(TextPaint, ScrollingClampsAsTheReaderPages) {
  Article article;
  for (int i = 0; i < 60; ++i) article.Text(0x01, 0, "a");
  ASSERT_EQ(Lay(article, 100, 320), kLayoutOk);
  view_->maxTop = 40;  // as a taller page would have it
  EXPECT_EQ(ScrollTextView(view_, 0, 1, true), kNothingToDo);
  EXPECT_EQ(ScrollTextView(view_, 50, 0, true), kMovedNotPainted);
  EXPECT_EQ(view_->topPosition, 50) << "a step from below the maximum may pass it";
  EXPECT_EQ(ScrollTextView(view_, 50, 0, true), kNothingToDo);
  EXPECT_EQ(view_->topPosition, 50);
  view_->topPosition = 0;
  EXPECT_EQ(ScrollTextView(view_, 70, 0, true), kMovedNotPainted);
  EXPECT_EQ(view_->topPosition, 40) << "beyond the end lands on the maximum";
  EXPECT_EQ(ScrollTextView(view_, -100, 0, true), kMovedNotPainted);
  EXPECT_EQ(view_->topPosition, 0);
  EXPECT_EQ(ScrollTextView(view_, -1, 0, true), kNothingToDo);
  EXPECT_EQ(ScrollTextView(nullptr, 1, 1, true), kNoView);
}

TEST_F(TextPaint, ShowOffsetAtTopFindsTheLineAndStopsAtTheMaximum) {
  Article article;
  for (int i = 0; i < 40; ++i) article.Text(0x81, 0, "aaa");
  ASSERT_EQ(Lay(article, 100, 100), kLayoutOk);
  EXPECT_EQ(ShowOffsetAtTop(view_, 5 * 6 + 3), 1);
  EXPECT_EQ(view_->topPosition, 10) << "the sixth paragraph starts at unit 10";
  EXPECT_EQ(ShowOffsetAtTop(view_, 39 * 6 + 2), 1);
  EXPECT_EQ(view_->topPosition, view_->maxTop);
  view_->topPosition = 3;
  EXPECT_EQ(ShowOffsetAtTop(view_, 40 * 6 + 10), 0);
  EXPECT_EQ(view_->topPosition, 3);
}

TEST_F(TextPaint, LabelsHangLeftOfLeftToRightLinesAndRightOfHebrewLines) {
  ASSERT_EQ(Lay(Article().Text(0x01, 0x40, "1 aaa").Text(0x31, 0x40, "aaa 2"), 200, 100, 20), kLayoutOk);
  PaintTextView(view_, true);
  const LineRecord& ltr = view_->lines[0];
  const LineRecord& hebrew = view_->lines[1];
  EXPECT_EQ(ltr.x, 20 + 10);
  EXPECT_NE(pixels_.at(ltr.x - 10 + 5, 8), kWhite) << "the label in its column";
  EXPECT_EQ(pixels_.at(ltr.x + 35, 8), kWhite) << "the body is three characters";
  EXPECT_EQ(hebrew.x, 20 + 200 - 10 - 30);
  EXPECT_NE(pixels_.at(hebrew.x + 30 + 5, 16 + 8), kWhite) << "the label right of the body";
}

TEST_F(TextPaint, AMatchInAHebrewLabelIsBroughtUpAndItsLettersHighlighted) {
  // Twelve one-line paragraphs, then one whose stored end "gh" is its
  // label (a column of two characters), right of the body "ab".
  Article article;
  for (int i = 0; i < 12; ++i) article.Text(0x31, 0, "ccc");
  const std::size_t labelled = article.size();
  article.Text(0x31, 0xC0, "ab gh");
  for (int i = 0; i < 12; ++i) article.Text(0x31, 0, "ccc");
  ASSERT_EQ(Lay(article, 200, 80), kLayoutOk);
  const std::uint16_t g = static_cast<std::uint16_t>(labelled + 2 + 3);
  EXPECT_EQ(ShowOffsetAtTop(view_, static_cast<std::uint16_t>(g + 1)), 1);
  EXPECT_EQ(view_->topPosition, 12) << "the line that carries the label";
  view_->highlightStart = g + 1;  // "h" alone
  view_->highlightEnd = g + 2;
  EXPECT_EQ(PaintTextView(view_, true), 0);
  const LineRecord& line = view_->lines[12];
  const std::int32_t labelX = line.x + line.width;  // the label fills its column
  EXPECT_EQ(RowsWith(kYellow), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}));
  EXPECT_NE(pixels_.at(labelX + 15, 4), kYellow) << "behind \"g\": not matched";
  EXPECT_EQ(pixels_.at(labelX + 19, 4), kYellow) << "behind \"h\"";
}

TEST_F(TextPaint, ABannerRowTooWideShowsItsBeginningInWholeWordsAfterACutMark) {
  // A Hebrew subtitle in visual order: its beginning is its stored end.
  const Article article = Article().Text(0xD1, 0, "ab cd efg hi").Text(0xB1, 0, "c");
  ASSERT_EQ(Lay(article, 100, 200, 10), kLayoutOk);
  PaintTextView(view_, true);
  DrawSearchBanner(view_);
  // One row of 12 pixels; each character a box of 8 with 2 after it.
  std::string row;
  for (int x = 10; x < 110; ++x) row += pixels_.at(x, 200 - 2 - 5 - 6) == kYellow ? '.' : '#';
  // Inside the frames, from the first glyph to the last.
  const std::string inside = row.substr(row.find('.'), row.rfind('.') - row.find('.'));
  const std::size_t first = inside.find('#');
  ASSERT_NE(first, std::string::npos);
  const std::string ink = inside.substr(first, inside.find_last_of('#') - first + 1);
  EXPECT_EQ(ink, "########..########..########..########..########..########............########..########")
      << "\"...\", \"efg\", a space, \"hi\": the word cut in two is left out";
}

TEST_F(TextPaint, BannerIsAsWideAsTheViewWhenTheTitleIsWider) {
  const Article article = Article().Text(0xDC, 0, std::string(40, 'a')).Text(0xD1, 0, "bbb").Text(0xB1, 0, "c");
  ASSERT_EQ(Lay(article, 200, 200, 10), kLayoutOk);
  PaintTextView(view_, true);
  DrawSearchBanner(view_);
  const platform::Pixel red = 0x00FF0000;
  // Title and subtitle: two rows of 12 pixels in a box from 200 - 24 - 12.
  EXPECT_EQ(pixels_.at(10, 200 - 2 - 1), red) << "the box starts at the view's left";
  EXPECT_EQ(pixels_.at(10 + 199, 200 - 2 - 1), red) << "and ends at its right";
  EXPECT_EQ(pixels_.at(100, 200 - 36), red) << "top edge";
  EXPECT_EQ(pixels_.at(100, 200 - 36 + 2), kWhite) << "the white frame";
  EXPECT_EQ(pixels_.at(100, 200 - 36 + 3), 0x000000FFu) << "the blue frames";
  EXPECT_EQ(pixels_.at(10 + 6, 200 - 36 + 5), kYellow) << "inside, above the title's glyphs";
}

TEST_F(TextPaint, NoBannerWithoutTitleOrSubtitle) {
  ASSERT_EQ(Lay(Article().Text(0xB1, 0, "aaa").Text(0xB1, 0, "bbb"), 200, 200), kLayoutOk);
  PaintTextView(view_, true);
  const platform::Framebuffer before = pixels_;
  DrawSearchBanner(view_);
  EXPECT_TRUE(std::equal(before.pixels().begin(), before.pixels().end(), pixels_.pixels().begin()));
}

}  // namespace
