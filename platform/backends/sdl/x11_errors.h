#pragma once
// The program's one handler of X errors. Xlib's own ends the program on
// any error; most that reach this program concern a single request to a
// window that has gone, and end nothing. Errors of the clipboard's
// connection concern one request of one other program (a requestor window
// gone, a property too large): that request fails. Once the window system
// closes, SDL may still hear of a message it sent to its closed window.
// Every other error goes on to Xlib's handler, as before.

#include <X11/Xlib.h>

namespace platform {

// Installs the handler; installed again, it only ends the quiet of a close
// before. Installed before SDL opens its connections, it is the handler that
// SDL's own passes errors on to and puts back when it closes them.
void InstallXErrorHandler();
// Errors of `display` say nothing from now on (null: of none).
void QuietXErrorsOf(Display* display);
// The program closes its window: from now on no error says anything.
void QuietXErrorsWhileClosing();

}  // namespace platform
