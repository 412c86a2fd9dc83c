#pragma once
// The program's clipboard as tests fill and read it: bytes in a format, and
// 16-bit text as the bytes of the Unicode text format.

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

#include "platform/windows/clipboard.h"

namespace quillory::testing {

// Empties the clipboard and puts `bytes` on it in `format`, as another
// program of the handheld would.
inline bool PutOnClipboard(platform::ClipboardFormat format, std::string_view bytes) {
  if (!platform::OpenClipboard(nullptr)) return false;
  platform::EmptyClipboard();
  platform::HeapBlock block = platform::HeapBlock::Allocate(bytes.size());
  std::copy(bytes.begin(), bytes.end(), block.data());
  const bool put = platform::SetClipboardData(format, std::move(block));
  platform::CloseClipboard();
  return put;
}

// What the program's clipboard holds in `format`, without opening it.
inline std::optional<std::string> HeldOnClipboard(platform::ClipboardFormat format) {
  const auto data = platform::HeldClipboardData(format);
  if (!data) return std::nullopt;
  return std::string(data->begin(), data->end());
}

// What an opening of the clipboard reads in `format` (another program's
// data, when the program holds none).
inline std::optional<std::string> ReadFromClipboard(platform::ClipboardFormat format) {
  if (!platform::OpenClipboard(nullptr)) return std::nullopt;
  const auto data = platform::GetClipboardData(format);
  std::optional<std::string> bytes;
  if (data) bytes = std::string(data->begin(), data->end());
  platform::CloseClipboard();
  return bytes;
}

inline std::string Utf16LeBytes(std::u16string_view text) {
  std::string bytes;
  for (const char16_t c : text) bytes += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
  return bytes;
}

inline std::u16string FromUtf16LeBytes(std::string_view bytes) {
  std::u16string text;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    text += static_cast<char16_t>(static_cast<std::uint8_t>(bytes[i]) | static_cast<std::uint8_t>(bytes[i + 1]) << 8);
  }
  return text;
}

}  // namespace quillory::testing
