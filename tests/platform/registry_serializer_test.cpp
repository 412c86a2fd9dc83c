#include "platform/registry/registry_serializer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/stored_values.h"

namespace platform {
namespace {

using Bytes = std::vector<std::uint8_t>;
using quillory::testing::WideTextBytes;

constexpr char kKey[] = "HKEY_CURRENT_USER\\Software\\Orvenda\\Quillory - 32";

// A file built in memory the way a writer builds it.
RegistryFile FileWith(const std::vector<RegistryValue>& values) {
  RegistryFile file;
  RegistryKeyRecord& key = file.FindOrAddKey(kKey);
  for (const RegistryValue& value : values) SetValue(key, value);
  return file;
}

void ExpectRoundTrip(const RegistryFile& file) {
  const std::string text = SerializeRegistryFile(file);
  const RegistryFile again = RegistryFile::Parse(text);
  EXPECT_TRUE(again.skippedLines().empty()) << text;
  EXPECT_EQ(again.keys(), file.keys()) << text;
  EXPECT_EQ(again.leadingComments(), file.leadingComments()) << text;
  EXPECT_EQ(SerializeRegistryFile(again), text);
}

TEST(RegistrySerializer, EveryValueTypeComesBackAsItWas) {
  Bytes longBytes;
  for (int i = 0; i < 300; ++i) longBytes.push_back(static_cast<std::uint8_t>(i * 7));
  const RegistryFile file = FileWith({
      {"Lesson", kRegNumber, {0x0c, 0, 0, 0}},
      {"Flags", kRegNumber, {0x40, 0x00, 0x14, 0xD1}},
      {"FontName", kRegText, WideTextBytes(u"David CLM")},
      {"Empty text", kRegText, WideTextBytes(u"")},
      {"SearchString", kRegBytes, {0x61, 0x62, 0x00}},
      {"No bytes", kRegBytes, {}},
      {"Long", kRegBytes, longBytes},
      {"", kRegMultiText, {0x41, 0, 0, 0, 0, 0}},
      {"Expand", kRegExpandText, WideTextBytes(u"%HOME%")},
      {"None", kRegNone, {1}},
      {"Large type", 0x12345678, {9, 8}},
      {"Short number", kRegNumber, {1, 2, 3}},
  });
  ExpectRoundTrip(file);
}

TEST(RegistrySerializer, NamesAndTextKeepQuotesBackslashesAndHebrew) {
  const RegistryFile file = FileWith({
      {"say \"\\\" here\\", kRegText, WideTextBytes(u"a \"quoted\" \\path\\ \u05D0\u05D1 \U0001F4D6 \\")},
      {"\xD7\xA9\xD7\x9D", kRegNumber, {1, 0, 0, 0}},
      {"@", kRegText, WideTextBytes(u"@")},
      {"semi;colon [bracket]", kRegText, WideTextBytes(u"; not a comment")},
      {"tab\tinside", kRegText, WideTextBytes(u"\t padded \t")},
  });
  ExpectRoundTrip(file);
  const std::string text = SerializeRegistryFile(file);
  EXPECT_NE(text.find("\"say \\\"\\\\\\\" here\\\\\"="), std::string::npos) << text;
}

// Text that a quoted string cannot hold exactly is kept as hex(1), so its
// bytes come back unchanged.
TEST(RegistrySerializer, TextThatQuotesCannotCarryStaysExact) {
  const struct {
    const char* why;
    Bytes data;
  } cases[] = {
      {"no terminator", {'a', 0, 'b', 0}},
      {"a zero inside", {'a', 0, 0, 0, 'b', 0, 0, 0}},
      {"a line break", WideTextBytes(u"two\nlines")},
      {"a lone surrogate", WideTextBytes(u"\xD800x")},
      {"an odd length", {'a', 0, 0}},
      {"no bytes", {}},
  };
  for (const auto& c : cases) {
    const RegistryFile file = FileWith({{"Text", kRegText, c.data}});
    const std::string text = SerializeRegistryFile(file);
    EXPECT_NE(text.find("\"Text\"=hex(1):"), std::string::npos) << c.why << "\n" << text;
    ExpectRoundTrip(file);
  }
}

TEST(RegistrySerializer, LongHexListsGoOnOverLines) {
  const RegistryFile file = FileWith({{"Long", kRegBytes, Bytes(100, 0xAB)}});
  const std::string text = SerializeRegistryFile(file);
  int continued = 0;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    const std::string_view line(text.data() + start, end - start);
    EXPECT_LE(line.size(), 90u) << line;
    continued += line.ends_with(",\\");
  }
  EXPECT_EQ(continued, 4) << text;
  ExpectRoundTrip(file);
}

TEST(RegistrySerializer, WritesTheFormsAnEditorShows) {
  const RegistryFile file = FileWith({
      {"Number", kRegNumber, {0x40, 0x00, 0x14, 0xD1}},
      {"Text", kRegText, WideTextBytes(u"12")},
      {"Bytes", kRegBytes, {0x11, 0x00, 0x03}},
      {"", kRegMultiText, {0x41, 0}},
  });
  EXPECT_EQ(SerializeRegistryFile(file),
            "Windows Registry Editor Version 5.00\n"
            "\n"
            "[HKEY_CURRENT_USER\\Software\\Orvenda\\Quillory - 32]\n"
            "\"Number\"=dword:d1140040\n"
            "\"Text\"=\"12\"\n"
            "\"Bytes\"=hex:11,00,03\n"
            "@=hex(7):41,00\n");
}

// Comments stay with their key; damaged entries come back as marked
// comments, so the file is sound after one write and nothing read is lost.
TEST(RegistrySerializer, CommentsAndDamagedLinesAreKeptAsComments) {
  const RegistryFile damaged = RegistryFile::Parse(
      "; written by hand\n"
      "Windows Registry Editor Version 5.00\n"
      "[HKEY_CURRENT_USER\\A]\n"
      "\"Good\"=dword:00000001\n"
      "; about B\n"
      "\"Bad\"=dword:zz\n"
      "\"Broken\"=hex:01,\\\n"
      "  0x2\n"
      "[HKEY_CURRENT_USER\\B]\n"
      "\"Also\"=\"kept\"\n");
  ASSERT_EQ(damaged.skippedLines().size(), 2u);
  const std::string text = SerializeRegistryFile(damaged);
  const RegistryFile repaired = RegistryFile::Parse(text);
  EXPECT_TRUE(repaired.skippedLines().empty()) << text;
  EXPECT_EQ(repaired.leadingComments(), std::vector<std::string>{" written by hand"});
  const RegistryKeyRecord* a = repaired.FindKey("HKEY_CURRENT_USER\\A");
  ASSERT_NE(a, nullptr);
  const std::string mark(kUnreadableMark);
  EXPECT_EQ(a->comments, (std::vector<std::string>{" about B", mark + " \"Bad\"=dword:zz", mark + " \"Broken\"=hex:01,\\",
                                                   mark + " 0x2"}));
  ASSERT_NE(FindValue(*a, "Good"), nullptr);
  const RegistryKeyRecord* b = repaired.FindKey("HKEY_CURRENT_USER\\B");
  ASSERT_NE(b, nullptr);
  ASSERT_NE(FindValue(*b, "Also"), nullptr);
  ExpectRoundTrip(repaired);
}

}  // namespace
}  // namespace platform
