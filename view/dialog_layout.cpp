#include "view/dialog_layout.h"

#include "core/app_state.h"
#include "platform/windows/shell.h"
#include "platform/windows/window.h"

namespace quillory {

void InitDialogLayout(platform::WindowHandle dialog, std::uint32_t flags) {
  const bool fullScreen = Switches().fullScreen != 0;
  platform::ShellInitDialog(dialog, fullScreen ? flags : flags | platform::kShidifDoneButton);
  if (fullScreen) {
    const platform::Rect rect = platform::GetWindowRect(dialog);
    platform::MoveWindow(dialog, rect.left, 0, rect.right, rect.bottom, false);
  }
}

void HideTaskBarOnActivation(platform::WParam first) {
  const std::uint16_t state = platform::LowWord(first);
  if (state == platform::kWaInactive || state == platform::kWaClickActive) return;
  if (Switches().taskBar != nullptr) platform::ShellFullScreen(App().mainWindow, platform::kShfsHideTaskBar);
}

}  // namespace quillory
