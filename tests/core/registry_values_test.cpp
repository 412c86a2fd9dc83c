#include "core/registry_values.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/scoped_environment.h"

namespace quillory {
namespace {

using testing::ScopedRegistry;

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

}  // namespace
}  // namespace quillory
