#include "platform/registry/registry_serializer.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/system/text_encoding.h"

namespace platform {
namespace {

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";
// Bytes a line of a long hex list, so the file stays readable in an editor.
constexpr std::size_t kHexBytesPerLine = 24;

void AppendQuoted(std::string& out, std::string_view text) {
  out += '"';
  for (const char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  out += '"';
}

void AppendHex(std::string& out, std::uint32_t value, int digits) {
  constexpr std::string_view kDigits = "0123456789abcdef";
  for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) out += kDigits[(value >> shift) & 0xF];
}

// The text of wide-text bytes when a quoted string gives back exactly those
// bytes; nothing otherwise (no terminator, a zero inside, a line break, or
// a lone surrogate that UTF-8 cannot carry).
std::optional<std::string> QuotableText(const std::vector<std::uint8_t>& data) {
  if (data.size() < 2 || data.size() % 2 != 0 || data[data.size() - 2] != 0 || data.back() != 0) return std::nullopt;
  const std::span<const std::uint8_t> units(data.data(), data.size() - 2);
  std::string text = Utf8FromUtf16Le(units);
  if (text.find('\0') != std::string::npos || text.find('\n') != std::string::npos) return std::nullopt;
  std::vector<std::uint8_t> again;
  AppendUtf16LeFromUtf8(text, again);
  if (!std::equal(again.begin(), again.end(), units.begin(), units.end())) return std::nullopt;
  return text;
}

void AppendHexList(std::string& out, const std::vector<std::uint8_t>& data) {
  for (std::size_t i = 0; i < data.size(); ++i) {
    if (i > 0) {
      out += ',';
      if (i % kHexBytesPerLine == 0) out += "\\\n  ";
    }
    AppendHex(out, data[i], 2);
  }
}

void AppendData(std::string& out, const RegistryValue& value) {
  if (value.type == kRegNumber && value.data.size() == 4) {
    const std::uint32_t number = value.data[0] | value.data[1] << 8 | value.data[2] << 16 |
                                 static_cast<std::uint32_t>(value.data[3]) << 24;
    out += "dword:";
    AppendHex(out, number, 8);
    return;
  }
  if (value.type == kRegText) {
    if (const std::optional<std::string> text = QuotableText(value.data)) {
      AppendQuoted(out, *text);
      return;
    }
  }
  if (value.type == kRegBytes) {
    out += "hex:";
  } else {
    int digits = 1;
    while (digits < 8 && (value.type >> (4 * digits)) != 0) ++digits;
    out += "hex(";
    AppendHex(out, value.type, digits);
    out += "):";
  }
  AppendHexList(out, value.data);
}

void AppendComments(std::string& out, const std::vector<std::string>& comments) {
  for (const std::string& comment : comments) (out += ';') += comment + '\n';
}

}  // namespace

bool IsWritableValueName(std::string_view name) { return name.find('\n') == std::string_view::npos; }

bool IsWritableKeyPath(std::string_view path) {
  return !path.empty() && path.front() != '-' && path.back() != '\\' && path.find('\n') == std::string_view::npos;
}

std::string SerializeRegistryFile(const RegistryFile& file) {
  std::string out(kHeader);
  out += '\n';
  AppendComments(out, file.leadingComments());
  for (const RegistryKeyRecord& key : file.keys()) {
    ((out += "\n[") += key.path) += "]\n";
    for (const RegistryValue& value : key.values) {
      if (value.name.empty()) {
        out += '@';
      } else {
        AppendQuoted(out, value.name);
      }
      out += '=';
      AppendData(out, value);
      out += '\n';
    }
    AppendComments(out, key.comments);
  }
  return out;
}

}  // namespace platform
