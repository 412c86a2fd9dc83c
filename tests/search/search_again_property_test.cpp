// Search Again over the whole compiled-in volume, the way a reader presses
// F3 again and again: from any start it visits every match of the pattern
// exactly once per round, in article and text order and each string in
// reading order, and then wraps round to the first again. The matches are
// counted directly in the decoded texts, each string read in reading order
// (from its highest byte down) with a regular expression that stands for
// the pattern, so nothing here depends on where the volume's words are.

#include <gtest/gtest.h>

#include <optional>
#include <regex>
#include <string>
#include <tuple>
#include <vector>

#include "platform/graphics/font_catalog.h"
#include "resources/volume_resources.h"
#include "search/find_next.h"
#include "store/uncompress.h"
#include "tests/platform/test_fonts.h"
#include "tests/search/search_fixture.h"
#include "tests/view/view_fixture.h"
#include "view/text_lines.h"

namespace {

using namespace quillory;
using namespace quillory_test;

using Text = std::vector<std::uint8_t>;

struct Match {
  int article = 0;
  std::size_t record = 0;  // the string's place among the article's records
  std::uint16_t highest = 0;
  std::uint16_t length = 0;
  auto operator<=>(const Match&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Match& m) {
  return out << "article " << m.article << " record " << m.record << " [" << m.highest - m.length + 1 << ", "
             << m.highest << "]";
}

// A Hebrew word in letter codes, in the stored (visual) order: reversed.
std::string Stored(std::u16string_view word) {
  std::string bytes;
  for (const char16_t c : word) {
    bytes.insert(bytes.begin(), c >= u'\u05D0' && c <= u'\u05EA' ? static_cast<char>(0x61 + (c - u'\u05D0'))
                                                                  : static_cast<char>(c));
  }
  return bytes;
}

// The pattern as a regular expression over a string read in reading order
// (its stored bytes reversed): "?" any byte, "*" the shortest run of bytes.
std::regex ReadingOrderExpression(const std::string& stored) {
  std::string expression;
  for (auto c = stored.rbegin(); c != stored.rend(); ++c) {
    if (*c == '?') {
      expression += "[\\s\\S]";
    } else if (*c == '*') {
      expression += "[\\s\\S]*?";
    } else {
      if (std::string("\\^$.|+()[]{}").find(*c) != std::string::npos) expression += '\\';
      expression += *c;
    }
  }
  return std::regex(expression);
}

// The matches in one string of an article, whose style and layout bytes
// stand at `at`, read in reading order from its byte `from` down (its
// highest byte, for the whole string).
void MatchesInString(const Text& text, int article, std::size_t record, std::size_t at, std::size_t from, const std::regex& expression, std::vector<Match>& matches) {
  const std::string reading(text.rbegin() + static_cast<std::ptrdiff_t>(text.size() - from - 1),
                            text.rbegin() + static_cast<std::ptrdiff_t>(text.size() - at - 2));
  for (auto m = std::sregex_iterator(reading.begin(), reading.end(), expression); m != std::sregex_iterator(); ++m) {
    const std::size_t highest = from - static_cast<std::size_t>(m->position());
    matches.push_back(
        Match{article, record, static_cast<std::uint16_t>(highest), static_cast<std::uint16_t>(m->length())});
  }
}

// Calls `visit(record, at, zero)` for each string of an article text.
template <typename Visit>
void ForEachString(const Text& text, Visit visit) {
  std::size_t record = 0;
  for (std::size_t at = 0; at < text.size() && text[at] != 0; ++record) {
    std::size_t zero = at + 2;
    while (zero < text.size() && text[zero] != 0) ++zero;
    visit(record, at, zero);
    at = zero + 1;
  }
}

// Every match in the volume in the order Search Again should meet them.
std::vector<Match> MatchesIn(const std::vector<Text>& volume, const std::regex& expression) {
  std::vector<Match> matches;
  for (std::size_t a = 0; a < volume.size(); ++a) {
    ForEachString(volume[a], [&](std::size_t record, std::size_t at, std::size_t zero) {
      MatchesInString(volume[a], static_cast<int>(a + 1), record, at, zero - 1, expression, matches);
    });
  }
  return matches;
}

// The record of the article text that holds `offset`.
std::size_t RecordOf(const TextView& view, std::size_t offset) {
  std::size_t record = 0;
  for (std::size_t at = 0; view.text.data()[at] != 0; ++record) {
    std::size_t zero = at + 2;
    while (view.text.data()[zero] != 0) ++zero;
    if (offset <= zero) return record;
    at = zero + 1;
  }
  return record;
}

std::unique_ptr<platform::Font> DavidFont(const platform::FontRequest& request) {
  return platform::Font::Open(platform::FontFile{kDavidMedium, 0, false}, request);
}

struct Layout {
  const char* name;
  platform::FontFactory fonts;
  ViewRect rect;
};

class SearchAgainProperty : public ::testing::TestWithParam<Layout> {
 protected:
  void SetUp() override {
    ResetAppState();
    App().module = &module_;
    App().font.asciiBase = kBaseUnicode;
    previousFactory_ = platform::SetFontFactory(GetParam().fonts);
    for (int number = 1; number <= kArticleCount; ++number) {
      const TextBuffer text = LoadCompressedResource(number);
      ASSERT_TRUE(text) << "article " << number;
      volume_.emplace_back(text.data(), text.data() + text.length());
    }
    App().textView = CreateTextView(&context_, &GetParam().rect, FontDescription{}, 100);
  }
  void TearDown() override {
    if (App().textView) DestroyTextView(App().textView, true);
    platform::SetFontFactory(previousFactory_);
    ResetAppState();
  }

  TextView& view() { return *App().textView; }

  // Opens `article` at `top` (pulled back to its last page) with nothing
  // highlighted, as the reader stands there after paging.
  void Open(int article, int top) {
    ASSERT_EQ(LayoutText(App().textView, LoadCompressedResource(article), true), kLayoutOk);
    App().currentArticle = static_cast<std::uint16_t>(article);
    view().topPosition = static_cast<std::uint16_t>(std::min(top, static_cast<int>(view().maxTop)));
  }

  // What Search Again meets from the top line on: the matches of the top
  // line's string read from the line's first byte in reading order (a match
  // may begin there that a reading of the whole string would not meet, when
  // an earlier match took that byte), then every later match in the volume,
  // then, once round, every match of the volume.
  std::vector<Match> ExpectedFrom(const std::vector<Match>& matches, const std::regex& expression) {
    const LineRecord* top = view().lines;
    for (int units = 0; top->style != 0 && units < view().topPosition; ++top) units += LineUnits(*top);
    const std::size_t start = SpanOf(view(), *top).end - 1;
    const int article = App().currentArticle;
    const Text& text = volume_[static_cast<std::size_t>(article - 1)];
    std::vector<Match> expected;
    std::size_t startRecord = 0;
    ForEachString(text, [&](std::size_t record, std::size_t at, std::size_t zero) {
      if (at + 2 <= start && start < zero) {
        startRecord = record;
        MatchesInString(text, article, record, at, start, expression, expected);
      }
    });
    for (const Match& m : matches) {
      if (std::tie(m.article, m.record) > std::tie(article, startRecord)) expected.push_back(m);
    }
    expected.insert(expected.end(), matches.begin(), matches.end());
    return expected;
  }

  // What Search Again shows next.
  std::optional<Match> Press() {
    if (FindNext(nullptr) != 1) return std::nullopt;
    const auto highest = static_cast<std::uint16_t>(view().highlightEnd - 1);
    return Match{App().currentArticle, RecordOf(view(), highest), highest,
                 static_cast<std::uint16_t>(view().highlightEnd - view().highlightStart)};
  }

  const platform::Module module_{VolumeResources()};
  std::vector<Text> volume_;
  platform::Framebuffer pixels_{240, 294};
  platform::DeviceContext context_{&pixels_};
  platform::FontFactory previousFactory_ = nullptr;
};

TEST_P(SearchAgainProperty, VisitsEveryMatchOncePerRoundInOrderFromAnyStart) {
  // Headwords of the glossary's labels, words at line ends, number ranges,
  // wildcard patterns, and single bytes (a hyphen also ends lines).
  const std::vector<std::string> patterns = {
      Stored(u"כפרה"), Stored(u"שמיטה"), Stored(u"עולה"), Stored(u"קרבן"), Stored(u"שבת"),
      Stored(u"שבתון"), Stored(u"מזבח"), Stored(u"טו*ה"), Stored(u"כ?הן"), Stored(u"ק?בן"),
      Stored(u"ה*ו*ה"), "-", ":", Stored(u"ץ"), "23"};
  // The first page, the middle of a glossary, a last page.
  const std::vector<std::pair<int, int>> starts = {{1, 0}, {35, 200}, {23, 0xFFFF}};
  ShellRecorder shell;
  for (const std::string& pattern : patterns) {
    const std::regex expression = ReadingOrderExpression(pattern);
    const std::vector<Match> matches = MatchesIn(volume_, expression);
    ASSERT_GT(matches.size(), 1u) << pattern;
    StorePattern(pattern);
    for (const auto& [article, top] : starts) {
      Open(article, top);
      const std::vector<Match> expected = ExpectedFrom(matches, expression);
      for (std::size_t press = 0; press < expected.size(); ++press) {
        const std::optional<Match> shown = Press();
        ASSERT_TRUE(shown) << pattern << " from article " << article << ", press " << press;
        ASSERT_EQ(*shown, expected[press]) << pattern << " from article " << article << ", press " << press;
      }
      // And round again to the first match of the volume.
      EXPECT_EQ(Press(), matches.front()) << pattern << " from article " << article;
    }
  }
  EXPECT_TRUE(shell.boxes().empty()) << "no \"Not Found!\" on the way";
}

INSTANTIATE_TEST_SUITE_P(Layouts, SearchAgainProperty,
                         ::testing::Values(Layout{"fixed", FixedFont, ViewRect{4, 0, 236, 294}},
                                           Layout{"david", DavidFont, ViewRect{4, 0, 164, 400}}),
                         [](const auto& param) { return std::string(param.param.name); });

}  // namespace
