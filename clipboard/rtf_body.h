#pragma once
// The body of the rich-text document: the plain export text in 8-bit rich
// text. Printable ASCII stays itself (the three bytes that rich text gives a
// meaning, '\', '{' and '}', escaped with a backslash), a run of spaces
// right after a "\u" escape is written one space longer (the first is the
// escape's delimiter), each run of CR and LF becomes one paragraph
// break ("\par\par" CR LF), Hebrew presentation forms are written as their
// canonical decompositions, and every other character as "\u" and its
// number. One more paragraph break ends the body.

#include <cstddef>
#include <string_view>

namespace quillory {

// With no output: a bound on the body's length in bytes. With an output
// (room for at least that bound): writes the body and returns its exact
// length. Nothing is terminated.
std::size_t EncodeRtfBody(std::u16string_view text, char* output);

}  // namespace quillory
