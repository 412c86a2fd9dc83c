#include "app/accelerators.h"

#include <array>

#include "platform/window.h"
#include "resources/program_resources.h"

namespace quillory {
namespace {

struct Accelerator {
  std::uint16_t key;
  std::uint8_t modifiers;  // platform::KeyModifier bits, Shift aside
  std::uint16_t command;
};

// As the menu labels read: "Ctrl+F", "Ctrl+Home", "Ctrl+D", "Alt+F3", "F3",
// "Ctrl+C", "Ctrl+E", "Ctrl+Q".
constexpr std::array<Accelerator, 8> kAccelerators{{
    {'F', platform::kModControl, kChooseFontCommand},
    {platform::kVkHome, platform::kModControl, kThisWeekCommand},
    {'D', platform::kModControl, kIndexCommand},
    {platform::kVkF3, platform::kModAlt, kSearchCommand},
    {platform::kVkF3, 0, kSearchAgainCommand},
    {'C', platform::kModControl, kCopyCommand},
    {'E', platform::kModControl, kAppendToClipboardCommand},
    {'Q', platform::kModControl, kExitCommand},
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
  const std::uint8_t modifiers = message.modifiers & (platform::kModControl | platform::kModAlt);
  for (const Accelerator& accelerator : kAccelerators) {
    if (accelerator.key == message.first && accelerator.modifiers == modifiers) {
      platform::SendMessage(window, platform::kWmCommand, accelerator.command, 0);
      return true;
    }
  }
  return false;
}

}  // namespace quillory
