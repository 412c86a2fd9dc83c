#pragma once
// The contract between the platform layer and the backend that stands in for
// the device: a real window (sdl) or none at all (headless). Exactly one
// backend is installed at a time; the platform calls it for everything that
// needs a screen or a person.

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/graphics/framebuffer.h"
#include "platform/windows/clipboard.h"
#include "platform/windows/message_box.h"

namespace platform {

class Backend {
 public:
  virtual ~Backend() = default;
  // Runs a modal message box and returns the button that closed it.
  virtual int RunMessageBox(const MessageBoxRequest& request) = 0;
  // Waits until there is input and hands it to the platform (platform/windows/input.h),
  // or, when `timeoutMilliseconds` is not negative, at most that long (a
  // timer is due then). False only when no input will ever come again.
  virtual bool WaitForInput(int timeoutMilliseconds) {
    (void)timeoutMilliseconds;
    return false;
  }
  // Shows the composed screen (screen pixels, at the device scale), of which
  // `changed` is new since the last call. The screen lives as long as the
  // window system and changes only between calls.
  virtual void Present(const Framebuffer& screen, const Rect& changed) { (void)screen, (void)changed; }
  // The picture the desktop shows for the program (its window's class
  // icon); pixels of the colour `transparent` are not drawn.
  virtual void SetIcon(const Framebuffer& icon, Pixel transparent) { (void)icon, (void)transparent; }
  // Whether the program's window has the desktop's keyboard focus, and a
  // request to bring it there (restored first when it was minimized);
  // without a desktop the program is always in front.
  virtual bool InFront() const { return true; }
  virtual void ComeForward() {}
  // The desktop window that shows the screen (platform/windows/desktop_window.h):
  // whether there is one, full screen, and its size (program pixels) when
  // not full screen. Without one the screen is all there is.
  virtual bool HasDesktopWindow() const { return false; }
  virtual void SetFullScreen(bool on) { (void)on; }
  virtual bool IsFullScreen() const { return false; }
  virtual Size WindowedSize() const { return Size{}; }
  // The program's clipboard (platform/windows/clipboard.h) was emptied or
  // written: a desktop with a clipboard of its own learns that the program
  // holds it.
  virtual void ClipboardChanged() {}
  // The program's primary selection (platform/windows/clipboard.h) was
  // replaced: a desktop that has one learns that the program holds it.
  virtual void PrimarySelectionChanged() {}
  // Another program's clipboard data in `format`, when another program holds
  // the desktop's clipboard and has it in that format. Waits a moment at
  // most for an answer; without a desktop clipboard there is never any.
  virtual std::optional<std::vector<std::uint8_t>> ReadDesktopClipboard(ClipboardFormat format) {
    (void)format;
    return std::nullopt;
  }
};

// Installs `backend` (not owned; it must outlive its use) and returns the one
// it replaces. Null restores the built-in fallback, which answers every box
// with its first button without showing anything.
Backend* InstallBackend(Backend* backend);
Backend& CurrentBackend();

}  // namespace platform
