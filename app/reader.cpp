#include "app/reader.h"

#include <cstdio>
#include <optional>

#include "app/accelerators.h"
#include "app/commands.h"
#include "app/main_window.h"
#include "app/reader_calls.h"
#include "app/second_start.h"
#include "app/settings.h"
#include "calendar/this_week.h"
#include "core/app_state.h"
#include "core/registry_values.h"
#include "platform/system/single_instance.h"
#include "platform/windows/descriptor_watch.h"
#include "platform/windows/desktop_window.h"
#include "platform/windows/shell.h"
#include "platform/windows/window.h"
#include "resources/program_resources.h"
#include "resources/volume_resources.h"
#include "view/font_dialog.h"

namespace quillory {
namespace {

// The name under which a running reader answers later starts.
constexpr char kInstanceName[] = "quillory-32";

const platform::Module& ReaderModule() {
  static const platform::Module module{VolumeResources(), ProgramResources()};
  return module;
}

void ReadStartupSwitches() {
  StartupSwitches& switches = Switches();
  switches.ignoreActivate = ReadRegNumber(kMakerKey, "IgnoreActivate", 0);
  switches.fullScreen = ReadRegNumber(kMakerKey, "FullScreen", 0);
  switches.allowSipInHebrewSearch = ReadRegNumber(kMakerKey, "AllowSipInHebrewSearch", 1);
  if (switches.fullScreen != 0) switches.taskBar = platform::FindWindow(u"HHTaskBar", u"");
  switches.taskBarWasVisible = switches.taskBar != nullptr && platform::IsWindowVisible(switches.taskBar);
  App().menuBarOnBottom = ReadRegNumber(kMakerKey, "MenuBarOnBottom", 0);
  App().gutter = GutterOf(ReadRegNumber(kMakerKey, "SurroundingGutter", 0));
}

// Later starts are answered by whichever loop runs: the Font dialog of a
// first run and a "Resource not found" box come before the main loop, and a
// start left unanswered would take the reader for gone. One that comes
// before the main window exists is answered and has nothing to bring forward.
void ListenForLaterStarts(platform::SingleInstance& instance) {
  const int descriptor = instance.PollDescriptor();
  if (descriptor < 0) return;
  platform::WatchDescriptor(descriptor, [&instance] {
    for (const platform::InstanceRequest request : instance.TakeRequests()) {
      if (request == platform::InstanceRequest::kActivate) AnswerSecondStart(App().mainWindow);
    }
  });
}

// On a desktop the window is made full screen as the desktop has it; the
// screen then grows to the monitor and the main window with it. (The
// program's own runs open the window so already; a reader run on a desktop
// window opened otherwise gets it here.)
void PlaceFullScreen(platform::WindowHandle window) {
  const platform::Rect rect = platform::GetWindowRect(window);
  platform::ShellFullScreen(window, platform::kShfsHideTaskBar | platform::kShfsHideSipButton |
                                        platform::kShfsHideStartIcon);
  platform::MoveWindow(window, rect.left, 0, rect.right, rect.bottom, false);
  platform::SetDesktopFullScreen(true);
}

// Creates and shows the main window; null when it could not be made.
platform::WindowHandle StartInstance(const ReaderOptions& options) {
  if (Switches().fullScreen != 0 && Switches().taskBar != nullptr) {
    platform::ShowWindow(Switches().taskBar, platform::kSwHide);
  }
  LoadSettings();
  // Memory ran out while the settings were read: the stop has told the user
  // and ended the run before there was a window.
  if (ReaderStopped()) return nullptr;
  SelectArticle(0, App().todaySwitch != 0);
  RegisterMainWindowClass();
  std::uint32_t style = platform::kWsVisible;
  if ((App().flags & kScrollBarFlags) != 0) style |= platform::kWsVScroll;
  const platform::WindowHandle window =
      platform::CreateWindow(platform::kWsExWindowEdge, kMainWindowName, kMainWindowName, style, platform::kUseDefault,
                             platform::kUseDefault, platform::kUseDefault, platform::kUseDefault, nullptr, 0, nullptr);
  if (window == nullptr) return nullptr;
  if (Switches().fullScreen != 0) PlaceFullScreen(window);
  platform::ShowWindow(window, platform::kSwShowNormal);
  platform::UpdateWindow(window);
  // The first run: no face chosen yet. Opening the dialog may have set the
  // letter code base, so the description is applied whatever it returned;
  // backing out keeps the face shown as the choice.
  if (App().font.faceName[0] == 0) {
    ShowFirstFontDialog(window, App().font);
    ApplyReaderFont(window);
  }
  if (options.onShown) options.onShown();
  return window;
}

int RunMessageLoop() {
  platform::Message message;
  while (platform::GetMessage(message)) {
    if (TranslateAccelerator(App().mainWindow, message)) continue;
    platform::TranslateMessage(message);
    platform::DispatchMessage(message);
  }
  return static_cast<int>(message.first);
}

}  // namespace

std::optional<platform::SingleInstance> ClaimSingleInstance() {
  platform::ClaimResult claim = platform::SingleInstance::Claim(kInstanceName);
  switch (claim.kind) {
    case platform::ClaimKind::kAnotherWasTold:
      return std::nullopt;
    case platform::ClaimKind::kAnotherIsBusy:
      std::fprintf(stderr, "quillory-32 is already running but did not answer (%s); it is left as it is\n",
                   claim.reason.c_str());
      return std::nullopt;
    case platform::ClaimKind::kFirst:
    case platform::ClaimKind::kUnavailable:
      break;
  }
  return std::move(claim.instance);
}

int RunReader(const ReaderOptions& options) {
  ResetAppState();
  App().module = &ReaderModule();
  InstallReaderCalls();
  ReadStartupSwitches();
  App().todaySwitch = options.today ? 1 : 0;

  if (options.instance != nullptr) ListenForLaterStarts(*options.instance);
  const int exitCode = StartInstance(options) != nullptr ? RunMessageLoop() : 0;
  if (options.instance != nullptr) platform::UnwatchDescriptor(options.instance->PollDescriptor());

  const StartupSwitches& switches = Switches();
  if (switches.taskBar != nullptr && switches.taskBarWasVisible) platform::ShowWindow(switches.taskBar, platform::kSwShow);
  return exitCode;
}

}  // namespace quillory
