#include "tools/pack/encoder.h"

#include <algorithm>
#include <limits>

namespace quillory::pack {
namespace {

// Bytes that stand for themselves as a one-byte code.
bool IsPlainByte(std::uint8_t b) { return b == 0x00 || (b >= 0x09 && b <= 0x7F); }

// A space followed by 0x40-0x7F travels in one code byte.
bool IsSpacePair(std::span<const std::uint8_t> in, std::size_t i) {
  return i + 1 < in.size() && in[i] == 0x20 && in[i + 1] >= 0x40 && in[i + 1] <= 0x7F;
}

struct Match {
  std::uint32_t length = 0;
  std::uint32_t distance = 0;
};

// Finds, for every position, the longest earlier match within the window,
// nearest first among equals. Chains of earlier positions with the same
// three-byte prefix keep the search to real candidates.
class MatchFinder {
 public:
  explicit MatchFinder(std::span<const std::uint8_t> in) : in_(in), previous_(in.size(), kNone) {
    std::vector<std::uint32_t> head(kHashSize, kNone);
    for (std::size_t i = 0; i + kMinMatch <= in.size(); ++i) {
      const std::uint32_t h = Hash(i);
      previous_[i] = head[h];
      head[h] = static_cast<std::uint32_t>(i);
    }
  }

  Match LongestAt(std::size_t i) const {
    Match best;
    if (i + kMinMatch > in_.size()) return best;
    const std::size_t limit = std::min<std::size_t>(kMaxMatch, in_.size() - i);
    for (std::uint32_t j = previous_[i]; j != kNone && i - j <= kMaxDistance; j = previous_[j]) {
      std::uint32_t length = 0;
      while (length < limit && in_[j + length] == in_[i + length]) ++length;
      if (length > best.length) {
        best = {length, static_cast<std::uint32_t>(i - j)};
        if (length == limit) break;
      }
    }
    if (best.length < kMinMatch) best = {};
    return best;
  }

 private:
  static constexpr std::uint32_t kNone = std::numeric_limits<std::uint32_t>::max();
  static constexpr std::uint32_t kHashSize = 1u << 16;

  std::uint32_t Hash(std::size_t i) const {
    const std::uint32_t v = (in_[i] << 16) | (in_[i + 1] << 8) | in_[i + 2];
    return (v * 2654435761u) >> 16;
  }

  std::span<const std::uint8_t> in_;
  std::vector<std::uint32_t> previous_;
};

enum class Step : std::uint8_t { kPlain, kPair, kLiteral, kMatch };

struct Choice {
  Step step = Step::kPlain;
  std::uint8_t length = 0;  // bytes of input the code covers
  std::uint16_t distance = 0;
};

void EmitLiteralRun(std::vector<std::uint8_t>& out, std::span<const std::uint8_t> in, std::size_t i,
                    std::size_t length) {
  out.push_back(static_cast<std::uint8_t>(length));
  out.insert(out.end(), in.begin() + static_cast<std::ptrdiff_t>(i),
             in.begin() + static_cast<std::ptrdiff_t>(i + length));
}

void EmitMatch(std::vector<std::uint8_t>& out, std::uint32_t distance, std::uint32_t length) {
  const std::uint32_t p = 0x8000 | (distance << 3) | (length - kMinMatch);
  out.push_back(static_cast<std::uint8_t>(p >> 8));
  out.push_back(static_cast<std::uint8_t>(p & 0xFF));
}

void Emit(std::vector<std::uint8_t>& out, std::span<const std::uint8_t> in, std::size_t i, const Choice& c) {
  switch (c.step) {
    case Step::kPlain:
      out.push_back(in[i]);
      break;
    case Step::kPair:
      out.push_back(static_cast<std::uint8_t>(in[i + 1] ^ 0x80));
      break;
    case Step::kLiteral:
      EmitLiteralRun(out, in, i, c.length);
      break;
    case Step::kMatch:
      EmitMatch(out, c.distance, c.length);
      break;
  }
}

}  // namespace

// Shortest path over positions, computed from the end: cost[i] is the fewest
// bytes that code in[i..]. Any prefix of the longest match is a match at the
// same distance, so trying every length up to the longest is exhaustive.
std::vector<std::uint8_t> EncodeOptimal(std::span<const std::uint8_t> in) {
  const std::size_t n = in.size();
  const MatchFinder finder(in);
  std::vector<std::uint32_t> cost(n + 1, 0);
  std::vector<Choice> choice(n);
  for (std::size_t i = n; i-- > 0;) {
    std::uint32_t best = std::numeric_limits<std::uint32_t>::max();
    Choice pick;
    auto consider = [&](std::uint32_t c, Choice option) {
      if (c < best) {
        best = c;
        pick = option;
      }
    };
    if (IsPlainByte(in[i])) consider(1 + cost[i + 1], {Step::kPlain, 1, 0});
    if (IsSpacePair(in, i)) consider(1 + cost[i + 2], {Step::kPair, 2, 0});
    const Match m = finder.LongestAt(i);
    for (std::uint32_t len = m.length; len >= kMinMatch; --len) {
      consider(2 + cost[i + len], {Step::kMatch, static_cast<std::uint8_t>(len), static_cast<std::uint16_t>(m.distance)});
    }
    const std::size_t runMax = std::min<std::size_t>(kMaxLiteralRun, n - i);
    for (std::size_t len = 1; len <= runMax; ++len) {
      consider(static_cast<std::uint32_t>(1 + len + cost[i + len]), {Step::kLiteral, static_cast<std::uint8_t>(len), 0});
    }
    cost[i] = best;
    choice[i] = pick;
  }
  std::vector<std::uint8_t> out;
  out.reserve(cost.empty() ? 0 : cost[0]);
  for (std::size_t i = 0; i < n; i += choice[i].length) Emit(out, in, i, choice[i]);
  return out;
}

std::vector<std::uint8_t> EncodeGreedy(std::span<const std::uint8_t> in) {
  const std::size_t n = in.size();
  const MatchFinder finder(in);
  std::vector<std::uint8_t> out;
  std::size_t i = 0;
  while (i < n) {
    const Match m = finder.LongestAt(i);
    Choice c;
    if (m.length >= kMinMatch) {
      c = {Step::kMatch, static_cast<std::uint8_t>(m.length), static_cast<std::uint16_t>(m.distance)};
    } else if (IsSpacePair(in, i)) {
      c = {Step::kPair, 2, 0};
    } else if (IsPlainByte(in[i])) {
      c = {Step::kPlain, 1, 0};
    } else {
      // Gather the bytes that need a literal run, up to its limit.
      std::size_t len = 1;
      while (len < kMaxLiteralRun && i + len < n && !IsPlainByte(in[i + len]) &&
             finder.LongestAt(i + len).length < kMinMatch) {
        ++len;
      }
      c = {Step::kLiteral, static_cast<std::uint8_t>(len), 0};
    }
    Emit(out, in, i, c);
    i += c.length;
  }
  return out;
}

}  // namespace quillory::pack
