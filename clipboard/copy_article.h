#pragma once
// The Copy and Append to ClipBoard commands: the reader's selection, or the
// current article when nothing is selected, on the clipboard, as one
// rich-text document (and the same text as Unicode text beside it) when the
// font keeps its letters in the Unicode Hebrew block, else as Unicode text.
// A selection is also offered as the desktop's primary selection.

namespace quillory {

struct TextView;

// Puts the selection of `view`, or without one its whole text, on the
// clipboard; with `append` after what the clipboard holds in the same
// format. A selection becomes the primary selection as well. Does nothing
// without a view or text.
void CopyArticleToClipboard(TextView* view, bool append);

// Makes the view's selection the desktop's primary selection, in the same
// formats as a copy; nothing when nothing is selected.
void OfferSelection(TextView* view);

}  // namespace quillory
