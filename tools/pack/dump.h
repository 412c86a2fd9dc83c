#pragma once
// Readable renderings of a volume's resources, for people checking a volume.

#include <cstdint>
#include <ostream>
#include <span>
#include <vector>

#include "tools/pack/volume.h"

namespace quillory::pack {

// Prints a decoded article or index record by record, in logical order, with
// each record's structure (style, layout byte, link numbers, keys) in
// brackets before its text. False when the bytes are not well formed (what
// was read is printed, then the reason).
bool DumpArticle(std::span<const std::uint8_t> text, std::ostream& out);
bool DumpIndex(std::span<const std::uint8_t> index, std::ostream& out);

// One line per resource (identifier, stored bytes, decoded bytes, ratio),
// then the totals.
void PrintStats(const std::vector<CompiledResource>& resources, std::ostream& out);

}  // namespace quillory::pack
