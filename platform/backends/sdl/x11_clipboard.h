#pragma once
// The desktop's clipboard on X11: the CLIPBOARD selection, held for the
// program by a hidden window of its own, and beside it PRIMARY, what the
// program has selected last (a middle click elsewhere pastes it). It serves the program's clipboard
// to other programs ("Rich Text Format" as text/rtf and application/rtf,
// Unicode text as UTF8_STRING and text/plain;charset=utf-8 with its lines
// ended by LF as the desktop's are, with TARGETS and
// TIMESTAMP), in increments (INCR) when the data is large; and it reads the
// same targets from whoever else holds the selection, for Append.
//
// It talks to the X server over a connection of its own rather than SDL's:
// SDL reads every event of its connection in its own pump and would swallow
// the selection requests, and the waits for another owner's answer must not
// pump SDL's events (input would be taken out of order). The message loop
// calls HandlePending between its waits, which answers requests within a
// wait slice.

#include <memory>
#include <optional>
#include <vector>

#include "platform/windows/clipboard.h"

namespace platform {

class X11Clipboard {
 public:
  // Connects to the display named by DISPLAY; null when there is none.
  static std::unique_ptr<X11Clipboard> Open();
  // Gives the selection up (to a clipboard manager first, when the desktop
  // runs one, so that what was copied outlives the program).
  ~X11Clipboard();
  X11Clipboard(const X11Clipboard&) = delete;
  X11Clipboard& operator=(const X11Clipboard&) = delete;

  // Takes the selection for what the program's clipboard holds now.
  void Claim();
  // Takes PRIMARY for what the program's primary selection holds now, served
  // with the same targets.
  void ClaimPrimary();
  // Another owner's data in `format`; nothing when the program holds the
  // selection, nobody does, the owner does not list such a target among
  // its TARGETS, or it does not answer within a moment.
  std::optional<std::vector<std::uint8_t>> Read(ClipboardFormat format);
  // Answers whatever requests have come in.
  void HandlePending();

 private:
  struct Connection;
  explicit X11Clipboard(std::unique_ptr<Connection> connection);

  std::unique_ptr<Connection> x_;
};

}  // namespace platform
