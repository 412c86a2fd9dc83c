// Arbitrary authoring sources: compiling never crashes, and whatever compiles
// without a diagnostic is a well-formed article or index.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "tools/pack/authoring.h"
#include "tools/pack/records.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quillory::pack;
  const std::string_view source(reinterpret_cast<const char*>(data), size);
  std::string error;

  std::vector<Diagnostic> diagnostics;
  const auto article = CompileArticleSource("fuzz.txt", source, diagnostics);
  if (diagnostics.empty() && !ReadArticleRecords(article, error)) std::abort();

  diagnostics.clear();
  const auto index = CompileIndexSource("index.txt", source, diagnostics);
  if (diagnostics.empty() && !ReadIndexEntries(index, error)) std::abort();
  return 0;
}
