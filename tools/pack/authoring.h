#pragma once
// The authoring sources of a volume (format in volume/README.md): one line
// per record of an article, one line per entry of the index. Compiling a
// source gives the decoded bytes the reader stores; every refusal names the
// file, the line and the reason.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quillory::pack {

struct Diagnostic {
  std::string file;
  std::size_t line = 0;  // 0 when the message concerns the whole file
  std::string message;

  std::string ToString() const;
};

// Both return the stored bytes; they are complete only when no diagnostic
// was added.
std::vector<std::uint8_t> CompileArticleSource(std::string_view file, std::string_view source,
                                               std::vector<Diagnostic>& diagnostics);
std::vector<std::uint8_t> CompileIndexSource(std::string_view file, std::string_view source,
                                             std::vector<Diagnostic>& diagnostics);

}  // namespace quillory::pack
