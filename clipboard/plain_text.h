#pragma once
// The article as plain export text: 16-bit characters, zero-terminated,
// one line per stored record, each ended by CR LF (and a second CR LF where
// the record asks for a blank line after it). Hebrew records are converted
// with the live "FontAsciiBase" and the Reverse option of AppState (which
// turns them into reading order, their numbers and Latin words kept in
// their own order); other records keep their bytes; rules and links become
// a line of '-'.

#include <cstddef>
#include <cstdint>
#include <span>

namespace quillory {

// The room, in 16-bit characters with the terminator, that the export text
// of `text` can never exceed (an upper bound, not the exact length).
std::size_t PlainTextCapacity(std::span<const std::uint8_t> text);

// Writes the export text of `text` into `buffer`, which holds
// `capacityBytes` bytes. 0 when it fitted; 1 when it did not, or when a
// paragraph could not be converted for want of memory (the buffer then
// holds no usable text).
int ArticleToPlainText(std::span<const std::uint8_t> text, char16_t* buffer, std::size_t capacityBytes);

}  // namespace quillory
