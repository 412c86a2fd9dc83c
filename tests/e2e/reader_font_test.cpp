// Choosing the font: the Font command, the very first start, which opens
// the dialog by itself, and what the next start makes of the choice.

#include "platform/system/text_encoding.h"
#include "platform/windows/message_box.h"
#include "resources/program_resources.h"
#include "tests/e2e/reader_fixture.h"

namespace quillory_test {
namespace {

using quillory::App;

std::u16string FaceOf(const quillory::FontDescription& font) {
  return std::u16string(platform::UntilZero({font.faceName.data(), font.faceName.size()}));
}

TEST_F(ReaderTest, AFaceChosenWithTheFontCommandIsShownSavedAndUsedAtTheNextStart) {
  // Base 224, as for a face with the letters at the code page's places.
  StoreSettings("\"Lesson\"=dword:00000004\n\"Flags\"=dword:d1140044\n\"FontAsciiBase\"=dword:000000e0\n");
  // "M" chooses the Hebrew face "Miriam Mono CLM", which turns "5D0" on;
  // Tab and "5" choose the size 52.
  Script("key M\nkey Tab\nkey 5\ncommand 1\n");
  std::uint16_t maxTopBefore = 0;
  std::uint16_t maxTop = 0;
  std::int32_t barMaximum = -1;
  Run([&] {
    maxTopBefore = View().maxTop;
    Command(quillory::kChooseFontCommand);
    EXPECT_EQ(FaceOf(View().font), u"Miriam Mono CLM");
    EXPECT_EQ(View().font.height, 52);
    std::int32_t minimum = 0;
    platform::GetScrollRange(App().mainWindow, platform::kSbVert, minimum, barMaximum);
    maxTop = View().maxTop;
  });
  EXPECT_GT(maxTop, maxTopBefore) << "laid out again in taller lines: fewer to a page";
  EXPECT_EQ(barMaximum, maxTop) << "the scroll bar follows the new length";
  EXPECT_EQ(StoredText("FontName"), u"Miriam Mono CLM");
  EXPECT_EQ(Stored("FontSize"), 52u);
  EXPECT_EQ(Stored("FontAsciiBase"), 0x5D0u);

  // The next start uses it, without a dialog: an empty script would close
  // the reader from inside one.
  Script("");
  bool viewShown = false;
  Run([&] {
    ASSERT_NE(App().textView, nullptr);
    viewShown = true;
    EXPECT_EQ(FaceOf(View().font), u"Miriam Mono CLM");
    EXPECT_EQ(View().font.height, 52);
    EXPECT_EQ(View().maxTop, maxTop);
  });
  EXPECT_TRUE(viewShown);
}

TEST_F(ReaderTest, TheFirstStartAppliesWhatTheDialogLeftEvenAfterCancel) {
  // A base of 0 stored by hand: opening the dialog makes it 0x5D0, which
  // the view then draws with although the dialog was cancelled.
  StoreExactSettings("\"Lesson\"=dword:00000004\n\"Flags\"=dword:d1140044\n\"FontAsciiBase\"=dword:00000000\n");
  Script("command 2\n");
  Run([&] {
    EXPECT_EQ(App().font.asciiBase, 0x5D0u);
    EXPECT_EQ(View().font.asciiBase, 0x5D0u);
    EXPECT_EQ(FaceOf(View().font), u"Fixed") << "the face the text was drawn in, the fixed test font's";
  });
  EXPECT_EQ(StoredText("FontName"), u"Fixed") << "backing out keeps what was shown: the dialog does not come back";
  EXPECT_EQ(Stored("FontAsciiBase"), 0x5D0u);
}

TEST_F(ReaderTest, ClosingTheReaderDuringTheFirstStartsDialogSavesAndEnds) {
  StoreExactSettings("\"Lesson\"=dword:00000009\n\"Flags\"=dword:d1140044\n");
  // No script: the close request comes while the dialog is open.
  Script("");
  bool viewAfterwards = true;
  EXPECT_EQ(Run([&] { viewAfterwards = App().textView != nullptr; }), 0);
  EXPECT_FALSE(viewAfterwards);
  EXPECT_EQ(Stored("Lesson"), 9u);
  EXPECT_FALSE(StoredText("FontName"));
  EXPECT_TRUE(boxes_.empty());
}

}  // namespace
}  // namespace quillory_test
