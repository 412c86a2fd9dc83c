// Search Again through the compiled-in volume: the three passes, wrapping
// from the last article to the first, articles that cannot be decoded or
// shown, nothing found, and running out of memory half-way. What each search
// should find is worked out by a plain forward search over the decoded
// strings.

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "platform/graphics/font_catalog.h"
#include "resources/volume_resources.h"
#include "search/find_next.h"
#include "store/uncompress.h"
#include "tests/search/search_fixture.h"
#include "tests/view/view_fixture.h"
#include "tools/pack/container.h"
#include "view/text_lines.h"

namespace {

using namespace quillory;
using namespace quillory_test;

using Text = std::vector<std::uint8_t>;

// The occurrence a search of the whole article meets first: in the first
// string (from a record's third byte to its zero) that holds the pattern,
// the one that ends highest.
std::optional<std::uint16_t> FirstInReadingOrder(const Text& text, const std::string& pattern) {
  for (std::size_t at = 0; text[at] != 0;) {
    const auto string = text.begin() + static_cast<std::ptrdiff_t>(at) + 2;
    const auto zero = std::find(string, text.end(), 0);
    const auto last = std::find_end(string, zero, pattern.begin(), pattern.end());
    if (last != zero) return static_cast<std::uint16_t>(last - text.begin() + std::ssize(pattern) - 1);
    at = static_cast<std::size_t>(zero - text.begin()) + 1;
  }
  return std::nullopt;
}

int CountIn(const Text& text, const std::string& pattern) {
  int count = 0;
  for (auto at = text.begin(); (at = std::search(at, text.end(), pattern.begin(), pattern.end())) != text.end(); ++at) {
    ++count;
  }
  return count;
}

// The article of a pattern found nowhere else.
constexpr int kArticle = 12;

class FindNextVolume : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetAppState();
    App().module = &module_;
    App().font.asciiBase = kBaseUnicode;
    previousFactory_ = platform::SetFontFactory(FixedFont);
    for (int number = 1; number <= kArticleCount; ++number) {
      const TextBuffer text = LoadCompressedResource(number);
      ASSERT_TRUE(text) << "article " << number;
      volume_.emplace_back(text.data(), text.data() + text.length());
    }
    unique_ = UniquePattern();
    ASSERT_FALSE(unique_.empty());
    uniqueHighest_ = *FirstInReadingOrder(volume_[kArticle - 1], unique_);
    const ViewRect rect{4, 0, 236, 294};
    App().textView = CreateTextView(&context_, &rect, FontDescription{}, 100);
  }
  void TearDown() override {
    platform::FailNthAllocation(0);
    if (App().textView) DestroyTextView(App().textView, true);
    platform::SetFontFactory(previousFactory_);
    ResetAppState();
  }

  void Open(int number, std::uint16_t top = 0) {
    ASSERT_EQ(LayoutText(App().textView, LoadCompressedResource(number), true), kLayoutOk);
    App().currentArticle = static_cast<std::uint16_t>(number);
    App().textView->topPosition = top;
  }
  TextView& view() { return *App().textView; }
  Text ViewText() { return Text(view().text.data(), view().text.data() + view().text.length()); }
  // The unit at which the line holding text offset `offset` starts.
  std::uint16_t UnitOf(std::uint16_t offset) {
    int unit = 0;
    for (const LineRecord* line = view().lines; line->style != 0; ++line) {
      if (line->textOffset <= offset && offset <= line->textOffset + line->count) break;
      unit += LineUnits(*line);
    }
    return static_cast<std::uint16_t>(unit);
  }
  // How the unique pattern is shown at `top`.
  Shown UniqueAt(std::uint16_t top) const {
    return Shown{static_cast<std::uint16_t>(uniqueHighest_ - 7), static_cast<std::uint16_t>(uniqueHighest_ + 1), top};
  }

  // Eight bytes from the middle of a long string in the first half of
  // kArticle, past its first lines, that occur nowhere else in the volume.
  std::string UniquePattern() const {
    const Text& text = volume_[kArticle - 1];
    for (std::size_t at = text.size() / 4; at < text.size() / 2; at += 97) {
      const std::string candidate(text.begin() + static_cast<std::ptrdiff_t>(at),
                                  text.begin() + static_cast<std::ptrdiff_t>(at) + 8);
      if (candidate.find_first_of(std::string("?*\0", 3)) != std::string::npos) continue;
      int count = 0;
      for (const Text& other : volume_) count += CountIn(other, candidate);
      if (count == 1) return candidate;
    }
    return {};
  }

  const platform::Module module_{VolumeResources()};
  std::vector<Text> volume_;
  std::string unique_;
  std::uint16_t uniqueHighest_ = 0;
  platform::Framebuffer pixels_{240, 294};
  platform::DeviceContext context_{&pixels_};
  platform::FontFactory previousFactory_ = nullptr;
};

TEST_F(FindNextVolume, FindsTheOnlyOccurrenceFurtherOnAndAgainOnSearchAgain) {
  Open(kArticle);
  StorePattern(unique_);
  ShellRecorder shell;
  const std::int64_t live = platform::LiveAllocations();
  const Shown expected = UniqueAt(std::min(UnitOf(uniqueHighest_), view().maxTop));
  ASSERT_GT(expected.top, 0);
  EXPECT_EQ(FindNext(nullptr), 1);
  EXPECT_EQ(ShownBy(view()), expected);
  EXPECT_EQ(shell.counts().repaints, 1);
  EXPECT_EQ(shell.counts().bookmarkChecks, 1);
  // The second search goes through every other article and back.
  EXPECT_EQ(FindNext(nullptr), 1);
  EXPECT_EQ(ShownBy(view()), expected);
  EXPECT_EQ(App().currentArticle, kArticle);
  EXPECT_TRUE(shell.boxes().empty());
  EXPECT_EQ(platform::LiveAllocations(), live) << "every article decoded on the way was released";
}

TEST_F(FindNextVolume, AnOccurrenceOnlyAboveTheReadingPositionIsFoundLastAndTheViewJumpsBack) {
  Open(kArticle);
  const std::uint16_t top = UnitOf(uniqueHighest_);
  ASSERT_LT(top + 4, view().maxTop);
  view().topPosition = static_cast<std::uint16_t>(top + 4);
  StorePattern(unique_);
  ShellRecorder shell;
  EXPECT_EQ(FindNext(nullptr), 1);
  EXPECT_EQ(ShownBy(view()), UniqueAt(top));
  EXPECT_EQ(App().currentArticle, kArticle);
}

TEST_F(FindNextVolume, OtherArticlesAreTakenInNumberOrderRoundFromTheCurrentOne) {
  // Five bytes of article 20 found in six other articles (4 to 35): from
  // every other article the search lands on the next of them, from 36 to
  // 44 wrapping round to article 4.
  const std::string pattern(volume_[19].begin() + 541, volume_[19].begin() + 546);
  std::vector<int> holding;
  for (int number = 1; number <= kArticleCount; ++number) {
    if (FirstInReadingOrder(volume_[number - 1], pattern)) holding.push_back(number);
  }
  ASSERT_EQ(holding, (std::vector<int>{4, 11, 20, 21, 26, 28, 35}));
  StorePattern(pattern);
  for (int current = 1; current <= kArticleCount; ++current) {
    if (std::count(holding.begin(), holding.end(), current) != 0) continue;
    const auto next = std::upper_bound(holding.begin(), holding.end(), current);
    const int expected = next != holding.end() ? *next : holding.front();
    Open(current, 5);
    App().savedPosition = 5;
    App().previousArticle = 3;
    App().flags = 0;
    ShellRecorder shell;
    const std::int64_t live = platform::LiveAllocations();
    ASSERT_EQ(FindNext(nullptr), 1) << "from article " << current;
    EXPECT_EQ(App().currentArticle, expected) << "from article " << current;
    EXPECT_EQ(ViewText(), volume_[expected - 1]) << "from article " << current;
    EXPECT_EQ(view().highlightEnd - 1, *FirstInReadingOrder(volume_[expected - 1], pattern));
    EXPECT_EQ(App().flags, kChosenArticleFlag) << "the reader's own choice";
    EXPECT_EQ(App().savedPosition, 0);
    EXPECT_EQ(App().previousArticle, 3) << "a search records no way back";
    EXPECT_EQ(platform::LiveAllocations(), live) << "the view holds the new text instead of the old";
  }
}

TEST_F(FindNextVolume, NothingFoundSaysSoOnceAndChangesNothing) {
  StorePattern("\x01\x02");
  // An article number outside the volume still ends the round.
  for (const int current : {kArticle, 0, 45}) {
    Open(kArticle, 9);
    App().currentArticle = static_cast<std::uint16_t>(current);
    view().highlightStart = 30;
    view().highlightEnd = 33;
    ShellRecorder shell;
    const std::int64_t live = platform::LiveAllocations();
    int owner = 0;
    EXPECT_EQ(FindNext(reinterpret_cast<platform::WindowHandle>(&owner)), 0);
    ASSERT_EQ(shell.boxes().size(), 1u);
    const platform::MessageBoxRequest& box = shell.boxes()[0];
    EXPECT_EQ(box.text, "Not Found!");
    EXPECT_EQ(box.caption, "Quillory - 32");
    EXPECT_EQ(box.buttons(), platform::kMbOk);
    EXPECT_EQ(box.owner, reinterpret_cast<platform::WindowHandle>(&owner));
    EXPECT_EQ(App().currentArticle, current);
    EXPECT_EQ(ViewText(), volume_[kArticle - 1]);
    EXPECT_EQ(ShownBy(view()), (Shown{30, 33, 9}));
    EXPECT_EQ(shell.counts().repaints, 0);
    EXPECT_EQ(platform::LiveAllocations(), live);
  }
}

TEST_F(FindNextVolume, RunningOutOfMemoryEndsTheSearchWithNothingShownOrLeaked) {
  Open(kArticle, 9);
  StorePattern("\x01\x02");
  std::uint64_t allocations = 0;
  {
    ShellRecorder shell;
    const std::uint64_t before = platform::AllocationCount();
    ASSERT_EQ(FindNext(nullptr), 0);
    allocations = platform::AllocationCount() - before;
  }
  // Early in the first pass, half-way through the other articles and late
  // in the last pass. Only a refusal of a paragraph node stops the search
  // (a refused decode passes an article over), so those are counted.
  int stops = 0;
  for (const std::uint64_t failing : {std::uint64_t{1}, allocations / 2, allocations / 2 + 1, allocations - 1}) {
    ShellRecorder shell;
    const std::int64_t live = platform::LiveAllocations();
    platform::FailNthAllocation(static_cast<int>(failing));
    const int result = FindNext(nullptr);
    platform::FailNthAllocation(0);
    if (shell.counts().refusedAllocations == 0) continue;
    ++stops;
    EXPECT_EQ(result, 0) << "allocation " << failing;
    EXPECT_TRUE(shell.boxes().empty()) << "allocation " << failing;
    EXPECT_EQ(platform::LiveAllocations(), live) << "allocation " << failing;
    EXPECT_EQ(ShownBy(view()), (Shown{0, 0, 9}));
  }
  EXPECT_GE(stops, 3);
}

TEST_F(FindNextVolume, TheReadersStopMayReleaseTheViewMidSearch) {
  Open(kArticle);
  StorePattern(unique_);
  // As the reader's stop does: the save sequence releases the view.
  ShellRecorder shell([] {
    DestroyTextView(App().textView, true);
    App().textView = nullptr;
  });
  platform::FailNthAllocation(2);
  EXPECT_EQ(FindNext(nullptr), 0);
  EXPECT_EQ(shell.counts().refusedAllocations, 1);
  EXPECT_TRUE(shell.boxes().empty());
}

TEST_F(FindNextVolume, ArticlesThatCannotBeDecodedOrShownArePassedOver) {
  // A first record with an empty body string: the view refuses the text,
  // though a later record holds the pattern.
  const std::string refused = std::string("\xB1\x00\x00\xB1\x00", 5) + unique_ + std::string("\x00\x00", 2);
  std::string error;
  const auto stored = pack::BuildStoredResource(
      std::span(reinterpret_cast<const std::uint8_t*>(refused.data()), refused.size()), 0, 0, pack::Parser::kGreedy,
      error);
  ASSERT_TRUE(stored) << error;
  const std::vector<platform::ResourceEntry> overrides = {
      {platform::ResourceType::kRawData, 1000 + kArticle - 2, nullptr, 0},
      {platform::ResourceType::kRawData, 1000 + kArticle - 1, stored->bytes.data(),
       static_cast<std::uint32_t>(stored->bytes.size())}};
  const platform::Module module{overrides, VolumeResources()};
  App().module = &module;
  Open(kArticle - 3);
  StorePattern(unique_);
  ShellRecorder shell;
  EXPECT_EQ(FindNext(nullptr), 1);
  EXPECT_EQ(App().currentArticle, kArticle) << "the refused text did not become current";
  EXPECT_EQ(ViewText(), volume_[kArticle - 1]);
  App().module = &module_;
}

}  // namespace
