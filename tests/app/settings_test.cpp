#include "app/settings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/app_state.h"
#include "platform/graphics/bitmap.h"
#include "platform/registry/registry.h"
#include "platform/system/memory.h"
#include "platform/system/module_file_name.h"
#include "platform/windows/window.h"
#include "resources/program_resources.h"
#include "tests/support/scoped_environment.h"
#include "tests/support/stored_values.h"
#include "view/text_view.h"

namespace quillory {
namespace {

using testing::ExpectStoredSettings;
using testing::NumberSetting;
using testing::StoredSetting;
using testing::WideTextBytes;

constexpr char kProductHeader[] =
    "Windows Registry Editor Version 5.00\n"
    "[HKEY_CURRENT_USER\\Software\\Orvenda\\Quillory - 32]\n";

std::u16string FaceName() { return std::u16string(App().font.faceName.data()); }
std::string SearchPattern() { return std::string(reinterpret_cast<const char*>(App().searchPattern.data())); }

class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetAppState();
    platform::ResetWindowSystem();
    App().module = &module_;
  }
  void TearDown() override {
    for (platform::BitmapHandle glyph : App().glyphBitmaps) platform::DeleteBitmap(glyph);
    if (App().textView != nullptr) DestroyTextView(App().textView, true);
    ResetAppState();
    platform::ResetWindowSystem();
  }

  void UseRegistry(const std::string& values) { registry_.Rewrite(kProductHeader + values); }

  // A view as the main window's creation makes it, scrolled to `top`.
  void MakeView(std::uint16_t top) {
    const ViewRect rect{0, 0, 240, 300};
    App().textView = CreateTextView(&context_, &rect, App().font, 0);
    ASSERT_NE(App().textView, nullptr);
    App().textView->topPosition = top;
  }

  // Runs the save sequence and returns the exit code of the quit request it
  // posted; a request posted before it carries another code.
  int SaveAndTakeQuitCode() {
    platform::PostQuitMessage(99);
    SaveSequence();
    platform::Message message;
    EXPECT_FALSE(platform::GetMessage(message));
    EXPECT_EQ(message.id, platform::kWmQuit);
    return static_cast<int>(message.first);
  }

  const platform::Module module_{ProgramResources()};
  testing::ScopedRegistry registry_{""};
  platform::Framebuffer pixels_{240, 300};
  platform::DeviceContext context_{&pixels_};
};

TEST_F(SettingsTest, AFirstStartTakesTheDefaults) {
  UseRegistry("");
  LoadSettings();
  EXPECT_EQ(App().font.asciiBase, 1488u);
  EXPECT_EQ(App().flags, 0xD1140040u);
  EXPECT_EQ(App().font.height, 0);
  EXPECT_EQ(FaceName(), u"");
  EXPECT_EQ(SearchPattern(), "");
  EXPECT_EQ(App().savedPosition, 0);
  EXPECT_EQ(App().currentArticle, 0);
  EXPECT_EQ(App().previousArticle, 0);
  EXPECT_EQ(App().previousPosition, 0);
  const std::u16string program = platform::GetModuleFileName();
  ASSERT_TRUE(program.ends_with(u"app_test"));
  ExpectStoredSettings({{"Program Path", platform::kRegText, WideTextBytes(program)}});
  for (int i = 0; i < kListGlyphCount; ++i) {
    const platform::BitmapHandle glyph = App().glyphBitmaps[i];
    ASSERT_NE(glyph, nullptr) << "glyph " << i;
    EXPECT_TRUE(glyph->monochrome());
    EXPECT_EQ(glyph->pixels().width(), kListGlyphSize);
    EXPECT_EQ(glyph->pixels().height(), kListGlyphSize);
  }
  EXPECT_EQ(SaveAndTakeQuitCode(), 0);
  ExpectStoredSettings({NumberSetting("Flags", 0xD1140040), NumberSetting("FontAsciiBase", 1488),
                        NumberSetting("PreviousLesson", 0), NumberSetting("PreviousPosition", 0)});
  EXPECT_FALSE(StoredSetting("FontName"));
  EXPECT_FALSE(StoredSetting("Lesson"));
}

TEST_F(SettingsTest, LongAndWideValuesAreCutToTheirRecords) {
  UseRegistry("\"FontName\"=\"" + std::string(40, 'F') + "\"\n"
              "\"SearchString\"=hex:" + [] {
                std::string list;
                for (int i = 0; i < 50; ++i) list += (i ? ",3" : "3") + std::to_string(i % 10);
                return list;
              }() + "\n"
              "\"LastPosition\"=dword:00010001\n"
              "\"PreviousLesson\"=dword:00020005\n"
              "\"PreviousPosition\"=dword:ffff0040\n"
              "\"Lesson\"=dword:0001000c\n"
              "\"FontSize\"=\"12\"\n");
  LoadSettings();
  EXPECT_EQ(FaceName(), std::u16string(31, u'F'));
  EXPECT_EQ(SearchPattern(), "012345678901234567890123456789012");
  EXPECT_EQ(App().savedPosition, 1);
  EXPECT_EQ(App().previousArticle, 5);
  EXPECT_EQ(App().previousPosition, 0x40);
  EXPECT_EQ(App().currentArticle, 12);
  EXPECT_EQ(App().font.height, 12);
}

TEST(SettingValues, ALetterBaseThatPlacesNoLetterOnACharacterIsTheDefault) {
  const std::pair<std::uint32_t, std::uint32_t> cases[] = {
      {97, 97},         {224, 224},       {1488, 1488},     {257, 257},      // the bases, and one past a byte
      {0xF000, 0xF000}, {0xFFE5, 0xFFE5},                                    // a private area; tav at 0xFFFF
      {0, 1488},        {5, 1488},        {98, 1488},       {256, 1488},     // within a byte, no code page
      {0xFFE6, 1488},   {0xFFFFFFFF, 1488}, {0x10000, 1488},                 // tav past 16 bits
      {0xD7E6, 1488},   {0xD800, 1488},   {0xDFFF, 1488},   {0xE000, 0xE000},  // letters on surrogates
  };
  for (const auto& [stored, base] : cases) EXPECT_EQ(LetterBaseOf(stored), base) << std::hex << stored;
}

TEST(SettingValues, AGutterIsNeverNegativeAndNeverOverflowsTwiceOrAtAnEdge) {
  EXPECT_EQ(GutterOf(0), 0);
  EXPECT_EQ(GutterOf(8), 8);
  EXPECT_EQ(GutterOf(0xFFFFFFFB), 0) << "-5";
  EXPECT_EQ(GutterOf(0x80000000), 0);
  EXPECT_EQ(GutterOf(0x7FFF), 0x7FFF);
  EXPECT_EQ(GutterOf(0x40000000), 0x7FFF);
  EXPECT_EQ(GutterOf(0x7FFFFFFF), 0x7FFF);
}

TEST_F(SettingsTest, DamagedValuesAreReadAsSoundOnesAndSavedSo) {
  // An own choice without an article, a back link to no article, a base
  // that places no letter.
  UseRegistry("\"Flags\"=dword:d1140044\n\"PreviousLesson\"=dword:00000063\n\"PreviousPosition\"=dword:00000009\n"
              "\"FontAsciiBase\"=dword:00000005\n\"LastPosition\"=dword:00000003\n");
  LoadSettings();
  EXPECT_EQ(App().flags, 0xD1140040u);
  EXPECT_EQ(App().previousArticle, 0);
  EXPECT_EQ(App().previousPosition, 0);
  EXPECT_EQ(App().font.asciiBase, 1488u);
  EXPECT_EQ(App().savedPosition, 3) << "what is sound stays";
  EXPECT_EQ(SaveAndTakeQuitCode(), 0);
  ExpectStoredSettings({NumberSetting("Flags", 0xD1140040), NumberSetting("FontAsciiBase", 1488),
                        NumberSetting("PreviousLesson", 0), NumberSetting("PreviousPosition", 0)});

  // The same values beside an article are sound: an own choice stays.
  UseRegistry("\"Flags\"=dword:d1140044\n\"Lesson\"=dword:0000002d\n\"PreviousLesson\"=dword:0000002c\n");
  LoadSettings();
  EXPECT_EQ(App().flags, 0xD1140044u);
  EXPECT_EQ(App().currentArticle, 45) << "kept as chosen; the start reports it missing";
  EXPECT_EQ(App().previousArticle, 44);
}

// Stored values need not end in a zero; the copies stop at their end.
TEST_F(SettingsTest, UnterminatedValuesAreReadToTheirEndOnly) {
  UseRegistry("\"FontName\"=hex(1):41,00,42,00\n"
              "\"SearchString\"=hex:61,62,63\n"
              "\"FontSize\"=\"\"\n");
  App().searchPattern.fill('x');
  App().font.faceName.fill(u'x');
  LoadSettings();
  EXPECT_EQ(FaceName(), u"AB");
  EXPECT_EQ(SearchPattern(), "abc");
  EXPECT_EQ(App().font.height, 0);
}

TEST_F(SettingsTest, TheSaveWritesEverySettingAndEndsTheRun) {
  UseRegistry("");
  LoadSettings();
  const std::u16string face = u"David CLM";
  std::copy(face.begin(), face.end(), App().font.faceName.begin());
  App().font.height = -16;
  App().font.asciiBase = 224;
  App().flags = 0x80000804;
  App().previousArticle = 7;
  App().previousPosition = 30;
  App().currentArticle = 12;
  const std::string pattern = "abc";
  std::copy(pattern.begin(), pattern.end(), App().searchPattern.begin());
  const std::int64_t blocksBeforeView = platform::LiveAllocations();
  MakeView(17);

  EXPECT_EQ(SaveAndTakeQuitCode(), 0);

  ExpectStoredSettings({
      {"SearchString", platform::kRegBytes, {'a', 'b', 'c', 0}},
      {"FontName", platform::kRegText, WideTextBytes(face)},
      NumberSetting("FontSize", 0xFFFFFFF0),
      NumberSetting("FontAsciiBase", 224),
      NumberSetting("LastPosition", 17),
      NumberSetting("Flags", 0x80000804),
      NumberSetting("PreviousLesson", 7),
      NumberSetting("PreviousPosition", 30),
      NumberSetting("Lesson", 12),
  });
  EXPECT_EQ(App().textView, nullptr);
  EXPECT_EQ(platform::LiveAllocations(), blocksBeforeView) << "the view and its record are released";
  for (const platform::BitmapHandle glyph : App().glyphBitmaps) EXPECT_EQ(glyph, nullptr);
}

// Emptying the pattern or the face name, or running without a view, is
// not persisted: the stored values stay.
TEST_F(SettingsTest, EmptyAndZeroValuesLeaveTheStoredOnes) {
  UseRegistry("\"FontName\"=\"Old Face\"\n"
              "\"SearchString\"=hex:78,79,7a,00\n"
              "\"FontSize\"=dword:00000005\n"
              "\"FontAsciiBase\"=dword:000000e0\n"
              "\"LastPosition\"=dword:00000009\n"
              "\"Lesson\"=dword:00000003\n"
              "\"PreviousLesson\"=dword:00000004\n");
  EXPECT_EQ(SaveAndTakeQuitCode(), 0);
  ExpectStoredSettings({
      {"FontName", platform::kRegText, WideTextBytes(u"Old Face")},
      {"SearchString", platform::kRegBytes, {'x', 'y', 'z', 0}},
      NumberSetting("FontSize", 5),
      NumberSetting("FontAsciiBase", 0xE0),
      NumberSetting("LastPosition", 9),
      NumberSetting("Lesson", 3),
      // These three are always written.
      NumberSetting("Flags", 0),
      NumberSetting("PreviousLesson", 0),
      NumberSetting("PreviousPosition", 0),
  });
}

// Bits without meaning, the bookmark list and values of other programs come
// through a run unchanged.
TEST_F(SettingsTest, ARunKeepsWhatItDoesNotInterpret) {
  UseRegistry("\"Flags\"=dword:40040004\n"
              "\"Bookmarks\"=hex:11,00,03,00,00,00\n"
              "\"Theirs\"=hex(7):41,00,00,00,00,00\n"
              "\"Lesson\"=dword:0000000c\n"
              "\"LastPosition\"=dword:00000021\n");
  LoadSettings();
  EXPECT_EQ(App().flags, 0x40040004u);
  MakeView(App().savedPosition);
  EXPECT_EQ(SaveAndTakeQuitCode(), 0);
  ExpectStoredSettings({
      NumberSetting("Flags", 0x40040004),
      {"Bookmarks", platform::kRegBytes, {0x11, 0, 3, 0, 0, 0}},
      {"Theirs", platform::kRegMultiText, {0x41, 0, 0, 0, 0, 0}},
      NumberSetting("Lesson", 12),
      NumberSetting("LastPosition", 0x21),
  });
}

// The out-of-memory stop may run the sequence before the window's
// destruction runs it again.
TEST_F(SettingsTest, ASecondSaveReleasesNothingTwice) {
  UseRegistry("");
  LoadSettings();
  MakeView(5);
  EXPECT_EQ(SaveAndTakeQuitCode(), 0);
  App().flags = 3;
  EXPECT_EQ(SaveAndTakeQuitCode(), 0);
  ExpectStoredSettings({NumberSetting("LastPosition", 5), NumberSetting("Flags", 3)});
}

}  // namespace
}  // namespace quillory
