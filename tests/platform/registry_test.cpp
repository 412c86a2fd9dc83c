#include "platform/registry/registry.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/scoped_environment.h"

namespace platform {
namespace {

using quillory::testing::ScopedRegistry;
using quillory::testing::ScopedVariable;
using quillory::testing::ScratchFolder;
using Bytes = std::vector<std::uint8_t>;

constexpr char kProduct[] = "HKEY_CURRENT_USER\\Software\\Orvenda\\Quillory - 32";

const RegistryValue& ValueOf(const RegistryFile& file, std::string_view key, std::string_view name) {
  const RegistryKeyRecord* record = file.FindKey(key);
  EXPECT_NE(record, nullptr) << key;
  static const RegistryValue missing{"<missing>", kRegNone, {}};
  if (record == nullptr) return missing;
  const RegistryValue* value = FindValue(*record, name);
  EXPECT_NE(value, nullptr) << name;
  return value != nullptr ? *value : missing;
}

TEST(RegistryFile, ParsesEveryValueForm) {
  const RegistryFile file = RegistryFile::Parse(
      "Windows Registry Editor Version 5.00\r\n"
      "\r\n"
      "; settings of the reader\r\n"
      "[HKEY_CURRENT_USER\\Software\\Orvenda\\Quillory - 32]\r\n"
      "\"Lesson\"=dword:0000000c\r\n"
      "\"Flags\"=dword:D1140040\r\n"
      "\"FontName\"=\"David \\\"CLM\\\" \\\\ \xD7\x90\"\r\n"
      "\"Bookmarks\"=hex:04,00,0c,00,\\\r\n"
      "  00,00\r\n"
      "\"Empty\"=hex:\r\n"
      "@=hex(7):41,00,00,00,00,00\r\n"
      "\"Spaced\" = dword: 7\r\n");
  EXPECT_TRUE(file.skippedLines().empty());
  const struct {
    const char* name;
    std::uint32_t type;
    Bytes data;
  } cases[] = {
      {"Lesson", kRegNumber, {0x0c, 0, 0, 0}},
      {"Flags", kRegNumber, {0x40, 0x00, 0x14, 0xD1}},
      // Wide text with its terminator: the escapes undone, Hebrew alef as U+05D0.
      {"FontName", kRegText, {'D', 0, 'a', 0, 'v', 0, 'i', 0, 'd', 0, ' ', 0, '"', 0, 'C', 0, 'L', 0, 'M', 0,
                              '"', 0, ' ', 0, '\\', 0, ' ', 0, 0xD0, 0x05, 0, 0}},
      {"Bookmarks", kRegBytes, {4, 0, 12, 0, 0, 0}},
      {"Empty", kRegBytes, {}},
      {"", kRegMultiText, {0x41, 0, 0, 0, 0, 0}},
      {"Spaced", kRegNumber, {7, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    const RegistryValue& value = ValueOf(file, kProduct, c.name);
    EXPECT_EQ(value.type, c.type) << c.name;
    EXPECT_EQ(value.data, c.data) << c.name;
  }
}

TEST(RegistryFile, NamesIgnoreLetterCaseAndRepeatsMerge) {
  const RegistryFile file = RegistryFile::Parse(
      "[HKEY_CURRENT_USER\\software\\Orvenda]\n"
      "\"Israel\"=dword:00000001\n"
      "\"FullScreen\"=dword:00000001\n"
      "[HKEY_CURRENT_USER\\Software\\ORVENDA\\]\n"
      "\"ISRAEL\"=dword:00000000\n");
  ASSERT_EQ(file.keys().size(), 1u);
  EXPECT_EQ(file.keys()[0].values.size(), 2u);
  EXPECT_EQ(ValueOf(file, "hkey_current_user\\SOFTWARE\\orvenda", "israel").data, (Bytes{0, 0, 0, 0}));
  EXPECT_EQ(ValueOf(file, "HKEY_CURRENT_USER\\software\\Orvenda\\", "fullscreen").data, (Bytes{1, 0, 0, 0}));
  EXPECT_EQ(file.FindKey("HKEY_CURRENT_USER\\software"), nullptr);
}

// Each damaged entry is skipped and listed; the good values around it stay.
TEST(RegistryFile, SkipsDamagedEntriesAndKeepsTheRest) {
  const struct {
    const char* why;
    const char* entry;
  } cases[] = {
      {"nine hex digits", "\"Bad\"=dword:000000001"},
      {"no digits", "\"Bad\"=dword:"},
      {"not hex", "\"Bad\"=dword:0000000g"},
      {"unterminated text", "\"Bad\"=\"open"},
      {"text followed by more", "\"Bad\"=\"text\" extra"},
      {"a byte of three digits", "\"Bad\"=hex:01,1ff"},
      {"a byte that is not hex", "\"Bad\"=hex:01,zz"},
      {"an empty byte", "\"Bad\"=hex:01,,02"},
      {"a type that is not hex", "\"Bad\"=hex(zz):01"},
      {"an unclosed type", "\"Bad\"=hex(4:01"},
      {"a value deleted", "\"Bad\"=-"},
      {"no equals sign", "\"Bad\" dword:00000001"},
      {"an unquoted name", "Bad=dword:00000001"},
      {"an unterminated name", "\"Bad=dword:00000001"},
      {"an unknown form", "\"Bad\"=qword:0000000000000001"},
      {"a damaged continuation", "\"Bad\"=hex:01,\\\n  0x2"},
  };
  for (const auto& c : cases) {
    const std::string text = std::string("[HKEY_CURRENT_USER\\K]\n\"Before\"=dword:00000001\n") + c.entry +
                             "\n\"After\"=dword:00000002\n";
    const RegistryFile file = RegistryFile::Parse(text);
    ASSERT_EQ(file.skippedLines().size(), 1u) << c.why;
    EXPECT_EQ(file.skippedLines()[0].lineNumber, 3u) << c.why;
    EXPECT_EQ(file.skippedLines()[0].text, c.entry) << c.why;
    const RegistryKeyRecord* key = file.FindKey("HKEY_CURRENT_USER\\K");
    ASSERT_NE(key, nullptr) << c.why;
    EXPECT_EQ(FindValue(*key, "Bad"), nullptr) << c.why;
    EXPECT_NE(FindValue(*key, "Before"), nullptr) << c.why;
    EXPECT_NE(FindValue(*key, "After"), nullptr) << c.why;
  }
}

TEST(RegistryFile, ValuesOutsideAKeyAndDeletedKeysAreSkipped) {
  const RegistryFile file = RegistryFile::Parse(
      "\"Orphan\"=dword:00000001\n"
      "[-HKEY_CURRENT_USER\\Gone]\n"
      "\"UnderGone\"=dword:00000001\n"
      "[HKEY_CURRENT_USER\\Kept\n"
      "[]\n"
      "Windows Registry Editor Version 5.00\n"
      "[HKEY_CURRENT_USER\\Kept]\n"
      "\"Value\"=dword:00000003\n");
  EXPECT_EQ(file.skippedLines().size(), 6u);
  ASSERT_EQ(file.keys().size(), 1u);
  EXPECT_EQ(ValueOf(file, "HKEY_CURRENT_USER\\Kept", "Value").data, (Bytes{3, 0, 0, 0}));
}

TEST(RegistryFile, ByteOrderMarks) {
  const std::string utf8 = "\xEF\xBB\xBF[HKEY_CURRENT_USER\\K]\n\"V\"=dword:00000005\n";
  std::string utf16 = "\xFF\xFE";
  for (char c : std::string_view("[HKEY_CURRENT_USER\\K]\r\n\"V\"=\"\xD7\x90\"\r\n")) {
    utf16 += c;
    utf16 += '\0';
  }
  // Re-encode the alef (two UTF-8 bytes above) as the one UTF-16 unit it is.
  const std::size_t alef = utf16.find("\xD7\0\x90\0", 0, 4);
  utf16.replace(alef, 4, "\xD0\x05", 2);
  EXPECT_EQ(ValueOf(RegistryFile::Parse(utf8), "HKEY_CURRENT_USER\\K", "V").data, (Bytes{5, 0, 0, 0}));
  EXPECT_EQ(ValueOf(RegistryFile::Parse(utf16), "HKEY_CURRENT_USER\\K", "V").data, (Bytes{0xD0, 0x05, 0, 0}));
}

TEST(RegistryFile, MalformedUtf8BecomesReplacementCharacters) {
  const RegistryFile file = RegistryFile::Parse("[HKEY_CURRENT_USER\\K]\n\"V\"=\"a\xC0\xAF\xED\xA0\x80\"\n");
  const Bytes& data = ValueOf(file, "HKEY_CURRENT_USER\\K", "V").data;
  ASSERT_EQ(data.size() % 2, 0u);
  EXPECT_EQ(data[0], 'a');
  EXPECT_EQ(data.size(), 2u + 5 * 2 + 2);  // 'a', five U+FFFD, terminator
  EXPECT_EQ(data[2], 0xFD);
  EXPECT_EQ(data[3], 0xFF);
}

TEST(Registry, FileLocation) {
  const struct {
    const char* registry;
    const char* config;
    const char* home;
    const char* expected;
  } cases[] = {
      {"/tmp/r.reg", "/cfg", "/home/a", "/tmp/r.reg"},
      {nullptr, "/cfg", "/home/a", "/cfg/orvenda/registry.reg"},
      {"", "/cfg", "/home/a", "/cfg/orvenda/registry.reg"},
      {nullptr, nullptr, "/home/a", "/home/a/.config/orvenda/registry.reg"},
      {nullptr, "relative/cfg", "/home/a", "/home/a/.config/orvenda/registry.reg"},
      {nullptr, nullptr, nullptr, nullptr},
  };
  auto maybe = [](const char* s) { return s ? std::optional<std::string>(s) : std::nullopt; };
  for (const auto& c : cases) {
    const ScopedVariable registry("QUILLORY_REGISTRY", maybe(c.registry));
    const ScopedVariable config("XDG_CONFIG_HOME", maybe(c.config));
    const ScopedVariable home("HOME", maybe(c.home));
    const std::optional<std::filesystem::path> path = RegistryFilePath();
    EXPECT_EQ(path.has_value(), c.expected != nullptr);
    if (path && c.expected) {
      EXPECT_EQ(path->string(), c.expected);
    }
  }
}

TEST(Registry, OpenQueryAndReadAfresh) {
  const ScopedRegistry registry("[HKEY_CURRENT_USER\\software\\Orvenda]\n\"Israel\"=dword:00000001\n");
  {
    const std::optional<RegistryKey> key = OpenRegistryKey("Software\\orvenda");
    ASSERT_TRUE(key);
    const std::optional<RegistryValueView> value = QueryRegistryValue(*key, "Israel");
    ASSERT_TRUE(value);
    EXPECT_EQ(value->type, kRegNumber);
    EXPECT_EQ(Bytes(value->data.begin(), value->data.end()), (Bytes{1, 0, 0, 0}));
    EXPECT_FALSE(QueryRegistryValue(*key, "FullScreen"));
  }
  EXPECT_FALSE(OpenRegistryKey("Software\\Orvenda\\Quillory - 32"));
  registry.Rewrite("[HKEY_CURRENT_USER\\Software\\Orvenda\\Quillory - 32]\n");
  EXPECT_TRUE(OpenRegistryKey("Software\\Orvenda\\Quillory - 32"));
  EXPECT_FALSE(OpenRegistryKey("software\\Orvenda"));
}

TEST(Registry, MissingOrUnreadableFileIsAnEmptyRegistry) {
  const ScratchFolder folder;
  for (const std::filesystem::path& path : {folder.path() / "absent.reg", folder.path()}) {
    const ScopedVariable registry("QUILLORY_REGISTRY", path.string());
    EXPECT_TRUE(LoadRegistryFile().keys().empty()) << path;
    EXPECT_FALSE(OpenRegistryKey("software\\Orvenda")) << path;
  }
}

}  // namespace
}  // namespace platform
