#include "platform/unicode_text.h"

namespace platform {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one scalar value at `text[i]` and advances `i` past it. Overlong
// forms, surrogates and values past U+10FFFF are malformed: they decode to
// U+FFFD and consume only their lead byte.
char32_t NextScalar(std::string_view text, std::size_t& i) {
  const auto lead = static_cast<unsigned char>(text[i++]);
  if (lead < 0x80) return lead;
  // The lead byte's high bits give the sequence's length.
  struct Form {
    unsigned char mask;
    unsigned char pattern;
    int extra;
    char32_t minimum;
  };
  constexpr Form kForms[] = {{0xE0, 0xC0, 1, 0x80}, {0xF0, 0xE0, 2, 0x800}, {0xF8, 0xF0, 3, 0x10000}};
  const Form* form = nullptr;
  for (const Form& f : kForms) {
    if ((lead & f.mask) == f.pattern) form = &f;
  }
  if (form == nullptr) return kReplacement;
  const int extra = form->extra;
  const char32_t minimum = form->minimum;
  char32_t value = lead & static_cast<unsigned char>(~form->mask);
  if (text.size() - i < static_cast<std::size_t>(extra)) return kReplacement;
  for (int k = 0; k < extra; ++k) {
    const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
    if ((next & 0xC0) != 0x80) return kReplacement;
    value = (value << 6) | (next & 0x3F);
  }
  if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return kReplacement;
  i += static_cast<std::size_t>(extra);
  return value;
}

void AppendUnit(char16_t unit, std::vector<std::uint8_t>& out) {
  out.push_back(static_cast<std::uint8_t>(unit & 0xFF));
  out.push_back(static_cast<std::uint8_t>(unit >> 8));
}

void AppendUtf8(char32_t c, std::string& out) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

void AppendUtf16LeFromUtf8(std::string_view utf8, std::vector<std::uint8_t>& out) {
  std::size_t i = 0;
  while (i < utf8.size()) {
    const char32_t c = NextScalar(utf8, i);
    if (c < 0x10000) {
      AppendUnit(static_cast<char16_t>(c), out);
    } else {
      AppendUnit(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)), out);
      AppendUnit(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)), out);
    }
  }
}

std::string Utf8FromUtf16Le(std::span<const std::uint8_t> bytes) {
  std::string out;
  const std::size_t units = bytes.size() / 2;
  auto unitAt = [&](std::size_t k) { return static_cast<char16_t>(bytes[2 * k] | (bytes[2 * k + 1] << 8)); };
  for (std::size_t k = 0; k < units; ++k) {
    const char16_t unit = unitAt(k);
    if (unit >= 0xD800 && unit <= 0xDBFF && k + 1 < units && unitAt(k + 1) >= 0xDC00 && unitAt(k + 1) <= 0xDFFF) {
      AppendUtf8(0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (unitAt(k + 1) - 0xDC00), out);
      ++k;
    } else if (unit >= 0xD800 && unit <= 0xDFFF) {
      AppendUtf8(kReplacement, out);
    } else {
      AppendUtf8(unit, out);
    }
  }
  return out;
}

}  // namespace platform
