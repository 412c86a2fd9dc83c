// Whole articles of the volume in the David CLM faces, named by file: every
// byte of every paragraph lands on exactly one line, and two pages match
// their checked-in images.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/app_state.h"
#include "platform/graphics/font_catalog.h"
#include "platform/system/memory.h"
#include "resources/volume_resources.h"
#include "store/uncompress.h"
#include "tests/platform/png_reader.h"
#include "tools/pack/records.h"
#include "view/article_format.h"
#include "view/letter_code.h"
#include "view/style_fonts.h"
#include "view/text_lines.h"
#include "view/text_paint.h"
#include "view/text_scroll.h"
#include "view/text_view.h"

namespace {

using namespace quillory;

constexpr char kDavidBold[] = "/usr/share/fonts/truetype/culmus/DavidCLM-Bold.otf";
constexpr char kDavidMedium[] = "/usr/share/fonts/truetype/culmus/DavidCLM-Medium.otf";

std::unique_ptr<platform::Font> DavidFont(const platform::FontRequest& request) {
  return platform::Font::Open(platform::FontFile{request.weight >= 600 ? kDavidBold : kDavidMedium, 0, false},
                              request);
}

class ArticlePages : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetAppState();
    App().module = &module_;
    App().font.asciiBase = kBaseUnicode;
    previous_ = platform::SetFontFactory(DavidFont);
  }
  void TearDown() override {
    if (view_) DestroyTextView(view_, true);
    platform::SetFontFactory(previous_);
    ResetAppState();
  }
  // Lays out article `number` in a 240 × 294 page with a 4-pixel margin.
  TextView* Open(int number) {
    if (view_) DestroyTextView(view_, true);
    const ViewRect rect{4, 0, 236, 294};
    view_ = CreateTextView(&context_, &rect, FontDescription{}, 100);
    EXPECT_EQ(LayoutText(view_, LoadCompressedResource(number), false), kLayoutOk) << "article " << number;
    return view_;
  }

  const platform::Module module_{VolumeResources()};
  platform::Framebuffer pixels_{240, 294};
  platform::DeviceContext context_{&pixels_};
  TextView* view_ = nullptr;
  platform::FontFactory previous_ = nullptr;
};

TEST_F(ArticlePages, EveryByteOfEveryParagraphIsOnExactlyOneLine) {
  for (int number = 1; number <= kArticleCount; ++number) {
    TextView* view = Open(number);
    const std::uint8_t* text = view->text.data();
    std::vector<int> covered(view->text.length(), 0);
    int units = 0;
    for (const LineRecord* line = view->lines; line->style != 0; ++line) {
      units += LineUnits(*line);
      if (line->count == 0) continue;
      EXPECT_LE(line->x + line->width, 236) << "article " << number;
      EXPECT_GE(line->x, 4) << "article " << number;
      const LineParts parts = SplitLine(*view, *line);
      for (std::size_t i = 0; i < line->count; ++i) ++covered[parts.bodyAt + i];
      for (std::size_t i = 0; i < parts.labelLength; ++i) ++covered[parts.labelAt + i];
    }
    EXPECT_EQ(units, view->totalUnits) << "article " << number;

    std::string error;
    const auto records = pack::ReadArticleRecords(std::span(text, view->text.length()), error);
    ASSERT_TRUE(records) << error;
    for (const pack::Record& record : *records) {
      if (record.kind != pack::RecordKind::kText && record.kind != pack::RecordKind::kLink) continue;
      if (record.kind == pack::RecordKind::kLink && record.linkNumber == kBackLinkNumber) continue;
      const auto at = static_cast<std::size_t>(reinterpret_cast<const std::uint8_t*>(record.text.data()) - text);
      for (std::size_t i = 0; i < record.text.size(); ++i) {
        if (record.text[i] == ' ') {
          EXPECT_LE(covered[at + i], 1) << "article " << number << " offset " << at + i;
        } else {
          ASSERT_EQ(covered[at + i], 1) << "article " << number << " offset " << at + i;
        }
      }
    }
  }
}

TEST_F(ArticlePages, PagingDownReachesTheEndOfEveryArticle) {
  for (int number = 1; number <= kArticleCount; ++number) {
    TextView* view = Open(number);
    view->flags |= kShowBackLinks;  // hidden, the back link's units would not be drawn
    int pages = 0;
    do {
      ASSERT_GE(PaintTextView(view, true), 0);
      ASSERT_GT(view->unitsDrawn, 0) << "article " << number << " page " << pages;
      ++pages;
    } while (ScrollTextView(view, std::max(1, view->unitsDrawn - 1), 0, true) == kMovedNotPainted);
    // The last page may start beyond the maximum top position, but it shows
    // everything to the article's end (a blank unit it starts on is not
    // counted as drawn).
    EXPECT_GE(view->topPosition, view->maxTop) << "article " << number;
    EXPECT_GE(view->topPosition + view->unitsDrawn + 1, view->totalUnits) << "article " << number;
  }
}

// The columns of `strip` that hold anything but white: first and past the last.
std::pair<std::int32_t, std::int32_t> InkColumns(const platform::Framebuffer& strip) {
  std::int32_t left = strip.width();
  std::int32_t right = 0;
  for (std::int32_t y = 0; y < strip.height(); ++y) {
    for (std::int32_t x = 0; x < strip.width(); ++x) {
      if (strip.at(x, y) == 0x00FFFFFF) continue;
      left = std::min(left, x);
      right = std::max(right, x + 1);
    }
  }
  return {left, right};
}

TEST_F(ArticlePages, AtADenseScaleEveryLineIsDrawnWithinOnePixelOfItsMeasuredWidth) {
  // Each line's body drawn alone at the screen's resolution, into a strip
  // as wide as the page; at 2 and at 1.25, where edges round.
  for (const int quarters : {8, 5}) {
    const platform::DeviceScale scale = platform::DeviceScale::FromQuarters(quarters);
    platform::Framebuffer strip(platform::Size{240, 64}, scale);
    platform::DeviceContext context(&strip);
    for (int number = 1; number <= kArticleCount; ++number) {
      TextView* view = Open(number);
      for (const LineRecord* line = view->lines; line->style != 0; ++line) {
        if (line->count == 0 || IsSpecialStyle(line->style)) continue;
        strip.Fill(strip.bounds(), 0x00FFFFFF);
        platform::Font* previous = SelectStyleFont(view->fontCache, view->font, context, line->style & kStyleKeyMask);
        const LineParts parts = SplitLine(*view, *line);
        SetRunBase(parts.hebrew ? kLiveFontBase : kNoMappingBase);
        DrawRun(context, view->text.data() + parts.bodyAt, line->count, line->x, 0, line->width, line->height);
        SetRunBase(kNoMappingBase);
        context.SelectFont(previous);
        const auto [left, right] = InkColumns(strip);
        if (right == 0) continue;  // spaces only
        const std::string where = "scale " + std::to_string(quarters) + "/4, article " + std::to_string(number) +
                                  ", offset " + std::to_string(line->textOffset);
        ASSERT_GE(left, scale.ToDevice(line->x - 1)) << where;
        ASSERT_LE(right, scale.ToDevice(line->x + line->width + 1)) << where;
      }
    }
  }
}

TEST_F(ArticlePages, LayoutAllocatesPerParagraphNotPerLine) {
  TextView* view = Open(4);
  std::string error;
  const auto records = pack::ReadArticleRecords(std::span(view->text.data(), view->text.length()), error);
  ASSERT_TRUE(records);
  const std::uint64_t before = platform::AllocationCount();
  ASSERT_EQ(RelayoutText(view), kLayoutOk);
  const std::uint64_t made = platform::AllocationCount() - before;
  // A reversed copy per Hebrew paragraph and the link table; the line table
  // is already large enough.
  EXPECT_LE(made, records->size() + 1);
  EXPECT_GT(view->lineCount, records->size()) << "more lines than paragraphs, so a per-line cost would show";
}

TEST_F(ArticlePages, TheFirstPageOfAnArticleMatchesItsImage) {
  TextView* view = Open(4);
  PaintTextView(view, true);
  quillory_test::ExpectMatchesGolden(pixels_, "article04_page1.png");
}

TEST_F(ArticlePages, APageWithALinkBoxAndARuleMatchesItsImage) {
  TextView* view = Open(4);
  view->topPosition = 30;
  PaintTextView(view, true);
  quillory_test::ExpectMatchesGolden(pixels_, "article04_link_rule.png");
}

}  // namespace
