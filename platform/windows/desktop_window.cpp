#include "platform/windows/desktop_window.h"

#include "platform/windows/backend.h"
#include "platform/windows/window.h"

namespace platform {

bool HasDesktopWindow() { return CurrentBackend().HasDesktopWindow(); }

void SetDesktopFullScreen(bool on) {
  if (HasDesktopWindow() && on != IsDesktopFullScreen()) CurrentBackend().SetFullScreen(on);
}

bool IsDesktopFullScreen() { return HasDesktopWindow() && CurrentBackend().IsFullScreen(); }

Size DesktopWindowSize() { return HasDesktopWindow() ? CurrentBackend().WindowedSize() : ScreenSize(); }

}  // namespace platform
