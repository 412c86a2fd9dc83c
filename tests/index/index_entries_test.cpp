// Index entry buffers: reading them safely, joining them, and the bookmarks
// group built in front of the volume's own index.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/app_state.h"
#include "index/index_entries.h"
#include "resources/volume_resources.h"
#include "store/uncompress.h"
#include "tests/index/entry_builder.h"

namespace {

using namespace quillory;
using quillory_test::Entries;

struct Seen {
  std::uint16_t key;
  std::uint8_t style;
  std::uint8_t level;
  std::string title;
  bool operator==(const Seen&) const = default;
};

std::vector<Seen> Walk(const platform::HeapBlock& block) {
  std::vector<Seen> seen;
  const auto bytes = BytesOf(block);
  for (auto entry = EntryAt(bytes, 0); entry; entry = EntryAt(bytes, entry->next())) {
    seen.push_back({entry->key, entry->style, entry->level,
                    std::string(reinterpret_cast<const char*>(bytes.data() + entry->titleAt), entry->titleLength)});
  }
  return seen;
}

class IndexEntries : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetAppState();
    App().module = &module_;
  }
  void TearDown() override {
    platform::Release(App().bookmarks);
    ResetAppState();
  }
  void SetBookmarks(std::vector<std::uint16_t> numbers) {
    numbers.push_back(0);
    auto* list = static_cast<std::uint16_t*>(platform::Alloc(numbers.size() * sizeof(std::uint16_t)));
    std::copy(numbers.begin(), numbers.end(), list);
    platform::Release(App().bookmarks);
    App().bookmarks = list;
    App().bookmarkCount = static_cast<std::uint16_t>(numbers.size() - 1);
  }
  std::string TitleOf(const std::vector<Seen>& entries, std::uint16_t key) {
    for (const Seen& seen : entries) {
      if (seen.key == key) return seen.title;
    }
    return "";
  }

  const platform::Module module_{VolumeResources()};
};

TEST_F(IndexEntries, TheVolumesIndexHoldsTwentyNineArticlesAClosedGroupAndFifteenMore) {
  const platform::HeapBlock index = LoadCompressedResource(kIndexNumber);
  ASSERT_TRUE(index);
  const std::vector<Seen> entries = Walk(index);
  ASSERT_EQ(entries.size(), 45u);
  EXPECT_EQ(MeasureEntries(BytesOf(index)), index.length() - 5) << "all but the five bytes of the end";
  EXPECT_EQ(entries[0].key, 0x4001);
  EXPECT_EQ(entries[29].key, 0xBFE1);
  EXPECT_EQ(entries[29].style, 0x8C);
  EXPECT_EQ(entries[30].key, 0x401E);
  EXPECT_EQ(entries[30].style, 0x01);
  EXPECT_EQ(entries[30].level, 2);
  EXPECT_EQ(entries[44].key, 0x402C);
}

TEST_F(IndexEntries, EntriesThatDoNotFitTheBufferEndIt) {
  const std::uint8_t noZero[] = {0x01, 0x40, 0x81, 0x01, 'a', 'b'};
  EXPECT_FALSE(EntryAt(noZero, 0)) << "a title without its zero";
  const std::uint8_t shortHead[] = {0x01, 0x40, 0x81, 0x01};
  EXPECT_FALSE(EntryAt(shortHead, 0));
  const std::uint8_t styleZero[] = {0x01, 0x40, 0x00, 0x01, 'a', 0};
  EXPECT_FALSE(EntryAt(styleZero, 0));
  EXPECT_FALSE(EntryAt(styleZero, 100)) << "past the end";
  const std::uint8_t empty[] = {0x01, 0x40, 0x81, 0x01, 0};
  ASSERT_TRUE(EntryAt(empty, 0));
  EXPECT_EQ(EntryAt(empty, 0)->titleLength, 0u);

  // A title reaching past a 16-bit offset cannot be addressed by a line.
  std::vector<std::uint8_t> huge(0x10010, 'a');
  huge[0] = 0x01, huge[1] = 0x40, huge[2] = 0x81, huge[3] = 1;
  huge.back() = 0;
  EXPECT_FALSE(EntryAt(huge, 0));
  EXPECT_EQ(MeasureEntries(huge), 0u);
}

TEST_F(IndexEntries, JoiningKeepsBothInOrderAndConsumesThem) {
  platform::HeapBlock joined = JoinEntryLists(Entries().Article(1, 0x81, 1, "ab").Block(),
                                              Entries().Article(2, 0x81, 1, "c").Article(3, 0x01, 2, "de").Block());
  EXPECT_EQ(Walk(joined), (std::vector<Seen>{{0x4001, 0x81, 1, "ab"}, {0x4002, 0x81, 1, "c"}, {0x4003, 0x01, 2, "de"}}));
  EXPECT_EQ(joined.length(), 7u + 6u + 7u + 5u);

  EXPECT_EQ(Walk(JoinEntryLists(platform::HeapBlock(), Entries().Article(2, 0x81, 1, "c").Block())).size(), 1u);
  EXPECT_EQ(Walk(JoinEntryLists(Entries().Article(2, 0x81, 1, "c").Block(), platform::HeapBlock())).size(), 1u);

  // No room for the joined buffer: the second is what is left.
  joined = platform::HeapBlock();
  const std::int64_t live = platform::LiveAllocations();
  platform::HeapBlock first = Entries().Article(1, 0x81, 1, "ab").Block();
  platform::HeapBlock second = Entries().Article(2, 0x81, 1, "c").Block();
  platform::FailNthAllocation(1);
  joined = JoinEntryLists(std::move(first), std::move(second));
  EXPECT_EQ(Walk(joined), (std::vector<Seen>{{0x4002, 0x81, 1, "c"}}));
  joined = platform::HeapBlock();
  EXPECT_EQ(platform::LiveAllocations(), live);
}

TEST_F(IndexEntries, TheBookmarksGroupListsBookmarksInTheirOrderWithTheirIndexTitles) {
  platform::HeapBlock index = LoadCompressedResource(kIndexNumber);
  const std::vector<Seen> stored = Walk(index);
  SetBookmarks({17, 3, 40});
  const std::vector<Seen> shown = Walk(AddBookmarkSection(std::move(index)));
  ASSERT_EQ(shown.size(), 4u + 45u);
  EXPECT_EQ(shown[0], (Seen{0x8877, 0xC1, 1, "jiyu"}));
  EXPECT_EQ(shown[1], (Seen{0x4011, 0x81, 2, TitleOf(stored, 0x4011)}));
  EXPECT_EQ(shown[2], (Seen{0x4003, 0x81, 2, TitleOf(stored, 0x4003)}));
  EXPECT_EQ(shown[3], (Seen{0x4028, 0x81, 2, TitleOf(stored, 0x4028)}));
  EXPECT_FALSE(shown[1].title.empty());
  EXPECT_EQ(std::vector<Seen>(shown.begin() + 4, shown.end()), stored);
}

TEST_F(IndexEntries, BookmarksWithoutAnIndexEntryLeaveTheHeaderAlone) {
  SetBookmarks({5});
  EXPECT_EQ(Walk(BuildBookmarkSection(BytesOf(Entries().Article(6, 0x81, 1, "x").Block()))),
            (std::vector<Seen>{{0x8877, 0xC1, 1, "jiyu"}}));
  // Without the index, only the group is shown.
  EXPECT_EQ(Walk(AddBookmarkSection(platform::HeapBlock())), (std::vector<Seen>{{0x8877, 0xC1, 1, "jiyu"}}));
}

TEST_F(IndexEntries, WithoutBookmarksOrMemoryTheIndexStaysAsItIs) {
  platform::HeapBlock index = Entries().Article(1, 0x81, 1, "ab").Block();
  const std::uint8_t* bytes = index.data();
  platform::HeapBlock same = AddBookmarkSection(std::move(index));
  EXPECT_EQ(same.data(), bytes);

  SetBookmarks({1});
  platform::FailNthAllocation(1);
  same = AddBookmarkSection(std::move(same));
  EXPECT_EQ(same.data(), bytes) << "the group could not be built";
  EXPECT_TRUE(AddBookmarkSection(platform::HeapBlock()));
}

}  // namespace
