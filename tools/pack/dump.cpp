#include "tools/pack/dump.h"

#include <cstdio>
#include <string>

#include "tools/pack/letter_text.h"
#include "tools/pack/records.h"
#include "tools/pack/utf8.h"

namespace quillory::pack {
namespace {

std::string Hex2(unsigned value) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%02X", value);
  return text;
}

std::string RuleWidth(std::uint8_t code) {
  if (code <= 160) return std::to_string(code) + "px";
  return std::to_string((code - 160) * 2) + "%";
}

std::string Readable(std::string_view stored, bool hebrew) {
  return EncodeUtf8(hebrew ? ReadHebrew(stored) : ReadPlain(stored));
}

}  // namespace

bool DumpArticle(std::span<const std::uint8_t> text, std::ostream& out) {
  std::string error;
  const auto records = ReadArticleRecords(text, error);
  if (!records) {
    out << "error: " << error << '\n';
    return false;
  }
  for (const Record& r : *records) {
    out << "[style " << Hex2(r.style) << ", layout " << Hex2(r.layout);
    switch (r.kind) {
      case RecordKind::kEmpty:
        out << ", empty]\n";
        continue;
      case RecordKind::kRule:
        out << ", rule " << RuleWidth(r.layout) << "]\n";
        continue;
      case RecordKind::kLink:
        out << ", link " << r.linkNumber;
        if (r.linkNumber == kBackLinkNumber) out << " (back)";
        if (r.wideNumber) out << ", two bytes";
        break;
      case RecordKind::kText:
        if ((r.layout >> 6) != 0) out << ", label " << (r.layout >> 6);
        if ((r.layout & 0x3F) != 0) out << ", indent " << (r.layout & 0x3F);
        break;
    }
    out << "] " << Readable(r.text, r.hebrew()) << '\n';
  }
  return true;
}

bool DumpIndex(std::span<const std::uint8_t> index, std::ostream& out) {
  std::string error;
  const auto entries = ReadIndexEntries(index, error);
  if (!entries) {
    out << "error: " << error << '\n';
    return false;
  }
  for (const IndexEntry& e : *entries) {
    char head[64];
    std::snprintf(head, sizeof head, "[key 0x%04X, style 0x%02X, level %u] ", e.key, e.style, e.level);
    out << head << Readable(e.title, true) << '\n';
  }
  return true;
}

void PrintStats(const std::vector<CompiledResource>& resources, std::ostream& out) {
  std::uint64_t stored = 0;
  std::uint64_t decoded = 0;
  char line[96];
  for (const CompiledResource& r : resources) {
    stored += r.stored.bytes.size();
    decoded += r.decoded.size();
    std::snprintf(line, sizeof line, "%5u %7zu %7zu %6.3f\n", r.id, r.stored.bytes.size(), r.decoded.size(),
                  static_cast<double>(r.stored.bytes.size()) / static_cast<double>(r.decoded.size()));
    out << line;
  }
  std::snprintf(line, sizeof line, "total %7llu %7llu %6.3f\n", static_cast<unsigned long long>(stored),
                static_cast<unsigned long long>(decoded),
                decoded == 0 ? 0.0 : static_cast<double>(stored) / static_cast<double>(decoded));
  out << line;
}

}  // namespace quillory::pack
