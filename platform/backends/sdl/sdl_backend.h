#pragma once
// The real window: a desktop window that shows the composed screen, drawn
// at the device scale (screen pixels per pixel of the program), and turns
// the mouse, the keyboard and the window's own events into the platform's
// input. The left button is the stylus (the pointer moving with it up is
// hover), the wheel scrolls by lines, the
// window's close button is the platform's close request, and a change of the
// window's size changes the screen's size (in the program's pixels).

#include <memory>
#include <optional>
#include <string>

#include "platform/graphics/device_scale.h"
#include "platform/graphics/geometry.h"
#include "platform/windows/backend.h"

namespace platform {

struct DesktopWindowRequest {
  Size size{240, 320};              // the inside, in the program's pixels
  bool fullScreen = false;
  // Screen pixels per pixel of the program; without one, twice the
  // desktop's own scale (DesktopScale below).
  std::optional<DeviceScale> scale;
};

class SdlBackend final : public Backend {
 public:
  // Whether the environment names a display to open a window on ($DISPLAY,
  // $WAYLAND_DISPLAY, or a video driver asked of SDL by name); when it does
  // not, `problem` says so in a person's words. Asks no library anything, so
  // that nothing else is printed.
  static bool DisplayNamed(std::string& problem);
  // Opens the window, or says why it could not (in a person's words): the
  // display cannot be opened, or SDL would draw where nobody sees it. The
  // window never opens larger than the monitor's work area or partly off
  // it: a size that does not fit is made smaller, in the program's pixels,
  // at the same scale.
  static std::unique_ptr<SdlBackend> Open(const std::string& title, const DesktopWindowRequest& request,
                                          std::string& error);
  ~SdlBackend() override;

  int RunMessageBox(const MessageBoxRequest& request) override;
  bool WaitForInput(int timeoutMilliseconds) override;
  // Waits at most `milliseconds` for input; false when none came.
  bool WaitForInputFor(int milliseconds);
  void Present(const Framebuffer& screen, const Rect& changed) override;
  void SetIcon(const Framebuffer& icon, Pixel transparent) override;
  bool InFront() const override;
  void ComeForward() override;
  bool HasDesktopWindow() const override { return true; }
  void SetFullScreen(bool on) override;
  bool IsFullScreen() const override;
  Size WindowedSize() const override;
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
  // Copies `area` of the screen to the window and shows it.
  void Show(const Framebuffer& screen, const Rect& area);

  std::unique_ptr<Sdl> sdl_;
};

}  // namespace platform
