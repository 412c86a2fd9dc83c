// Arbitrary stored "Bookmarks" bytes: the list taken from them holds only
// articles, each once, and a sound value comes back as it was stored.

#include <algorithm>
#include <cstdint>
#include <span>

#include "bookmarks/bookmark_list.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::uint16_t> numbers = quillory::StoredBookmarkNumbers(std::span(data, size));
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    if (numbers[i] < 1 || numbers[i] > 44) __builtin_trap();
    if (std::find(numbers.begin() + static_cast<std::ptrdiff_t>(i) + 1, numbers.end(), numbers[i]) != numbers.end()) {
      __builtin_trap();
    }
  }
  if (numbers.size() * 2 > size) __builtin_trap();
  return 0;
}
