#pragma once
// Resource bytes written at compile time. Every resource format the reader
// keeps is little-endian, with text as UTF-16 code units. A resource is a
// constexpr array, so its size is fixed before it is written: a format is
// written once as a function of its writer, run first on a ByteCount to size
// the array and then on LittleEndianBytes to fill it. Writing past the end,
// or leaving bytes unwritten, stops the compilation.

#include <array>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string_view>

namespace quillory {

// The multi-byte writes, in terms of the sink's Byte.
template <typename Sink>
class LittleEndianWriter {
 public:
  constexpr void Word(std::uint16_t value) {
    Self().Byte(static_cast<std::uint8_t>(value));
    Self().Byte(static_cast<std::uint8_t>(value >> 8));
  }
  constexpr void DoubleWord(std::uint32_t value) {
    Word(static_cast<std::uint16_t>(value));
    Word(static_cast<std::uint16_t>(value >> 16));
  }
  // The code units only; a terminator, where a format has one, is a Word(0).
  constexpr void Utf16(std::u16string_view text) {
    for (const char16_t unit : text) Word(unit);
  }

 private:
  constexpr Sink& Self() { return static_cast<Sink&>(*this); }
};

class ByteCount : public LittleEndianWriter<ByteCount> {
 public:
  constexpr void Byte(std::uint8_t) { ++size_; }
  constexpr std::size_t size() const { return size_; }

 private:
  std::size_t size_ = 0;
};

template <std::size_t kSize>
class LittleEndianBytes : public LittleEndianWriter<LittleEndianBytes<kSize>> {
 public:
  constexpr void Byte(std::uint8_t value) { bytes_[at_++] = value; }

  constexpr std::array<std::uint8_t, kSize> Finished() const {
    if (at_ != kSize) throw std::logic_error("a resource left bytes unwritten");
    return bytes_;
  }

 private:
  std::array<std::uint8_t, kSize> bytes_{};
  std::size_t at_ = 0;
};

}  // namespace quillory
