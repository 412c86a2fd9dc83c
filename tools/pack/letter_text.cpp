#include "tools/pack/letter_text.h"

#include <fribidi.h>

#include <cstdio>
#include <vector>

namespace quillory::pack {
namespace {

constexpr char32_t kAlef = 0x05D0;
constexpr char32_t kTav = 0x05EA;
constexpr std::uint8_t kLetterCodeAlef = 0x61;
constexpr std::uint8_t kLeftCurlyCode = 0x7E;

bool IsHebrewMark(char32_t c) {
  // Cantillation U+0591-U+05AF and points U+05B0-U+05C7, except the
  // punctuation that has a meaning of its own (maqaf, paseq, sof pasuq,
  // nun hafukha), which is not a mark.
  if (c < 0x0591 || c > 0x05C7) return false;
  return c != 0x05BE && c != 0x05C0 && c != 0x05C3 && c != 0x05C6;
}

// Reorders a paragraph with a right-to-left base direction, mirroring
// brackets. Applied to logical text it gives visual order; applied to the
// visual order of text made of right-to-left words and left-to-right runs
// (numbers, Latin) it gives the logical order back.
std::u32string ReorderRightToLeft(std::u32string_view text) {
  if (text.empty()) return {};
  std::vector<FriBidiChar> in(text.begin(), text.end());
  std::vector<FriBidiChar> out(in.size());
  FriBidiParType base = FRIBIDI_PAR_RTL;
  if (fribidi_log2vis(in.data(), static_cast<FriBidiStrIndex>(in.size()), &base, out.data(), nullptr, nullptr,
                      nullptr) == 0) {
    return std::u32string(text);
  }
  return std::u32string(out.begin(), out.end());
}

bool IsPrintableAscii(char32_t c) { return c >= 0x20 && c <= 0x7E; }

}  // namespace

std::string CharacterName(char32_t c) {
  char name[16];
  std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(c));
  return name;
}

std::optional<std::string> StoreHebrew(std::u32string_view logical, TextError& error) {
  std::u32string cleaned;
  cleaned.reserve(logical.size());
  for (std::size_t i = 0; i < logical.size(); ++i) {
    char32_t c = logical[i];
    if (IsHebrewMark(c)) continue;
    if (c == 0x05BE) c = '-';   // maqaf: the layout's break point
    if (c == 0x05F3) c = '\'';  // geresh
    if (c == 0x05F4) c = '"';   // gershayim
    const bool letter = c >= kAlef && c <= kTav;
    const bool ascii = IsPrintableAscii(c) && !(c >= 'a' && c <= 'z') && c != '~';
    if (!letter && !ascii) {
      error.column = i + 1;
      error.reason = "character " + CharacterName(c) + " has no byte in the letter code";
      if (c >= 'a' && c <= 'z') error.reason += " (lower-case Latin letters share their bytes with the letters)";
      if (c == '~') error.reason += " (its byte stands for '{')";
      return std::nullopt;
    }
    cleaned.push_back(c);
  }
  std::string stored;
  stored.reserve(cleaned.size());
  for (char32_t c : ReorderRightToLeft(cleaned)) {
    if (c >= kAlef && c <= kTav) {
      stored.push_back(static_cast<char>(kLetterCodeAlef + (c - kAlef)));
    } else if (c == '{') {
      stored.push_back(static_cast<char>(kLeftCurlyCode));
    } else {
      stored.push_back(static_cast<char>(c));
    }
  }
  return stored;
}

std::optional<std::string> StorePlain(std::u32string_view text, TextError& error) {
  std::string stored;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!IsPrintableAscii(text[i])) {
      error.column = i + 1;
      error.reason = "character " + CharacterName(text[i]) + " in a left-to-right record (printable ASCII only)";
      return std::nullopt;
    }
    stored.push_back(static_cast<char>(text[i]));
  }
  return stored;
}

std::u32string ReadHebrew(std::string_view stored) {
  std::u32string visual;
  visual.reserve(stored.size());
  for (char ch : stored) {
    const auto b = static_cast<std::uint8_t>(ch);
    if (b >= kLetterCodeAlef && b <= kLetterCodeAlef + (kTav - kAlef)) {
      visual.push_back(kAlef + (b - kLetterCodeAlef));
    } else if (b == kLeftCurlyCode) {
      visual.push_back('{');
    } else {
      visual.push_back(b);
    }
  }
  return ReorderRightToLeft(visual);
}

std::u32string ReadPlain(std::string_view stored) {
  std::u32string out;
  for (char ch : stored) out.push_back(static_cast<std::uint8_t>(ch));
  return out;
}

}  // namespace quillory::pack
