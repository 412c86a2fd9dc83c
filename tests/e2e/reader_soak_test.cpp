// The whole volume read again and again in one run of the reader: every
// page of every article, every link followed, a list of patterns searched,
// every article bookmarked and unbookmarked. The platform heap must hold
// exactly the blocks it held after the first pass; the process's heap in
// use and its resident size are printed for the record.
//
// `make test` plays QUILLORY_SOAK_PASSES=2 passes; `make soak` plays many,
// and there the heap in use must not grow from the second pass to the last
// by more than kHeapSlack (caches filled by the first pass are full then).

#include <malloc.h>

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "core/shell_calls.h"
#include "platform/system/memory.h"
#include "tests/e2e/reader_fixture.h"
#include "tests/e2e/reading_steps.h"

namespace quillory_test {
namespace {

constexpr int kDefaultPasses = 2;
constexpr std::size_t kHeapSlack = 64 * 1024;
// No article has this many pages; a view that never reaches its end is a fault.
constexpr int kPageLimit = 2000;

// Typed into the Search dialog: plain words, both wildcards, and a word
// the volume does not hold, after whose "Not Found!" the dialog stays open
// and is cancelled.
struct SearchPattern {
  const char* text;
  bool found;
};
constexpr SearchPattern kPatterns[] = {
    {"\xD7\xA7\xD7\xA8\xD7\x91\xD7\x9F", true},          // a plain word
    {"\xD7\x9B?\xD7\x94\xD7\x9F", true},                  // one letter left open
    {"\xD7\x98\xD7\x95*\xD7\x94", true},                  // any run of letters
    {"\xD7\xA9\xD7\x9E\xD7\x99\xD7\x98\xD7\x94", true},  // a longer word
    {"\xD7\xA5\xD7\xA5\xD7\xA5\xD7\xA5\xD7\xA5", false},  // nowhere in the volume
};

int Passes() {
  const char* text = std::getenv("QUILLORY_SOAK_PASSES");
  const int passes = text != nullptr ? std::atoi(text) : kDefaultPasses;
  return passes >= 2 ? passes : kDefaultPasses;
}

struct MemoryFigures {
  std::int64_t platformBlocks = 0;
  std::size_t heapInUse = 0;  // bytes, as the C library's allocator counts them
  long residentKiB = 0;
};

MemoryFigures Measure() {
  MemoryFigures figures;
  figures.platformBlocks = platform::LiveAllocations();
  figures.heapInUse = mallinfo2().uordblks;
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmRSS:", 0) == 0) figures.residentKiB = std::atol(line.c_str() + 6);
  }
  return figures;
}

std::ostream& operator<<(std::ostream& out, const MemoryFigures& figures) {
  return out << figures.platformBlocks << " platform blocks, " << figures.heapInUse << " bytes of heap in use, "
             << figures.residentKiB << " KiB resident";
}

// Shows `article` from its start, without a back link to where it was.
void Show(std::uint16_t article, std::uint16_t top = 0) {
  quillory::SwitchArticle(quillory::App().mainWindow, article, top, false);
  platform::PumpUntilIdle();
}

// Pages through the article shown; on each page follows each link and
// comes back to the page, counting them in `linksFollowed`. The number of pages.
int ReadArticle(std::uint16_t article, int& linksFollowed) {
  Show(article);
  int pages = 0;
  for (; pages < kPageLimit && ReaderIsShowing(); ++pages) {
    const std::uint16_t top = quillory::App().textView->topPosition;
    for (const LinkOnPage& link : LinksOnPage()) {
      TapView(link.x, link.y);
      EXPECT_EQ(quillory::App().currentArticle, link.article);
      ++linksFollowed;
      Show(article, top);
    }
    PressKey(platform::kVkNext);
    if (!ReaderIsShowing() || quillory::App().textView->topPosition == top) break;
  }
  EXPECT_LT(pages, kPageLimit) << "article " << article << " never reached its end";
  return pages + 1;
}

class ReaderSoakTest : public ReaderTest {};

TEST_F(ReaderSoakTest, ReadingTheWholeVolumeAgainAndAgainKeepsMemoryLevel) {
  // A first, empty run takes the process-wide letter conversion buffer,
  // which then stays for the process's life.
  StoreSettings("");
  Run(nullptr);
  const int passes = Passes();
  std::vector<MemoryFigures> afterPass;
  int pagesRead = 0, linksFollowed = 0;
  Script("");
  Then([] { EXPECT_TRUE(ReaderIsShowing()); });
  for (int pass = 0; pass < passes; ++pass) {
    for (std::uint16_t article = 1; article <= quillory::kArticleCount; ++article) {
      Then([&, article] {
        pagesRead += ReadArticle(article, linksFollowed);
        Show(article);
      });
      // On, then off again (the removal question is answered Yes); the
      // article bookmarked at start goes off and comes back.
      Then("command 123\ncommand 123\n");
    }
    for (const SearchPattern& pattern : kPatterns) {
      Then(std::string("command 116\ntype ") + pattern.text + "\ncommand 1\n" +
           (pattern.found ? "command 117\ncommand 117\n" : "command 2\n"));
    }
    Then([&] {
      EXPECT_EQ(platform::GetForegroundWindow(), quillory::App().mainWindow) << "a dialog was left open";
      Show(1);
      // The test's backend keeps a record of every message box shown; it is
      // not the reader's memory.
      backend_->ClearShownBoxes();
      afterPass.push_back(Measure());
    });
  }
  const MemoryFigures atStart = Measure();
  EXPECT_EQ(Run(nullptr), 0);
  ASSERT_EQ(afterPass.size(), static_cast<std::size_t>(passes)) << "the reader stopped before the end";
  EXPECT_EQ(afterPass.back().platformBlocks, afterPass.front().platformBlocks)
      << "the platform heap holds blocks that the last pass did not give back";
  EXPECT_EQ(platform::LiveAllocations(), atStart.platformBlocks) << "blocks outlived the reader";
  if (passes > kDefaultPasses) {
    EXPECT_LE(afterPass.back().heapInUse, afterPass[1].heapInUse + kHeapSlack) << "the heap grows pass after pass";
  }
  std::cout << "soak: " << passes << " passes, " << pagesRead << " pages read, " << linksFollowed << " links followed\n"
            << "  before the start:   " << atStart << "\n"
            << "  after the 1st pass: " << afterPass.front() << "\n"
            << "  after the last:     " << afterPass.back() << "\n";
  RecordProperty("heap_after_first_pass", static_cast<int>(afterPass.front().heapInUse));
  RecordProperty("heap_after_last_pass", static_cast<int>(afterPass.back().heapInUse));
}

}  // namespace
}  // namespace quillory_test
