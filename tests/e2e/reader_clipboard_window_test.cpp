// Copy and Append to ClipBoard in the real reader window, read and fed by
// xclip as another program on the desktop: every program gets the article
// as text beside the rich text, and Append after another program's plain
// text starts a rich-text document of its own. Every wait is for a
// condition, never for a fixed time.

#include <string>

#include "tests/e2e/reader_window_fixture.h"

namespace {

using quillory::testing::Output;
using quillory::testing::WaitUntil;

// Has xclip take the clipboard with `text` (a printf format); it serves it
// from the background.
void ClipboardFromAnotherProgram(const std::string& text, const std::string& target) {
  ASSERT_EQ(std::system(("printf '" + text + "' | xclip -i -selection clipboard -t " + target +
                         " >/dev/null 2>&1").c_str()),
            0);
}

std::string Clipboard(const std::string& target) {
  return Output("timeout 5 xclip -o -selection clipboard -t '" + target + "' 2>/dev/null");
}

class ReaderClipboardWindow : public quillory::testing::ReaderWindowTest {
 protected:
  // Starts the reader on article 1 in the default font and waits for its window.
  void Start() {
    StoreSettings("\"FontName\"=\"David CLM\"\n\"Lesson\"=dword:00000001\n\"Flags\"=dword:d1140044\n");
    ReaderWindowTest::Start();
  }
};

TEST_F(ReaderClipboardWindow, CopyOffersTheArticleAsTextInReadingOrderBesideTheRichText) {
  ASSERT_NO_FATAL_FAILURE(Start());
  ClipboardFromAnotherProgram("before", "UTF8_STRING");
  ASSERT_TRUE(WaitUntil([] { return Clipboard("UTF8_STRING") == "before"; }));
  Key("ctrl+c");
  ASSERT_TRUE(WaitUntil([] { return Clipboard("UTF8_STRING") != "before"; })) << "the reader took the clipboard";
  EXPECT_EQ(Clipboard("TARGETS"), "TARGETS\nTIMESTAMP\ntext/rtf\napplication/rtf\nUTF8_STRING\ntext/plain;charset=utf-8\n");

  const std::string text = Clipboard("UTF8_STRING");
  // The title first, then the paragraphs, one a line, as the source has them.
  EXPECT_EQ(text.find("\xD7\xA4\xD7\xAA\xD7\x97 \xD7\x93\xD7\x91\xD7\xA8"), 0u) << "פתח דבר";
  EXPECT_NE(text.find("\xD7\x94\xD7\xA4\xD7\xA8\xD7\xA9\xD7\x95\xD7\xAA \xD7\x94-24 \xD7\xA2\xD7\x93 "
                      "\xD7\x94-33"),
            std::string::npos)
      << "הפרשות ה-24 עד ה-33, the numbers in their own order";
  EXPECT_NE(text.find("\n"), std::string::npos);
  EXPECT_EQ(text.find("\r"), std::string::npos) << "lines end as the desktop's do";
  EXPECT_EQ(Clipboard("text/plain;charset=utf-8"), text);

  const std::string document = Clipboard("text/rtf");
  EXPECT_EQ(document.rfind("{\\rtf1\\ansi", 0), 0u);
  // A space after punctuation or Latin stays one space; after an escape
  // the first space written is the escape's delimiter.
  EXPECT_NE(document.find("Search Again"), std::string::npos);
  EXPECT_EQ(document.find("Search  Again"), std::string::npos);
  EXPECT_NE(document.find(": \\u"), std::string::npos);
  EXPECT_EQ(document.find(":  \\u"), std::string::npos);
  EXPECT_NE(document.find("\\u1514  \\u"), std::string::npos) << "a word's end, its space";
}

TEST_F(ReaderClipboardWindow, AppendAfterAnotherProgramsTextStartsADocumentAndContinuesTheText) {
  ASSERT_NO_FATAL_FAILURE(Start());
  // xclip answers any target with its text, text/rtf included, but lists only UTF8_STRING.
  ClipboardFromAnotherProgram("hello from another program\\n", "UTF8_STRING");
  ASSERT_TRUE(WaitUntil([] { return Clipboard("UTF8_STRING") == "hello from another program\n"; }));
  ASSERT_EQ(Clipboard("TARGETS").find("text/rtf"), std::string::npos);
  ASSERT_EQ(Clipboard("text/rtf"), "hello from another program\n") << "answered all the same";
  Key("ctrl+e");
  ASSERT_TRUE(WaitUntil([] { return Clipboard("TARGETS").find("text/rtf") != std::string::npos; }));
  EXPECT_EQ(Clipboard("text/rtf").rfind("{\\rtf1\\ansi\\deff0", 0), 0u) << "a document with its header";
  const std::string text = Clipboard("UTF8_STRING");
  EXPECT_EQ(text.rfind("hello from another program\n\xD7\xA4\xD7\xAA\xD7\x97 \xD7\x93\xD7\x91\xD7\xA8", 0), 0u)
      << "the other program's text, then the article";

  // A second Append continues the reader's own document and text.
  Key("ctrl+e");
  ASSERT_TRUE(WaitUntil([] { return Clipboard("text/rtf").find("\\qc\\cf2\\fs72\\b*") != std::string::npos; }));
  EXPECT_EQ(Clipboard("text/rtf").rfind("{\\rtf1\\ansi\\deff0", 0), 0u);
  EXPECT_GT(Clipboard("UTF8_STRING").size(), 2 * text.size() - 100);
}

}  // namespace
