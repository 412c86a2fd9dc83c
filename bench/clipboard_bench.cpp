// The clipboard export of every article of the volume: the plain export
// text, and the rich-text body made from it, with the bytes each makes.

#include <benchmark/benchmark.h>

#include <span>
#include <string>

#include "bench/volume_texts.h"
#include "clipboard/plain_text.h"
#include "clipboard/rtf_body.h"
#include "core/app_state.h"

namespace {

using namespace quillory;

std::u16string PlainTextOf(std::span<const std::uint8_t> text) {
  std::u16string plain(PlainTextCapacity(text), u'\0');
  ArticleToPlainText(text, plain.data(), plain.size() * 2);
  plain.resize(plain.find(u'\0'));
  return plain;
}

void BM_ArticleToPlainText(benchmark::State& state) {
  App().font.asciiBase = 1488;
  const auto texts = VolumeTexts(true);
  std::size_t bytes = 0;
  for (auto _ : state) {
    for (const auto& text : texts) {
      const std::u16string plain = PlainTextOf(text);
      bytes += plain.size() * 2;
      benchmark::DoNotOptimize(plain.data());
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_ArticleToPlainText);

void BM_EncodeRtfBody(benchmark::State& state) {
  App().font.asciiBase = 1488;
  std::vector<std::u16string> plains;
  for (const auto& text : VolumeTexts(true)) plains.push_back(PlainTextOf(text));
  std::string body;
  std::size_t bytes = 0;
  std::size_t largest = 0;
  for (auto _ : state) {
    for (const std::u16string& plain : plains) {
      body.resize(EncodeRtfBody(plain, nullptr) + 1);
      const std::size_t length = EncodeRtfBody(plain, body.data());
      bytes += length;
      largest = std::max(largest, length);
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
  state.counters["largest_body_bytes"] = static_cast<double>(largest);
}
BENCHMARK(BM_EncodeRtfBody);

}  // namespace

BENCHMARK_MAIN();
