#include "core/registry_values.h"

#include <optional>
#include <span>

#include "platform/registry.h"

namespace quillory {
namespace {

std::uint32_t LittleEndian32(std::span<const std::uint8_t> bytes) {
  return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
         static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

// The handheld's decimal reading of wide text: unsigned arithmetic, so a
// long or odd text wraps instead of overflowing.
std::uint32_t DigitsOfWideText(std::span<const std::uint8_t> bytes) {
  std::uint32_t result = 0;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const std::uint32_t unit = static_cast<std::uint32_t>(bytes[i]) | static_cast<std::uint32_t>(bytes[i + 1]) << 8;
    if (unit == 0) break;
    result = result * 10 + (unit - '0');
  }
  return result;
}

}  // namespace

std::uint32_t ReadRegNumber(std::string_view key, std::string_view name, std::uint32_t defaultValue) {
  const std::optional<platform::RegistryKey> open = platform::OpenRegistryKey(key);
  if (!open) return defaultValue;
  const std::optional<platform::RegistryValueView> value = platform::QueryRegistryValue(*open, name);
  if (!value) return defaultValue;
  if (value->type == platform::kRegNumber) return value->data.size() == 4 ? LittleEndian32(value->data) : defaultValue;
  return DigitsOfWideText(value->data);
}

}  // namespace quillory
