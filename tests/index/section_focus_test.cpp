// The section list's focus mark, which the keys move in the Choose Section
// dialog: lines of 16 pixels in a list 100 high, so six lines to a page.

#include <gtest/gtest.h>

#include <string>

#include "core/app_state.h"
#include "index/index_entries.h"
#include "index/section_list.h"
#include "platform/graphics/font_catalog.h"
#include "tests/index/entry_builder.h"
#include "tests/view/view_fixture.h"

namespace {

using namespace quillory;
using quillory_test::Entries;

constexpr std::uint16_t kGroupKey = 0xBFE1;

class SectionFocusTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetAppState();
    App().font.asciiBase = kBaseUnicode;
    previousFactory_ = platform::SetFontFactory(quillory_test::FixedFont);
    font_.height = 16;
  }
  void TearDown() override {
    DestroySectionList(list_, true);
    platform::SetFontFactory(previousFactory_);
    ResetAppState();
  }

  // Articles 1 to 7, a closed group of 20 to 22, and article 8 whose title
  // wraps onto two lines at a width of 100: ten lines shown.
  void Lay(std::int32_t width = 100) {
    Entries entries;
    for (std::uint16_t article = 1; article <= 7; ++article) entries.Article(article, 0x81, 1, "aaa");
    entries.Entry(kGroupKey, 0x81, 1, "grp");
    for (std::uint16_t article = 20; article <= 22; ++article) entries.Article(article, 0x01, 2, "ccc");
    entries.Article(8, 0x81, 1, "bbbbb ddddd");
    LayFrom(entries, width);
  }
  void LayFrom(const Entries& entries, std::int32_t width = 100) {
    const ListRect rect{0, 0, width, 100};
    list_ = CreateSectionList(&context_, &rect, font_, 100);
    platform::HeapBlock block = entries.Block();
    ASSERT_EQ(LayoutSectionList(list_, block, false), kListOk);
  }

  // The focused entry's key, or 0.
  std::uint16_t FocusKey() const {
    const auto focus = FocusedEntry(list_);
    return focus ? list_->lines[focus->firstLine].key : 0;
  }
  static std::uint16_t Article(std::uint16_t number) { return static_cast<std::uint16_t>(0x4000 | number); }

  platform::Framebuffer pixels_{200, 200};
  platform::DeviceContext context_{&pixels_};
  FontDescription font_;
  SectionList* list_ = nullptr;
  platform::FontFactory previousFactory_ = nullptr;
};

TEST_F(SectionFocusTest, TheArticleIsMarkedAndScrolledIntoViewWholeWrappedTitleIncluded) {
  Lay();
  ASSERT_EQ(list_->visibleLines, 10);
  FocusArticle(list_, 3);
  EXPECT_EQ(FocusKey(), Article(3));
  EXPECT_EQ(list_->topLine, 0) << "in view already";
  FocusArticle(list_, 8);
  EXPECT_EQ(FocusKey(), Article(8));
  const auto focus = FocusedEntry(list_);
  ASSERT_TRUE(focus);
  EXPECT_EQ(focus->endLine - focus->firstLine, 2u) << "both lines of the wrapped title";
  EXPECT_EQ(list_->topLine, 4) << "its second line on the page's last row";
  FocusArticle(list_, 21);
  EXPECT_EQ(FocusKey(), Article(1)) << "hidden in a closed group: the first entry shown instead";
}

TEST_F(SectionFocusTest, UpDownHomeAndEndStopAtTheEndsAndScrollAsNeeded) {
  Lay();
  FocusArticle(list_, 1);
  EXPECT_FALSE(MoveSectionFocus(list_, -1)) << "nothing above the first";
  for (int i = 0; i < 6; ++i) EXPECT_TRUE(MoveSectionFocus(list_, 1));
  EXPECT_EQ(FocusKey(), Article(7));
  EXPECT_EQ(list_->topLine, 1) << "the seventh line needs the list one line down";
  EXPECT_TRUE(MoveSectionFocus(list_, 1));
  EXPECT_EQ(FocusKey(), kGroupKey) << "the closed group's children are passed over";
  EXPECT_TRUE(MoveSectionFocus(list_, 1));
  EXPECT_EQ(FocusKey(), Article(8));
  EXPECT_FALSE(MoveSectionFocus(list_, 1));
  EXPECT_TRUE(FocusEndOfList(list_, false));
  EXPECT_EQ(FocusKey(), Article(1));
  EXPECT_EQ(list_->topLine, 0);
  EXPECT_TRUE(FocusEndOfList(list_, true));
  EXPECT_EQ(FocusKey(), Article(8));
  EXPECT_EQ(list_->topLine, 4);
}

TEST_F(SectionFocusTest, PageDownAndUpMoveTheListAndTheMarkByAPageLessOne) {
  Lay();
  FocusArticle(list_, 1);
  EXPECT_TRUE(PageSectionFocus(list_, 1));
  EXPECT_EQ(list_->topLine, 4) << "five lines, held at the last page";
  EXPECT_EQ(FocusKey(), Article(6)) << "five entries on";
  EXPECT_TRUE(PageSectionFocus(list_, 1));
  EXPECT_EQ(FocusKey(), Article(8)) << "to the last entry, whose title wraps";
  EXPECT_FALSE(PageSectionFocus(list_, 1));
  EXPECT_TRUE(PageSectionFocus(list_, -1));
  EXPECT_EQ(list_->topLine, 0);
  EXPECT_TRUE(PageSectionFocus(list_, -1));
  EXPECT_EQ(FocusKey(), Article(1));
}

TEST_F(SectionFocusTest, EnterOpensAnArticleOrOpensAndClosesAGroupAndAClosedGroupTakesTheMarkUp) {
  Lay(200);
  FocusArticle(list_, 4);
  EXPECT_EQ(ActivateSectionFocus(list_), 4);
  MoveSectionFocus(list_, 4);
  ASSERT_EQ(FocusKey(), kGroupKey);
  EXPECT_EQ(ActivateSectionFocus(list_), -(kGroupKey & kArticleNumberMask));
  EXPECT_EQ(list_->visibleLines, 12) << "the three articles of the group shown";
  EXPECT_EQ(FocusKey(), kGroupKey) << "the mark stays on the header";
  MoveSectionFocus(list_, 2);
  EXPECT_EQ(FocusKey(), Article(21));
  EXPECT_EQ(ActivateSectionFocus(list_), 21);
  FocusEndOfList(list_, true);
  ASSERT_EQ(list_->topLine, 6);
  MoveSectionFocus(list_, -4);
  ASSERT_EQ(FocusKey(), kGroupKey);
  EXPECT_EQ(ActivateSectionFocus(list_), -(kGroupKey & kArticleNumberMask));
  EXPECT_EQ(list_->visibleLines, 9) << "closed again";
  EXPECT_EQ(list_->topLine, list_->maxTop) << "no page below the end";

  // A tap closes the group under the mark: the mark goes up to its header.
  ActivateSectionFocus(list_);
  MoveSectionFocus(list_, 3);
  ASSERT_EQ(FocusKey(), Article(22));
  std::uint16_t header = 0;
  while (list_->lines[header].key != kGroupKey) ++header;
  ToggleSectionGroup(list_, header);
  KeepFocusShown(list_);
  EXPECT_EQ(FocusKey(), kGroupKey);
}

TEST_F(SectionFocusTest, TheMarkKeepsItsEntryThroughANewLayoutAndTellsAnArticleTwiceListedApart) {
  Lay();
  FocusArticle(list_, 8);
  ASSERT_EQ(ResizeSectionList(list_, 200, 100), kListOk);
  ASSERT_EQ(FocusKey(), Article(8));
  EXPECT_EQ(FocusedEntry(list_)->endLine - FocusedEntry(list_)->firstLine, 1u) << "one line at the new width";
  DestroySectionList(list_, true);

  // A bookmarked article heads the list and stands in the index right after it.
  LayFrom(Entries()
              .Entry(0x8877, 0xC1, 1, "jiyu")
              .Article(1, 0x81, 2, "aaa")
              .Article(1, 0x8C, 1, "aaa")
              .Article(2, 0x8C, 1, "bbb"));
  FocusArticle(list_, 1);
  EXPECT_EQ(FocusedEntry(list_)->firstLine, 1u) << "the bookmark, as RevealArticle finds it";
  EXPECT_TRUE(MoveSectionFocus(list_, 1));
  EXPECT_EQ(FocusedEntry(list_)->firstLine, 2u) << "the same article in the index is the next entry";
}

TEST_F(SectionFocusTest, TheMarkIsDrawnRoundItsEntryOnly) {
  Lay(200);
  FocusArticle(list_, 2);
  ASSERT_EQ(PaintSectionList(list_, true), 0);
  const ListLine& marked = list_->lines[1];
  const ListLine& other = list_->lines[2];
  EXPECT_EQ(context_.GetPixel(marked.x - 2, 16), platform::ToPixel(platform::kBlack)) << "the frame's corner";
  EXPECT_EQ(context_.GetPixel(marked.x - 2, 17), platform::ToPixel(platform::kWhite)) << "dotted";
  EXPECT_EQ(context_.GetPixel(marked.x - 2, 31), platform::ToPixel(platform::kBlack)) << "the bottom corner";
  EXPECT_EQ(context_.GetPixel(other.x - 2, 34), platform::ToPixel(platform::kWhite)) << "no frame round the next";
}

}  // namespace
