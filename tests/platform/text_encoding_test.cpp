#include "platform/system/text_encoding.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(TextEncoding, Utf8ToUtf16Le) {
  const struct {
    const char* why;
    std::string utf8;
    Bytes utf16;
  } cases[] = {
      {"ASCII", "Ab", {'A', 0, 'b', 0}},
      {"Hebrew", "\xD7\x90\xD7\xAA", {0xD0, 0x05, 0xEA, 0x05}},
      {"beyond the BMP as a surrogate pair", "\xF0\x9F\x98\x80", {0x3D, 0xD8, 0x00, 0xDE}},
      {"overlong form", "\xC0\xAF", {0xFD, 0xFF, 0xFD, 0xFF}},
      {"encoded surrogate", "\xED\xA0\x80", {0xFD, 0xFF, 0xFD, 0xFF, 0xFD, 0xFF}},
      {"past U+10FFFF", "\xF4\x90\x80\x80", {0xFD, 0xFF, 0xFD, 0xFF, 0xFD, 0xFF, 0xFD, 0xFF}},
      {"cut short at the end", "a\xE2\x82", {'a', 0, 0xFD, 0xFF, 0xFD, 0xFF}},
      {"a stray continuation byte", "\x80z", {0xFD, 0xFF, 'z', 0}},
  };
  for (const auto& c : cases) {
    Bytes out;
    AppendUtf16LeFromUtf8(c.utf8, out);
    EXPECT_EQ(out, c.utf16) << c.why;
  }
}

TEST(TextEncoding, Utf16LeToUtf8) {
  const struct {
    const char* why;
    Bytes utf16;
    std::string utf8;
  } cases[] = {
      {"Hebrew", {0xD0, 0x05, 0xEA, 0x05}, "\xD7\x90\xD7\xAA"},
      {"surrogate pair", {0x3D, 0xD8, 0x00, 0xDE}, "\xF0\x9F\x98\x80"},
      {"lone high surrogate", {0x3D, 0xD8, 'a', 0}, "\xEF\xBF\xBD" "a"},
      {"lone low surrogate", {0x00, 0xDE}, "\xEF\xBF\xBD"},
      {"odd last byte", {'a', 0, 'b'}, "a"},
  };
  for (const auto& c : cases) EXPECT_EQ(Utf8FromUtf16Le(c.utf16), c.utf8) << c.why;
}

TEST(TextEncoding, WideStringsRoundTripThroughUtf8) {
  const std::u16string text = u"\u05E9\u05DC\u05D5\u05DD a \U0001F600";
  EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(text)), text);
  EXPECT_EQ(Utf16ToUtf8(u"\u05D0"), "\xD7\x90");
  EXPECT_EQ(Utf16ToUtf8(std::u16string(1, u'\xD800')), "\xEF\xBF\xBD") << "lone surrogate";
  EXPECT_EQ(Utf8ToUtf16("\xE2\x82"), u"\uFFFD\uFFFD") << "cut short: each byte replaced";
  EXPECT_EQ(UntilZero(std::u16string_view(u"ab\0cd", 5)), u"ab");
}

}  // namespace
}  // namespace platform
