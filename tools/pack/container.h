#pragma once
// Wraps a coded block in the stored resource layout read by the reader's
// store (header fields big-endian; see store/uncompress.h).

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace quillory::pack {

enum class Parser { kOptimal, kGreedy };

struct StoredResource {
  std::vector<std::uint8_t> bytes;  // the whole resource, headers and end marker
  std::uint32_t decodedLength = 0;
  std::uint32_t compressedLength = 0;
};

// Encodes `decoded` and lays out the resource with both reserved words set
// to `reserved` and `reserved2`. Fails (with the reason in `error`) when the
// text is empty or longer than 65,535 bytes, or when the coded block would not
// fit the 16-bit following length.
std::optional<StoredResource> BuildStoredResource(std::span<const std::uint8_t> decoded, std::uint16_t reserved,
                                                  std::uint16_t reserved2, Parser parser, std::string& error);

}  // namespace quillory::pack
