// Opening the index: what the Choose Section dialog does before it is
// shown, in David CLM at the default size, 208 pixels wide: the stored
// index decoded, the bookmarks group (three bookmarks) put in front, the
// list laid out, the current article revealed and the first page painted.
// Then the list's share alone (layout and paint of the joined entries), and
// opening and closing the group, each with its repaint.

#include <benchmark/benchmark.h>

#include "core/app_state.h"
#include "index/index_entries.h"
#include "index/section_list.h"
#include "platform/graphics/font_catalog.h"
#include "resources/volume_resources.h"
#include "store/uncompress.h"

namespace {

using namespace quillory;

constexpr char kFontFile[] = "/usr/share/fonts/truetype/culmus/DavidCLM-Medium.otf";
constexpr ListRect kListRect{0, 0, 208, 294};

std::unique_ptr<platform::Font> CulmusFont(const platform::FontRequest& request) {
  return platform::Font::Open(platform::FontFile{kFontFile, 0, false}, request);
}

class IndexSetup {
 public:
  IndexSetup() {
    ResetAppState();
    App().module = &module_;
    App().font.asciiBase = kBaseUnicode;
    App().bookmarks = bookmarks_;
    App().bookmarkCount = 3;
    previous_ = platform::SetFontFactory(CulmusFont);
  }
  ~IndexSetup() {
    platform::SetFontFactory(previous_);
    ResetAppState();
  }
  IndexSetup(const IndexSetup&) = delete;
  IndexSetup& operator=(const IndexSetup&) = delete;

  SectionList* NewList() { return CreateSectionList(&context_, &kListRect, FontDescription{}, 100); }

 private:
  const platform::Module module_{VolumeResources()};
  std::uint16_t bookmarks_[4] = {17, 3, 40, 0};
  platform::Framebuffer pixels_{240, 320};
  platform::DeviceContext context_{&pixels_};
  platform::FontFactory previous_ = nullptr;
};

void BM_OpenIndex(benchmark::State& state) {
  IndexSetup setup;
  for (auto _ : state) {
    SectionList* list = setup.NewList();
    platform::HeapBlock entries = AddBookmarkSection(LoadCompressedResource(kIndexNumber));
    LayoutSectionList(list, entries, false);
    RevealArticle(list, 35);
    PaintSectionList(list, true);
    benchmark::DoNotOptimize(list->linesDrawn);
    DestroySectionList(list, true);
  }
}
BENCHMARK(BM_OpenIndex)->Unit(benchmark::kMicrosecond);

void BM_LayoutAndPaintIndex(benchmark::State& state) {
  IndexSetup setup;
  SectionList* list = setup.NewList();
  const platform::HeapBlock entries = AddBookmarkSection(LoadCompressedResource(kIndexNumber));
  for (auto _ : state) {
    platform::HeapBlock copy = platform::HeapBlock::Allocate(entries.length());
    std::copy_n(entries.data(), entries.length(), copy.data());
    LayoutSectionList(list, copy, true);
    PaintSectionList(list, true);
  }
  state.counters["lines"] = list->lineCount;
  DestroySectionList(list, true);
}
BENCHMARK(BM_LayoutAndPaintIndex)->Unit(benchmark::kMicrosecond);

void BM_ToggleGroup(benchmark::State& state) {
  IndexSetup setup;
  SectionList* list = setup.NewList();
  platform::HeapBlock entries = LoadCompressedResource(kIndexNumber);
  LayoutSectionList(list, entries, false);
  std::uint16_t header = 0;
  while (!(list->lines[header].key & kGroupHeaderBit)) ++header;
  for (auto _ : state) ToggleSectionGroup(list, header);
  DestroySectionList(list, true);
}
BENCHMARK(BM_ToggleGroup)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
