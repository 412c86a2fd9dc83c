#pragma once
// The text coding stated as plainly as possible, one byte at a time with every
// check, to judge the reader's decoder and the encoder against.

#include <cstdint>
#include <optional>
#include <vector>

namespace quillory::testing {

struct ReferenceResult {
  std::vector<std::uint8_t> text;
  std::size_t consumed = 0;  // stream bytes read when the output filled
};

inline std::optional<ReferenceResult> ReferenceDecode(const std::vector<std::uint8_t>& in, std::size_t outputLength) {
  ReferenceResult r;
  auto& out = r.text;
  std::size_t i = 0;
  auto full = [&] { return out.size() == outputLength; };
  while (!full() && i < in.size()) {
    const std::uint8_t k = in[i++];
    if (k == 0 || (k >= 9 && k <= 0x7F)) {
      out.push_back(k);
    } else if (k <= 8) {
      for (int n = 0; n < k && !full(); ++n) {
        if (i >= in.size()) return std::nullopt;
        out.push_back(in[i++]);
      }
    } else if (k >= 0xC0) {
      out.push_back(' ');
      if (!full()) out.push_back(k ^ 0x80);
    } else {
      if (i >= in.size()) return std::nullopt;
      const unsigned p = (k << 8) | in[i++];
      const std::size_t distance = (p >> 3) & 0x7FF;
      if (distance == 0 || distance > out.size()) return std::nullopt;
      for (unsigned n = 0; n < (p & 7) + 3 && !full(); ++n) out.push_back(out[out.size() - distance]);
    }
  }
  if (!full()) return std::nullopt;
  r.consumed = i;
  return r;
}

}  // namespace quillory::testing
