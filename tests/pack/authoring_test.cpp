#include "tools/pack/authoring.h"

#include <gtest/gtest.h>

#include "tools/pack/letter_text.h"
#include "tools/pack/utf8.h"

namespace quillory::pack {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Article(const std::string& source, std::vector<Diagnostic>* out = nullptr) {
  std::vector<Diagnostic> diagnostics;
  Bytes bytes = CompileArticleSource("a.txt", source, diagnostics);
  if (out != nullptr) {
    *out = diagnostics;
  } else {
    EXPECT_TRUE(diagnostics.empty()) << diagnostics[0].ToString();
  }
  return bytes;
}

Bytes Record(std::initializer_list<int> bytes) {
  Bytes r;
  for (int b : bytes) r.push_back(static_cast<std::uint8_t>(b));
  r.insert(r.end(), 4, 0);
  return r;
}

std::string Stored(const std::string& logical) {
  TextError error;
  const auto stored = StoreHebrew(*DecodeUtf8(logical), error);
  EXPECT_TRUE(stored) << error.reason;
  return stored.value_or("");
}

TEST(HebrewText, StoresVisualOrderInTheLetterCode) {
  // Letter code: alef 0x61 ... yod 0x6A, final kaf 0x6B, kaf 0x6C ... tav 0x7B.
  const struct {
    const char* logical;
    const char* stored;
  } cases[] = {
      {"אב", "ba"},                  // right to left: the first letter is rightmost
      {"ךכ", "lk"},                  // each final form just before its regular form
      {"ת", "{"},                    // tav is 0x7B
      {"פרק 12", "12 xyu"},          // numbers keep their own direction
      {"(א)", "(a)"},                // brackets are mirrored
      {"א [ב]", "[b] a"},
      {"א}", "~a"},                  // a '{' in the visual order travels as '~'
      {"בית־המקדש", "zdxoe-{jb"},    // maqaf becomes the hyphen-minus break point
      {"חז״ל, ר׳", "'y ,m\"gh"},    // gershayim and geresh
      {"שָׁלוֹם", "nfmz"},            // niqqud is dropped
      {"1. א", "a .1"},              // a leading number stays at the right end
  };
  for (const auto& c : cases) EXPECT_EQ(Stored(c.logical), c.stored) << c.logical;
}

TEST(HebrewText, RefusesWhatTheLetterCodeCannotCarry) {
  for (const char* bad : {"אב c", "א~", "א–ב", "“א”", "א…"}) {
    TextError error;
    EXPECT_FALSE(StoreHebrew(*DecodeUtf8(bad), error)) << bad;
    EXPECT_GT(error.column, 0u);
  }
  TextError error;
  EXPECT_FALSE(StoreHebrew(*DecodeUtf8("אבג e"), error));
  EXPECT_EQ(error.column, 5u);
  EXPECT_NE(error.reason.find("U+0065"), std::string::npos);
}

TEST(HebrewText, ReadingBackGivesTheLogicalText) {
  for (const char* text : {"פרק 12, פסוק 3 (ויקרא א, ג) [הערה]", "חז\"ל: בית-המקדש", "א{ב}"}) {
    EXPECT_EQ(EncodeUtf8(ReadHebrew(Stored(text))), text);
  }
}

TEST(ArticleSource, EveryKindStoresItsRecord) {
  EXPECT_EQ(Article("title: אב"), Record({0xDC, 0, 'b', 'a', 0}));
  EXPECT_EQ(Article("small: א"), Record({0xB2, 12, 'a', 0}));
  EXPECT_EQ(Article("note label=3 indent=5: 1. א"), Record({0xB1, 0xC5, 'a', ' ', '.', '1', 0}));
  EXPECT_EQ(Article("ltr style=0x49: Web 1.0"), Record({0x49, 0, 'W', 'e', 'b', ' ', '1', '.', '0', 0}));
  EXPECT_EQ(Article("rule: 24%"), Record({0xC7, 172, 0}));
  EXPECT_EQ(Article("rule: 100%"), Record({0xC7, 210, 0}));
  EXPECT_EQ(Article("rule: 60px"), Record({0xC7, 60, 0}));
  EXPECT_EQ(Article("rule style=0xE7: 255"), Record({0xE7, 255, 0}));
  EXPECT_EQ(Article("link 8: א"), Record({0xD7, 1, 8, 'a', 0}));
  EXPECT_EQ(Article("link 8 wide: א"), Record({0xD7, 1, 8, 0x80, 'a', 0}));
  EXPECT_EQ(Article("back: א"), Record({0xD7, 1, 0x7F, 0xFF, 'a', 0}));
  EXPECT_EQ(Article("empty:"), Record({0xC7, 0, 0}));
}

TEST(ArticleSource, ContinuationStartsWithASpace) {
  const Bytes b = Article("note: 1. אב\nnote label=1 cont: גד\n");
  const Bytes expected = Record({0xB1, 0x40, 'b', 'a', ' ', '.', '1', 0, 0xB1, 0x40, ' ', 'd', 'c', 0});
  EXPECT_EQ(b, expected);
}

TEST(ArticleSource, CommentsAndBlankLinesAreSkipped) {
  EXPECT_EQ(Article("# heading comment\n\n   \np: א\r\n"), Record({0xB1, 0, 'a', 0}));
}

TEST(ArticleSource, RefusalsNameTheLine) {
  const struct {
    const char* source;
    std::size_t line;
  } cases[] = {
      {"p: א\nparagraph: ב", 2},        // unknown kind
      {"p: א\n\nlink 45: ב", 3},        // link beyond the volume
      {"p no colon", 1},
      {"p style=0xB7: א", 1},           // a text kind with a special style
      {"rule style=0xB1: 24%", 1},      // a rule without one
      {"rule: 25%", 1},
      {"rule: 161px", 1},
      {"p indent=64: א", 1},
      {"p cont: א", 1},                 // cont without a label
      {"p: abc", 1},                    // lower-case Latin in Hebrew
      {"ltr: א", 1},                    // Hebrew in a plain record
      {"p:", 1},                        // nothing to show
      {"link 3:", 1},
      {"p frobnicate=1: א", 1},
  };
  for (const auto& c : cases) {
    std::vector<Diagnostic> diagnostics;
    Article(c.source, &diagnostics);
    ASSERT_FALSE(diagnostics.empty()) << c.source;
    EXPECT_EQ(diagnostics[0].line, c.line) << c.source;
    EXPECT_EQ(diagnostics[0].file, "a.txt");
  }
}

TEST(IndexSource, EntriesStoreKeyStyleLevelAndTitle) {
  std::vector<Diagnostic> diagnostics;
  const Bytes b = CompileIndexSource("index.txt", "article 3: אב\ngroup 0xBFE1 style=0x01 level=2: גד\n", diagnostics);
  ASSERT_TRUE(diagnostics.empty()) << diagnostics[0].ToString();
  const Bytes expected{0x03, 0x40, 0x8C, 1, 'b', 'a', 0, 0xE1, 0xBF, 0x01, 2, 'd', 'c', 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(b, expected);
}

TEST(IndexSource, RefusesBadEntries) {
  for (const char* source : {"article 45: אב", "group 0x4001: אב", "article 1: א", "article 1: אבגדהוזחטיכלמנסעפצקרשתאבג",
                             "section 1: אב"}) {
    std::vector<Diagnostic> diagnostics;
    CompileIndexSource("index.txt", source, diagnostics);
    EXPECT_FALSE(diagnostics.empty()) << source;
  }
}

}  // namespace
}  // namespace quillory::pack
