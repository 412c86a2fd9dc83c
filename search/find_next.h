#pragma once
// Search Again: the next occurrence of the stored search pattern, in reading
// order through the whole volume, shown highlighted.
//
// The search keeps no state of its own: where it starts follows from the
// view's top position and highlight, and the pattern lives in AppState.
// There is no index. Leaving the current article decodes each other article
// in full, one at a time, and releases it unless it holds the match, so at
// most one article besides the view's is in memory.

#include <cstdint>

#include "platform/graphics/handles.h"
#include "view/text_view.h"

namespace quillory {

// The text offset at which the search of the view's own article starts:
// right after the highlighted match in reading order when the highlight is
// on the top line, or anywhere on a last page that could not scroll to it;
// otherwise the reading start of the top line (its label included), or the
// whole article when the top position is past the last line.
std::uint16_t SearchStartOffset(const TextView& view);

// Finds the next occurrence of App().searchPattern: in the current article
// from SearchStartOffset on, then in the following articles in number order
// (44 is followed by 1), then in the current article from its start. A
// match in another article makes it the current one, the reader's own
// choice. The match is brought to the top, repainted with its highlight and
// the article's title banner, and 1 is returned.
//
// 0 when the pattern is empty or there is no view (nothing is shown), when
// nothing was found ("Not Found!" in a box owned by `owner`; the view, the
// article and the highlight stay), and when memory ran out (the reader is
// stopping and has said so).
int FindNext(platform::WindowHandle owner);

}  // namespace quillory
