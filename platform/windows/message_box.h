#pragma once
// Message boxes: a modal question with a fixed text, answered by one button.
// The numeric values are the handheld's, since stored behaviour depends on them.

#include <string>

#include "platform/graphics/handles.h"

namespace platform {

// Buttons (low bits) and icon (bits 4-7), combined with |.
enum MessageBoxStyle : unsigned {
  kMbOk = 0x0,
  kMbYesNoCancel = 0x3,
  kMbIconStop = 0x10,
  kMbIconExclamation = 0x30,
};

// The button that closed the box.
enum MessageBoxResult : int {
  kIdOk = 1,
  kIdCancel = 2,
  kIdYes = 6,
  kIdNo = 7,
};

struct MessageBoxRequest {
  WindowHandle owner = nullptr;
  std::string text;
  bool hasCaption = false;  // no caption of its own: the platform's default title
  std::string caption;
  unsigned style = kMbOk;
  // What backing out of the box answers: Escape, or the box being closed
  // rather than answered. 0: Cancel, or OK in a box with only OK. A box whose
  // Cancel button does something drastic answers No here instead.
  int backOutAnswer = 0;

  unsigned buttons() const { return style & 0xF; }
  unsigned icon() const { return style & 0xF0; }
};

// Shows the box modally and returns the button. `caption` may be null.
int ShowMessageBox(WindowHandle owner, const char* text, const char* caption, unsigned style);
int ShowMessageBox(const MessageBoxRequest& request);

}  // namespace platform
