#pragma once
// The real window: SDL shows the composed screen scaled up, and turns the
// mouse, the keyboard and the window's own events into the platform's
// input. The left button is the stylus (the pointer moving with it up is
// hover), the wheel scrolls by lines, the
// window's close button is the platform's close request, and a change of the
// window's size changes the screen's size (in handheld pixels).

#include <memory>
#include <string>

#include "platform/graphics/geometry.h"
#include "platform/windows/backend.h"

namespace platform {

class SdlBackend final : public Backend {
 public:
  // Whether the environment names a display to open a window on ($DISPLAY,
  // $WAYLAND_DISPLAY, or a video driver asked of SDL by name); when it does
  // not, `problem` says so in a person's words. Asks no library anything, so
  // that nothing else is printed.
  static bool DisplayNamed(std::string& problem);
  // Opens the window, or says why it could not (in a person's words): the
  // display cannot be opened, or SDL would draw where nobody sees it.
  static std::unique_ptr<SdlBackend> Open(const std::string& title, Size screen, int scale, std::string& error);
  ~SdlBackend() override;

  int RunMessageBox(const MessageBoxRequest& request) override;
  bool WaitForInput(int timeoutMilliseconds) override;
  // Waits at most `milliseconds` for input; false when none came.
  bool WaitForInputFor(int milliseconds);
  void Present(const Framebuffer& screen) override;
  void SetIcon(const Framebuffer& icon, Pixel transparent) override;
  bool InFront() const override;
  void ComeForward() override;
  // On X11 the program's clipboard is the desktop's CLIPBOARD selection.
  void ClipboardChanged() override;
  void PrimarySelectionChanged() override;
  std::optional<std::vector<std::uint8_t>> ReadDesktopClipboard(ClipboardFormat format) override;

  // The window's system identifier (an X11 window id), for tests that send
  // it real events.
  unsigned long NativeWindowId() const;

 private:
  struct Sdl;
  explicit SdlBackend(std::unique_ptr<Sdl> sdl);
  bool Handle(const void* event);

  std::unique_ptr<Sdl> sdl_;
};

}  // namespace platform
