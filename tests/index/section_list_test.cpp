// The section list in exact pixels: fixed fonts 10 pixels a character, 16
// high for font key 1, 20 for large keys and 12 for small ones.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/app_state.h"
#include "index/index_entries.h"
#include "index/section_list.h"
#include "platform/graphics/bitmap.h"
#include "platform/graphics/font_catalog.h"
#include "resources/program_resources.h"
#include "resources/volume_resources.h"
#include "store/uncompress.h"
#include "tests/index/entry_builder.h"
#include "tests/view/view_fixture.h"

namespace {

using namespace quillory;
using quillory_test::Entries;
using quillory_test::kAdvance;

constexpr std::int32_t kWidth = 200;
constexpr std::int32_t kHeight = 100;
constexpr std::uint16_t kGroupKey = 0xBFE1;

class SectionListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetAppState();
    App().module = &module_;
    App().font.asciiBase = kBaseUnicode;
    for (int i = 0; i < kListGlyphCount; ++i) {
      App().glyphBitmaps[static_cast<std::size_t>(i)] =
          platform::LoadBitmap(&module_, ListGlyphId(static_cast<ListGlyph>(i)));
    }
    previousFactory_ = platform::SetFontFactory(quillory_test::FixedFont);
    font_.height = 16;
    // The process-wide conversion buffer is made by the first conversion;
    // making it here keeps it out of the allocations counted.
    const std::string wide(512, 'a');
    ToDisplayChars(reinterpret_cast<const std::uint8_t*>(wide.data()), 512, kNoMappingBase, false);
  }
  void TearDown() override {
    DestroySectionList(list_, true);
    for (platform::BitmapHandle glyph : App().glyphBitmaps) platform::DeleteBitmap(glyph);
    platform::SetFontFactory(previousFactory_);
    ResetAppState();
  }

  int Lay(platform::HeapBlock entries, std::int32_t width = kWidth, std::int32_t height = kHeight) {
    if (!list_) {
      const ListRect rect{10, 20, 10 + width, 20 + height};
      list_ = CreateSectionList(&context_, &rect, font_, 100);
    }
    return LayoutSectionList(list_, entries, true);
  }
  const ListLine& Line(int i) const { return list_->lines[i]; }
  std::vector<std::uint16_t> ShownKeys() const {
    std::vector<std::uint16_t> keys;
    for (const ListLine* line = list_->lines; line->style != 0; ++line) {
      if (line->style & kShownBit) keys.push_back(line->key);
    }
    return keys;
  }
  // Client point inside the glyph of line `i`, drawn on screen row `row`.
  std::pair<std::int32_t, std::int32_t> GlyphPoint(int i, int row) const {
    return {Line(i).x + Line(i).width + 8, list_->top + row * Line(i).height + 4};
  }
  // A group of three under a shown, closed header between two articles.
  static Entries Outline() {
    return Entries()
        .Article(1, 0x81, 1, "aaa")
        .Entry(kGroupKey, 0x81, 1, "grp")
        .Article(2, 0x01, 2, "bbb")
        .Article(3, 0x01, 2, "ccc")
        .Article(4, 0x01, 2, "ddd")
        .Article(5, 0x81, 1, "eee");
  }

  const platform::Module module_{{ProgramResources(), VolumeResources()}};
  platform::Framebuffer pixels_{320, 400};
  platform::DeviceContext context_{&pixels_};
  FontDescription font_;
  SectionList* list_ = nullptr;
  platform::FontFactory previousFactory_ = nullptr;
};

TEST_F(SectionListTest, TitlesWrapRightAlignedAgainstTheirIndentation) {
  // Stored in visual order: the reading start is the stored end.
  ASSERT_EQ(Lay(Entries()
                    .Entry(0x4001, 0x81, 0, std::string(25, 'a'))   // a word wider than the list
                    .Entry(0x4002, 0x81, 1, "ccc bbbbbb aaaaaaa")    // breaks at spaces
                    .Entry(0x4003, 0x81, 16, "dd")                   // indentation beyond the width
                    .Block(),
                100),
            kListOk);
  struct Expected {
    std::uint16_t offset, count;
    std::int32_t x;
  };
  const std::vector<Expected> lines = {
      {19, 10, 10}, {9, 10, 10}, {4, 5, 60},  // 25 bytes cut at 10 and 10
      {45, 7, 27},  {38, 6, 37}, {34, 3, 67},  // aaaaaaa | bbbbbb | ccc, 13 in
      {57, 2, 90},                             // level 16 × 13 >= 100: no indent
  };
  ASSERT_EQ(list_->lineCount, lines.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const ListLine& line = Line(static_cast<int>(i));
    EXPECT_EQ(line.textOffset, lines[i].offset) << i;
    EXPECT_EQ(line.count, lines[i].count) << i;
    EXPECT_EQ(line.x, lines[i].x) << i;
    EXPECT_EQ(line.width, lines[i].count * kAdvance) << i;
    EXPECT_EQ(line.height, 16) << i;
  }
  EXPECT_EQ(list_->visibleLines, 7);
  EXPECT_EQ(list_->maxTop, 7 - 6) << "six lines of 16 fit in 100";
  EXPECT_EQ(Line(7).style, 0) << "the table is terminated";
}

TEST_F(SectionListTest, FontKeysChooseLineHeightsAndHiddenEntriesAreNotCounted) {
  ASSERT_EQ(Lay(Entries().Article(1, 0x8C, 1, "ab").Article(2, 0x02, 2, "cd").Article(3, 0x81, 1, "ef").Block()),
            kListOk);
  EXPECT_EQ(Line(0).height, 20);
  EXPECT_EQ(Line(1).height, 12);
  EXPECT_EQ(Line(2).height, 16);
  EXPECT_EQ(list_->visibleLines, 2);
  EXPECT_EQ(list_->maxTop, 0);
}

TEST_F(SectionListTest, RefusedEntriesStayTheCallersAndTheOldListStays) {
  ASSERT_EQ(Lay(Outline().Block()), kListOk);
  const std::uint8_t* shown = list_->entries.data();
  platform::HeapBlock empty = Entries().Article(9, 0x81, 1, "").Block();
  EXPECT_EQ(LayoutSectionList(list_, empty, true), kRejectedEntries);
  EXPECT_TRUE(empty);
  EXPECT_EQ(list_->entries.data(), shown);
  EXPECT_EQ(list_->lineCount, 6);
  EXPECT_EQ(list_->visibleLines, 0) << "cleared before the entries were looked at";

  platform::HeapBlock none;
  EXPECT_EQ(LayoutSectionList(list_, none, true), kNoEntries);
  EXPECT_FALSE(list_->entries);
  EXPECT_EQ(PaintSectionList(list_, true), -1);
  EXPECT_EQ(HitTestSectionList(list_, 100, 30), 0);
  EXPECT_EQ(LayoutSectionList(nullptr, none, true), kNoList);
}

TEST_F(SectionListTest, ATapOnAGroupOpensAndClosesItAndATapOnAnArticleChoosesIt) {
  ASSERT_EQ(Lay(Outline().Block()), kListOk);
  ASSERT_EQ(ShownKeys(), (std::vector<std::uint16_t>{0x4001, kGroupKey, 0x4005}));
  PaintSectionList(list_, true);
  const auto [glyphX, glyphY] = GlyphPoint(1, 1);
  EXPECT_EQ(HitTestSectionList(list_, glyphX, glyphY), -(kGroupKey & 0x3FFF));
  EXPECT_EQ(ShownKeys(), (std::vector<std::uint16_t>{0x4001, kGroupKey, 0x4002, 0x4003, 0x4004, 0x4005}));
  EXPECT_TRUE(Line(1).style & kExpandedBit);
  EXPECT_EQ(list_->maxTop, 0) << "six lines of 16 fit in 100";

  // Left of the text nothing happens; right of the glyph the header still toggles.
  EXPECT_EQ(HitTestSectionList(list_, Line(1).x - 1, glyphY), 0);
  EXPECT_EQ(HitTestSectionList(list_, list_->left + list_->width, glyphY), -(kGroupKey & 0x3FFF));
  EXPECT_EQ(ShownKeys(), (std::vector<std::uint16_t>{0x4001, kGroupKey, 0x4005}));
  EXPECT_FALSE(Line(1).style & kExpandedBit);

  EXPECT_EQ(HitTestSectionList(list_, Line(2).x - 1, list_->top + 40), 0) << "left of an article";
  EXPECT_EQ(HitTestSectionList(list_, Line(5).x, list_->top + 40), 5) << "the third shown line";
  EXPECT_EQ(HitTestSectionList(list_, Line(5).x, list_->top + 49), kBelowLastLine);
  EXPECT_EQ(HitTestSectionList(list_, Line(5).x, list_->top + kHeight + 1), 0) << "outside the list";
}

TEST_F(SectionListTest, AHeaderWhoseTitleWrapsKeepsItsOwnLinesThroughAToggle) {
  ASSERT_EQ(Lay(Entries()
                    .Entry(kGroupKey, 0xC1, 1, "hhhhhh hhhhhh")
                    .Article(2, 0x81, 2, "bbb")
                    .Article(3, 0x81, 3, "ccc")
                    .Article(4, 0x81, 1, "ddd")
                    .Block(),
                100),
            kListOk);
  ASSERT_EQ(list_->lineCount, 5);
  ASSERT_EQ(Line(1).key, kGroupKey);
  EXPECT_EQ(ToggleSectionGroup(list_, 0), -(kGroupKey & 0x3FFF));
  EXPECT_EQ(ShownKeys(), (std::vector<std::uint16_t>{kGroupKey, kGroupKey, 0x4004}))
      << "closing hides the children, deeper ones too, but not the title's second line";
  ToggleSectionGroup(list_, 0);
  EXPECT_EQ(ShownKeys(), (std::vector<std::uint16_t>{kGroupKey, kGroupKey, 0x4002, 0x4004}))
      << "opening shows the direct children only";
  EXPECT_TRUE(Line(1).style & kExpandedBit);
}

TEST_F(SectionListTest, ScrollingStopsAtTheEndsAndAPaintBeyondFallsBackToTheLastPage) {
  Entries entries;
  for (std::uint16_t i = 1; i <= 12; ++i) entries.Article(i, 0x81, 1, "aa");
  ASSERT_EQ(Lay(entries.Block()), kListOk);
  EXPECT_EQ(list_->maxTop, 12 - 6);
  EXPECT_EQ(ScrollSectionList(list_, -1, true, true), 1) << "nothing to do at the top";
  EXPECT_EQ(list_->linesDrawn, 0) << "and nothing painted";
  EXPECT_EQ(ScrollSectionList(list_, 100, false, true), 1);
  EXPECT_EQ(list_->topLine, 6);
  EXPECT_EQ(ScrollSectionList(list_, 3, false, false), 1);
  EXPECT_EQ(list_->topLine, 9) << "unclamped, within the visible lines";
  EXPECT_EQ(ScrollSectionList(list_, 4, false, false), 1);
  EXPECT_EQ(list_->topLine, 6) << "past the visible lines: clamped anyway";
  EXPECT_EQ(ScrollSectionList(list_, -2, true, true), 0);
  EXPECT_EQ(list_->linesDrawn, 6);

  list_->topLine = 13;
  EXPECT_EQ(PaintSectionList(list_, true), 0);
  EXPECT_EQ(list_->topLine, 6);
  EXPECT_EQ(HitTestSectionList(list_, Line(11).x, list_->top + 90), 12) << "the last line at the bottom";
}

TEST_F(SectionListTest, PaintingDrawsGlyphsBesideTheFirstLineOfEachEntry) {
  ASSERT_EQ(Lay(Entries()
                    .Entry(kGroupKey, 0x8C, 1, "grp")
                    .Article(2, 0x81, 1, "aaaaaaaaaaaaaaaaaaaaa")
                    .Block()),
            kListOk);
  ASSERT_EQ(list_->lineCount, 3);
  ASSERT_EQ(PaintSectionList(list_, true), 0);
  // The plus, in the large bold blue of its header: its vertical bar at the centre.
  const auto glyphAt = [&](int i, std::int32_t top, int dx, int dy) {
    return platform::ToColor(context_.GetPixel(Line(i).x + Line(i).width + 4 + dx, top + (Line(i).height - 9) / 2 + dy));
  };
  EXPECT_EQ(glyphAt(0, list_->top, 4, 2), platform::Rgb(0, 0, 255));
  EXPECT_EQ(glyphAt(0, list_->top, 0, 0), platform::Rgb(0, 0, 255)) << "the box";
  // The page of the article, in black, on its first line only.
  const std::int32_t second = list_->top + 20;
  EXPECT_EQ(glyphAt(1, second, 1, 0), platform::kBlack);
  EXPECT_EQ(glyphAt(2, second + 16, 1, 0), platform::kWhite);
  EXPECT_EQ(list_->linesDrawn, 3);
  ToggleSectionGroup(list_, 0);
  EXPECT_EQ(glyphAt(0, list_->top, 4, 2), platform::kWhite) << "the minus has no bar";
}

TEST_F(SectionListTest, RevealingAnArticleInAClosedGroupShowsItAndTheNextOnly) {
  platform::HeapBlock index = LoadCompressedResource(kIndexNumber);
  ASSERT_EQ(Lay(std::move(index), 300, 300), kListOk);
  const std::uint16_t before = list_->visibleLines;
  RevealArticle(list_, 35);
  std::vector<std::uint16_t> keys = ShownKeys();
  ASSERT_EQ(keys.size(), 32u);
  EXPECT_EQ(keys[29], kGroupKey);
  EXPECT_EQ(keys[30], 0x4023);
  EXPECT_EQ(keys[31], 0x4024);
  EXPECT_GT(list_->visibleLines, before);
  EXPECT_EQ(list_->topLine, 0);
  for (const ListLine* line = list_->lines; line->style; ++line) {
    if (line->key == kGroupKey) {
      EXPECT_FALSE(line->style & kExpandedBit) << "the header still shows the plus";
    }
  }

  // The last article has no entry after it; an article already shown changes nothing.
  RevealArticle(list_, 44);
  EXPECT_EQ(ShownKeys().back(), 0x402C);
  const std::uint16_t now = list_->visibleLines;
  RevealArticle(list_, 3);
  RevealArticle(list_, 0);
  EXPECT_EQ(list_->visibleLines, now);
}

TEST_F(SectionListTest, WhatWasOpenAndShownSurvivesANewLayout) {
  ASSERT_EQ(Lay(Outline().Block()), kListOk);
  ToggleSectionGroup(list_, 1);
  ToggleSectionGroup(list_, 1);
  RevealArticle(list_, 3);
  const std::vector<std::uint16_t> shown = ShownKeys();
  const ExpansionState saved = SaveExpansion(list_);
  ASSERT_TRUE(saved);
  ASSERT_EQ(ResizeSectionList(list_, 150, 60), kListOk);
  EXPECT_EQ(ShownKeys(), (std::vector<std::uint16_t>{0x4001, kGroupKey, 0x4005})) << "a fresh layout";
  EXPECT_EQ(RestoreExpansion(list_, saved.get()), 0);
  EXPECT_EQ(ShownKeys(), shown);
  EXPECT_EQ(list_->maxTop, 5 - 3);
  EXPECT_EQ(RestoreExpansion(list_, nullptr), -1);
}

TEST_F(SectionListTest, RunningOutOfMemoryAnywhereLeavesATerminatedTableOverItsEntries) {
  Entries entries;
  for (std::uint16_t i = 1; i <= 140; ++i) entries.Article(i, 0x81, 1, "a");
  const ListRect rect{0, 0, kWidth, kHeight};
  const std::int64_t live = platform::LiveAllocations();
  bool failedGrowing = false;
  for (int n = 1; n <= 145; ++n) {
    list_ = CreateSectionList(&context_, &rect, font_, 0);
    platform::HeapBlock block = entries.Block();
    platform::FailNthAllocation(n);
    const int result = LayoutSectionList(list_, block, true);
    platform::FailNthAllocation(0);
    if (result == kListOk) {
      EXPECT_EQ(list_->lineCount, 140) << n;
    } else if (!list_->lines) {
      EXPECT_TRUE(block) << "no table was made, so the entries stay the caller's";
    } else {
      ASSERT_EQ(result, kListOutOfMemory) << n;
      EXPECT_EQ(Line(list_->lineCount).style, 0) << n;
      EXPECT_TRUE(list_->entries) << n;
      EXPECT_EQ(PaintSectionList(list_, true), 0) << n;
      failedGrowing = failedGrowing || list_->lineCount == 128;
    }
    DestroySectionList(list_, true);
    list_ = nullptr;
  }
  EXPECT_TRUE(failedGrowing);
  EXPECT_EQ(platform::LiveAllocations(), live);

  ASSERT_EQ(Lay(Outline().Block()), kListOk);
  platform::FailNthAllocation(1);
  EXPECT_FALSE(SaveExpansion(list_));
  platform::FailNthAllocation(1);
  EXPECT_EQ(CreateSectionList(&context_, &rect, font_, 10), nullptr);
  platform::FailNthAllocation(0);
}

}  // namespace
