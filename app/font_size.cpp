#include "app/font_size.h"

#include "app/commands.h"
#include "core/app_state.h"
#include "view/font_sizes.h"

namespace quillory {
namespace {

void SetReaderFontHeight(platform::WindowHandle window, std::int32_t height) {
  if (height == App().font.height) return;
  App().font.height = height;
  ApplyReaderFont(window);
}

}  // namespace

void StepReaderFontSize(platform::WindowHandle window, int step) {
  SetReaderFontHeight(window, SteppedFontHeight(App().font.height, step));
}

// The default size by its number, so that it is saved like any other (a
// height of 0 would leave the size saved before in the settings).
void ResetReaderFontSize(platform::WindowHandle window) { SetReaderFontHeight(window, platform::kDefaultFontHeight); }

}  // namespace quillory
