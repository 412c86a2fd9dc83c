#pragma once
// The article as plain export text: 16-bit characters, zero-terminated,
// one line per stored record, each ended by CR LF (and a second CR LF where
// the record asks for a blank line after it). Hebrew records are converted
// with the live "FontAsciiBase" and the Reverse option of AppState (which
// turns them into reading order, their numbers and Latin words kept in
// their own order); other records keep their bytes; rules and links become
// a line of '-'.
//
// A passage (the reader's selection) is exported the same way, cut to the
// reading places it spans (view/text_selection.h): a record it holds only
// part of gives only those characters, its line ends follow it only when
// the passage goes on past it, and its indent only when the passage holds
// it whole. A link inside a passage gives its caption, as the reader
// selected what the page shows.

#include <cstddef>
#include <cstdint>
#include <span>

namespace quillory {

struct PassagePlaces {
  std::size_t start = 0;  // reading places, end exclusive
  std::size_t end = 0;
  bool backLinkShown = false;  // the back link's caption is on the page
};

// The room, in 16-bit characters with the terminator, that the export text
// of `text`, or of any passage of it, can never exceed (an upper bound, not
// the exact length).
std::size_t PlainTextCapacity(std::span<const std::uint8_t> text);

// Writes the export text of `text` into `buffer`, which holds
// `capacityBytes` bytes. 0 when it fitted; 1 when it did not, or when a
// paragraph could not be converted for want of memory (the buffer then
// holds no usable text).
int ArticleToPlainText(std::span<const std::uint8_t> text, char16_t* buffer, std::size_t capacityBytes);
// The same for a passage of the text.
int PassageToPlainText(std::span<const std::uint8_t> text, const PassagePlaces& passage, char16_t* buffer,
                       std::size_t capacityBytes);

}  // namespace quillory
