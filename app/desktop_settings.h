#pragma once
// The values the desktop adds to the handheld's settings, under the product
// key like the rest: the window's size and full-screen state, and the
// reading place as a text offset beside "LastPosition". A position counts
// display lines, so it means another place once the text is laid out at
// another width; the offset of the byte at the top of the page does not.
//
//   "WindowWidth", "WindowHeight"  the window's inside when not full screen,
//                                  in the reader's pixels (1 to 4096 each)
//   "WindowFullScreen"             1 when the window was left full screen
//   "LastTextOffset"               the first byte read on the top line
//   "LastLayoutWidth"              the text's width when "LastPosition" was
//                                  counted, in the reader's pixels

#include <cstdint>

#include "platform/graphics/geometry.h"
#include "view/text_view.h"

namespace quillory {

struct WindowPlacement {
  platform::Size size{240, 320};
  bool fullScreen = false;
};

// How the window opens: as it was left (240 × 320 and not full screen the
// first time, or when the values are damaged), and full screen also when
// the "FullScreen" switch asks for it. Read before the window opens.
WindowPlacement ReadWindowPlacement();

// Reads the reading place saved beside "LastPosition" (with the settings),
// in `article`, the "Lesson" stored with it.
void LoadReadingPlace(std::uint16_t article);
// After the initial load at the saved position: when that position was
// counted at another width, the view goes to the saved place instead.
void RestoreReadingPlace(TextView& view);

// At the save: the reading place, and the window when there is one.
void WriteDesktopSettings();

}  // namespace quillory
