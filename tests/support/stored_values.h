#pragma once
// Test helpers for registry values: the bytes a value of each type is
// stored as, and what the registry file holds now.

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string_view>
#include <vector>

#include "core/registry_values.h"
#include "platform/registry/registry.h"

namespace quillory::testing {

// A 32-bit number: 4 little-endian bytes.
inline std::vector<std::uint8_t> NumberBytes(std::uint32_t value) {
  return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
          static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
}

// Text: UTF-16LE units and a zero unit.
inline std::vector<std::uint8_t> WideTextBytes(std::u16string_view text) {
  std::vector<std::uint8_t> bytes;
  for (const char16_t unit : text) {
    bytes.push_back(static_cast<std::uint8_t>(unit));
    bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
  }
  bytes.insert(bytes.end(), {0, 0});
  return bytes;
}

// The product key's value `name` as the registry file holds it now.
inline std::optional<platform::RegistryValue> StoredSetting(std::string_view name) {
  const platform::RegistryFile file = platform::LoadRegistryFile();
  const platform::RegistryKeyRecord* key = file.FindKey(platform::CurrentUserPath(kProductKey));
  if (key == nullptr) return std::nullopt;
  const platform::RegistryValue* value = platform::FindValue(*key, name);
  return value ? std::optional(*value) : std::nullopt;
}

// The product key's number `name` as the registry file holds it now;
// nothing when it is missing or not a number.
inline std::optional<std::uint32_t> StoredNumber(std::string_view name) {
  const std::optional<platform::RegistryValue> value = StoredSetting(name);
  if (!value || value->type != platform::kRegNumber || value->data.size() != 4) return std::nullopt;
  return static_cast<std::uint32_t>(value->data[0] | value->data[1] << 8 | value->data[2] << 16 |
                                    static_cast<std::uint32_t>(value->data[3]) << 24);
}

struct ExpectedSetting {
  const char* name;
  std::uint32_t type;
  std::vector<std::uint8_t> data;
};

inline ExpectedSetting NumberSetting(const char* name, std::uint32_t value) {
  return {name, platform::kRegNumber, NumberBytes(value)};
}

// Checks that the product key holds each value with its type and bytes.
inline void ExpectStoredSettings(std::initializer_list<ExpectedSetting> expected) {
  for (const ExpectedSetting& setting : expected) {
    const std::optional<platform::RegistryValue> value = StoredSetting(setting.name);
    ASSERT_TRUE(value) << setting.name;
    EXPECT_EQ(value->type, setting.type) << setting.name;
    EXPECT_EQ(value->data, setting.data) << setting.name;
  }
}

}  // namespace quillory::testing
