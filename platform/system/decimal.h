#pragma once
// Whole decimal numbers typed by people (command lines, scripts): the whole
// text must be the number, within the bounds given.

#include <charconv>
#include <cstdint>
#include <optional>
#include <string_view>

namespace platform {

inline std::optional<std::int64_t> ParseWholeNumber(std::string_view text, std::int64_t low, std::int64_t high) {
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < low || value > high) return std::nullopt;
  return value;
}

}  // namespace platform
