// The selection in the text view: reading places found from points of the
// page (left-to-right lines, Hebrew lines with numbers in them, labels,
// link captions, rules), words, the marks drawn over the selected
// characters, and rows repainted alone when only their marks change. Every
// case runs at several pixel densities: fixed fonts whose characters are
// 10 × S pixels wide in cells 16 × S high, and points scaled alike.

#include <gtest/gtest.h>

#include <algorithm>
#include <span>

#include "clipboard/plain_text.h"
#include "tests/view/view_fixture.h"
#include "view/article_format.h"
#include "view/text_paint.h"
#include "view/text_scroll.h"
#include "view/text_selection.h"

namespace {

using namespace quillory;
using quillory_test::Article;
using quillory_test::ViewTest;

constexpr platform::Pixel kYellow = 0x00FFFF00;
constexpr platform::Pixel kSentinel = 0x00808080;

int gScale = 1;

std::unique_ptr<platform::Font> ScaledFixedFont(const platform::FontRequest& request) {
  const std::int32_t height = request.height == 0 ? 16 : (request.height < 0 ? -request.height : request.height);
  return platform::Font::Fixed(height * gScale, quillory_test::kAdvance * gScale);
}

class TextSelection : public ViewTest, public ::testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    gScale = GetParam();
    platform::SetFontFactory(ScaledFixedFont);
  }

  int S(int pixels) const { return pixels * gScale; }
  // A view of `width` × `height` unscaled pixels.
  int LayScaled(const Article& article, int width, int height = 150) { return Lay(article, S(width), S(height)); }

  std::uint16_t PlaceAt(int x, int y) {
    const auto point = PointOnPage(view_, S(x), S(y));
    EXPECT_TRUE(point.has_value());
    return point ? point->place : 0;
  }
  // Whether any pixel of the box, in unscaled pixels, has the mark's yellow.
  bool Marked(int left, int top, int right, int bottom) const {
    for (int y = S(top); y < S(bottom); ++y) {
      for (int x = S(left); x < S(right); ++x) {
        if (pixels_.at(x, y) == kYellow) return true;
      }
    }
    return false;
  }
  std::u16string Exported(std::uint16_t start, std::uint16_t end) const {
    const std::span<const std::uint8_t> text(view_->text.data(), view_->text.length());
    std::u16string buffer(PlainTextCapacity(text), u'?');
    EXPECT_EQ(PassageToPlainText(text, PassagePlaces{start, end, false}, buffer.data(), buffer.size() * 2), 0);
    return std::u16string(buffer.c_str());
  }
};

TEST_P(TextSelection, LeftToRightLinesHavePlacesBetweenTheirCharactersFromLeftToRight) {
  // "abc def" at offset 2: a at x 0-10, b 10-20, ...
  ASSERT_EQ(LayScaled(Article().Text(0x01, 0, "abc def"), 100), kLayoutOk);
  PaintTextView(view_, true);
  EXPECT_EQ(PlaceAt(12, 5), 3) << "the left half of b: before it";
  EXPECT_EQ(PlaceAt(18, 5), 4) << "the right half of b: after it";
  EXPECT_EQ(PlaceAt(95, 5), 9) << "right of the line: its end";
  EXPECT_EQ(PlaceAt(0, 5), 2) << "its start";
  const auto point = PointOnPage(view_, S(45), S(5));
  ASSERT_TRUE(point);
  EXPECT_EQ(point->character, 2 + 4) << "d";
  EXPECT_EQ(point->paragraph.start, 2);
  EXPECT_EQ(point->paragraph.end, 9);
}

TEST_P(TextSelection, HebrewLinesReadLeftwardsAndTheirNumbersRightwards) {
  // Stored in visual order "ab 12": read "12", the space, b, a.
  ASSERT_EQ(LayScaled(Article().Text(0x11, 0, "ab 12"), 100), kLayoutOk);
  PaintTextView(view_, true);
  EXPECT_EQ(PlaceAt(18, 5), 2 + 3) << "the right half of b: before it, after the space";
  EXPECT_EQ(PlaceAt(12, 5), 2 + 4) << "the left half of b: after it";
  EXPECT_EQ(PlaceAt(1, 5), 2 + 5) << "left of a: the line's end";
  EXPECT_EQ(PlaceAt(31, 5), 2 + 0) << "the left half of 1: the very start";
  EXPECT_EQ(PlaceAt(38, 5), 2 + 1) << "between 1 and 2";
  EXPECT_EQ(PlaceAt(90, 5), 2 + 2) << "right of the number: after it";

  // Selecting "2", the space and "b" marks them, and neither "1" nor "a".
  SelectPlaces(view_, 2 + 1, 2 + 4);
  EXPECT_TRUE(Marked(10, 0, 30, 16)) << "b and the space";
  EXPECT_TRUE(Marked(40, 0, 50, 16)) << "2";
  EXPECT_FALSE(Marked(0, 0, 10, 16)) << "a";
  EXPECT_FALSE(Marked(30, 0, 40, 16)) << "1";
  App().font.asciiBase = kBaseUnicode;
  App().flags = kReverseFlag;  // the export's reading order, as Copy asks for it
  EXPECT_EQ(Exported(2 + 1, 2 + 4), u"2 \u05D1");
}

TEST_P(TextSelection, ADragAcrossLinesSelectsInReadingOrderWithTheSpacesBetweenLinesAndParagraphs) {
  // Five characters a line: "aaaa" / "bbbb" of each record.
  Article article;
  article.Text(0x01, 0, "aaaa bbbb").Text(0x01, 0, "cccc dddd");
  ASSERT_EQ(LayScaled(article, 50), kLayoutOk);
  PaintTextView(view_, true);
  const std::uint16_t anchor = PlaceAt(15, 5);  // after the second a
  const std::uint16_t focus = PlaceAt(25, 16 * 2 + 5);  // after the third c
  EXPECT_EQ(anchor, 4);
  EXPECT_EQ(focus, 14 + 3);
  SelectPlaces(view_, anchor, focus);
  EXPECT_FALSE(Marked(0, 0, 20, 16));
  EXPECT_TRUE(Marked(20, 0, 40, 16));
  EXPECT_TRUE(Marked(0, 16, 40, 32)) << "the whole line between";
  EXPECT_TRUE(Marked(0, 32, 30, 48));
  EXPECT_FALSE(Marked(30, 32, 50, 48));
  EXPECT_EQ(Exported(anchor, focus), u"aa bbbb\r\nccc");
  // Backwards is the same passage.
  SelectPlaces(view_, focus, anchor);
  EXPECT_EQ(SelectedSpan(*view_).start, anchor);
  EXPECT_EQ(SelectedSpan(*view_).end, focus);
}

TEST_P(TextSelection, PointsBesideTheLinesTakeTheNearestLineAndRulesTheirOnePlace) {
  Article article;
  article.Text(0x81, 0, "aa").Rule(0x47, 40).Text(0x01, 0, "bb");
  ASSERT_EQ(LayScaled(article, 100), kLayoutOk);
  PaintTextView(view_, true);
  EXPECT_EQ(PlaceAt(5, 16 + 8), 3) << "the blank row after a paragraph belongs to its line";
  EXPECT_EQ(PlaceAt(5, 16 * 2 + 8), 5 + 2) << "the rule: its empty string's place";
  EXPECT_EQ(PlaceAt(5, 149), 10 + 1) << "below every line: the last line";
  EXPECT_EQ(PointOnPage(nullptr, 0, 0), std::nullopt);
}

TEST_P(TextSelection, LabelsAndLinkCaptionsAreSelectedWithTheirLines) {
  // A labelled paragraph ("1." hangs left of its body) and a link.
  Article article;
  article.Text(0x01, 0x40, "1. abc").Link(0x47, 9, "xyz");
  ASSERT_EQ(LayScaled(article, 100), kLayoutOk);
  PaintTextView(view_, true);
  const LineRecord& labelled = view_->lines[0];
  ASSERT_NE(labelled.labelWidth, 0);
  const auto onLabel = PointOnPage(view_, labelled.x - labelled.labelWidth + S(2), S(5));
  ASSERT_TRUE(onLabel);
  EXPECT_EQ(onLabel->character, 2) << "the label's first character";
  const LineRecord& link = view_->lines[1];
  const auto onCaption = PointOnPage(view_, link.x + S(2), view_->links[0].y + S(2));
  ASSERT_TRUE(onCaption);
  const std::uint16_t captionAt = static_cast<std::uint16_t>(Article().Text(0x01, 0x40, "1. abc").size() + 3);
  EXPECT_EQ(onCaption->character, captionAt);
  SelectPlaces(view_, 2, static_cast<std::uint16_t>(captionAt + 3));
  EXPECT_EQ(Exported(2, static_cast<std::uint16_t>(captionAt + 3)), u"1. abc\r\nxyz");
  EXPECT_EQ(HitTestLink(view_, link.x + S(2), view_->links[0].y + S(2)), 9) << "the link is still there to click";
}

TEST_P(TextSelection, AWordRunsToTheSpacesAndPunctuationAroundIt) {
  ASSERT_EQ(LayScaled(Article().Text(0x01, 0, "ab, c-d e"), 100), kLayoutOk);
  PaintTextView(view_, true);
  const auto word = [&](int x) { return WordAt(*view_, *PointOnPage(view_, S(x), S(5))); };
  EXPECT_EQ(word(15).start, 2);
  EXPECT_EQ(word(15).end, 4) << "ab, without its comma";
  EXPECT_EQ(word(55).start, 6);
  EXPECT_EQ(word(55).end, 9) << "c-d, a hyphen inside a word";
  EXPECT_EQ(word(25).start, 4);
  EXPECT_EQ(word(25).end, 5) << "the comma alone";
}

TEST_P(TextSelection, OnlyTheLinesWhoseMarksChangeArePaintedAgainAndAsAWholePaintWouldPaintThem) {
  Article article;
  for (int i = 0; i < 3; ++i) article.Text(0x01, 0, "aaaa");
  article.Link(0x47, 5, "bbbb");
  for (int i = 0; i < 4; ++i) article.Text(0x01, 0, "cccc");
  ASSERT_EQ(LayScaled(article, 60), kLayoutOk);
  PaintTextView(view_, true);
  SelectPlaces(view_, 2, 3);
  // A row no change reaches keeps what lies there.
  const int lastRow = S(16 * 3 + 12 + 16 * 3);
  pixels_.Fill(platform::Rect{0, lastRow, S(60), lastRow + S(16)}, kSentinel);
  // From the first line through the link's caption into the line below it.
  const std::uint16_t focus = PlaceAt(25, 16 * 3 + 12 + 5);
  SelectPlaces(view_, 2, focus);
  EXPECT_EQ(pixels_.at(S(5), lastRow + S(5)), kSentinel) << "not painted again";
  const platform::Framebuffer partial = pixels_;
  PaintTextView(view_, true);

  for (int y = 0; y < lastRow; ++y) {
    for (int x = 0; x < pixels_.width(); ++x) {
      ASSERT_EQ(partial.at(x, y), pixels_.at(x, y)) << "at " << x << ", " << y;
    }
  }
}

TEST_P(TextSelection, TheSelectionOutlivesScrollingAndANewLayoutButNotAnotherText) {
  Article article;
  for (int i = 0; i < 20; ++i) article.Text(0x01, 0, "aaaa");
  ASSERT_EQ(LayScaled(article, 60, 64), kLayoutOk);
  PaintTextView(view_, true);
  SelectPlaces(view_, 2, 12);
  ScrollTextView(view_, 1, 1, true);
  EXPECT_TRUE(Marked(0, 0, 40, 16)) << "the second line, now at the top";
  EXPECT_EQ(RelayoutText(view_), kLayoutOk);
  EXPECT_TRUE(HasSelection(*view_));
  ASSERT_EQ(LayoutText(view_, Article().Text(0x01, 0, "zz").Block(), true), kLayoutOk);
  EXPECT_FALSE(HasSelection(*view_));
}

INSTANTIATE_TEST_SUITE_P(Scales, TextSelection, ::testing::Values(1, 2));

}  // namespace
