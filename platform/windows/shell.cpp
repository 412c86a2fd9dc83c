#include "platform/windows/shell.h"

#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <utility>
#include <vector>

#include "platform/windows/descriptor_watch.h"
#include "platform/windows/desktop_window.h"
#include "platform/windows/window_system.h"

extern char** environ;

namespace platform {
namespace {

ShellState& State() {
  static ShellState state;
  return state;
}

PlatformVersion& Version() {
  static PlatformVersion version;
  return version;
}

constexpr Pixel kTaskBarFace = 0x00000080;

// How long an opener's failure still says that no browser could be started.
constexpr std::chrono::seconds kOpenerVerdictTime{10};

// The task bar shows the title of the window in front, as the handheld's
// navigation bar does.
LResult TaskBarProcedure(WindowHandle window, std::uint32_t message, WParam first, LParam second) {
  if (message != kWmPaint) return DefWindowProc(window, message, first, second);
  const PaintInfo paint = BeginPaint(window);
  const Rect area = GetClientRect(window);
  paint.context->FillRect(area, SolidBrush(ToColor(kTaskBarFace)));
  const Color oldText = paint.context->SetTextColor(kWhite);
  const BackgroundMode oldMode = paint.context->SetBkMode(BackgroundMode::kTransparent);
  if (const WindowHandle front = GetForegroundWindow()) {
    paint.context->DrawText(GetWindowText(front), Rect{area.left + 30, area.top, area.right - 4, area.bottom},
                            kDtVCenter | kDtSingleLine | kDtNoPrefix);
  }
  if (State().startIconVisible) {
    paint.context->FillRect(Rect{6, 6, 20, 20}, SolidBrush(Rgb(0, 128, 255)));
  }
  paint.context->SetTextColor(oldText);
  paint.context->SetBkMode(oldMode);
  EndPaint(window);
  return 0;
}

}  // namespace

void StartShell() {
  WindowSystem& system = System();
  if (system.shellStarted) return;
  system.shellStarted = true;
  // In a desktop window the window manager shows the title: a task bar in
  // the screen would only repeat it.
  if (HasDesktopWindow()) return;
  WindowClass taskBar;
  taskBar.procedure = TaskBarProcedure;
  taskBar.name = u"HHTaskBar";
  RegisterClass(taskBar);
  CreateWindow(kWsExNoActivate, u"HHTaskBar", u"", kWsPopup | kWsVisible, 0, 0, system.screen.cx, kTaskBarHeight, nullptr, 0,
               nullptr);
}

bool ShellFullScreen(WindowHandle window, std::uint32_t flags) {
  if (!IsWindow(window)) return false;
  if (const WindowHandle taskBar = FindWindow(u"HHTaskBar", u"")) {
    if (flags & kShfsHideTaskBar) ShowWindow(taskBar, kSwHide);
    if (flags & kShfsShowTaskBar) ShowWindow(taskBar, kSwShow);
  }
  ShellState& state = State();
  if (flags & kShfsHideSipButton) state.sipButtonVisible = false;
  if (flags & kShfsShowSipButton) state.sipButtonVisible = true;
  if (flags & kShfsHideStartIcon) state.startIconVisible = false;
  if (flags & kShfsShowStartIcon) state.startIconVisible = true;
  if (const WindowHandle taskBar = FindWindow(u"HHTaskBar", u"")) InvalidateRect(taskBar, true);
  return true;
}

const ShellState& GetShellState() { return State(); }

bool ShellInitDialog(WindowHandle dialog, std::uint32_t flags) {
  Window* window = Live(dialog);
  if (!window || window->parent) return false;
  if (flags & kShidifDoneButton) {
    window->exStyle |= kWsExCaptionOkButton;
    InvalidateTree(*window, false);
  }
  if (flags & (kShidifSizeDialog | kShidifSizeDialogFullScreen)) {
    // And kept so as the work area changes, as the shell keeps its dialogs.
    PlaceWindow(*window, flags & kShidifFullScreenNoMenuBar ? Placement::kFillsWorkArea : Placement::kAboveMenuBar);
  }
  if (flags & kShidifSipDown) State().inputPanelUp = false;
  return true;
}

bool ShellSipPreference(WindowHandle window, SipPreference preference) {
  if (!IsWindow(window)) return false;
  ShellState& state = State();
  state.sipPreference = preference;
  state.sipPreferenceWindow = window;
  if (preference == kSipUp || preference == kSipInputDialog) state.inputPanelUp = true;
  if (preference == kSipDown || preference == kSipForceDown) state.inputPanelUp = false;
  return true;
}

bool SipShowInputMethod(std::uint32_t flags) {
  State().inputPanelUp = (flags & kSipfOn) != 0;
  return true;
}

void ShellHandleSettingChange(WindowHandle, WParam, LParam) {
  // The desktop has no input panel to make room for; the work area changes
  // only with the task bar and the screen, which the window system follows
  // by itself.
}

Size ScreenSize() { return System().screen; }

void SetScreenSize(Size size) {
  WindowSystem& system = System();
  system.screen = Size{std::max(1, size.cx), std::max(1, size.cy)};
  // The shell is not started here: the backend that sets the first size
  // decides, once installed, whether there is a task bar at all.
  if (system.shellStarted) {
    if (const WindowHandle taskBar = FindWindow(u"HHTaskBar", u"")) {
      MoveWindow(taskBar, 0, 0, system.screen.cx, kTaskBarHeight, true);
    }
  }
  PlaceWindowsOnWorkArea();
}

bool ShellOpenAddress(const std::string& address, std::function<void()> onFailure) {
  // Without a process descriptor (kernels before 5.3) a handler's end is
  // not seen: handlers that have ended are reaped at the next address.
  static std::vector<pid_t> unwatched;
  std::erase_if(unwatched, [](pid_t pid) { return waitpid(pid, nullptr, WNOHANG) != 0; });
  std::string program = "xdg-open";
  std::string argument = address;
  char* arguments[] = {program.data(), argument.data(), nullptr};
  pid_t child = 0;
  if (posix_spawnp(&child, "xdg-open", nullptr, nullptr, arguments, environ) != 0) {
    if (onFailure) onFailure();
    return false;
  }
  const int process = static_cast<int>(syscall(SYS_pidfd_open, child, 0));
  if (process < 0) {
    unwatched.push_back(child);
    return true;
  }
  // Readable once the handler has ended: the loop reaps it and judges how.
  const auto started = std::chrono::steady_clock::now();
  WatchDescriptor(process, [process, child, started, onFailure = std::move(onFailure)] {
    int status = 0;
    if (waitpid(child, &status, WNOHANG) != child) return;
    UnwatchDescriptor(process);
    close(process);
    const bool failed = !WIFEXITED(status) || WEXITSTATUS(status) != 0;
    if (failed && std::chrono::steady_clock::now() - started < kOpenerVerdictTime && onFailure) onFailure();
  });
  return true;
}

PlatformVersion GetPlatformVersion() { return Version(); }
void SetPlatformVersion(PlatformVersion version) { Version() = version; }

}  // namespace platform
