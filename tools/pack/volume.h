#pragma once
// A whole volume: its 44 articles and its index, compiled from the authoring
// folder and checked as the reader will read them.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "tools/pack/authoring.h"
#include "tools/pack/container.h"

namespace quillory::pack {

constexpr std::uint16_t kFirstArticleId = 1001;
constexpr std::uint16_t kIndexId = 32767;
constexpr int kVolumeArticles = 44;

struct CompiledResource {
  std::uint16_t id = 0;
  std::string source;                // the file it came from
  std::vector<std::uint8_t> decoded;  // the text the reader decodes
  StoredResource stored;
};

// Resource identifiers in order: 1001..1044, then 32767.
std::vector<std::uint16_t> VolumeResourceIds();

// Compiles every file of `folder` (articles/NN.txt and index.txt). Returns the
// resources in identifier order, or nullopt with at least one diagnostic; a
// missing file is named by its resource.
std::optional<std::vector<CompiledResource>> CompileVolume(const std::filesystem::path& folder, Parser parser,
                                                           std::vector<Diagnostic>& diagnostics);

// What is wrong with a decoded article or index as the reader would read it;
// empty when nothing is.
std::vector<std::string> CheckArticleText(std::span<const std::uint8_t> text);
std::vector<std::string> CheckIndexText(std::span<const std::uint8_t> index);

}  // namespace quillory::pack
