#pragma once
// How an article number becomes the text on screen: the initial load while
// the main window is made, and the article switch the commands and link
// taps use.

#include <cstdint>

#include "platform/graphics/handles.h"
#include "view/text_view.h"

namespace quillory {

// The text area of a client rectangle: less the bar (off the bottom for the
// menu bar, off the top for the command bar), then the gutter on every
// side of each dimension larger than twice the gutter.
ViewRect TextAreaOf(std::int32_t clientWidth, std::int32_t clientHeight);

// Creates the view over the text area and shows the current article at the
// saved position. 0 when shown, 1 when the view cannot be made, else the
// answer of the "Resource not found" box (the view then stays empty).
int InitialLoad(platform::WindowHandle window);

// Shows `article` (0: this week's) at `top`. With `remember` the article
// being left is the one the back link returns to. 1, with the article
// number, "Flags" and the text as they were, when it cannot be decoded.
int SwitchArticleInReader(platform::WindowHandle window, std::uint16_t article, std::uint16_t top, bool remember);

}  // namespace quillory
