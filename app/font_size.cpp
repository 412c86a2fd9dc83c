#include "app/font_size.h"

#include "app/commands.h"
#include "core/app_state.h"
#include "core/shell_calls.h"
#include "view/font_sizes.h"
#include "view/text_scroll.h"

namespace quillory {
namespace {

void SetReaderFontHeight(platform::WindowHandle window, std::int32_t height) {
  AppState& app = App();
  if (height == app.font.height) return;
  app.font.height = height;
  const std::optional<std::uint16_t> place = TopPlace(app.textView);
  ApplyReaderFont(window);
  // The layout kept the top position's number, which now means another
  // place; the text that was at the top goes back there.
  if (place && ShowPlaceAtTop(app.textView, *place)) RepaintView(window);
}

}  // namespace

void StepReaderFontSize(platform::WindowHandle window, int step) {
  SetReaderFontHeight(window, SteppedFontHeight(App().font.height, step));
}

void ResetReaderFontSize(platform::WindowHandle window) { SetReaderFontHeight(window, 0); }

}  // namespace quillory
