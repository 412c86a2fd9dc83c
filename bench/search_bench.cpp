// Search Again through the whole volume for a pattern that occurs nowhere:
// from the start of article 1, every other article decoded and scanned, and
// article 1 again from its start, ending at "Not Found!" (answered by the
// headless backend). Once for a plain pattern whose last byte is vav, the
// commonest letter, and once for a pattern with two stars whose innermost
// part is a byte the volume never uses, so that every string is walked to
// its first byte at each level. Bytes per second count the decoded volume
// once per search, though article 1 is scanned twice.
//
// The same patterns are also run through the matcher alone over texts
// decoded beforehand, to show what the scan costs apart from the decoding.

#include <benchmark/benchmark.h>

#include <cstring>
#include <string_view>
#include <vector>

#include "bench/volume_texts.h"
#include "core/app_state.h"
#include "platform/backends/headless/headless_backend.h"
#include "platform/graphics/font_catalog.h"
#include "resources/volume_resources.h"
#include "search/find_next.h"
#include "search/match_pattern.h"
#include "store/uncompress.h"
#include "view/text_view.h"

namespace {

using namespace quillory;

// Final tsadi before yod and vav: never inside a word.
constexpr std::string_view kPlainPattern = "\x76\x6A\x66";
// '|' appears nowhere in the volume; vav, yod and he are everywhere.
constexpr std::string_view kTwoStarPattern = "|*\x6A\x66*\x65";

std::span<const std::uint8_t> Bytes(std::string_view s) {
  return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

std::int64_t VolumeBytes(const std::vector<std::vector<std::uint8_t>>& texts) {
  std::int64_t total = 0;
  for (const auto& t : texts) total += static_cast<std::int64_t>(t.size());
  return total;
}

// False when the pattern occurs somewhere after all.
bool NowhereIn(const std::vector<std::vector<std::uint8_t>>& texts, std::string_view pattern) {
  for (const auto& t : texts) {
    if (MatchInText(t, 0, Bytes(pattern)).highest != 0) return false;
  }
  return true;
}

std::unique_ptr<platform::Font> FixedFont(const platform::FontRequest& request) {
  return platform::Font::Fixed(request.height > 0 ? request.height : 16, 7);
}

void BM_SearchAgainThroughVolume(benchmark::State& state, std::string_view pattern) {
  const auto texts = VolumeTexts(true);
  if (!NowhereIn(texts, pattern)) {
    state.SkipWithError("the pattern occurs in the volume");
    return;
  }
  ResetAppState();
  const platform::Module module{VolumeResources()};
  App().module = &module;
  App().font.asciiBase = kBaseUnicode;
  const platform::FontFactory previousFactory = platform::SetFontFactory(FixedFont);
  platform::ScopedHeadlessBackend backend;
  platform::Framebuffer pixels(240, 294);
  platform::DeviceContext context(&pixels);
  const ViewRect rect{4, 0, 236, 294};
  TextView* view = CreateTextView(&context, &rect, FontDescription{}, 100);
  LayoutText(view, LoadCompressedResource(1), true);
  App().textView = view;
  App().currentArticle = 1;
  std::memcpy(App().searchPattern.data(), pattern.data(), pattern.size());

  for (auto _ : state) {
    view->topPosition = 0;
    benchmark::DoNotOptimize(FindNext(nullptr));
    backend->ClearShownBoxes();
  }
  state.SetBytesProcessed(state.iterations() * VolumeBytes(texts));
  DestroyTextView(view, true);
  platform::SetFontFactory(previousFactory);
  ResetAppState();
}

void BM_MatchDecodedVolume(benchmark::State& state, std::string_view pattern) {
  const auto texts = VolumeTexts(true);
  if (!NowhereIn(texts, pattern)) {
    state.SkipWithError("the pattern occurs in the volume");
    return;
  }
  for (auto _ : state) {
    for (const auto& t : texts) benchmark::DoNotOptimize(MatchInText(t, 0, Bytes(pattern)));
  }
  state.SetBytesProcessed(state.iterations() * VolumeBytes(texts));
}

BENCHMARK_CAPTURE(BM_SearchAgainThroughVolume, plain, kPlainPattern)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_SearchAgainThroughVolume, two_stars, kTwoStarPattern)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_MatchDecodedVolume, plain, kPlainPattern)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_MatchDecodedVolume, two_stars, kTwoStarPattern)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
