#include "platform/backends/sdl/x11_errors.h"

namespace platform {
namespace {

XErrorHandler gXlibHandler = nullptr;  // the handler found at the first install
Display* gQuietDisplay = nullptr;
bool gClosing = false;

int OnXError(Display* display, XErrorEvent* error) {
  if (gClosing || display == gQuietDisplay || gXlibHandler == nullptr) return 0;
  return gXlibHandler(display, error);
}

}  // namespace

void InstallXErrorHandler() {
  gClosing = false;
  // Set once: a second XSetErrorHandler would take SDL's handler, which
  // passes errors on to this one, for the one to pass them on to.
  if (gXlibHandler == nullptr) gXlibHandler = XSetErrorHandler(OnXError);
}

void QuietXErrorsOf(Display* display) { gQuietDisplay = display; }

void QuietXErrorsWhileClosing() { gClosing = true; }

}  // namespace platform
