#include "clipboard/clipboard_data.h"

#include <gtest/gtest.h>

#include <string>

#include "clipboard/copy_article.h"
#include "core/app_state.h"
#include "platform/backends/headless/headless_backend.h"
#include "platform/system/memory.h"
#include "platform/windows/clipboard.h"
#include "tests/clipboard/article_bytes.h"
#include "tests/support/clipboard_contents.h"
#include "view/text_view.h"

namespace {

using quillory::App;
using quillory_test::ArticleBytes;

constexpr std::string_view kHeader =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fcharset177\\cpg1255 David;}}{\\colortbl\\red0\\green0\\blue0;"
    "\\red255\\green255\\blue255;\\red255\\green0\\blue0;}\\rtldoc\\pard\\rtlpar\\qr\\lang1033\\f0\\fs20\\uc0\r\n";
constexpr std::string_view kSeparator = "\\qc\\cf2\\fs72\\b*  *  *  *  *\\b0\\par\\par\\qr\\fs20\\cf0\r\n";

class ClipboardExport : public ::testing::Test {
 protected:
  void SetUp() override {
    quillory::ResetAppState();
    platform::ResetClipboard();
    App().font.asciiBase = 1488;
    rtf_ = platform::RegisterClipboardFormat(platform::kRtfFormatName);
  }
  void TearDown() override {
    platform::ResetClipboard();
    quillory::ResetAppState();
  }

  // A view holding `text`, as the reader's view holds the current article.
  void Show(const std::vector<std::uint8_t>& text) {
    view_.text = platform::HeapBlock::Allocate(text.size());
    std::copy(text.begin(), text.end(), view_.text.data());
  }

  static void Put(platform::ClipboardFormat format, std::string_view bytes) {
    ASSERT_TRUE(quillory::testing::PutOnClipboard(format, bytes));
  }
  static void PutText(std::u16string_view text) { Put(platform::kCfUnicodeText, quillory::testing::Utf16LeBytes(text)); }
  static std::optional<std::string> Held(platform::ClipboardFormat format) {
    return quillory::testing::HeldOnClipboard(format);
  }
  static std::optional<std::u16string> HeldText() {
    const auto bytes = Held(platform::kCfUnicodeText);
    if (!bytes) return std::nullopt;
    return quillory::testing::FromUtf16LeBytes(*bytes);
  }

  quillory::TextView view_;
  platform::ClipboardFormat rtf_ = 0;
};

// Title "ab" (blank line after), then a paragraph "c1" with indent 2.
const std::vector<std::uint8_t> kArticle = ArticleBytes().Record(0xDC, 0, "ab").Record(0x31, 2, "c1").Ended();

TEST_F(ClipboardExport, CopyWithTheUnicodeBaseIsOneDocumentInLogicalOrderWithItsTextBeside) {
  Show(kArticle);
  quillory::CopyArticleToClipboard(&view_, false);
  // Stored in visual order; the export reverses it, as the Reverse option is off.
  const std::string body = "\\u1489\\u1488\\par\\par\r\n1\\u1490   \\par\\par\r\n\\par\\par\r\n";
  EXPECT_EQ(Held(rtf_), std::string(kHeader) + body + "}\r\n");
  EXPECT_EQ(HeldText(), std::u16string(u"\u05D1\u05D0\r\n\r\n1\u05D2  \r\n") + u'\0')
      << "the same article as Unicode text, for programs without rich text";
  EXPECT_EQ(App().flags, 0u) << "the Reverse option is put back";

  App().flags = quillory::kReverseFlag | 0x40;
  quillory::CopyArticleToClipboard(&view_, false);
  EXPECT_EQ(Held(rtf_), std::string(kHeader) + "\\u1488\\u1489\\par\\par\r\n\\u1490 1  \\par\\par\r\n\\par\\par\r\n}\r\n")
      << "the Reverse option on: stored order, the digit parted from the escape";
  EXPECT_EQ(App().flags, quillory::kReverseFlag | 0x40u);
}

TEST_F(ClipboardExport, CopyWithAByteBaseIsUnicodeTextLineByLine) {
  App().font.asciiBase = 224;
  Show(kArticle);
  quillory::CopyArticleToClipboard(&view_, false);
  EXPECT_EQ(HeldText(), std::u16string(u"\u00E0\u00E1\r\n\r\n\u00E21  \r\n") + u'\0');
  EXPECT_FALSE(Held(rtf_));
}

TEST_F(ClipboardExport, AppendingRichTextTwiceKeepsOneDocument) {
  Show(ArticleBytes().Record(0x31, 0, "a").Ended());
  const std::string body = "\\u1488\\par\\par\r\n\\par\\par\r\n";
  quillory::CopyArticleToClipboard(&view_, true);
  EXPECT_EQ(Held(rtf_), std::string(kHeader) + body + "}\r\n") << "nothing to continue: a new document";
  quillory::CopyArticleToClipboard(&view_, true);
  quillory::CopyArticleToClipboard(&view_, true);
  const std::string twice = std::string(kHeader) + body + std::string(kSeparator) + body;
  EXPECT_EQ(Held(rtf_), twice + std::string(kSeparator) + body + "}\r\n");
}

TEST_F(ClipboardExport, AppendContinuesAnotherProgramsDocumentAfterItsClosingBrace) {
  Show(ArticleBytes().Record(0x01, 0, "x").Ended());
  Put(rtf_, "{\\rtf1 old}}\r\n \t\n\r  ");
  quillory::CopyArticleToClipboard(&view_, true);
  EXPECT_EQ(Held(rtf_), "{\\rtf1 old}" + std::string(kSeparator) + "x\\par\\par\r\n\\par\\par\r\n}\r\n")
      << "trailing whitespace and one brace are dropped";
}

TEST_F(ClipboardExport, AppendReadsOldDataOnlyUpToItsFirstZeroByte) {
  Show(ArticleBytes().Record(0x01, 0, "x").Ended());
  Put(rtf_, std::string("{\\rtf1 a} \0}garbage", 19));
  quillory::CopyArticleToClipboard(&view_, true);
  EXPECT_EQ(Held(rtf_), "{\\rtf1 a" + std::string(kSeparator) + "x\\par\\par\r\n\\par\\par\r\n}\r\n");

  Put(rtf_, "{\\rtf1}}");
  quillory::CopyArticleToClipboard(&view_, true);
  EXPECT_EQ(Held(rtf_)->substr(0, 7 + kSeparator.size()), "{\\rtf1}" + std::string(kSeparator)) << "only one brace goes";

  Put(rtf_, std::string("\0{\\rtf1 a}", 10));
  quillory::CopyArticleToClipboard(&view_, true);
  EXPECT_EQ(Held(rtf_)->substr(0, kHeader.size()), kHeader) << "nothing before the zero: a document of its own";
}

TEST_F(ClipboardExport, AppendWithByteBaseFollowsOtherTextDirectly) {
  App().font.asciiBase = 97;
  Show(ArticleBytes().Record(0x31, 0, "ab").Ended());
  PutText(std::u16string(u"Hello\0ignored", 13));
  quillory::CopyArticleToClipboard(&view_, true);
  EXPECT_EQ(HeldText(), std::u16string(u"Helloab\r\n") + u'\0');

  // Text without a terminator, and an odd byte: whole characters only.
  Put(platform::kCfUnicodeText, std::string("H\0i\0!", 5));
  quillory::CopyArticleToClipboard(&view_, true);
  EXPECT_EQ(HeldText(), std::u16string(u"Hiab\r\n") + u'\0');
}

TEST_F(ClipboardExport, AppendStartsAFreshDocumentAfterDataThatIsNoRichText) {
  // A program that answers every request with its plain text.
  Show(ArticleBytes().Record(0x01, 0, "x").Ended());
  Put(rtf_, "hello from another program");
  quillory::CopyArticleToClipboard(&view_, true);
  EXPECT_EQ(Held(rtf_), std::string(kHeader) + "x\\par\\par\r\n\\par\\par\r\n}\r\n");

  PutText(u"hello ");
  quillory::CopyArticleToClipboard(&view_, true);
  EXPECT_EQ(HeldText(), std::u16string(u"hello x\r\n") + u'\0') << "the text is continued all the same";
  EXPECT_EQ(Held(rtf_), std::string(kHeader) + "x\\par\\par\r\n\\par\\par\r\n}\r\n");
  quillory::CopyArticleToClipboard(&view_, true);
  EXPECT_EQ(HeldText(), std::u16string(u"hello x\r\nx\r\n") + u'\0');
  EXPECT_EQ(Held(rtf_)->find(kSeparator), kHeader.size() + 21) << "its own document is continued";
}

TEST_F(ClipboardExport, CopyReplacesEveryOtherFormat) {
  const platform::ClipboardFormat other = platform::RegisterClipboardFormat(u"Other");
  Put(other, "old");
  PutText(u"old");
  Show(kArticle);
  quillory::CopyArticleToClipboard(&view_, false);
  EXPECT_TRUE(Held(rtf_));
  EXPECT_FALSE(Held(other));
  EXPECT_EQ(HeldText()->substr(0, 2), u"\u05D1\u05D0");
}

TEST_F(ClipboardExport, WithoutClipboardMemoryTheClipboardEndsEmpty) {
  App().font.asciiBase = 224;
  PutText(u"old");
  platform::FailNthAllocation(1);
  quillory::PutTextOnClipboard(u"new", false);
  platform::FailNthAllocation(0);
  EXPECT_FALSE(platform::ClipboardHoldsAnything());
}

TEST_F(ClipboardExport, AClipboardThatCannotBeOpenedIsLeftAsItWas) {
  PutText(u"old");
  ASSERT_TRUE(platform::OpenClipboard(nullptr));  // another opening keeps it busy
  quillory::PutTextOnClipboard(u"new", false);
  quillory::PutRtfOnClipboard(u"new", true);
  platform::CloseClipboard();
  EXPECT_EQ(HeldText(), std::u16string(u"old"));
  EXPECT_FALSE(Held(rtf_));
}

TEST_F(ClipboardExport, AnArticleThatCannotBeConvertedIsReportedAndLeavesTheClipboardAlone) {
  platform::ScopedHeadlessBackend backend;
  backend->SetDrawsBoxes(false);
  PutText(u"old");
  // Longer than any paragraph converted before: the conversion must grow,
  // and the allocation after the export buffer's fails.
  Show(ArticleBytes().Record(0x31, 0, std::string(40000, 'a')).Ended());
  platform::FailNthAllocation(2);
  quillory::CopyArticleToClipboard(&view_, false);
  platform::FailNthAllocation(0);
  ASSERT_EQ(backend->shownBoxes().size(), 1u);
  EXPECT_EQ(backend->shownBoxes()[0].text, "(obuf > (start + size))");
  EXPECT_FALSE(backend->shownBoxes()[0].hasCaption);
  EXPECT_EQ(backend->shownBoxes()[0].style, platform::kMbOk);
  EXPECT_EQ(HeldText(), std::u16string(u"old"));
  EXPECT_FALSE(Held(rtf_));
}

TEST_F(ClipboardExport, NothingHappensWithoutAViewOrText) {
  PutText(u"old");
  quillory::CopyArticleToClipboard(nullptr, false);
  quillory::CopyArticleToClipboard(&view_, false);
  EXPECT_EQ(HeldText(), std::u16string(u"old"));
}

}  // namespace
