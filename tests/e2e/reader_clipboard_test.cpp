// Copy and Append to ClipBoard in the running reader, from their shortcuts.

#include <algorithm>

#include "clipboard/clipboard_data.h"
#include "platform/windows/clipboard.h"
#include "resources/program_resources.h"
#include "tests/e2e/reader_fixture.h"
#include "tests/support/clipboard_contents.h"

namespace quillory_test {
namespace {

constexpr std::string_view kSeparator = "\\qc\\cf2\\fs72\\b*  *  *  *  *\\b0\\par\\par\\qr\\fs20\\cf0\r\n";
constexpr std::size_t kHeaderLength = 180;

std::string Held(platform::ClipboardFormat format) {
  return quillory::testing::HeldOnClipboard(format).value_or("");
}

class ReaderClipboard : public ReaderTest {
 protected:
  ReaderClipboard() { platform::ResetClipboard(); }
  ~ReaderClipboard() override { platform::ResetClipboard(); }
};

TEST_F(ReaderClipboard, CopyThenAppendMakeOneRichTextDocumentOfTheArticleTwice) {
  StoreSettings("\"Lesson\"=dword:00000004\n\"Flags\"=dword:d1140044\n\"FontName\"=\"David CLM\"\n");
  const platform::ClipboardFormat rtf = platform::RegisterClipboardFormat(platform::kRtfFormatName);
  Script("key ctrl+c\n");
  Run(nullptr);
  const std::string copied = Held(rtf);
  Script("key ctrl+e\n");
  Run(nullptr);
  const std::string appended = Held(rtf);
  ASSERT_GT(copied.size(), kHeaderLength);
  EXPECT_EQ(copied.substr(0, 12), "{\\rtf1\\ansi\\");
  EXPECT_NE(copied.find("\\u1488"), std::string::npos) << "alef, as its Unicode number";
  EXPECT_EQ(copied.substr(copied.size() - 23), "\\par\\par\r\n\\par\\par\r\n}\r\n");
  EXPECT_EQ(appended, copied.substr(0, copied.size() - 3) + std::string(kSeparator) + copied.substr(kHeaderLength));
  EXPECT_EQ(Stored("Flags"), 0xd1140044u) << "the Reverse option is the reader's own again";
}

TEST_F(ReaderClipboard, CopyWithACodePageFontIsUnicodeTextInItsPositions) {
  StoreSettings("\"Lesson\"=dword:00000004\n\"Flags\"=dword:d1140044\n\"FontName\"=\"David CLM\"\n"
                "\"FontAsciiBase\"=dword:000000e0\n");
  std::u16string text;
  Run([&] {
    Command(quillory::kCopyCommand);
    text = quillory::testing::FromUtf16LeBytes(Held(platform::kCfUnicodeText));
  });
  ASSERT_GT(text.size(), 100u);
  EXPECT_EQ(text.substr(text.size() - 3), std::u16string(u"\r\n") + u'\0');
  EXPECT_NE(text.find(u'\u00E0'), std::u16string::npos) << "alef at 224";
  EXPECT_EQ(std::count_if(text.begin(), text.end(), [](char16_t c) { return c >= 0x05D0 && c <= 0x05EA; }), 0);
}

}  // namespace
}  // namespace quillory_test
