#include "app/accelerators.h"

#include <array>

#include "platform/windows/input.h"
#include "platform/windows/window.h"
#include "resources/program_resources.h"

namespace quillory {
namespace {

struct Accelerator {
  std::uint16_t key;
  bool control;
  bool alt;
  std::uint16_t command;
};

// As the menu labels read: "Ctrl+F", "F11", "Ctrl+Home", "Ctrl+D", "Alt+F3",
// "F3", "Ctrl+C", "Ctrl+E", "Ctrl+Q".
constexpr std::array<Accelerator, 9> kAccelerators{{
    {'F', true, false, kChooseFontCommand},
    {platform::kVkF11, false, false, kFullScreenCommand},
    {platform::kVkHome, true, false, kThisWeekCommand},
    {'D', true, false, kIndexCommand},
    {platform::kVkF3, false, true, kSearchCommand},
    {platform::kVkF3, false, false, kSearchAgainCommand},
    {'C', true, false, kCopyCommand},
    {'E', true, false, kAppendToClipboardCommand},
    {'Q', true, false, kExitCommand},
}};

// Whether the key went to `window` or to a control inside it, rather than
// to a dialog or menu of its own.
bool ForWindow(platform::WindowHandle window, platform::WindowHandle target) {
  for (; target != nullptr; target = platform::GetParent(target)) {
    if (target == window) return true;
  }
  return false;
}

}  // namespace

bool TranslateAccelerator(platform::WindowHandle window, const platform::Message& message) {
  if (message.id != platform::kWmKeyDown || !ForWindow(window, message.window)) return false;
  // The key state as of this message, not as the keyboard is now.
  const bool control = platform::GetKeyState(platform::kVkControl);
  const bool alt = platform::GetKeyState(platform::kVkMenu);
  for (const Accelerator& accelerator : kAccelerators) {
    if (accelerator.key == message.first && accelerator.control == control && accelerator.alt == alt) {
      platform::SendMessage(window, platform::kWmCommand, accelerator.command, 0);
      return true;
    }
  }
  return false;
}

}  // namespace quillory
