// The reader started on a damaged registry file, one kind of damage at a
// time: it must start and show an article, and its save at exit must leave a
// file that reads clean, still holding every value that could be read, and
// that a second run leaves exactly as it is.

#include <fstream>
#include <iterator>
#include <string>

#include "platform/registry/registry.h"
#include "tests/e2e/reader_fixture.h"
#include "tests/e2e/reading_steps.h"

namespace quillory_test {
namespace {

// Readable values on both sides of the damage: the product key's own and
// one it does not know, and another program's key after it. The flags say
// the article was chosen, so the reader opens it rather than this week's
// (unless a case stores other flags over them).
constexpr char kBefore[] =
    "Windows Registry Editor Version 5.00\n\n"
    "[HKEY_CURRENT_USER\\Software\\Orvenda\\Quillory - 32]\n"
    "\"FontName\"=\"David CLM\"\n"
    "\"Lesson\"=dword:0000000c\n"
    "\"Flags\"=dword:d1140044\n"
    "\"Unknown\"=dword:12345678\n";
constexpr char kAfter[] =
    "\"PreviousLesson\"=dword:00000003\n"
    "\n[HKEY_CURRENT_USER\\Software\\Another]\n"
    "\"Kept\"=\"as it was\"\n";

std::string Repeated(const std::string& unit, std::size_t count) {
  std::string text;
  for (std::size_t i = 0; i < count; ++i) text += unit;
  return text;
}

class DamagedSettingsTest : public ReaderTest {
 protected:
  // Starts the reader on `fileText`; whether it showed an article.
  bool RunOn(const std::string& fileText) {
    scratch_.Write("registry.reg", fileText);
    bool showing = false;
    EXPECT_EQ(Run([&] { showing = ReaderIsShowing() && quillory::App().currentArticle != 0; }), 0);
    return showing;
  }
  std::string FileText() const {
    std::ifstream in(scratch_.path() / "registry.reg", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  // A text of another program's key, as UTF-8 up to its terminator.
  static std::optional<std::string> OtherText(std::string_view subKey, std::string_view name) {
    const auto key = platform::OpenRegistryKey(subKey);
    const auto value = key ? platform::QueryRegistryValue(*key, name) : std::nullopt;
    if (!value || value->type != platform::kRegText) return std::nullopt;
    const std::string text = platform::Utf8FromUtf16Le(value->data);
    return text.substr(0, text.find('\0'));
  }
};

TEST_F(DamagedSettingsTest, EveryKindOfDamageIsReadRepairedAndKeepsWhatWasReadable) {
  const std::string junk("\x00\xff\xfe\x01\x7f\x80\r\x1b[2J\xc3\x28\xed\xa0\x80", 17);
  const struct {
    const char* why;
    std::string damage;
  } cases[] = {
      {"a value cut off where the file ended", std::string(kBefore) + kAfter + "\"SearchString\"=hex:6d,7"},
      {"a key name cut off", std::string(kBefore) + kAfter + "[HKEY_CURRENT_USER\\Software\\Orv"},
      {"texts, numbers and bytes of the wrong types",
       std::string(kBefore) +
           "\"FontAsciiBase\"=\"many\"\n\"LastPosition\"=hex:01\n\"FontSize\"=\"big\"\n\"Bookmarks\"=dword:00000002\n"
           "\"SearchString\"=dword:00000001\n\"PreviousPosition\"=hex(2):41,00,00,00\n" + kAfter},
      {"numbers at their largest",
       std::string(kBefore) +
           "\"LastPosition\"=dword:ffffffff\n\"FontSize\"=dword:7fffffff\n\"FontAsciiBase\"=dword:ffffffff\n"
           "\"Flags\"=dword:ffffffff\n\"PreviousPosition\"=dword:ffffffff\n" + kAfter},
      {"a face name, pattern and bookmark list far longer than their records",
       std::string(kBefore) + "\"FontName\"=\"" + Repeated("David CLM ", 5000) + "\"\n\"SearchString\"=hex:" +
           Repeated("6d,", 70000) + "00\n\"Bookmarks\"=hex:" + Repeated("ff,ff,03,00,", 20000) + "00,00\n" + kAfter},
      {"UTF-16 with lone surrogates, an odd length and no terminator",
       std::string(kBefore) + "\"FontName\"=hex(1):00,d8,41,00,00,dc,00\n" + kAfter},
      {"binary junk between the values", std::string(kBefore) + junk + "\n" + junk + kAfter},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    EXPECT_TRUE(RunOn(c.damage)) << "the reader did not show an article";
    EXPECT_TRUE(platform::LoadRegistryFile().skippedLines().empty()) << FileText();
    if (Stored("Flags") == 0xd1140044u) {
      EXPECT_EQ(Stored("Lesson"), 12u) << "the article chosen was lost";
    }
    EXPECT_EQ(Stored("Unknown"), 0x12345678u);
    EXPECT_EQ(OtherText("Software\\Another", "Kept"), std::string("as it was"));
    const std::string repaired = FileText();
    EXPECT_TRUE(RunOn(repaired));
    EXPECT_EQ(FileText(), repaired) << "a second run changed the repaired file";
  }
}

}  // namespace
}  // namespace quillory_test
