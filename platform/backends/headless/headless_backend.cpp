#include "platform/backends/headless/headless_backend.h"

#include "platform/descriptor_watch.h"
#include "platform/input.h"

namespace platform {

int HeadlessBackend::RunMessageBox(const MessageBoxRequest& request) {
  shown_.push_back(request);
  if (!answers_.empty()) {
    int answer = answers_.front();
    answers_.pop_front();
    return answer;
  }
  return request.buttons() == kMbYesNoCancel ? kIdYes : kIdOk;
}

void HeadlessBackend::SetScript(std::vector<ScriptCommand> script) {
  script_ = std::move(script);
  next_ = 0;
  scripted_ = true;
  closeRequested_ = false;
}

bool HeadlessBackend::WaitForInput() {
  // A termination signal or a later start of the program is taken at the
  // next turn, as a window would take it.
  if (PollWatchedDescriptors(0)) return true;
  if (next_ < script_.size()) {
    RunScriptCommand(script_[next_++]);
    return true;
  }
  // A script that has ended asks the program to close, once; after that no
  // input will come.
  if (scripted_ && !closeRequested_) {
    closeRequested_ = true;
    RequestClose();
    return true;
  }
  return false;
}

}  // namespace platform
