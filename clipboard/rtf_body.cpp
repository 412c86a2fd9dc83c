#include "clipboard/rtf_body.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>

namespace quillory {
namespace {

constexpr std::string_view kParagraphBreak = "\\par\\par\r\n";

// The Hebrew presentation forms that have a canonical decomposition, each
// with it (Unicode's full decomposition; 0 where fewer code points are
// needed). A reader of rich text may lack the composed glyphs, but every
// Hebrew font has the letters and points.
struct Decomposition {
  char16_t character;
  std::array<char16_t, 3> parts;
};

constexpr Decomposition kDecompositions[] = {
    {0xFB2A, {0x05E9, 0x05C1}},         {0xFB2B, {0x05E9, 0x05C2}}, {0xFB2C, {0x05E9, 0x05BC, 0x05C1}},
    {0xFB2D, {0x05E9, 0x05BC, 0x05C2}}, {0xFB30, {0x05D0, 0x05BC}}, {0xFB31, {0x05D1, 0x05BC}},
    {0xFB32, {0x05D2, 0x05BC}},         {0xFB33, {0x05D3, 0x05BC}}, {0xFB34, {0x05D4, 0x05BC}},
    {0xFB35, {0x05D5, 0x05BC}},         {0xFB36, {0x05D6, 0x05BC}}, {0xFB38, {0x05D8, 0x05BC}},
    {0xFB39, {0x05D9, 0x05BC}},         {0xFB3A, {0x05DA, 0x05BC}}, {0xFB3B, {0x05DB, 0x05BC}},
    {0xFB3C, {0x05DC, 0x05BC}},         {0xFB3E, {0x05DE, 0x05BC}}, {0xFB40, {0x05E0, 0x05BC}},
    {0xFB41, {0x05E1, 0x05BC}},         {0xFB43, {0x05E3, 0x05BC}}, {0xFB44, {0x05E4, 0x05BC}},
    {0xFB46, {0x05E6, 0x05BC}},         {0xFB47, {0x05E7, 0x05BC}}, {0xFB48, {0x05E8, 0x05BC}},
    {0xFB49, {0x05E9, 0x05BC}},         {0xFB4A, {0x05EA, 0x05BC}}, {0xFB4B, {0x05D5, 0x05B9}},
};
static_assert(std::size(kDecompositions) == 27);

// Only characters beyond the Hebrew letters are looked up: nothing below
// them decomposes.
constexpr char16_t kLastHebrewLetter = 0x05EA;

const Decomposition* FindDecomposition(char16_t c) {
  if (c <= kLastHebrewLetter) return nullptr;
  const auto found = std::find_if(std::begin(kDecompositions), std::end(kDecompositions),
                                  [c](const Decomposition& entry) { return entry.character == c; });
  return found == std::end(kDecompositions) ? nullptr : found;
}

bool IsLineEnd(char16_t c) { return c == u'\r' || c == u'\n'; }
bool IsPrintable(char16_t c) { return c >= 0x21 && c <= 0x7E; }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool NeedsBackslash(char16_t c) { return c == u'\\' || c == u'{' || c == u'}'; }

// Counts, and writes when it has an output.
class Sink {
 public:
  explicit Sink(char* output) : output_(output) {}
  void Put(char c, std::size_t count = 1) {
    if (output_) std::fill_n(output_ + length_, count, c);
    length_ += count;
  }
  void Put(std::string_view text) {
    if (output_) std::copy(text.begin(), text.end(), output_ + length_);
    length_ += text.size();
  }
  void PutEscape(char16_t c) {
    char digits[8];
    std::size_t count = 0;
    for (unsigned value = c; count == 0 || value != 0; value /= 10) digits[count++] = static_cast<char>('0' + value % 10);
    Put("\\u");
    while (count > 0) Put(digits[--count]);
  }
  std::size_t length() const { return length_; }

 private:
  char* output_;
  std::size_t length_ = 0;
};

// The bound of one character (or run) starting at `i`, and where the next one starts.
std::size_t BoundOf(std::u16string_view text, std::size_t& i) {
  const char16_t c = text[i];
  std::size_t end = i + 1;
  std::size_t bound = 0;
  if (c == u' ') {
    while (end < text.size() && text[end] == u' ') ++end;
    bound = end - i + 1;
  } else if (IsLineEnd(c)) {
    while (end < text.size() && IsLineEnd(text[end])) ++end;
    bound = 12;
  } else if (IsPrintable(c)) {
    bound = NeedsBackslash(c) ? 2 : 1;
  } else if (const Decomposition* entry = FindDecomposition(c)) {
    bound = 6 * static_cast<std::size_t>(std::count_if(entry->parts.begin(), entry->parts.end(),
                                                        [](char16_t part) { return part != 0; }));
  } else {
    bound = c < 1000 ? 5 : c < 10000 ? 6 : 7;
  }
  // An escape followed by a digit takes a delimiting space.
  if (!IsPrintable(c) && c != u' ' && !IsLineEnd(c) && end < text.size() && IsDigit(text[end])) ++bound;
  i = end;
  return bound;
}

std::size_t Bound(std::u16string_view text) {
  std::size_t bound = 13;
  for (std::size_t i = 0; i < text.size();) bound += BoundOf(text, i);
  return bound;
}

}  // namespace

std::size_t EncodeRtfBody(std::u16string_view text, char* output) {
  if (output == nullptr) return Bound(text);
  Sink out(output);
  bool afterEscape = false;
  for (std::size_t i = 0; i < text.size();) {
    const char16_t c = text[i];
    std::size_t end = i + 1;
    if (c == u' ') {
      // A reader takes the first space after an escape as its delimiter, so
      // a run there is written one longer; anywhere else it stays as it is.
      while (end < text.size() && text[end] == u' ') ++end;
      out.Put(' ', end - i + (afterEscape ? 1 : 0));
    } else if (IsLineEnd(c)) {
      while (end < text.size() && IsLineEnd(text[end])) ++end;
      out.Put(kParagraphBreak);
    } else if (IsPrintable(c)) {
      if (NeedsBackslash(c)) out.Put('\\');
      out.Put(static_cast<char>(c));
    } else {
      if (const Decomposition* entry = FindDecomposition(c)) {
        for (const char16_t part : entry->parts) {
          if (part != 0) out.PutEscape(part);
        }
      } else {
        out.PutEscape(c);
      }
      // Without a delimiter a digit after the escape would be read as part
      // of its number.
      if (end < text.size() && IsDigit(text[end])) out.Put(' ');
    }
    afterEscape = !IsPrintable(c) && c != u' ' && !IsLineEnd(c);
    i = end;
  }
  out.Put(kParagraphBreak);
  return out.length();
}

}  // namespace quillory
