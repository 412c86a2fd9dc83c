#pragma once
// Letter case folding for the handheld's names (registry keys and values,
// time-zone names, command lines), which are compared without regard to
// the case of the letters A-Z; other characters compare as they are.

#include <algorithm>
#include <string_view>

namespace platform {

inline char FoldAsciiCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

inline bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return FoldAsciiCase(x) == FoldAsciiCase(y); });
}

inline bool StartsWithIgnoringAsciiCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualsIgnoringAsciiCase(text.substr(0, prefix.size()), prefix);
}

}  // namespace platform
