#pragma once
// What a test sees of the windows on its X server, through a connection of
// its own. Windows come and go while a test looks (a program starting or
// ending, xclip's helper windows): a request about a window that has just
// gone fails with BadWindow, which here means "not there" and never ends
// the test, and every search is retried until its deadline.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/x11_test_server.h"

namespace quillory::testing {

class XWindows {
 public:
  XWindows() : display_(XOpenDisplay(nullptr), XCloseDisplay) {
    // Errors are answers here ("that window is gone"), not reasons to exit.
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
  }
  bool connected() const { return display_ != nullptr; }

  // Every shown window titled `title`, looked up once.
  std::vector<Window> Shown(const std::string& title) {
    std::vector<Window> found;
    if (!display_) return found;
    Collect(DefaultRootWindow(display_.get()), title, found);
    return found;
  }

  bool IsShown(Window window) {
    XWindowAttributes attributes{};
    return XGetWindowAttributes(display_.get(), window, &attributes) != 0 && attributes.map_state == IsViewable;
  }

  // Whether the keyboard focus is on `window` (or inside it).
  bool HasFocus(Window window) {
    Window focus = None;
    int revertTo = 0;
    XGetInputFocus(display_.get(), &focus, &revertTo);
    for (int depth = 0; focus != None && focus != PointerRoot && depth < 64; ++depth) {
      if (focus == window) return true;
      Window root = None;
      Window parent = None;
      Window* children = nullptr;
      unsigned int count = 0;
      if (!XQueryTree(display_.get(), focus, &root, &parent, &children, &count)) return false;
      if (children) XFree(children);
      if (parent == root) return false;
      focus = parent;
    }
    return false;
  }

  // Whether `window` is above `other` among the root window's children
  // (without a window manager, top-level windows are those children).
  bool IsAbove(Window window, Window other) {
    Window root = None;
    Window parent = None;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display_.get(), DefaultRootWindow(display_.get()), &root, &parent, &children, &count)) return false;
    int windowAt = -1;
    int otherAt = -1;
    for (unsigned int i = 0; i < count; ++i) {
      if (children[i] == window) windowAt = static_cast<int>(i);
      if (children[i] == other) otherAt = static_cast<int>(i);
    }
    if (children) XFree(children);
    return windowAt > otherAt && otherAt >= 0;
  }

  // The window's pixels as shown now; empty when it cannot be read.
  std::vector<std::uint32_t> Picture(Window window) {
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display_.get(), window, &attributes) || attributes.map_state != IsViewable) return {};
    // XDestroyImage is a macro: it has no address to hand over.
    const auto destroy = [](XImage* image) { return XDestroyImage(image); };
    std::unique_ptr<XImage, int (*)(XImage*)> image(
        XGetImage(display_.get(), window, 0, 0, static_cast<unsigned>(attributes.width),
                  static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap),
        destroy);
    if (!image) return {};
    std::vector<std::uint32_t> pixels;
    pixels.reserve(static_cast<std::size_t>(attributes.width) * static_cast<std::size_t>(attributes.height));
    for (int y = 0; y < attributes.height; ++y) {
      for (int x = 0; x < attributes.width; ++x) pixels.push_back(static_cast<std::uint32_t>(XGetPixel(image.get(), x, y)));
    }
    return pixels;
  }

  // The shown window titled `title` once the program has drawn into it:
  // before its first picture a new window shows the black screen under it,
  // and a window may be replaced by another on the way. The reader draws
  // pages and dialogs on a ground of one colour (white by day, near-black at
  // night) and anti-aliased text over it.
  std::optional<Window> WaitForDrawn(const std::string& title) {
    std::optional<Window> drawn;
    WaitUntil([&] {
      for (const Window window : Shown(title)) {
        if (LooksDrawn(Picture(window))) drawn = window;
      }
      return drawn.has_value();
    });
    return drawn;
  }

  // Waits until the window shows something other than `before`.
  bool WaitForChange(Window window, const std::vector<std::uint32_t>& before) {
    return WaitUntil([&] {
      const std::vector<std::uint32_t> now = Picture(window);
      return !now.empty() && now != before;
    });
  }

  // Minimizes the window the way a window manager does: its state becomes
  // iconic and it is taken off the screen.
  void Iconify(Window window) {
    const Atom state = XInternAtom(display_.get(), "WM_STATE", False);
    const long iconic[2] = {IconicState, None};
    XChangeProperty(display_.get(), window, state, state, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(iconic), 2);
    XUnmapWindow(display_.get(), window);
    XSync(display_.get(), False);
  }

  // A plain window of this connection's, shown over the whole screen.
  Window CoverScreen() {
    Display* display = display_.get();
    const Window cover = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 800, 800, 0, 0,
                                             WhitePixel(display, DefaultScreen(display)));
    XMapRaised(display, cover);
    XSync(display, False);
    return cover;
  }

  Display* display() const { return display_.get(); }

 private:
  // A ground of one colour other than black over a twentieth of the picture
  // at least, and shades that are neither that ground nor black.
  static bool LooksDrawn(const std::vector<std::uint32_t>& picture) {
    std::unordered_map<std::uint32_t, std::size_t> counts;
    for (const std::uint32_t pixel : picture) ++counts[pixel & 0xFFFFFF];
    std::uint32_t ground = 0;
    std::size_t most = 0;
    for (const auto& [colour, count] : counts) {
      if (colour != 0 && count > most) {
        ground = colour;
        most = count;
      }
    }
    const bool shaded = std::any_of(counts.begin(), counts.end(),
                                    [&](const auto& entry) { return entry.first != ground && entry.first != 0; });
    return !picture.empty() && most * 20 > picture.size() && shaded;
  }

  std::optional<std::string> Title(Window window) {
    XTextProperty property{};
    if (!XGetWMName(display_.get(), window, &property) || property.value == nullptr) return std::nullopt;
    std::string title(reinterpret_cast<const char*>(property.value), property.nitems);
    XFree(property.value);
    return title;
  }

  void Collect(Window window, const std::string& title, std::vector<Window>& found) {
    if (IsShown(window) && Title(window) == title) found.push_back(window);
    Window root = None;
    Window parent = None;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display_.get(), window, &root, &parent, &children, &count)) return;  // gone meanwhile
    const std::vector<Window> below(children, children + count);
    if (children) XFree(children);
    for (const Window child : below) Collect(child, title, found);
  }

  std::unique_ptr<Display, int (*)(Display*)> display_;
};

}  // namespace quillory::testing
