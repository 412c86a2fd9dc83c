#include "clipboard/clipboard_data.h"

#include <algorithm>
#include <memory>

#include "clipboard/rtf_body.h"
#include "core/shell_calls.h"

namespace quillory {
namespace {

// The document's fixed pieces: a right-to-left document in one Hebrew
// font, and the row of five large red stars that parts appended articles.
constexpr std::string_view kRtfHeader =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fcharset177\\cpg1255 David;}}"
    "{\\colortbl\\red0\\green0\\blue0;\\red255\\green255\\blue255;\\red255\\green0\\blue0;}"
    "\\rtldoc\\pard\\rtlpar\\qr\\lang1033\\f0\\fs20\\uc0\r\n";
constexpr std::string_view kRtfSeparator = "\\qc\\cf2\\fs72\\b*  *  *  *  *\\b0\\par\\par\\qr\\fs20\\cf0\r\n";
constexpr std::string_view kRtfClosing = "}\r\n";
static_assert(kRtfHeader.size() == 180 && kRtfSeparator.size() == 52);

bool IsTrailingSpace(std::uint8_t byte) { return byte == '\r' || byte == '\n' || byte == ' ' || byte == '\t'; }

// Another program's data need not end in a zero byte, nor hold only one:
// the old document is what comes before its first zero byte, or all of it.
std::size_t MeasuredLength(const platform::HeapBlock& old) {
  return static_cast<std::size_t>(std::find(old.data(), old.data() + old.length(), 0) - old.data());
}

// Rich text, as its first bytes show.
bool IsRtfDocument(const std::uint8_t* bytes, std::size_t length) {
  constexpr std::string_view kOpening = "{\\rtf";
  return length >= kOpening.size() && std::equal(kOpening.begin(), kOpening.end(), bytes);
}

// The old document as far as it can be continued: less trailing whitespace
// and the "}" that closed it.
std::size_t ContinuableLength(const std::uint8_t* bytes, std::size_t length) {
  while (length > 0 && IsTrailingSpace(bytes[length - 1])) --length;
  if (length > 0 && bytes[length - 1] == '}') --length;
  return length;
}

// Whole 16-bit characters of old Unicode text before its terminator (or
// its end, when another program sent none).
std::size_t TextCharacters(const platform::HeapBlock& old) {
  const std::uint8_t* bytes = old.data();
  const std::size_t whole = old.length() / 2;
  std::size_t count = 0;
  while (count < whole && (bytes[2 * count] | bytes[2 * count + 1]) != 0) ++count;
  return count;
}

// One opening of the clipboard, closed however the export ends.
struct ClipboardOpening {
  bool open = platform::OpenClipboard(nullptr);
  ClipboardOpening() = default;
  ClipboardOpening(const ClipboardOpening&) = delete;
  ClipboardOpening& operator=(const ClipboardOpening&) = delete;
  ~ClipboardOpening() {
    if (open) platform::CloseClipboard();
  }
};

std::uint8_t* PutBytes(std::uint8_t* at, std::string_view bytes) {
  return std::copy(bytes.begin(), bytes.end(), at);
}

// The Unicode text to put on the clipboard: the old text, when there is
// one, and the new text right after it, with the terminator. Empty when the
// memory cannot be had.
platform::HeapBlock JoinedText(const platform::HeapBlock& old, std::u16string_view text) {
  const std::size_t oldBytes = old ? TextCharacters(old) * 2 : 0;
  platform::HeapBlock data = platform::HeapBlock::Allocate(oldBytes + (text.size() + 1) * 2);
  if (!data) return data;
  std::uint8_t* at = std::copy_n(old.data(), oldBytes, data.data());
  for (const char16_t c : text) {
    *at++ = static_cast<std::uint8_t>(c & 0xFF);
    *at++ = static_cast<std::uint8_t>(c >> 8);
  }
  at[0] = at[1] = 0;
  return data;
}

// The text as a rich-text document of its own, or continuing `old`; empty
// when memory ran out.
platform::HeapBlock RtfDocument(std::u16string_view text, const platform::HeapBlock& old) {
  const std::size_t bound = EncodeRtfBody(text, nullptr);
  std::unique_ptr<char, platform::HeapDeleter> body(static_cast<char*>(AllocOrStop(bound + 1)));
  if (!body) return {};
  const std::string_view encoded(body.get(), EncodeRtfBody(text, body.get()));

  // Only a rich-text document is continued; anything else under the name
  // (a program that answers every request with its plain text) is no
  // document, and the new one starts afresh, with its header.
  const std::size_t measured = old ? MeasuredLength(old) : 0;
  const bool continued = IsRtfDocument(old.data(), measured);
  const std::size_t oldLength = continued ? ContinuableLength(old.data(), measured) : 0;
  const std::string_view lead = continued ? kRtfSeparator : kRtfHeader;
  platform::HeapBlock document =
      platform::HeapBlock::Allocate(oldLength + lead.size() + encoded.size() + kRtfClosing.size());
  if (!document) return {};
  std::uint8_t* at = std::copy_n(old.data(), oldLength, document.data());
  at = PutBytes(at, lead);
  at = PutBytes(at, encoded);
  PutBytes(at, kRtfClosing);
  return document;
}

}  // namespace

platform::HeapBlock ReadClipboardData(platform::ClipboardFormat format) {
  ClipboardOpening opening;
  if (!opening.open) return {};
  const auto data = platform::GetClipboardData(format);
  if (!data) return {};
  auto* copy = static_cast<std::uint8_t*>(AllocOrStop(data->size()));
  if (copy == nullptr) return {};
  std::copy(data->begin(), data->end(), copy);
  return platform::HeapBlock(copy, data->size());
}

void PutRtfOnClipboard(std::u16string_view text, bool append) {
  const platform::ClipboardFormat format = platform::RegisterClipboardFormat(platform::kRtfFormatName);
  const platform::HeapBlock old = append ? ReadClipboardData(format) : platform::HeapBlock();
  const platform::HeapBlock oldText = append ? ReadClipboardData(platform::kCfUnicodeText) : platform::HeapBlock();
  ClipboardOpening opening;
  if (!opening.open) return;
  platform::EmptyClipboard();

  platform::HeapBlock document = RtfDocument(text, old);
  if (!document) return;
  platform::SetClipboardData(format, std::move(document));
  // The same article as Unicode text, for the programs that take no rich
  // text; Append continues it as it continues the document.
  if (platform::HeapBlock plain = JoinedText(oldText, text)) {
    platform::SetClipboardData(platform::kCfUnicodeText, std::move(plain));
  }
}

void PutTextOnClipboard(std::u16string_view text, bool append) {
  const platform::HeapBlock old = append ? ReadClipboardData(platform::kCfUnicodeText) : platform::HeapBlock();
  platform::HeapBlock data = JoinedText(old, text);
  ClipboardOpening opening;
  if (!opening.open) return;
  platform::EmptyClipboard();
  if (data) platform::SetClipboardData(platform::kCfUnicodeText, std::move(data));
}

void PutOnPrimarySelection(std::u16string_view text, bool rich) {
  std::vector<std::pair<platform::ClipboardFormat, platform::HeapBlock>> contents;
  if (rich) {
    platform::HeapBlock document = RtfDocument(text, platform::HeapBlock());
    if (!document) return;
    contents.emplace_back(platform::RegisterClipboardFormat(platform::kRtfFormatName), std::move(document));
  }
  platform::HeapBlock plain = JoinedText(platform::HeapBlock(), text);
  if (!plain) return;
  contents.emplace_back(platform::kCfUnicodeText, std::move(plain));
  platform::SetPrimarySelection(std::move(contents));
}

}  // namespace quillory
