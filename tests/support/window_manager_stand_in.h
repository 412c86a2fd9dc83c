#pragma once
// A window manager for tests under Xvfb, which has none: on a thread of its
// own and a connection of its own it takes the root window's redirection
// and does the little a desktop's window manager does that the reader
// relies on. It maps windows where they ask to be, applies their moves and
// resizes, announces a work area (_NET_WORKAREA, as a panel would leave it),
// and carries out full-screen requests (_NET_WM_STATE_FULLSCREEN, asked by
// a client message or set before the window is mapped): the window then
// covers the whole screen, and goes back to where it was when it leaves.
// It draws no frames.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>

#include <atomic>
#include <map>
#include <thread>

namespace quillory::testing {

class WindowManagerStandIn {
 public:
  struct WorkArea {
    long x, y, width, height;
  };

  // Starts managing the display named by DISPLAY; started() says whether it
  // could (no display, or another window manager runs).
  explicit WindowManagerStandIn(WorkArea area) : area_(area) {
    display_ = XOpenDisplay(nullptr);
    if (!display_) return;
    root_ = DefaultRootWindow(display_);
    XSetErrorHandler(IgnoreErrors);
    XSelectInput(display_, root_, SubstructureRedirectMask | SubstructureNotifyMask);
    XSync(display_, False);
    if (!redirected_) return;
    Announce();
    running_ = true;
    thread_ = std::thread([this] { Loop(); });
  }
  ~WindowManagerStandIn() {
    running_ = false;
    if (thread_.joinable()) thread_.join();
    if (display_) XCloseDisplay(display_);
  }
  WindowManagerStandIn(const WindowManagerStandIn&) = delete;
  WindowManagerStandIn& operator=(const WindowManagerStandIn&) = delete;

  bool started() const { return running_; }

 private:
  struct Saved {
    int x, y;
    unsigned width, height;
  };

  // Only one window manager at a time: a second one's redirection fails,
  // which the server reports as an error before XSync returns.
  static int IgnoreErrors(Display*, XErrorEvent* error) {
    if (error->request_code == 2 /* ChangeWindowAttributes */) redirected_ = false;
    return 0;
  }

  Atom Intern(const char* name) { return XInternAtom(display_, name, False); }

  void Announce() {
    const Atom state = Intern("_NET_WM_STATE");
    const Atom fullScreen = Intern("_NET_WM_STATE_FULLSCREEN");
    const Atom workArea = Intern("_NET_WORKAREA");
    const Atom check = Intern("_NET_SUPPORTING_WM_CHECK");
    const Atom supported[] = {state, fullScreen, workArea, check};
    XChangeProperty(display_, root_, Intern("_NET_SUPPORTED"), XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(supported), 4);
    const long area[] = {area_.x, area_.y, area_.width, area_.height};
    XChangeProperty(display_, root_, workArea, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(area), 4);
    const Window own = XCreateSimpleWindow(display_, root_, -10, -10, 1, 1, 0, 0, 0);
    for (const Window window : {root_, own}) {
      XChangeProperty(display_, window, check, XA_WINDOW, 32, PropModeReplace,
                      reinterpret_cast<const unsigned char*>(&own), 1);
    }
    const char name[] = "stand-in";
    XChangeProperty(display_, own, Intern("_NET_WM_NAME"), Intern("UTF8_STRING"), 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(name), sizeof name - 1);
    XFlush(display_);
  }

  bool AskedFullScreen(Window window) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    bool asked = false;
    if (XGetWindowProperty(display_, window, Intern("_NET_WM_STATE"), 0, 32, False, XA_ATOM, &type, &format, &count,
                           &after, &data) == Success &&
        data) {
      const auto* atoms = reinterpret_cast<const Atom*>(data);
      for (unsigned long i = 0; i < count; ++i) asked = asked || atoms[i] == Intern("_NET_WM_STATE_FULLSCREEN");
      XFree(data);
    }
    return asked;
  }

  void SetFullScreen(Window window, bool on) {
    const bool is = saved_.count(window) != 0;
    if (on == is) return;
    if (on) {
      XWindowAttributes attributes;
      if (!XGetWindowAttributes(display_, window, &attributes)) return;
      saved_[window] = Saved{attributes.x, attributes.y, static_cast<unsigned>(attributes.width),
                             static_cast<unsigned>(attributes.height)};
      XMoveResizeWindow(display_, window, 0, 0, static_cast<unsigned>(DisplayWidth(display_, 0)),
                        static_cast<unsigned>(DisplayHeight(display_, 0)));
      const Atom fullScreen = Intern("_NET_WM_STATE_FULLSCREEN");
      XChangeProperty(display_, window, Intern("_NET_WM_STATE"), XA_ATOM, 32, PropModeReplace,
                      reinterpret_cast<const unsigned char*>(&fullScreen), 1);
    } else {
      const Saved saved = saved_[window];
      saved_.erase(window);
      XMoveResizeWindow(display_, window, saved.x, saved.y, saved.width, saved.height);
      XChangeProperty(display_, window, Intern("_NET_WM_STATE"), XA_ATOM, 32, PropModeReplace, nullptr, 0);
    }
  }

  void Handle(XEvent& event) {
    switch (event.type) {
      case MapRequest: {
        const Window window = event.xmaprequest.window;
        XMapWindow(display_, window);
        if (AskedFullScreen(window)) SetFullScreen(window, true);
        break;
      }
      case ConfigureRequest: {
        const XConfigureRequestEvent& request = event.xconfigurerequest;
        XWindowChanges changes{};
        changes.x = request.x;
        changes.y = request.y;
        changes.width = request.width;
        changes.height = request.height;
        changes.border_width = request.border_width;
        changes.sibling = request.above;
        changes.stack_mode = request.detail;
        // A full-screen window keeps the screen until it leaves full screen.
        const unsigned long mask =
            saved_.count(request.window) ? request.value_mask & ~(CWX | CWY | CWWidth | CWHeight) : request.value_mask;
        XConfigureWindow(display_, request.window, static_cast<unsigned>(mask), &changes);
        break;
      }
      case ClientMessage: {
        const XClientMessageEvent& message = event.xclient;
        const Atom fullScreen = Intern("_NET_WM_STATE_FULLSCREEN");
        if (message.message_type != Intern("_NET_WM_STATE")) break;
        if (static_cast<Atom>(message.data.l[1]) != fullScreen && static_cast<Atom>(message.data.l[2]) != fullScreen) {
          break;
        }
        const long action = message.data.l[0];  // 0 remove, 1 add, 2 toggle
        SetFullScreen(message.window, action == 2 ? saved_.count(message.window) == 0 : action == 1);
        break;
      }
      case DestroyNotify:
        saved_.erase(event.xdestroywindow.window);
        break;
      default:
        break;
    }
  }

  void Loop() {
    pollfd connection{ConnectionNumber(display_), POLLIN, 0};
    while (running_) {
      while (XPending(display_) > 0) {
        XEvent event;
        XNextEvent(display_, &event);
        Handle(event);
      }
      XFlush(display_);
      poll(&connection, 1, 20);
    }
  }

  static inline std::atomic<bool> redirected_{true};
  WorkArea area_;
  Display* display_ = nullptr;
  Window root_ = 0;
  std::map<Window, Saved> saved_;  // full-screen windows, with where they were
  std::atomic<bool> running_{false};
  std::thread thread_;
};

}  // namespace quillory::testing
