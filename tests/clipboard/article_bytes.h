#pragma once
// Stored article text for clipboard tests, written record by record.

#include <cstdint>
#include <string_view>
#include <vector>

namespace quillory_test {

class ArticleBytes {
 public:
  // A paragraph: style, layout byte, string (letter code in Hebrew records).
  ArticleBytes& Record(std::uint8_t style, std::uint8_t layout, std::string_view text) {
    bytes_.push_back(style);
    bytes_.push_back(layout);
    bytes_.insert(bytes_.end(), text.begin(), text.end());
    bytes_.push_back(0);
    return *this;
  }
  // A centred rule of the given length code, no blank line after it.
  ArticleBytes& Rule(std::uint8_t code) { return Record(0x47, code, ""); }
  // The text with its ending zero byte.
  std::vector<std::uint8_t> Ended() const {
    std::vector<std::uint8_t> ended = bytes_;
    ended.push_back(0);
    return ended;
  }

 private:
  std::vector<std::uint8_t> bytes_;
};

}  // namespace quillory_test
