#include "app/second_start.h"

#include "platform/windows/backend.h"
#include "platform/windows/window.h"
#include "resources/program_resources.h"

namespace quillory {

void AnswerSecondStart(platform::WindowHandle mainWindow) {
  if (!platform::IsWindow(mainWindow)) return;
  const platform::WindowHandle foreground = platform::GetForegroundWindow();
  if (platform::CurrentBackend().InFront() && foreground == mainWindow) {
    platform::SendMessage(mainWindow, platform::kWmCommand, kThisWeekCommand, 0);
    return;
  }
  platform::WindowHandle topmost = foreground;
  while (platform::GetParent(topmost) != nullptr) topmost = platform::GetParent(topmost);
  // One of the reader's own dialogs in front of it on the desktop is left
  // alone; anything else gives way to the reader.
  if (!platform::CurrentBackend().InFront() || topmost != mainWindow) {
    platform::SetForegroundWindow(mainWindow);
    platform::CurrentBackend().ComeForward();
  }
}

}  // namespace quillory
