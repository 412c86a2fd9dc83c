#include "app/night_reading.h"

#include "app/bars.h"
#include "app/commands.h"
#include "core/app_state.h"
#include "platform/windows/window.h"
#include "resources/program_resources.h"
#include "view/palette.h"

namespace quillory {

void ShowNightReading(platform::WindowHandle window) {
  if (platform::Menu* menu = CheckMarkMenu()) SetMenuCheck(menu, true, kNightReadingCommand, App().nightReading != 0);
  platform::SetScrollBarColors(window, CurrentPalette().scrollBar, false);
}

void ToggleNightReading(platform::WindowHandle window) {
  App().nightReading = App().nightReading != 0 ? 0 : 1;
  ShowNightReading(window);
  // One paint, when the loop is next idle: the erase fills the client area
  // in the page colour, the view paints over it, the scroll bar is drawn
  // with the window's frame.
  platform::InvalidateRect(window, true);
}

}  // namespace quillory
