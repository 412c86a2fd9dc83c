#pragma once
// The Copy and Append to ClipBoard commands: the current article on the
// clipboard, as one rich-text document (and the same article as Unicode
// text beside it) when the font keeps its letters in the Unicode Hebrew
// block, else as Unicode text.

namespace quillory {

struct TextView;

// Puts the whole text of `view` on the clipboard; with `append` after what
// the clipboard holds in the same format. Does nothing without a view or
// text.
void CopyArticleToClipboard(TextView* view, bool append);

}  // namespace quillory
