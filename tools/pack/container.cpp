#include "tools/pack/container.h"

#include "tools/pack/encoder.h"

namespace quillory::pack {
namespace {

void PutBigEndian16(std::vector<std::uint8_t>& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint8_t>(value >> 8));
  out.push_back(static_cast<std::uint8_t>(value & 0xFF));
}

constexpr std::uint32_t kEndMarkerLength = 4;
constexpr std::uint32_t kBlockHeaderLength = 4;

}  // namespace

std::optional<StoredResource> BuildStoredResource(std::span<const std::uint8_t> decoded, std::uint16_t reserved,
                                                  std::uint16_t reserved2, Parser parser, std::string& error) {
  if (decoded.empty() || decoded.size() > 0xFFFF) {
    error = "decoded text of " + std::to_string(decoded.size()) + " bytes (must be 1 to 65535)";
    return std::nullopt;
  }
  const std::vector<std::uint8_t> block = parser == Parser::kOptimal ? EncodeOptimal(decoded) : EncodeGreedy(decoded);
  const std::uint32_t following = static_cast<std::uint32_t>(block.size()) + kBlockHeaderLength + kEndMarkerLength;
  if (following > 0xFFFF) {
    error = "compressed block of " + std::to_string(block.size()) + " bytes does not fit the resource header";
    return std::nullopt;
  }
  StoredResource resource;
  resource.decodedLength = static_cast<std::uint32_t>(decoded.size());
  resource.compressedLength = static_cast<std::uint32_t>(block.size());
  auto& out = resource.bytes;
  out.reserve(6 + following);
  PutBigEndian16(out, following);
  PutBigEndian16(out, reserved);
  PutBigEndian16(out, reserved2);
  PutBigEndian16(out, resource.compressedLength);
  PutBigEndian16(out, resource.decodedLength);
  out.insert(out.end(), block.begin(), block.end());
  out.insert(out.end(), kEndMarkerLength, 0);
  return resource;
}

}  // namespace quillory::pack
