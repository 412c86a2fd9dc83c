// Sending and posting messages, default processing, and the message loop:
// posted messages first, then paints, then timers that are due, as on the
// handheld.

#include <algorithm>
#include <optional>

#include "platform/windows/backend.h"
#include "platform/windows/timer.h"
#include "platform/windows/window_system.h"

namespace platform {
namespace {

// The first visible window that needs painting: top-level windows from the
// back, each before the windows inside it, so that what is in front is
// painted last.
Window* FindInvalid(Window& window) {
  if (!window.visible) return nullptr;
  if (window.invalid) return &window;
  for (Window* child : window.children) {
    if (Window* found = FindInvalid(*child)) return found;
  }
  return nullptr;
}

Window* NextInvalid() {
  for (Window* top : System().topLevels) {
    if (Window* found = FindInvalid(*top)) return found;
  }
  return nullptr;
}

// The next posted or input message, keyboard input addressed to the focus
// as it is taken; nothing when the queue is empty.
std::optional<Message> TakeQueued() {
  auto& queue = System().queue;
  while (!queue.empty()) {
    Message message = queue.front();
    queue.pop_front();
    NoteKeyMessage(message);
    if (AddressKeyboardInput(message)) return message;
  }
  return std::nullopt;
}

// With no message queued: a window's paint, else a timer due by `now`.
std::optional<Message> TakePaintOrTimer(TimerClock::time_point now) {
  if (Window* invalid = NextInvalid()) {
    DrawNonClient(*invalid);
    return Message{invalid, kWmPaint, 0, 0, 0};
  }
  return TakeDueTimer(now);
}

}  // namespace

LResult SendMessage(WindowHandle handle, std::uint32_t message, WParam first, LParam second) {
  Window* window = Live(handle);
  if (!window) return 0;
  return window->procedure(handle, message, first, second);
}

bool PostMessage(WindowHandle handle, std::uint32_t message, WParam first, LParam second) {
  if (handle && !Live(handle)) return false;
  System().queue.push_back(Message{handle, message, first, second, 0});
  return true;
}

void PostQuitMessage(int exitCode) {
  System().quitPosted = true;
  System().quitCode = exitCode;
}

std::size_t CopyText(std::u16string_view text, std::size_t room, char16_t* buffer) {
  if (!buffer || room == 0) return 0;
  const std::size_t count = std::min(text.size(), room - 1);
  std::copy_n(text.begin(), count, buffer);
  buffer[count] = 0;
  return count;
}

LResult DefWindowProc(WindowHandle handle, std::uint32_t message, WParam first, LParam second) {
  Window* window = Live(handle);
  if (!window) return 0;
  switch (message) {
    case kWmClose:
      DestroyWindow(handle);
      return 0;
    case kWmEraseBackground:
      if (window->windowClass->background) {
        auto* context = reinterpret_cast<DeviceContext*>(first);
        context->FillRect(GetClientRect(handle), *window->windowClass->background);
        return 1;
      }
      return 0;
    case kWmPaint:
      BeginPaint(handle);
      EndPaint(handle);
      return 0;
    case kWmSetText:
      SetWindowText(handle, second ? std::u16string_view(reinterpret_cast<const char16_t*>(second)) : u"");
      return 1;
    case kWmGetText:
      return static_cast<LResult>(CopyText(window->title, first, reinterpret_cast<char16_t*>(second)));
    case kWmGetTextLength:
      return static_cast<LResult>(window->title.size());
    default:
      return 0;
  }
}

bool GetMessage(Message& message) {
  WindowSystem& system = System();
  while (true) {
    if (const std::optional<Message> queued = TakeQueued()) {
      message = *queued;
      return true;
    }
    if (system.quitPosted) {
      system.quitPosted = false;
      message = Message{nullptr, kWmQuit, static_cast<WParam>(system.quitCode), 0, 0};
      return false;
    }
    if (const std::optional<Message> next = TakePaintOrTimer(TimerNow())) {
      message = *next;
      return true;
    }
    PresentScreen();
    if (!CurrentBackend().WaitForInput(MillisecondsToNextTimer())) {
      // Nothing will ever come: end the loop as if asked to.
      message = Message{nullptr, kWmQuit, 0, 0, 0};
      return false;
    }
  }
}

void TranslateMessage(const Message& message) {
  if (message.id == kWmKeyDown && message.character != 0) {
    System().queue.push_front(Message{message.window, kWmChar, message.character, message.second, 0});
  }
  // F1 is the desktop's way to ask for help: the handheld's help request
  // to the window's top-level window.
  if (message.id == kWmKeyDown && message.first == kVkF1) {
    if (Window* window = Live(message.window)) {
      System().queue.push_front(Message{TopLevelOf(window), kWmHelp, 0, 0, 0});
    }
  }
}

LResult DispatchMessage(const Message& message) {
  Window* window = Live(message.window);
  if (!window) return 0;
  if (message.id == kWmPaint && !window->invalid) return 0;
  const std::uint32_t validations = window->validations;
  const LResult result = SendMessage(message.window, message.id, message.first, message.second);
  // A procedure that paints without BeginPaint would be asked forever; one
  // that called it keeps what was invalidated after it (by its erase, say).
  if (message.id == kWmPaint && Live(message.window) && window->validations == validations) window->invalid = false;
  return result;
}

bool RunModalLoop(const std::function<bool()>& done, const std::function<bool(const Message&)>& filter) {
  Message message;
  while (!done()) {
    if (!GetMessage(message)) {
      PostQuitMessage(static_cast<int>(message.first));
      return false;
    }
    if (filter && filter(message)) continue;
    TranslateMessage(message);
    DispatchMessage(message);
  }
  return true;
}

void PumpUntilIdle() {
  // Timers due by now, once each: the pump never waits for time to pass.
  const auto now = TimerNow();
  while (true) {
    std::optional<Message> message = TakeQueued();
    if (!message) message = TakePaintOrTimer(now);
    if (!message) break;
    TranslateMessage(*message);
    DispatchMessage(*message);
  }
  PresentScreen();
}

}  // namespace platform
