// Arbitrary decoded texts: reading records and index entries and printing
// them stays inside the bytes given.

#include <cstdint>
#include <span>
#include <sstream>

#include "tools/pack/dump.h"
#include "tools/pack/volume.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quillory::pack;
  const std::span<const std::uint8_t> bytes(data, size);
  std::ostringstream out;
  DumpArticle(bytes, out);
  DumpIndex(bytes, out);
  CheckArticleText(bytes);
  CheckIndexText(bytes);
  return 0;
}
