#include "core/registry_values.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/shell_calls.h"
#include "tests/support/scoped_environment.h"
#include "tests/support/stored_values.h"

namespace quillory {
namespace {

using testing::ScopedRegistry;
using Bytes = std::vector<std::uint8_t>;

constexpr char kProductHeader[] = "[HKEY_CURRENT_USER\\Software\\Orvenda\\Quillory - 32]\n";

std::u16string TextOf(const WideTextBlock& block) { return block ? std::u16string(block.get()) : u"<none>"; }


TEST(ReadRegNumber, NumbersTextAndDefaults) {
  const ScopedRegistry registry(
      "Windows Registry Editor Version 5.00\n"
      "[HKEY_CURRENT_USER\\Software\\Orvenda\\Quillory - 32]\n"
      "\"Number\"=dword:d1140040\n"
      "\"ShortNumber\"=hex(4):01,02,03\n"
      "\"LongNumber\"=hex(4):01,02,03,04,05\n"
      "\"Text\"=\"12\"\n"
      "\"EmptyText\"=\"\"\n"
      "\"SignedText\"=\"-5\"\n"
      "\"LetterText\"=\"1a\"\n"
      "\"HugeText\"=\"99999999999\"\n"
      "\"TextBytes\"=hex:31,00,32,00,00,00,39,00\n"
      "\"UnterminatedBytes\"=hex:34,00,32,00\n"
      "\"OddBytes\"=hex:31,00,32\n"
      "\"NoBytes\"=hex:\n");
  const struct {
    const char* name;
    std::uint32_t expected;
  } cases[] = {
      {"Number", 0xD1140040},
      {"number", 0xD1140040},  // value names ignore letter case
      {"ShortNumber", 77},     // a number of another size gives the default
      {"LongNumber", 77},
      {"Text", 12},
      {"EmptyText", 0},
      {"SignedText", 0xFFFFFFE7},                 // ('-' - '0') * 10 + 5, wrapped
      {"LetterText", 10 + ('a' - '0')},           // no character is rejected
      {"HugeText", 1215752191},                   // 99999999999 mod 2^32
      {"TextBytes", 12},                          // raw bytes read as wide text, up to the terminator
      {"UnterminatedBytes", 42},                  // ...or to the end of the data
      {"OddBytes", 1},                            // a lone last byte is no character
      {"NoBytes", 0},
      {"Missing", 77},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadRegNumber(kProductKey, c.name, 77), c.expected) << c.name;
  EXPECT_EQ(ReadRegNumber(kMakerKey, "Number", 5), 5u) << "missing key";
  EXPECT_EQ(ReadRegNumber("SOFTWARE\\ORVENDA\\QUILLORY - 32", "Text", 5), 12u) << "key names ignore letter case";
}

TEST(ReadRegNumber, NoRegistryFileGivesTheDefault) {
  const ScopedRegistry registry("");
  EXPECT_EQ(ReadRegNumber(kMakerKey, "Israel", 0), 0u);
  EXPECT_EQ(ReadRegNumber(kMakerKey, "AllowSipInHebrewSearch", 1), 1u);
}

TEST(ReadSetting, ReadsTheProductKeyOnly) {
  const ScopedRegistry registry(std::string(kProductHeader) +
                                "\"FontSize\"=\"12\"\n"
                                "[HKEY_CURRENT_USER\\software\\Orvenda]\n"
                                "\"Israel\"=dword:00000001\n");
  EXPECT_EQ(ReadSetting("FontSize", 0), 12u);
  EXPECT_EQ(ReadSetting("Israel", 9), 9u);
}

// Whatever its type, a value reads as its bytes taken as wide text, always
// terminated, never read past its end.
TEST(ReadRegText, TakesStoredBytesAsWideText) {
  const ScopedRegistry registry(std::string(kProductHeader) +
                                "\"Text\"=\"David \xD7\x90\"\n"
                                "\"Empty\"=\"\"\n"
                                "\"Bytes\"=hex:41,00,42,00,00,00\n"
                                "\"Unterminated\"=hex:41,00,42,00\n"
                                "\"Odd\"=hex:41,00,42\n"
                                "\"None\"=hex:\n"
                                "\"Number\"=dword:00420041\n"
                                "\"ZeroInside\"=hex(1):41,00,00,00,42,00,00,00\n");
  const struct {
    const char* name;
    std::u16string expected;
  } cases[] = {
      {"Text", u"David \u05D0"}, {"Empty", u""},      {"Bytes", u"AB"}, {"Unterminated", u"AB"},
      {"Odd", u"A"},              {"None", u""},       {"Number", u"AB"}, {"ZeroInside", u"A"},
      {"Missing", u"<none>"},
  };
  for (const auto& c : cases) EXPECT_EQ(TextOf(ReadRegText(c.name)), c.expected) << c.name;
}

TEST(ReadRegBytes, ReturnsTheStoredBytesAndTheirCount) {
  const ScopedRegistry registry(std::string(kProductHeader) +
                                "\"Bookmarks\"=hex:11,00,03,00,00,00\n"
                                "\"Empty\"=hex:\n"
                                "\"Text\"=\"a\"\n");
  const platform::HeapBlock bookmarks = ReadRegBytes("Bookmarks");
  ASSERT_TRUE(bookmarks);
  EXPECT_EQ(Bytes(bookmarks.data(), bookmarks.data() + bookmarks.length()), (Bytes{0x11, 0, 3, 0, 0, 0}));
  const platform::HeapBlock empty = ReadRegBytes("Empty");
  EXPECT_TRUE(empty);
  EXPECT_EQ(empty.length(), 0u);
  const platform::HeapBlock text = ReadRegBytes("Text");
  EXPECT_EQ(Bytes(text.data(), text.data() + text.length()), (Bytes{'a', 0, 0, 0}));
  EXPECT_FALSE(ReadRegBytes("Missing"));
}

// Out of memory, both readers go through AllocOrStop and hand back nothing.
TEST(RegistryReaders, OutOfMemoryTakesTheStopPath) {
  const ScopedRegistry registry(std::string(kProductHeader) + "\"Text\"=\"abc\"\n");
  static std::vector<std::size_t> asked;
  asked.clear();
  ShellCalls refusing;
  refusing.allocOrStop = [](std::size_t size) -> void* {
    asked.push_back(size);
    return nullptr;
  };
  const ShellCalls previous = InstallShellCalls(refusing);
  EXPECT_FALSE(ReadRegText("Text"));
  EXPECT_FALSE(ReadRegBytes("Text"));
  InstallShellCalls(previous);
  EXPECT_EQ(asked, (std::vector<std::size_t>{8, 8}));
}

TEST(RegistryWriters, StoreEachTypeInTheProductKeyMadeOnDemand) {
  const ScopedRegistry registry("[HKEY_CURRENT_USER\\software\\Orvenda]\n\"Israel\"=dword:00000001\n");
  EXPECT_TRUE(WriteRegNumber("Flags", 0xD1140040));
  EXPECT_TRUE(WriteRegText("FontName", std::u16string_view(u"David\0tail", 10)));
  EXPECT_TRUE(WriteRegText("Empty", u""));
  EXPECT_TRUE(WriteRegBytes("SearchString", Bytes{0x61, 0x62, 0}));
  testing::ExpectStoredSettings({
      {"Flags", platform::kRegNumber, {0x40, 0x00, 0x14, 0xD1}},
      {"FontName", platform::kRegText, {'D', 0, 'a', 0, 'v', 0, 'i', 0, 'd', 0, 0, 0}},
      {"Empty", platform::kRegText, {0, 0}},
      {"SearchString", platform::kRegBytes, {0x61, 0x62, 0}},
  });
  EXPECT_EQ(ReadRegNumber(kMakerKey, "Israel", 0), 1u) << "the maker key is kept";
  EXPECT_EQ(ReadSetting("Flags", 0), 0xD1140040u);
  EXPECT_EQ(TextOf(ReadRegText("FontName")), u"David");
}

}  // namespace
}  // namespace quillory
