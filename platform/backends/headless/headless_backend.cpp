#include "platform/backends/headless/headless_backend.h"

#include "platform/dialogs/dialog.h"
#include "platform/dialogs/message_box_dialog.h"
#include "platform/windows/descriptor_watch.h"
#include "platform/windows/input.h"
#include "platform/windows/window.h"

namespace platform {

int HeadlessBackend::RunMessageBox(const MessageBoxRequest& request) {
  shown_.push_back(request);
  int answer = request.buttons() == kMbYesNoCancel ? kIdYes : kIdOk;
  if (!answers_.empty()) {
    answer = answers_.front();
    answers_.pop_front();
  }
  if (!drawsBoxes_) return answer;
  pending_.push_back(PendingAnswer{answer, false});
  const int shown = RunMessageBoxDialog(request);
  pending_.pop_back();
  // A box that could not be shown, or was cut short, still gets its answer.
  return shown != 0 ? shown : answer;
}

bool HeadlessBackend::AnswerOpenBox() {
  const WindowHandle box = OpenMessageBox();
  if (pending_.empty() || !box) return false;
  PendingAnswer& pending = pending_.back();
  if (!pending.tapped) {
    pending.tapped = true;
    AnswerMessageBox(box, pending.button);
  } else {
    EndDialog(box, pending.button);  // the tap went astray
  }
  return true;
}

void HeadlessBackend::SetScript(std::vector<ScriptCommand> script) {
  script_ = std::move(script);
  next_ = 0;
  scripted_ = true;
  closeRequested_ = false;
}

void HeadlessBackend::SetFullScreen(bool on) {
  if (!desktop_ || on == fullScreen_) return;
  fullScreen_ = on;
  if (on) {
    windowed_ = ScreenSize();
    const DeviceScale scale = GetDeviceScale();
    SetScreenSize(Size{scale.LogicalCovering(monitor_.cx), scale.LogicalCovering(monitor_.cy)});
  } else {
    SetScreenSize(windowed_);
  }
}

Size HeadlessBackend::WindowedSize() const { return fullScreen_ ? windowed_ : ScreenSize(); }

bool HeadlessBackend::WaitForInput(int) {
  // A termination signal or a later start of the program is taken at the
  // next turn, as a window would take it.
  if (PollWatchedDescriptors(0)) return true;
  if (AnswerOpenBox()) return true;
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
