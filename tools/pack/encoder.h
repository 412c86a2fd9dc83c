#pragma once
// The encoder of the text coding that the reader's decoder reads (see
// store/uncompress.h for the code bytes). Two parsers share the match finder:
// the optimal one gives the shortest block for the whole input; the greedy
// one takes the longest match at each step and is kept for comparison.

#include <cstdint>
#include <span>
#include <vector>

namespace quillory::pack {

constexpr std::uint32_t kMaxDistance = 2047;
constexpr std::uint32_t kMinMatch = 3;
constexpr std::uint32_t kMaxMatch = 10;
constexpr std::uint32_t kMaxLiteralRun = 8;

std::vector<std::uint8_t> EncodeOptimal(std::span<const std::uint8_t> input);
std::vector<std::uint8_t> EncodeGreedy(std::span<const std::uint8_t> input);

}  // namespace quillory::pack
