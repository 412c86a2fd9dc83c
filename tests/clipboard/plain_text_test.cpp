#include "clipboard/plain_text.h"

#include <gtest/gtest.h>

#include <string>

#include "core/app_state.h"
#include "platform/system/memory.h"
#include "tests/clipboard/article_bytes.h"

namespace {

using quillory::App;
using quillory_test::ArticleBytes;

class PlainText : public ::testing::Test {
 protected:
  void SetUp() override {
    quillory::ResetAppState();
    App().font.asciiBase = 1488;
  }
  void TearDown() override { quillory::ResetAppState(); }

  // The export of `text` into a buffer of exactly its computed capacity.
  static std::u16string Export(const std::vector<std::uint8_t>& text) {
    std::u16string buffer(quillory::PlainTextCapacity(text), u'?');
    EXPECT_EQ(quillory::ArticleToPlainText(text, buffer.data(), buffer.size() * 2), 0);
    return std::u16string(buffer.c_str());
  }
  // The export of the passage between two reading places.
  static std::u16string Passage(const std::vector<std::uint8_t>& text, std::size_t start, std::size_t end,
                                bool backLinkShown = false) {
    std::u16string buffer(quillory::PlainTextCapacity(text), u'?');
    EXPECT_EQ(quillory::PassageToPlainText(text, quillory::PassagePlaces{start, end, backLinkShown}, buffer.data(),
                                           buffer.size() * 2),
              0);
    return std::u16string(buffer.c_str());
  }
};

TEST_F(PlainText, HebrewRecordsConvertWithTheBaseAndReverseAndTakeTheirIndentAfter) {
  const auto text = ArticleBytes().Record(0xB1, 3, "ab(c").Ended();
  EXPECT_EQ(Export(text), u"\u05D0\u05D1(\u05D2   \r\n\r\n");
  App().flags = quillory::kReverseFlag;
  EXPECT_EQ(Export(text), u"\u05D2)\u05D1\u05D0   \r\n\r\n") << "reversed, brackets mirrored";
  App().font.asciiBase = 224;
  App().flags = 0;
  EXPECT_EQ(Export(text), u"\u00E0\u00E1(\u00E2   \r\n\r\n");
  App().font.asciiBase = 97;
  App().flags = quillory::kReverseFlag;
  EXPECT_EQ(Export(text), u"ab(c   \r\n\r\n") << "base 97 maps and reverses nothing";
}

TEST_F(PlainText, OtherRecordsKeepTheirBytesAfterTheirIndent) {
  App().flags = quillory::kReverseFlag;
  const auto text = ArticleBytes().Record(0x01, 0x42, "ab{").Record(0x21, 0, "x").Ended();
  EXPECT_EQ(Export(text), u"  ab{\r\nx\r\n") << "indent is the low six bits of the layout byte";
}

TEST_F(PlainText, RulesAndLinksBecomeDashesWithoutTheirStrings) {
  std::vector<std::uint8_t> text = ArticleBytes().Rule(210).Rule(160).Rule(161).Ended();
  text.pop_back();
  // A link to article 5 with layout byte 3, a link with a two-byte number,
  // an empty record, and a paragraph that must still be found after them.
  const std::uint8_t links[] = {0xD7, 3, 0x05, 'a', 'b', 0, 0xC7, 2, 0x7F, 0xFF, 'x', 0, 0x47, 0, 0, 0x21, 0, 'z', 0, 0};
  text.insert(text.end(), std::begin(links), std::end(links));
  const std::u16string dashes100(100, u'-');
  const std::u16string dashes160(160, u'-');
  EXPECT_EQ(Export(text), dashes100 + u"\r\n" + dashes160 + u"\r\n--\r\n---\r\n\r\n--\r\n\r\n\r\nz\r\n");
}

TEST_F(PlainText, CapacityFollowsTheStoredRecords) {
  // T = 8 + 3 + 5 + 3; U = 4 records + 2 with a blank line; R1 = 160;
  // R2 = 100; I = 5 + 2.
  const auto text = ArticleBytes().Record(0xB1, 5, "abcde").Rule(160).Record(0x01, 2, "xy").Ended();
  std::vector<std::uint8_t> withWide = text;
  withWide.pop_back();
  const std::uint8_t wide[] = {0xC7, 210, 0, 0};
  withWide.insert(withWide.end(), std::begin(wide), std::end(wide));
  EXPECT_EQ(quillory::PlainTextCapacity(withWide), 19u * 3 / 2 + 2 * 6 + 160 + 100 + 7 + 1);
  EXPECT_EQ(quillory::PlainTextCapacity(std::vector<std::uint8_t>{0}), 1u);
}

TEST_F(PlainText, ATooSmallBufferIsReportedAndNeverOverrun) {
  const auto text = ArticleBytes().Record(0x01, 0, "abc").Ended();
  const std::u16string expected = u"abc\r\n";
  std::u16string buffer(expected.size() + 4, u'#');
  EXPECT_EQ(quillory::ArticleToPlainText(text, buffer.data(), (expected.size() + 1) * 2), 0);
  EXPECT_EQ(std::u16string(buffer.c_str()), expected);
  buffer.assign(expected.size() + 4, u'#');
  EXPECT_EQ(quillory::ArticleToPlainText(text, buffer.data(), expected.size() * 2), 1) << "no room for the terminator";
  EXPECT_EQ(buffer.substr(expected.size()), u"####") << "nothing written past the capacity";
}

TEST_F(PlainText, AParagraphThatCannotBeConvertedFailsTheExportInsteadOfVanishing) {
  // A string longer than any converted before, so that the conversion
  // buffer must grow, and that growth fails.
  const auto text = ArticleBytes().Record(0xB1, 0, std::string(20000, 'a')).Ended();
  std::u16string buffer(quillory::PlainTextCapacity(text), u'?');
  platform::FailNthAllocation(1);
  EXPECT_EQ(quillory::ArticleToPlainText(text, buffer.data(), buffer.size() * 2), 1);
  platform::FailNthAllocation(0);
}

TEST_F(PlainText, TextWithoutItsEndingZeroEndsAtItsLastByte) {
  const std::vector<std::uint8_t> cut = {0x01, 0, 'a', 'b'};
  EXPECT_EQ(Export(cut), u"ab\r\n");
  const std::vector<std::uint8_t> linkCut = {0xD7, 4, 0x85};
  EXPECT_EQ(Export(linkCut), u"----\r\n\r\n");
}

TEST_F(PlainText, APassageGivesWhatItHoldsAndBreaksLinesOnlyBetweenItsParagraphs) {
  // "abc def" with an indent of 2 at string offset 2 (to 9); the Hebrew
  // "ab(c" with an indent of 3 and a blank line after it at 12 (to 16),
  // read c ( b a; a rule at 17; "xy" at 22.
  std::vector<std::uint8_t> text = ArticleBytes().Record(0x01, 2, "abc def").Record(0xB1, 3, "ab(c").Rule(50).Ended();
  text.pop_back();
  const auto more = ArticleBytes().Record(0x01, 0, "xy").Ended();
  text.insert(text.end(), more.begin(), more.end());
  EXPECT_EQ(Passage(text, 3, 7), u"bc d") << "inside a paragraph: no indent, no line end";
  EXPECT_EQ(Passage(text, 2, 9), u"abc def") << "a whole paragraph that the passage does not go past";
  EXPECT_EQ(Passage(text, 2, 14), u"  abc def\r\n(\u05D2") << "its first two letters read, in stored order";
  App().flags = quillory::kReverseFlag;
  EXPECT_EQ(Passage(text, 2, 14), u"  abc def\r\n\u05D2)") << "in reading order, as Copy asks for it";
  EXPECT_EQ(Passage(text, 6, 23), u"def\r\n\u05D2)\u05D1\u05D0   \r\n\r\n" + std::u16string(50, u'-') + u"\r\nx")
      << "the Hebrew paragraph whole, with its indent and its blank line, then the rule";
  EXPECT_EQ(Passage(text, 0, text.size()), Export(text)) << "the whole text is the article's export";
  EXPECT_EQ(Passage(text, 5, 5), u"") << "an empty passage";
}

TEST_F(PlainText, APassageGivesTheCaptionsOfTheLinksItCrossesButNotOfHiddenOnes) {
  // "a" at 2; a link to 5 captioned "bc" at 7 (to 9); the back link
  // captioned "dd" at 14 (to 16); "e" at 19.
  std::vector<std::uint8_t> text = ArticleBytes().Record(0x01, 0, "a").Ended();
  text.pop_back();
  const std::uint8_t links[] = {0x47, 3, 0x05, 'b', 'c', 0, 0x47, 3, 0xFF, 0xFF, 'd', 'd', 0, 0x01, 0, 'e', 0, 0};
  text.insert(text.end(), std::begin(links), std::end(links));
  EXPECT_EQ(Passage(text, 2, 20), u"a\r\nbc\r\ne") << "the back link is not on the page";
  EXPECT_EQ(Passage(text, 2, 20, true), u"a\r\nbc\r\ndd\r\ne");
  EXPECT_EQ(Passage(text, 8, 9), u"c");
  EXPECT_EQ(Export(text), u"a\r\n---\r\n---\r\ne\r\n") << "the article's export keeps its dashes";
}

}  // namespace
