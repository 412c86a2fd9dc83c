#include "core/registry_values.h"

#include <cstring>
#include <optional>

#include "core/shell_calls.h"
#include "platform/registry/registry.h"
#include "platform/registry/registry_writer.h"

namespace quillory {
namespace {

std::uint32_t LittleEndian32(std::span<const std::uint8_t> bytes) {
  return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
         static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

char16_t WideUnitAt(std::span<const std::uint8_t> bytes, std::size_t unit) {
  return static_cast<char16_t>(bytes[2 * unit] | bytes[2 * unit + 1] << 8);
}

// The handheld's decimal reading of wide text: unsigned arithmetic, so a
// long or odd text wraps instead of overflowing.
std::uint32_t DigitsOfWideText(std::span<const std::uint8_t> bytes) {
  std::uint32_t result = 0;
  for (std::size_t i = 0; i < bytes.size() / 2; ++i) {
    const char16_t unit = WideUnitAt(bytes, i);
    if (unit == 0) break;
    result = result * 10 + (unit - std::uint32_t{'0'});
  }
  return result;
}

// Value `name` of `key`, copied out before the key closes.
std::optional<platform::RegistryValue> ReadValue(std::string_view key, std::string_view name) {
  const std::optional<platform::RegistryKey> open = platform::OpenRegistryKey(key);
  if (!open) return std::nullopt;
  const std::optional<platform::RegistryValueView> value = platform::QueryRegistryValue(*open, name);
  if (!value) return std::nullopt;
  return platform::RegistryValue{std::string(name), value->type, {value->data.begin(), value->data.end()}};
}

}  // namespace

std::uint32_t ReadRegNumber(std::string_view key, std::string_view name, std::uint32_t defaultValue) {
  const std::optional<platform::RegistryValue> value = ReadValue(key, name);
  if (!value) return defaultValue;
  if (value->type == platform::kRegNumber) return value->data.size() == 4 ? LittleEndian32(value->data) : defaultValue;
  return DigitsOfWideText(value->data);
}

std::uint32_t ReadSetting(std::string_view name, std::uint32_t defaultValue) {
  return ReadRegNumber(kProductKey, name, defaultValue);
}

WideTextBlock ReadRegText(std::string_view name) {
  const std::optional<platform::RegistryValue> value = ReadValue(kProductKey, name);
  if (!value) return nullptr;
  std::size_t length = 0;
  while (length < value->data.size() / 2 && WideUnitAt(value->data, length) != 0) ++length;
  WideTextBlock text(static_cast<char16_t*>(AllocOrStop((length + 1) * sizeof(char16_t))));
  if (!text) return nullptr;
  for (std::size_t i = 0; i < length; ++i) text[i] = WideUnitAt(value->data, i);
  text[length] = 0;
  return text;
}

platform::HeapBlock ReadRegBytes(std::string_view name) {
  const std::optional<platform::RegistryValue> value = ReadValue(kProductKey, name);
  if (!value) return {};
  auto* bytes = static_cast<std::uint8_t*>(AllocOrStop(value->data.size()));
  if (bytes == nullptr) return {};
  if (!value->data.empty()) std::memcpy(bytes, value->data.data(), value->data.size());
  return platform::HeapBlock(bytes, value->data.size());
}

bool WriteRegNumber(std::string_view name, std::uint32_t value) {
  const std::optional<platform::RegistryKey> key = platform::CreateRegistryKey(kProductKey);
  return key && platform::SetRegistryNumber(*key, name, value);
}

bool WriteRegText(std::string_view name, std::u16string_view text) {
  const std::optional<platform::RegistryKey> key = platform::CreateRegistryKey(kProductKey);
  return key && platform::SetRegistryText(*key, name, text);
}

bool WriteRegBytes(std::string_view name, std::span<const std::uint8_t> bytes) {
  const std::optional<platform::RegistryKey> key = platform::CreateRegistryKey(kProductKey);
  return key && platform::SetRegistryValue(*key, name, platform::kRegBytes, bytes);
}

}  // namespace quillory
