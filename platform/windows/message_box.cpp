#include "platform/windows/message_box.h"

#include "platform/windows/backend.h"

namespace platform {
namespace {

// Answers with the first button; used before any backend is installed.
class SilentBackend final : public Backend {
 public:
  int RunMessageBox(const MessageBoxRequest& request) override {
    return request.buttons() == kMbYesNoCancel ? kIdYes : kIdOk;
  }
};

SilentBackend gSilent;
Backend* gBackend = &gSilent;

}  // namespace

Backend* InstallBackend(Backend* backend) {
  Backend* previous = gBackend;
  gBackend = backend != nullptr ? backend : &gSilent;
  return previous;
}

Backend& CurrentBackend() { return *gBackend; }

int ShowMessageBox(WindowHandle owner, const char* text, const char* caption, unsigned style) {
  MessageBoxRequest request;
  request.owner = owner;
  request.text = text != nullptr ? text : "";
  request.hasCaption = caption != nullptr;
  request.caption = caption != nullptr ? caption : "";
  request.style = style;
  return ShowMessageBox(request);
}

int ShowMessageBox(const MessageBoxRequest& request) { return gBackend->RunMessageBox(request); }

}  // namespace platform
