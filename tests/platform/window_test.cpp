// The window system: message order and nesting, parameters, painting and
// composing, the scroll bar, the shell's task bar, input and scripts.

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/backends/headless/headless_backend.h"
#include "platform/windows/input.h"
#include "platform/windows/shell.h"
#include "platform/windows/window.h"

namespace {

using namespace platform;

struct Seen {
  WindowHandle window;
  std::uint32_t message;
  WParam first;
  LParam second;
};
std::vector<Seen> seen;
std::vector<std::uint32_t> recorded = {kWmCreate,  kWmDestroy, kWmSize,  kWmActivate,    kWmCommand,
                                       kWmVScroll, kWmKeyDown, kWmChar,  kWmLButtonDown, kWmLButtonUp,
                                       kWmClose,   kWmPaint,   kWmHelp,  kWmUser,        kWmUser + 1};
bool modalDone = false;

LResult Recorder(WindowHandle window, std::uint32_t message, WParam first, LParam second) {
  if (std::find(recorded.begin(), recorded.end(), message) != recorded.end()) {
    seen.push_back(Seen{window, message, first, second});
  }
  if (message == kWmCommand && LowWord(first) == 7) {
    // A command that runs a loop of its own, as a dialog does.
    PostMessage(window, kWmUser, 1, 0);
    RunModalLoop([] { return modalDone; });
    seen.push_back(Seen{window, kWmUser + 2, 0, 0});
    return 0;
  }
  if (message == kWmUser) {
    modalDone = true;
    return 0;
  }
  if (message == kWmDestroy && first == 0 && GetParent(window) == nullptr) PostQuitMessage(3);
  return DefWindowProc(window, message, first, second);
}

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetWindowSystem();
    SetScreenSize(Size{240, 320});
    seen.clear();
    modalDone = false;
    WindowClass windowClass;
    windowClass.procedure = Recorder;
    windowClass.name = u"Test";
    windowClass.background = GetStockBrush(StockBrush::kWhiteBrush);
    ASSERT_TRUE(RegisterClass(windowClass));
  }
  void TearDown() override { ResetWindowSystem(); }

  // The messages the window got, paint notifications only when asked.
  std::vector<std::uint32_t> Messages(WindowHandle window, bool withPaint = false) const {
    std::vector<std::uint32_t> ids;
    for (const Seen& s : seen) {
      if (s.window == window && (withPaint || s.message != kWmPaint)) ids.push_back(s.message);
    }
    return ids;
  }
  WindowHandle Main(std::uint32_t style = kWsVisible) {
    return CreateWindow(0, u"Test", u"Main", style, kUseDefault, kUseDefault, kUseDefault, kUseDefault, nullptr, 0,
                        nullptr);
  }

  ScopedHeadlessBackend backend_;
};

TEST_F(WindowTest, CreationSizesAndActivatesAndTheClassIsRegisteredOnce) {
  WindowClass again;
  again.procedure = Recorder;
  again.name = u"Test";
  EXPECT_FALSE(RegisterClass(again));
  const WindowHandle main = Main();
  ASSERT_TRUE(main);
  EXPECT_EQ(Messages(main), (std::vector<std::uint32_t>{kWmCreate, kWmSize, kWmActivate}));
  EXPECT_EQ(GetWindowRect(main), (Rect{0, kTaskBarHeight, 240, 320})) << "the work area under the task bar";
  EXPECT_EQ(GetForegroundWindow(), main);
  EXPECT_EQ(FindWindow(u"Test", u"Main"), main);
  EXPECT_EQ(FindWindow(u"Test", u"Other"), nullptr);
  EXPECT_EQ(LowWord(static_cast<std::uintptr_t>(seen[1].second)), 240);
  EXPECT_EQ(HighWord(static_cast<std::uintptr_t>(seen[1].second)), 320 - kTaskBarHeight);
}

TEST_F(WindowTest, ACommandMayRunANestedLoopThatLeavesTheQuitRequestToTheOuterOne) {
  const WindowHandle main = Main();
  seen.clear();
  PostMessage(main, kWmCommand, MakeLong(7, 0), 0);
  PostMessage(main, kWmUser + 1, 0, 0);
  PumpUntilIdle();
  // The messages posted before and during the command ran inside the
  // command's own loop, in the order they were posted.
  EXPECT_EQ(Messages(main), (std::vector<std::uint32_t>{kWmCommand, kWmUser + 1, kWmUser, kWmUser + 2}));

  modalDone = false;
  seen.clear();
  PostMessage(main, kWmCommand, 7, 0);
  PostMessage(main, kWmClose, 0, 0);  // the window goes while the inner loop runs
  Message message;
  ASSERT_TRUE(GetMessage(message));
  DispatchMessage(message);
  EXPECT_FALSE(IsWindow(main));
  EXPECT_FALSE(GetMessage(message)) << "the quit request reaches the outer loop";
  EXPECT_EQ(message.first, 3u);
}

TEST_F(WindowTest, DestroyingTellsTheParentBeforeItsChildrenAndInvalidatesHandles) {
  const WindowHandle main = Main();
  const WindowHandle child =
      CreateWindow(0, u"Test", u"", kWsChild | kWsVisible, 0, 0, 50, 20, main, 5, nullptr);
  ASSERT_TRUE(child);
  EXPECT_EQ(GetChild(main, 5), child);
  EXPECT_EQ(GetParent(child), main);
  seen.clear();
  DestroyWindow(main);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].window, main);
  EXPECT_EQ(seen[1].window, child);
  EXPECT_FALSE(IsWindow(main));
  EXPECT_FALSE(IsWindow(child));
  EXPECT_FALSE(PostMessage(main, kWmUser, 0, 0));
  EXPECT_EQ(SendMessage(child, kWmUser, 0, 0), 0);
}

TEST_F(WindowTest, TapsArriveAsClientPointsInTheSecondParameter) {
  const WindowHandle main = Main();
  seen.clear();
  InjectStylus(StylusAction::kDown, Point{30, kTaskBarHeight + 40});
  InjectStylus(StylusAction::kUp, Point{30, kTaskBarHeight + 40});
  PumpUntilIdle();
  ASSERT_EQ(Messages(main), (std::vector<std::uint32_t>{kWmLButtonDown, kWmLButtonUp}));
  EXPECT_EQ(LowWord(static_cast<std::uintptr_t>(seen[0].second)), 30);
  EXPECT_EQ(HighWord(static_cast<std::uintptr_t>(seen[0].second)), 40);
}

TEST_F(WindowTest, KeysGoToTheFocusAndPrintableOnesBecomeCharacters) {
  const WindowHandle main = Main();
  seen.clear();
  InjectKey(kVkNext, true);
  InjectKey('A', true, u'\u05D0');
  PumpUntilIdle();
  EXPECT_EQ(Messages(main), (std::vector<std::uint32_t>{kWmKeyDown, kWmKeyDown, kWmChar}));
  EXPECT_EQ(seen[0].first, kVkNext);
  EXPECT_EQ(seen[2].first, 0x05D0u);
  EXPECT_TRUE(IsKeyDown(kVkNext));
  InjectKey(kVkNext, false);
  EXPECT_FALSE(IsKeyDown(kVkNext));
  seen.clear();
  InjectKey(kVkF1, true);
  PumpUntilIdle();
  EXPECT_EQ(Messages(main), (std::vector<std::uint32_t>{kWmKeyDown, kWmHelp})) << "F1 asks for help";
}

TEST_F(WindowTest, AnAddressOpensWithTheDesktopsHandlerWithoutAShell) {
  // A stand-in handler on the path records what it was given.
  const std::string folder = ::testing::TempDir() + "open_address";
  const std::string record = folder + "/given";
  ASSERT_EQ(std::system(("mkdir -p " + folder).c_str()), 0);
  {
    std::FILE* script = std::fopen((folder + "/xdg-open").c_str(), "w");
    ASSERT_TRUE(script);
    std::fprintf(script, "#!/bin/sh\nprintf '%%s' \"$1\" > '%s'\n", record.c_str());
    std::fclose(script);
  }
  ASSERT_EQ(std::system(("chmod +x " + folder + "/xdg-open").c_str()), 0);
  const char* oldPath = std::getenv("PATH");
  const std::string savedPath = oldPath ? oldPath : "";
  setenv("PATH", (folder + ":" + savedPath).c_str(), 1);
  const std::string address = "http://example.invalid/cgi-bin/upgrade?p=arm/&v=1.84a;$(touch x)";
  EXPECT_TRUE(ShellOpenAddress(address));
  setenv("PATH", savedPath.c_str(), 1);
  std::string given;
  for (int tries = 0; tries < 200 && given.empty(); ++tries) {
    if (std::FILE* file = std::fopen(record.c_str(), "r")) {
      char buffer[256] = {};
      given = std::string(buffer, std::fread(buffer, 1, sizeof buffer - 1, file));
      std::fclose(file);
    }
    if (given.empty()) usleep(10000);
  }
  EXPECT_EQ(given, address) << "passed whole, never through a shell";
  setenv("PATH", "/nonexistent", 1);
  ShellOpenAddress(address);  // no handler: nothing is reported, nothing breaks
  setenv("PATH", savedPath.c_str(), 1);
}

// The notifications of the scroll bar for a press and release at a point.
std::vector<std::pair<int, int>> ScrollNotifications(WindowHandle window, Point down, Point up) {
  seen.clear();
  InjectStylus(StylusAction::kDown, down);
  InjectStylus(StylusAction::kMove, up);
  InjectStylus(StylusAction::kUp, up);
  PumpUntilIdle();
  std::vector<std::pair<int, int>> codes;
  for (const Seen& s : seen) {
    if (s.window == window && s.message == kWmVScroll) codes.emplace_back(LowWord(s.first), SignedHighWord(s.first));
  }
  return codes;
}

TEST_F(WindowTest, TheScrollBarSendsANotificationForEachOfItsParts) {
  const WindowHandle main = Main(kWsVisible | kWsVScroll);
  EXPECT_EQ(GetClientRect(main).right, 240 - GetSystemMetrics(kSmCxVScroll));
  SetScrollRange(main, kSbVert, 0, 100, true);
  SetScrollPos(main, kSbVert, 50, true);
  EXPECT_EQ(GetScrollPos(main, kSbVert), 50);
  SetScrollPos(main, kSbVert, 500, false);
  EXPECT_EQ(GetScrollPos(main, kSbVert), 100) << "kept in the range";
  SetScrollPos(main, kSbVert, 0, true);
  const std::int32_t x = 240 - 6;
  const std::int32_t top = kTaskBarHeight;
  const std::int32_t bottom = 320;
  using Codes = std::vector<std::pair<int, int>>;
  EXPECT_EQ(ScrollNotifications(main, {x, top + 3}, {x, top + 3}), (Codes{{kSbLineUp, 0}, {kSbEndScroll, 0}}));
  EXPECT_EQ(ScrollNotifications(main, {x, bottom - 3}, {x, bottom - 3}),
            (Codes{{kSbLineDown, 0}, {kSbEndScroll, 0}}));
  EXPECT_EQ(ScrollNotifications(main, {x, top + 150}, {x, top + 150}),
            (Codes{{kSbPageDown, 0}, {kSbEndScroll, 0}}));
  SetScrollPos(main, kSbVert, 100, true);
  EXPECT_EQ(ScrollNotifications(main, {x, top + 20}, {x, top + 20}), (Codes{{kSbPageUp, 0}, {kSbEndScroll, 0}}));
  // The thumb sits at the bottom of the track at position 100; dragging it
  // to the top of the track gives 0, halfway about 50.
  const std::int32_t thumb = bottom - 13 - 13 + 5;
  const Codes drag = ScrollNotifications(main, {x, thumb}, {x, top + 13 + 5});
  ASSERT_EQ(drag.size(), 3u);
  EXPECT_EQ(drag[0], (std::pair<int, int>{kSbThumbTrack, 0}));
  EXPECT_EQ(drag[1], (std::pair<int, int>{kSbThumbPosition, 0}));
  EXPECT_EQ(drag[2].first, kSbEndScroll);
  const Codes half = ScrollNotifications(main, {x, thumb}, {x, (top + 13 + bottom - 26) / 2 + 5});
  EXPECT_NEAR(half[0].second, 50, 2);
}

TEST_F(WindowTest, TheMouseWheelScrollsByLines) {
  const WindowHandle main = Main(kWsVisible | kWsVScroll);
  PumpUntilIdle();
  seen.clear();
  InjectWheel(Point{50, 100}, -2);
  PumpUntilIdle();
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[0].window, main);
  EXPECT_EQ(LowWord(seen[0].first), kSbLineUp);
  EXPECT_EQ(LowWord(seen[1].first), kSbLineUp);
  EXPECT_EQ(LowWord(seen[2].first), kSbEndScroll);
}

TEST_F(WindowTest, FullScreenHidesTheTaskBarAndTheWindowCoversTheScreen) {
  const WindowHandle taskBar = FindWindow(u"HHTaskBar", u"");
  ASSERT_TRUE(taskBar);
  EXPECT_TRUE(IsWindowVisible(taskBar));
  const WindowHandle main = Main();
  ShellFullScreen(main, kShfsHideTaskBar | kShfsHideSipButton | kShfsHideStartIcon);
  EXPECT_FALSE(IsWindowVisible(taskBar));
  EXPECT_FALSE(GetShellState().sipButtonVisible);
  EXPECT_FALSE(GetShellState().startIconVisible);
  EXPECT_EQ(GetWindowRect(main), (Rect{0, 0, 240, 320}));
  ShowWindow(taskBar, kSwShow);
  EXPECT_EQ(GetWindowRect(main), (Rect{0, kTaskBarHeight, 240, 320}));
  ShellFullScreen(main, kShfsShowSipButton | kShfsShowStartIcon);
  EXPECT_TRUE(GetShellState().sipButtonVisible);
}

TEST_F(WindowTest, TheScreenFollowsItsSizeAndPlacedWindowsAreToldTheirNewSize) {
  const WindowHandle main = Main();
  seen.clear();
  SetScreenSize(Size{320, 480});
  EXPECT_EQ(GetWindowRect(main), (Rect{0, kTaskBarHeight, 320, 480}));
  EXPECT_EQ(Messages(main), (std::vector<std::uint32_t>{kWmSize}));
  EXPECT_EQ(ScreenImage().width(), 320);
}

TEST_F(WindowTest, PaintingErasesWithTheClassBackgroundAndDrawingOutsidePaintShows) {
  const WindowHandle main = Main();
  PumpUntilIdle();
  EXPECT_EQ(Messages(main, true).back(), kWmPaint);
  EXPECT_EQ(ScreenImage().at(100, 100), 0x00FFFFFFu) << "erased white";
  EXPECT_EQ(ScreenImage().at(100, 5), 0x00000080u) << "the task bar";
  GetDC(main)->FillRect(Rect{0, 0, 10, 10}, SolidBrush(Rgb(255, 0, 0)));
  EXPECT_EQ(ScreenImage().at(5, kTaskBarHeight + 5), 0x00FF0000u);
  seen.clear();
  PumpUntilIdle();
  EXPECT_TRUE(Messages(main, true).empty()) << "drawing does not invalidate";
}

TEST_F(WindowTest, AWindowBehindNeverDrawsOverTheOneInFront) {
  const WindowHandle main = Main();
  const WindowHandle front = CreateWindow(0, u"Test", u"Front", kWsPopup | kWsVisible, 20, 60, 100, 100, nullptr, 0,
                                          nullptr);
  PumpUntilIdle();
  EXPECT_EQ(GetForegroundWindow(), front);
  GetDC(main)->FillRect(Rect{0, 0, 240, 294}, SolidBrush(Rgb(0, 255, 0)));
  EXPECT_EQ(ScreenImage().at(50, 100), 0x00FFFFFFu) << "the front window stays";
  EXPECT_EQ(ScreenImage().at(5, 100), 0x0000FF00u);
  DestroyWindow(front);
  EXPECT_EQ(GetForegroundWindow(), main) << "the window behind comes forward";
}

TEST_F(WindowTest, TheCloseRequestGoesToTheProgramsFirstWindow) {
  const WindowHandle main = Main();
  CreateWindow(0, u"Test", u"Front", kWsPopup | kWsVisible, 20, 60, 100, 100, nullptr, 0, nullptr);
  seen.clear();
  RequestClose();
  PumpUntilIdle();
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen.front().window, main);
  EXPECT_EQ(seen.front().message, kWmClose);
  EXPECT_FALSE(IsWindow(main));
}

TEST(HeadlessScript, ParsesEveryCommandAndNamesTheFirstBadLine) {
  ScriptError error;
  const auto script = ParseScript(
      "# a comment\n"
      "tap 10 20\n"
      "key PageDown\n"
      "key ctrl+f\n"
      "key \xD7\x90\n"
      "type \xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D\r\n"
      "\n"
      "command 108\n"
      "wait-idle\n"
      "snapshot /tmp/x.png\n",
      error);
  ASSERT_TRUE(script) << error.line << ": " << error.reason;
  ASSERT_EQ(script->size(), 8u);
  EXPECT_EQ((*script)[0].x, 10);
  EXPECT_EQ((*script)[1].key, kVkNext);
  EXPECT_TRUE((*script)[2].control);
  EXPECT_EQ((*script)[2].key, 'F');
  EXPECT_EQ((*script)[3].character, u'\u05D0');
  EXPECT_EQ((*script)[4].text, "\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D");
  EXPECT_EQ((*script)[5].command, 108);

  for (const char* bad : {"tap 10", "tap x y", "key", "key NoSuchKey", "command 70000", "command", "wait-idle now",
                          "snapshot", "type", "jump 3", "tap 1 2 3", "drag 1 2 3", "double-tap 1", "shift+key a",
                          "drag 1 2 3 x"}) {
    EXPECT_FALSE(ParseScript(std::string("wait-idle\n") + bad + "\n", error)) << bad;
    EXPECT_EQ(error.line, 2) << bad;
    EXPECT_FALSE(error.reason.empty());
  }
}

// What the stylus did to a window, as its procedure saw it.
std::vector<std::string> stylusSeen;
LResult StylusRecorder(WindowHandle window, std::uint32_t message, WParam first, LParam second) {
  const std::string x = std::to_string(SignedLowWord(static_cast<WParam>(second)));
  switch (message) {
    case kWmLButtonDown:
      stylusSeen.push_back(std::string(GetKeyState(kVkShift) ? "shift+" : "") + "down " +
                           std::to_string(ClickCount(first)) + " at " + x);
      return 0;
    case kWmMouseMove:
      stylusSeen.push_back((first & kMkLButton) ? "drag to " + x : "hover");
      return 0;
    case kWmLButtonUp:
      stylusSeen.push_back("up");
      return 0;
    default:
      return DefWindowProc(window, message, first, second);
  }
}

TEST_F(WindowTest, ScriptedDragsAndClicksComeAsTheDesktopSendsThem) {
  const WindowHandle main = Main();
  SetWindowProcedure(main, StylusRecorder);
  ScriptError error;
  auto script = ParseScript("drag 10 20 30 24\ndouble-tap 5 6\nshift+tap 7 8\n", error);
  ASSERT_TRUE(script) << error.reason;
  stylusSeen.clear();
  for (const ScriptCommand& command : *script) RunScriptCommand(command);
  PumpUntilIdle();
  EXPECT_EQ(stylusSeen, (std::vector<std::string>{"down 1 at 10", "drag to 20", "drag to 30", "up", "down 1 at 5",
                                                  "up", "down 2 at 5", "up", "shift+down 1 at 7", "up"}))
      << "a drag moves a few pixels at a time; a double tap's second press counts two";
}

TEST_F(WindowTest, AScriptPlaysWhenTheLoopIsIdleAndEndsWithTheCloseRequest) {
  const WindowHandle main = Main();
  ScriptError error;
  auto script = ParseScript("command 42\ntap 5 6\n", error);
  ASSERT_TRUE(script);
  backend_->SetScript(*script);
  seen.clear();
  Message message;
  while (GetMessage(message)) {
    TranslateMessage(message);
    DispatchMessage(message);
  }
  EXPECT_EQ(message.first, 3u) << "the window's destruction asked to quit";
  EXPECT_EQ(Messages(main),
            (std::vector<std::uint32_t>{kWmCommand, kWmLButtonDown, kWmLButtonUp, kWmClose, kWmDestroy}));
  EXPECT_EQ(backend_->lastScreen().width(), 240);
}

}  // namespace
