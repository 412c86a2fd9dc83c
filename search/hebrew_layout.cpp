#include "search/hebrew_layout.h"

#include <array>
#include <utility>

namespace quillory {
namespace {

// The Israeli standard layout's letters, by the Latin key that carries them.
constexpr std::array<std::pair<char16_t, char16_t>, 29> kIsraeliKeys{{
    {u'q', u'/'},      {u'w', u'\''},     {u'e', u'\u05E7'}, {u'r', u'\u05E8'}, {u't', u'\u05D0'},
    {u'y', u'\u05D8'}, {u'u', u'\u05D5'}, {u'i', u'\u05DF'}, {u'o', u'\u05DD'}, {u'p', u'\u05E4'},
    {u'a', u'\u05E9'}, {u's', u'\u05D3'}, {u'd', u'\u05D2'}, {u'f', u'\u05DB'}, {u'g', u'\u05E2'},
    {u'h', u'\u05D9'}, {u'j', u'\u05D7'}, {u'k', u'\u05DC'}, {u'l', u'\u05DA'}, {u';', u'\u05E3'},
    {u'z', u'\u05D6'}, {u'x', u'\u05E1'}, {u'c', u'\u05D1'}, {u'v', u'\u05D4'}, {u'b', u'\u05E0'},
    {u'n', u'\u05DE'}, {u'm', u'\u05E6'}, {u',', u'\u05EA'}, {u'.', u'\u05E5'},
}};

}  // namespace

char16_t ThroughHebrewLayout(char16_t typed) {
  for (const auto& [latin, israeli] : kIsraeliKeys) {
    if (latin == typed) return israeli;
  }
  return typed;
}

}  // namespace quillory
