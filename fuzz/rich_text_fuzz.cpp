// Stored article text of any shape through the whole export: the plain
// export text must fit its computed capacity, the rich-text body its size
// bound, and every character escape must read back as the character it was
// written for. A passage of it, between two places the first bytes choose,
// fits the same capacity.

#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "clipboard/plain_text.h"
#include "clipboard/rtf_body.h"
#include "core/app_state.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

// The code points the body should escape, in order.
std::vector<unsigned> EscapedCharacters(std::u16string_view text) {
  std::vector<unsigned> escaped;
  for (const char16_t c : text) {
    if (c == u' ' || c == u'\r' || c == u'\n' || (c >= 0x21 && c <= 0x7E)) continue;
    // A presentation form: the escapes of the character written alone,
    // which nothing written after it may change.
    if (c >= 0xFB2A && c <= 0xFB4B) {
      const std::u16string body(1, c);
      std::string encoded(quillory::EncodeRtfBody(body, nullptr) + 1, '\0');
      encoded.resize(quillory::EncodeRtfBody(body, encoded.data()));
      for (std::size_t at = encoded.find("\\u"); at != std::string::npos; at = encoded.find("\\u", at + 2)) {
        escaped.push_back(static_cast<unsigned>(std::strtoul(encoded.c_str() + at + 2, nullptr, 10)));
      }
      continue;
    }
    escaped.push_back(c);
  }
  return escaped;
}

// The escapes as a reader of rich text takes them: as many digits as follow.
std::vector<unsigned> ReadEscapes(const std::string& body) {
  std::vector<unsigned> escapes;
  for (std::size_t i = 0; i + 1 < body.size(); ++i) {
    if (body[i] != '\\') continue;
    if (body[i + 1] == '\\' || body[i + 1] == '{' || body[i + 1] == '}') {
      ++i;
      continue;
    }
    if (body[i + 1] != 'u') continue;
    unsigned long value = 0;
    std::size_t at = i + 2;
    while (at < body.size() && body[at] >= '0' && body[at] <= '9' && value < 1000000) {
      value = value * 10 + static_cast<unsigned>(body[at++] - '0');
    }
    escapes.push_back(static_cast<unsigned>(value));
  }
  return escapes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  quillory::ResetAppState();
  // The first byte picks the base and the Reverse option, the next two a
  // passage's places.
  static constexpr std::uint32_t kBases[] = {97, 224, 1488, 64298};
  quillory::App().font.asciiBase = kBases[data[0] & 3];
  quillory::App().flags = (data[0] & 4) ? quillory::kReverseFlag : 0;
  const std::span<const std::uint8_t> text(data + 3, size - 3);

  const std::size_t capacity = quillory::PlainTextCapacity(text);
  std::u16string plain(capacity, u'\0');
  Check(quillory::ArticleToPlainText(text, plain.data(), capacity * 2) == 0);
  plain.resize(plain.find(u'\0'));

  const quillory::PassagePlaces passage{std::min<std::size_t>(data[1], data[2]), std::max<std::size_t>(data[1], data[2]),
                                        (data[0] & 8) != 0};
  std::u16string part(capacity, u'\0');
  Check(quillory::PassageToPlainText(text, passage, part.data(), capacity * 2) == 0);
  Check(part.find(u'\0') != std::u16string::npos);

  const std::size_t bound = quillory::EncodeRtfBody(plain, nullptr);
  std::string body(bound + 1, '\0');
  body.resize(quillory::EncodeRtfBody(plain, body.data()));
  Check(body.size() <= bound);
  Check(ReadEscapes(body) == EscapedCharacters(plain));
  return 0;
}
