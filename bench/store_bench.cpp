// Decoding and encoding the whole volume.
//
// Decode: the reader's checking decoder against a plain byte-at-a-time
// decoder without checks and against memcpy of the same output, all in MB/s
// of decoded text. Encode: the optimal and greedy parsers in MB/s of input,
// with the compressed size of the whole volume as a counter.

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "bench/volume_texts.h"
#include "store/uncompress.h"
#include "tools/pack/encoder.h"

namespace {

using namespace quillory;

std::int64_t DecodedBytes(const std::vector<Block>& blocks) {
  std::int64_t total = 0;
  for (const Block& b : blocks) total += b.decodedLength;
  return total;
}

// The coding as plainly as it can be written: no checks of any kind.
void PlainDecode(const std::uint8_t* in, std::uint32_t inLength, std::uint8_t* out, std::uint32_t outLength) {
  const std::uint8_t* inEnd = in + inLength;
  std::uint8_t* const outEnd = out + outLength;
  while (out < outEnd && in < inEnd) {
    const unsigned k = *in++;
    if (k == 0 || (k >= 9 && k <= 0x7F)) {
      *out++ = static_cast<std::uint8_t>(k);
    } else if (k <= 8) {
      for (unsigned i = 0; i < k; ++i) *out++ = *in++;
    } else if (k >= 0xC0) {
      *out++ = ' ';
      *out++ = static_cast<std::uint8_t>(k ^ 0x80);
    } else {
      const unsigned p = (k << 8) | *in++;
      const std::uint8_t* from = out - ((p >> 3) & 0x7FF);
      for (unsigned i = 0; i < (p & 7) + 3; ++i) *out++ = *from++;
    }
  }
}

void BM_DecodeVolume(benchmark::State& state) {
  const auto blocks = VolumeBlocks();
  for (auto _ : state) {
    for (const Block& b : blocks) {
      TextBuffer t = UnCompress({b.stream, b.streamLength, b.decodedLength});
      benchmark::DoNotOptimize(t.data());
    }
  }
  state.SetBytesProcessed(state.iterations() * DecodedBytes(blocks));
}

void BM_PlainDecodeVolume(benchmark::State& state) {
  const auto blocks = VolumeBlocks();
  std::vector<std::uint8_t> out(65536 + 16);
  for (auto _ : state) {
    for (const Block& b : blocks) {
      PlainDecode(b.stream, b.streamLength, out.data(), b.decodedLength);
      benchmark::DoNotOptimize(out.data());
    }
  }
  state.SetBytesProcessed(state.iterations() * DecodedBytes(blocks));
}

void BM_MemcpyVolume(benchmark::State& state) {
  const auto texts = VolumeTexts();
  std::vector<std::uint8_t> out(65536);
  std::int64_t total = 0;
  for (const auto& t : texts) total += static_cast<std::int64_t>(t.size());
  for (auto _ : state) {
    for (const auto& t : texts) {
      std::memcpy(out.data(), t.data(), t.size());
      benchmark::DoNotOptimize(out.data());
    }
  }
  state.SetBytesProcessed(state.iterations() * total);
}

template <std::vector<std::uint8_t> (*Encode)(std::span<const std::uint8_t>)>
void BM_EncodeVolume(benchmark::State& state) {
  const auto texts = VolumeTexts();
  std::int64_t total = 0;
  std::int64_t compressed = 0;
  for (auto _ : state) {
    compressed = 0;
    for (const auto& t : texts) compressed += static_cast<std::int64_t>(Encode(t).size());
  }
  for (const auto& t : texts) total += static_cast<std::int64_t>(t.size());
  state.SetBytesProcessed(state.iterations() * total);
  state.counters["compressed_bytes"] = static_cast<double>(compressed);
  state.counters["decoded_bytes"] = static_cast<double>(total);
}

BENCHMARK(BM_DecodeVolume);
BENCHMARK(BM_PlainDecodeVolume);
BENCHMARK(BM_MemcpyVolume);
BENCHMARK(BM_EncodeVolume<pack::EncodeOptimal>)->Name("BM_EncodeVolume/optimal")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncodeVolume<pack::EncodeGreedy>)->Name("BM_EncodeVolume/greedy")->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
