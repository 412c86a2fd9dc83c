#include "tools/pack/volume.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "tools/pack/records.h"

namespace quillory::pack {
namespace {

std::optional<std::string> ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

std::filesystem::path SourceOf(const std::filesystem::path& folder, std::uint16_t id) {
  if (id == kIndexId) return folder / "index.txt";
  char name[16];
  std::snprintf(name, sizeof name, "%02d.txt", id - 1000);
  return folder / "articles" / name;
}

std::string Hex(unsigned value, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%0*X", digits, value);
  return text;
}

}  // namespace

std::vector<std::uint16_t> VolumeResourceIds() {
  std::vector<std::uint16_t> ids;
  for (int n = 1; n <= kVolumeArticles; ++n) ids.push_back(static_cast<std::uint16_t>(1000 + n));
  ids.push_back(kIndexId);
  return ids;
}

std::optional<std::vector<CompiledResource>> CompileVolume(const std::filesystem::path& folder, Parser parser,
                                                           std::vector<Diagnostic>& diagnostics) {
  const std::size_t before = diagnostics.size();
  std::vector<CompiledResource> resources;
  for (std::uint16_t id : VolumeResourceIds()) {
    const std::filesystem::path path = SourceOf(folder, id);
    const auto source = ReadFile(path);
    if (!source) {
      diagnostics.push_back({path.string(), 0, "missing: the volume needs resource " + std::to_string(id)});
      continue;
    }
    const std::size_t fileStart = diagnostics.size();
    CompiledResource resource;
    resource.id = id;
    resource.source = path.string();
    resource.decoded = id == kIndexId ? CompileIndexSource(resource.source, *source, diagnostics)
                                      : CompileArticleSource(resource.source, *source, diagnostics);
    if (diagnostics.size() != fileStart) continue;
    const auto problems = id == kIndexId ? CheckIndexText(resource.decoded) : CheckArticleText(resource.decoded);
    for (const std::string& problem : problems) diagnostics.push_back({resource.source, 0, problem});
    std::string error;
    // Articles carry their number in both reserved words; the index 1 and 255.
    const auto reserved = static_cast<std::uint16_t>(id == kIndexId ? 1 : id - 1000);
    const auto reserved2 = static_cast<std::uint16_t>(id == kIndexId ? 255 : id - 1000);
    auto stored = BuildStoredResource(resource.decoded, reserved, reserved2, parser, error);
    if (!stored) {
      diagnostics.push_back({resource.source, 0, error});
      continue;
    }
    resource.stored = std::move(*stored);
    resources.push_back(std::move(resource));
  }
  if (diagnostics.size() != before) return std::nullopt;
  return resources;
}

std::vector<std::string> CheckArticleText(std::span<const std::uint8_t> text) {
  std::vector<std::string> problems;
  std::string error;
  const auto records = ReadArticleRecords(text, error);
  if (!records) return {error};
  if (records->empty()) return {"the article has no records"};
  const Record& first = records->front();
  if (first.kind == RecordKind::kText && first.text.empty()) {
    problems.push_back("the first record is empty, so the reader would refuse the article");
  }
  for (const Record& r : *records) {
    const bool target = r.linkNumber >= 1 && r.linkNumber <= kVolumeArticles;
    if (r.kind == RecordKind::kLink && !target && r.linkNumber != kBackLinkNumber) {
      problems.push_back("link at offset " + std::to_string(r.offset) + " names article " +
                         std::to_string(r.linkNumber));
    }
    for (char c : r.text) {
      const auto b = static_cast<unsigned char>(c);
      if (b < 0x20 || b > 0x7E) {
        problems.push_back("byte " + Hex(b, 2) + " in the string at offset " + std::to_string(r.offset));
        break;
      }
    }
  }
  return problems;
}

// The index must be laid out exactly as the reader's index dialog expects:
// articles 1-29 shown at level 1, one collapsed group header, then articles
// 30-44 hidden at level 2.
std::vector<std::string> CheckIndexText(std::span<const std::uint8_t> index) {
  std::string error;
  const auto entries = ReadIndexEntries(index, error);
  if (!entries) return {error};
  std::vector<std::string> problems;
  constexpr int kShownArticles = 29;
  if (entries->size() != kVolumeArticles + 1) {
    problems.push_back("the index has " + std::to_string(entries->size()) + " entries, not 45");
  }
  for (std::size_t i = 0; i < entries->size() && i < kVolumeArticles + 1; ++i) {
    const IndexEntry& e = (*entries)[i];
    const bool header = i == kShownArticles;
    const int article = static_cast<int>(i < kShownArticles ? i + 1 : i);
    const std::uint16_t key = header ? 0xBFE1 : static_cast<std::uint16_t>(0x4000 | article);
    const std::uint8_t style = i <= kShownArticles ? 0x8C : 0x01;
    const std::uint8_t level = i <= kShownArticles ? 1 : 2;
    if (e.key != key || e.style != style || e.level != level) {
      problems.push_back("entry " + std::to_string(i + 1) + " is key " + Hex(e.key, 4) + " style " + Hex(e.style, 2) +
                         " level " + std::to_string(e.level) + ", expected key " + Hex(key, 4) + " style " +
                         Hex(style, 2) + " level " + std::to_string(level));
    }
    if (e.title.size() < 2 || e.title.size() > 24) {
      problems.push_back("entry " + std::to_string(i + 1) + " has a title of " + std::to_string(e.title.size()) +
                         " bytes (2 to 24)");
    }
  }
  const std::size_t end = entries->empty() ? 0 : entries->back().offset + 5 + entries->back().title.size();
  if (index.size() != end + 5 ||
      std::any_of(index.begin() + static_cast<std::ptrdiff_t>(end), index.end(), [](std::uint8_t b) { return b != 0; })) {
    problems.push_back("the index does not end with exactly five zero bytes");
  }
  return problems;
}

}  // namespace quillory::pack
