#pragma once
// Reads the little-endian words and UTF-16 texts of menu and dialog
// resources, never past their end: every read says whether the bytes held it.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace platform {

class ResourceReader {
 public:
  explicit ResourceReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::optional<std::uint16_t> Word() {
    if (at_ + 2 > bytes_.size()) return std::nullopt;
    const auto word = static_cast<std::uint16_t>(bytes_[at_] | (bytes_[at_ + 1] << 8));
    at_ += 2;
    return word;
  }
  std::optional<std::uint32_t> DoubleWord() {
    const auto low = Word();
    const auto high = low ? Word() : std::nullopt;
    if (!high) return std::nullopt;
    return static_cast<std::uint32_t>(*low | (static_cast<std::uint32_t>(*high) << 16));
  }
  std::optional<std::int16_t> Signed() {
    const auto word = Word();
    if (!word) return std::nullopt;
    return static_cast<std::int16_t>(*word);
  }
  // Code units up to a 0 unit; `first` is a unit already read, if any.
  std::optional<std::u16string> Text(std::optional<std::uint16_t> first = std::nullopt) {
    std::u16string text;
    for (auto unit = first ? first : Word(); unit; unit = Word()) {
      if (*unit == 0) return text;
      text += static_cast<char16_t>(*unit);
    }
    return std::nullopt;
  }
  bool AlignToDoubleWord() {
    at_ = (at_ + 3) & ~static_cast<std::size_t>(3);
    return at_ <= bytes_.size();
  }
  bool Skip(std::size_t count) {
    if (count > bytes_.size() - at_) return false;
    at_ += count;
    return true;
  }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t at_ = 0;
};

}  // namespace platform
