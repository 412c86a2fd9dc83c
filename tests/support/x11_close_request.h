#pragma once
// Asks an X11 window to close the way a window manager's close button does:
// a WM_DELETE_WINDOW client message. xdotool can only destroy a window
// outright, which is not what a person closing it does.

#include <X11/Xlib.h>

#include <memory>

namespace quillory::testing {

inline bool RequestWindowClose(unsigned long window) {
  std::unique_ptr<Display, int (*)(Display*)> display(XOpenDisplay(nullptr), XCloseDisplay);
  if (!display) return false;
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display.get(), "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display.get(), "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  const bool sent = XSendEvent(display.get(), window, False, NoEventMask, &event) != 0;
  XFlush(display.get());
  return sent;
}

}  // namespace quillory::testing
