// Settings that a damaged file (or a hand) got wrong, as the reader meets
// them at start: each one is read as a sound value, the reader shows what a
// person expects, and the next save stores the sound value.

#include <algorithm>

#include "bookmarks/bookmark_list.h"
#include "core/shell_calls.h"
#include "platform/system/memory.h"
#include "platform/windows/message_box.h"
#include "resources/program_resources.h"
#include "tests/e2e/reader_fixture.h"
#include "tests/support/stored_values.h"

namespace quillory_test {
namespace {

using quillory::App;

// The screen's pixels of the text area's rows from client row `top` on,
// `height` of them.
std::vector<platform::Pixel> Rows(std::int32_t top, std::int32_t height) {
  const platform::Framebuffer& screen = platform::ScreenImage();
  const quillory::TextView& view = *App().textView;
  const platform::Point origin = platform::ClientToScreen(App().mainWindow, platform::Point{view.left, top});
  std::vector<platform::Pixel> rows;
  for (std::int32_t y = origin.y; y < origin.y + height && y < screen.height(); ++y) {
    for (std::int32_t x = origin.x; x < origin.x + view.width && x < screen.width(); ++x) rows.push_back(screen.at(x, y));
  }
  return rows;
}

bool Blank(const std::vector<platform::Pixel>& rows) {
  return std::all_of(rows.begin(), rows.end(), [](platform::Pixel pixel) { return pixel == 0xFFFFFF; });
}

TEST_F(ReaderTest, AGutterOfAnySizeKeepsTheTextInsideTheWindowAndShowsIt) {
  for (const char* gutter : {"fffffffb", "40000000", "7fffffff", "80000000", "00000008"}) {
    SCOPED_TRACE(gutter);
    StoreSettings("\"Lesson\"=dword:00000004\n\"Flags\"=dword:d1140044\n",
                  std::string("\"SurroundingGutter\"=dword:") + gutter + "\n");
    Run([&] {
      const platform::Rect client = platform::GetClientRect(App().mainWindow);
      const quillory::TextView& view = View();
      EXPECT_GE(view.left, 0);
      EXPECT_GE(view.top, App().barHeight) << "below the bar";
      EXPECT_LE(view.left + view.width, client.width());
      EXPECT_LE(view.top + view.height, client.height());
      EXPECT_GT(view.width, 0);
      EXPECT_GT(view.unitsDrawn, 0) << "the article is shown";
      const std::uint16_t top = view.topPosition;
      Tap(view.left + view.width / 2, view.top + view.height - 2);  // a page on
      EXPECT_GT(View().topPosition, top);
    });
  }
}

TEST_F(ReaderTest, AnOwnChoiceOfNoArticleIsThisWeek) {
  for (const char* lesson : {"", "\"Lesson\"=dword:00000000\n"}) {
    StoreSettings(std::string("\"Flags\"=dword:d1140044\n") + lesson);
    std::uint16_t shown = 0;
    Run([&] { shown = App().currentArticle; });
    EXPECT_TRUE(quillory::IsArticleNumber(shown));
    EXPECT_TRUE(boxes_.empty()) << "nothing is reported missing";
    EXPECT_EQ(Stored("Lesson"), shown);
    EXPECT_EQ(Stored("Flags"), 0xD1140040u);
  }
}

TEST_F(ReaderTest, ABackLinkToNoArticleIsNotShownAndOneThatFailsGoes) {
  // A damaged "PreviousLesson": no back link anywhere in the article.
  StoreSettings("\"Lesson\"=dword:00000004\n\"Flags\"=dword:d1140044\n\"PreviousLesson\"=dword:00000063\n");
  Run([&] { EXPECT_EQ(View().flags & quillory::kShowBackLinks, 0); });
  EXPECT_EQ(Stored("PreviousLesson"), 0u);

  // A back link whose article cannot be loaded now (memory runs out):
  // the switch fails, and the link leaves the page.
  StoreSettings("\"Lesson\"=dword:00000004\n\"Flags\"=dword:d1140044\n");
  Run([&] {
    ASSERT_TRUE(FollowFirstLink(20));
    const quillory::LinkHit* back = nullptr;
    for (int page = 0; page < 40 && back == nullptr; ++page) {
      for (const quillory::LinkHit* hit = View().links; hit && hit->line; ++hit) {
        if (hit->line->linkNumber == quillory::kBackLinkNumber) back = hit;
      }
      if (back == nullptr) Key(platform::kVkNext);
    }
    ASSERT_NE(back, nullptr) << "the article followed has a back link";
    const std::int32_t y = back->y;
    const std::int32_t height = back->line->height;
    ASSERT_FALSE(Blank(Rows(y, height)));
    const std::uint16_t shown = App().currentArticle;
    platform::FailNthAllocation(1);  // the decoder's output buffer
    Tap(back->line->x + 2, back->y + 2);
    platform::FailNthAllocation(0);
    EXPECT_EQ(App().currentArticle, shown);
    EXPECT_EQ(App().previousArticle, 0);
    EXPECT_TRUE(Blank(Rows(y, height))) << "the back link is still drawn";
  });
}

TEST_F(ReaderTest, ALetterBaseThatPlacesNoLetterDrawsUnicodeLettersAndIsSavedSo) {
  for (const char* base : {"00000000", "00000005", "ffffffff"}) {
    SCOPED_TRACE(base);
    StoreSettings(std::string("\"Lesson\"=dword:00000004\n\"Flags\"=dword:d1140044\n\"FontAsciiBase\"=dword:") + base +
                  "\n");
    std::uint32_t drawnWith = 0;
    Run([&] { drawnWith = App().font.asciiBase; });
    EXPECT_EQ(drawnWith, 1488u);
    EXPECT_EQ(Stored("FontAsciiBase"), 1488u);
  }
}

TEST_F(ReaderTest, AnArticleThatDoesNotExistCannotBeBookmarked) {
  StoreSettings("\"Lesson\"=dword:0000002d\n\"Flags\"=dword:d1140044\n");
  bool checked = true;
  Run([&] {
    Command(quillory::kBookmarkCommand);
    checked = quillory::IsBookmarked(App().currentArticle);
  });
  EXPECT_FALSE(checked);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, "Resource not found");
  const auto stored = quillory::testing::StoredSetting("Bookmarks");
  ASSERT_TRUE(stored);
  EXPECT_EQ(std::vector<std::uint8_t>(stored->data.begin(), stored->data.end()), (std::vector<std::uint8_t>{0, 0}));
}

}  // namespace
}  // namespace quillory_test
