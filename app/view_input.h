#pragma once
// What the main window's keys, scroll bar, taps and size changes do to the
// view. Positions and steps are display units.

#include <cstdint>

#include "platform/graphics/handles.h"
#include "view/text_view.h"

namespace quillory {

// 0 when the key is one of the nine the view answers (or Escape clearing a
// selection), else 1.
int HandleViewKey(platform::WindowHandle window, std::uint16_t virtualKey);

// Scrolls by `delta` units, redrawn and clamped, and brings the scroll bar
// up to date.
void ScrollView(platform::WindowHandle window, int delta);

// A page forward (`direction` > 0) or back, by the key page step: Page
// Down and Page Up, and Space and Shift+Space.
void PageView(platform::WindowHandle window, int direction);

// Back to where the back link returns, when one is recorded (the back
// link is shown then); otherwise nothing.
void FollowBackLink(platform::WindowHandle window);

// Scrolls for a scroll-bar notification (`code` and thumb `position` as the
// bar packs them); the amount scrolled, 0 for none.
int ScrollAmountFor(const TextView& view, std::uint16_t code, std::int16_t position);

// Whether a client point counts as on the page: the text area, and the
// gutter beside it and above it.
bool OnPage(const TextView& view, std::int32_t x, std::int32_t y);

// A tap at a client point: a link, the back link, or tap paging.
void HandleViewTap(platform::WindowHandle window, std::int32_t x, std::int32_t y);

// A new client size: the view takes the text area, gutter and bar taken
// off, and keeps the place it shows at the top.
void HandleViewResize(platform::WindowHandle window, std::int32_t clientWidth, std::int32_t clientHeight);

}  // namespace quillory
