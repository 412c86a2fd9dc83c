#include "app/accelerators.h"

#include <array>

#include "app/font_size.h"
#include "app/view_input.h"
#include "core/app_state.h"
#include "platform/menus/command_bar.h"
#include "platform/windows/input.h"
#include "platform/windows/window.h"
#include "resources/program_resources.h"

namespace quillory {
namespace {

enum class KeyAction {
  kCommand,  // the accelerator's command, as if chosen from the menu
  kOpenGoMenu,
  kPageForward,
  kPageBack,
  kBackLink,
  kLargerText,
  kSmallerText,
  kDefaultText,
};

enum Modifier : std::uint8_t { kNone = 0, kControl = 1, kAlt = 2, kShift = 4 };

struct Accelerator {
  std::uint16_t key;
  std::uint8_t modifiers;
  // Shift may be held as well: '+' is a shifted key on many layouts, and
  // the menu's shortcuts never cared.
  bool anyShift;
  KeyAction action;
  std::uint16_t command = 0;
};

constexpr std::array kAccelerators{
    // As the menu labels read (resources/program_resources.cpp).
    Accelerator{'F', kControl, true, KeyAction::kCommand, kChooseFontCommand},
    Accelerator{platform::kVkF11, kNone, true, KeyAction::kCommand, kFullScreenCommand},
    Accelerator{platform::kVkHome, kControl, true, KeyAction::kCommand, kThisWeekCommand},
    Accelerator{'D', kControl, true, KeyAction::kCommand, kIndexCommand},
    Accelerator{'B', kControl, true, KeyAction::kCommand, kBookmarkCommand},
    Accelerator{platform::kVkF3, kAlt, true, KeyAction::kCommand, kSearchCommand},
    Accelerator{platform::kVkF3, kNone, true, KeyAction::kCommand, kSearchAgainCommand},
    Accelerator{'C', kControl, true, KeyAction::kCommand, kCopyCommand},
    Accelerator{'E', kControl, true, KeyAction::kCommand, kAppendToClipboardCommand},
    Accelerator{'Q', kControl, true, KeyAction::kCommand, kExitCommand},
    Accelerator{'N', kControl, true, KeyAction::kCommand, kNightReadingCommand},
    // The menu itself, from the keyboard.
    Accelerator{platform::kVkF10, kNone, false, KeyAction::kOpenGoMenu},
    Accelerator{'G', kAlt, false, KeyAction::kOpenGoMenu},
    Accelerator{platform::kVkSpace, kNone, false, KeyAction::kPageForward},
    Accelerator{platform::kVkSpace, kShift, false, KeyAction::kPageBack},
    Accelerator{platform::kVkBack, kNone, false, KeyAction::kBackLink},
    Accelerator{platform::kVkLeft, kAlt, false, KeyAction::kBackLink},
    Accelerator{platform::kVkOemPlus, kControl, true, KeyAction::kLargerText},
    Accelerator{platform::kVkAdd, kControl, true, KeyAction::kLargerText},
    Accelerator{platform::kVkOemMinus, kControl, true, KeyAction::kSmallerText},
    Accelerator{platform::kVkSubtract, kControl, true, KeyAction::kSmallerText},
    Accelerator{'0', kControl, true, KeyAction::kDefaultText},
    Accelerator{platform::kVkNumpad0, kControl, true, KeyAction::kDefaultText},
};

// Whether the key went to `window` or to a control inside it, rather than
// to a dialog or menu of its own.
bool ForWindow(platform::WindowHandle window, platform::WindowHandle target) {
  for (; target != nullptr; target = platform::GetParent(target)) {
    if (target == window) return true;
  }
  return false;
}

// The modifiers held as of this message, not as the keyboard is now.
std::uint8_t HeldModifiers() {
  std::uint8_t held = kNone;
  if (platform::GetKeyState(platform::kVkControl)) held |= kControl;
  if (platform::GetKeyState(platform::kVkMenu)) held |= kAlt;
  if (platform::GetKeyState(platform::kVkShift)) held |= kShift;
  return held;
}

void Perform(platform::WindowHandle window, const Accelerator& accelerator) {
  switch (accelerator.action) {
    case KeyAction::kCommand:
      platform::SendMessage(window, platform::kWmCommand, accelerator.command, 0);
      return;
    case KeyAction::kOpenGoMenu:
      if (App().barWindow != nullptr) platform::BarOpenMenu(App().barWindow, 0);
      return;
    case KeyAction::kPageForward:
    case KeyAction::kPageBack:
      PageView(window, accelerator.action == KeyAction::kPageForward ? 1 : -1);
      return;
    case KeyAction::kBackLink:
      FollowBackLink(window);
      return;
    case KeyAction::kLargerText:
    case KeyAction::kSmallerText:
      StepReaderFontSize(window, accelerator.action == KeyAction::kLargerText ? 1 : -1);
      return;
    case KeyAction::kDefaultText:
      ResetReaderFontSize(window);
      return;
  }
}

}  // namespace

bool TranslateAccelerator(platform::WindowHandle window, const platform::Message& message) {
  if (message.id != platform::kWmKeyDown || !ForWindow(window, message.window)) return false;
  const std::uint8_t held = HeldModifiers();
  for (const Accelerator& accelerator : kAccelerators) {
    const std::uint8_t compared = accelerator.anyShift ? static_cast<std::uint8_t>(held & ~kShift) : held;
    if (accelerator.key == message.first && accelerator.modifiers == compared) {
      Perform(window, accelerator);
      return true;
    }
  }
  return false;
}

}  // namespace quillory
