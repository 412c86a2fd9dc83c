#include "platform/backends/headless/headless_backend.h"

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

}  // namespace platform
