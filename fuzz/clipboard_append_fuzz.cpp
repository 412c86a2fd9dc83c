// Append over whatever another program left on the clipboard: the first
// byte chooses rich text or Unicode text, the rest is the old data. The
// result must continue exactly the part of it that may be continued.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "clipboard/clipboard_data.h"
#include "platform/windows/clipboard.h"

namespace {

void PutOld(platform::ClipboardFormat format, const std::uint8_t* data, std::size_t size) {
  platform::OpenClipboard(nullptr);
  platform::EmptyClipboard();
  platform::HeapBlock block = platform::HeapBlock::Allocate(size);
  std::copy(data, data + size, block.data());
  platform::SetClipboardData(format, std::move(block));
  platform::CloseClipboard();
}

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const bool rich = data[0] & 1;
  ++data;
  --size;
  platform::ResetClipboard();
  const platform::ClipboardFormat format =
      rich ? platform::RegisterClipboardFormat(platform::kRtfFormatName) : platform::kCfUnicodeText;
  PutOld(format, data, size);
  constexpr std::u16string_view kArticle = u"\u05D0 1\r\n";
  if (rich) {
    quillory::PutRtfOnClipboard(kArticle, true);
  } else {
    quillory::PutTextOnClipboard(kArticle, true);
  }
  const auto result = platform::HeldClipboardData(format);
  Check(result.has_value());
  const std::string_view held(reinterpret_cast<const char*>(result->data()), result->size());
  const std::string_view old(reinterpret_cast<const char*>(data), size);
  if (rich) {
    // The old document up to its first zero byte, less trailing space and
    // one brace; only a rich-text document is continued.
    std::string_view measured = old.substr(0, old.find('\0'));
    if (!measured.starts_with("{\\rtf")) measured = {};
    std::string_view kept = measured;
    while (!kept.empty() && std::string_view("\r\n \t").find(kept.back()) != std::string_view::npos) {
      kept.remove_suffix(1);
    }
    if (!kept.empty() && kept.back() == '}') kept.remove_suffix(1);
    Check(held.substr(0, kept.size()) == kept);
    Check(held.substr(kept.size(), 4) == (measured.empty() ? "{\\rt" : "\\qc\\"));
    Check(held.ends_with("\\u1488  1\\par\\par\r\n\\par\\par\r\n}\r\n"));
  } else {
    std::size_t characters = 0;
    while (2 * characters + 1 < size && (data[2 * characters] | data[2 * characters + 1]) != 0) ++characters;
    Check(held.size() == 2 * characters + 2 * (kArticle.size() + 1));
    Check(held.substr(0, 2 * characters) == old.substr(0, 2 * characters));
    Check(held.ends_with(std::string_view("\r\0\n\0\0\0", 6)));
  }
  platform::ResetClipboard();
  return 0;
}
