// Copy of every article of the compiled-in volume gives back the text the
// volume was written in: each paragraph of the authoring source in volume/,
// record markup aside, in reading order with its numbers and Latin words in
// their own order, both in the Unicode text and in the rich text beside it.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "clipboard/copy_article.h"
#include "core/app_state.h"
#include "platform/system/text_encoding.h"
#include "platform/windows/clipboard.h"
#include "resources/volume_resources.h"
#include "store/uncompress.h"
#include "tests/support/clipboard_contents.h"
#include "view/text_view.h"

namespace {

using quillory::App;

// The text of an authoring line as the volume stores it: niqqud and
// cantillation dropped, maqaf, geresh and gershayim as their ASCII stand-ins.
std::u16string AsStored(std::u16string_view text) {
  std::u16string stored;
  for (const char16_t c : text) {
    if (c == u'\u05BE') {
      stored += u'-';
    } else if (c == u'\u05F3') {
      stored += u'\'';
    } else if (c == u'\u05F4') {
      stored += u'"';
    } else if (c < u'\u0591' || c > u'\u05C7') {
      stored += c;
    }
  }
  return stored;
}

std::u16string Trimmed(std::u16string_view line) {
  const std::size_t first = line.find_first_not_of(u' ');
  if (first == std::u16string_view::npos) return {};
  return std::u16string(line.substr(first, line.find_last_not_of(u' ') - first + 1));
}

// The paragraphs of an article's source, in order: every line but comments,
// blank lines and the records that carry no text of their own (rules,
// links, the back link, empty records).
std::vector<std::u16string> SourceParagraphs(int article) {
  char name[32];
  std::snprintf(name, sizeof name, "/volume/articles/%02d.txt", article);
  std::ifstream file(std::string(QUILLORY_SOURCE_DIR) + name);
  std::vector<std::u16string> paragraphs;
  for (std::string line; std::getline(file, line);) {
    if (line.empty() || line[0] == '#') continue;
    const std::size_t colon = line.find(':');
    const std::string kind = line.substr(0, line.find_first_of(" :"));
    if (colon == std::string::npos || kind == "rule" || kind == "link" || kind == "back" || kind == "empty") continue;
    std::string text = line.substr(colon + 1);
    if (!text.empty() && text[0] == ' ') text.erase(0, 1);
    const std::u16string paragraph = Trimmed(AsStored(platform::Utf8ToUtf16(text)));
    if (!paragraph.empty()) paragraphs.push_back(paragraph);
  }
  return paragraphs;
}

// The paragraphs of exported text: its lines less blank ones, the dashes of
// rules and links, and the indents.
std::vector<std::u16string> ExportedParagraphs(std::u16string_view text) {
  std::vector<std::u16string> paragraphs;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find_first_of(u"\r\n", at);
    if (end == std::u16string_view::npos) end = text.size();
    const std::u16string line = Trimmed(text.substr(at, end - at));
    if (!line.empty() && line.find_first_not_of(u'-') != std::u16string::npos) paragraphs.push_back(line);
    at = end + 1;
  }
  return paragraphs;
}

// The text a word processor reads from the rich-text document: escapes as
// their characters (the space that ends one is no text), paragraph breaks
// as line ends, the header's and the closing's control words skipped.
std::u16string RichTextReadBack(const std::string& document) {
  std::u16string text;
  std::size_t at = document.find("\\uc0\r\n");
  if (at == std::string::npos) return text;
  at += 6;
  while (at < document.size()) {
    const char c = document[at];
    if (c == '\\' && document.compare(at, 2, "\\u") == 0 && at + 2 < document.size() &&
        std::isdigit(static_cast<unsigned char>(document[at + 2]))) {
      std::size_t end = at + 2;
      while (end < document.size() && std::isdigit(static_cast<unsigned char>(document[end]))) ++end;
      text += static_cast<char16_t>(std::stoul(document.substr(at + 2, end - at - 2)));
      at = end < document.size() && document[end] == ' ' ? end + 1 : end;
    } else if (document.compare(at, 10, "\\par\\par\r\n") == 0) {
      text += u"\r\n";
      at += 10;
    } else if (c == '\\') {
      text += static_cast<char16_t>(document[at + 1]);
      at += 2;
    } else if (c == '}' || c == '\r' || c == '\n') {
      ++at;
    } else {
      text += static_cast<char16_t>(static_cast<unsigned char>(c));
      ++at;
    }
  }
  return text;
}

class CopySource : public ::testing::Test {
 protected:
  void SetUp() override {
    quillory::ResetAppState();
    platform::ResetClipboard();
    App().module = &module_;
    App().font.asciiBase = quillory::kBaseUnicode;
  }
  void TearDown() override {
    platform::ResetClipboard();
    quillory::ResetAppState();
  }

  const platform::Module module_{quillory::VolumeResources()};
};

TEST_F(CopySource, EveryArticleCopiesAsItsSourceReads) {
  const platform::ClipboardFormat rtf = platform::RegisterClipboardFormat(platform::kRtfFormatName);
  for (int article = 1; article <= quillory::kArticleCount; ++article) {
    SCOPED_TRACE("article " + std::to_string(article));
    quillory::TextView view;
    view.text = quillory::LoadCompressedResource(article);
    ASSERT_TRUE(view.text);
    quillory::CopyArticleToClipboard(&view, false);
    const auto held = quillory::testing::HeldOnClipboard(platform::kCfUnicodeText);
    const auto document = quillory::testing::HeldOnClipboard(rtf);
    ASSERT_TRUE(held && document);
    std::u16string text = quillory::testing::FromUtf16LeBytes(*held);
    text.resize(text.find(u'\0'));

    const std::vector<std::u16string> source = SourceParagraphs(article);
    const std::vector<std::u16string> copied = ExportedParagraphs(text);
    ASSERT_FALSE(source.empty());
    ASSERT_EQ(copied.size(), source.size());
    for (std::size_t i = 0; i < source.size(); ++i) {
      EXPECT_EQ(platform::Utf16ToUtf8(copied[i]), platform::Utf16ToUtf8(source[i])) << "paragraph " << i;
    }
    EXPECT_EQ(ExportedParagraphs(RichTextReadBack(*document)), copied) << "the rich text reads the same";
  }
}

}  // namespace
