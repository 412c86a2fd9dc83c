#pragma once
// The contract between the platform layer and the backend that stands in for
// the device: a real window (sdl) or none at all (headless). Exactly one
// backend is installed at a time; the platform calls it for everything that
// needs a screen or a person.

#include "platform/framebuffer.h"
#include "platform/message_box.h"

namespace platform {

class Backend {
 public:
  virtual ~Backend() = default;
  // Runs a modal message box and returns the button that closed it.
  virtual int RunMessageBox(const MessageBoxRequest& request) = 0;
  // Waits until there is input and hands it to the platform (platform/input.h).
  // False when no input will ever come again.
  virtual bool WaitForInput() { return false; }
  // Shows the composed screen.
  virtual void Present(const Framebuffer& screen) { (void)screen; }
  // The picture the desktop shows for the program (its window's class
  // icon); pixels of the colour `transparent` are not drawn.
  virtual void SetIcon(const Framebuffer& icon, Pixel transparent) { (void)icon, (void)transparent; }
  // Whether the program's window has the desktop's keyboard focus, and a
  // request to bring it there; without a desktop the program is always in front.
  virtual bool InFront() const { return true; }
  virtual void ComeForward() {}
};

// Installs `backend` (not owned; it must outlive its use) and returns the one
// it replaces. Null restores the built-in fallback, which answers every box
// with its first button without showing anything.
Backend* InstallBackend(Backend* backend);
Backend& CurrentBackend();

}  // namespace platform
