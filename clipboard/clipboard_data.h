#pragma once
// Putting the export on the clipboard and reading back what is there for
// Append. Rich text goes under the format registered as "Rich Text
// Format"; plain export text under the standard Unicode text format.
// Clipboard failures are silent: the clipboard is then left as it was, or,
// when its memory could not be had after it was emptied, empty.

#include <cstddef>
#include <string_view>

#include "platform/system/memory.h"
#include "platform/windows/clipboard.h"

namespace quillory {

// A copy of the clipboard's data in `format` (no terminator added); empty
// when the clipboard cannot be opened or holds none. The copy comes from
// AllocOrStop.
platform::HeapBlock ReadClipboardData(platform::ClipboardFormat format);

// Puts the plain export text on the clipboard as one rich-text document,
// and beside it as Unicode text for programs that take no rich text. With
// `append` a rich-text document already there (data that begins "{\rtf")
// is continued, the new article following a row of stars after the old
// content, and the Unicode text already there is continued directly.
void PutRtfOnClipboard(std::u16string_view text, bool append);
// Puts the plain export text on the clipboard as Unicode text; with
// `append` after the Unicode text already there.
void PutTextOnClipboard(std::u16string_view text, bool append);

// Makes the plain export text the desktop's primary selection: a rich-text
// document and Unicode text beside it with `rich`, else Unicode text. Left
// as it was when memory runs out.
void PutOnPrimarySelection(std::u16string_view text, bool rich);

}  // namespace quillory
