// The screen in a desktop window: no task bar, windows that follow the
// window's size, full screen, the device scale, and composing only what
// changed.

#include "platform/windows/desktop_window.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/backends/headless/headless_backend.h"
#include "platform/backends/sdl/desktop_scale.h"
#include "platform/dialogs/dialog.h"
#include "platform/windows/input.h"
#include "platform/windows/shell.h"
#include "platform/windows/window.h"
#include "resources/program_resources.h"

namespace {

using namespace platform;

std::vector<Point> taps;

LResult Plain(WindowHandle window, std::uint32_t message, WParam first, LParam second) {
  if (message == kWmLButtonDown) {
    const auto at = static_cast<std::uintptr_t>(second);
    taps.push_back(Point{SignedLowWord(at), SignedHighWord(at)});
    return 0;
  }
  return DefWindowProc(window, message, first, second);
}

// Records what each presentation said had changed.
class RecordingBackend final : public Backend {
 public:
  int RunMessageBox(const MessageBoxRequest&) override { return kIdOk; }
  void Present(const Framebuffer&, const Rect& changed) override { presented.push_back(changed); }
  void SetIcon(const Framebuffer& picture, Pixel) override { icon = picture; }
  bool HasDesktopWindow() const override { return true; }
  std::vector<Rect> presented;
  Framebuffer icon;
};

class DesktopWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetWindowSystem();
    backend_->SetDesktopWindow(Size{1000, 800});
    SetScreenSize(Size{240, 320});
    taps.clear();
    WindowClass windowClass;
    windowClass.procedure = Plain;
    windowClass.name = u"Test";
    windowClass.background = GetStockBrush(StockBrush::kWhiteBrush);
    RegisterClass(windowClass);
  }
  void TearDown() override { ResetWindowSystem(); }

  WindowHandle Main(std::uint32_t style = kWsVisible) {
    return CreateWindow(0, u"Test", u"Main", style, kUseDefault, kUseDefault, kUseDefault, kUseDefault, nullptr, 0,
                        nullptr);
  }
  WindowHandle Popup(Rect rect, WindowHandle owner) {
    return CreateWindow(0, u"Test", u"Popup", kWsPopup | kWsVisible, rect.left, rect.top, rect.width(), rect.height(),
                        owner, 0, nullptr);
  }

  ScopedHeadlessBackend backend_;
};

TEST_F(DesktopWindowTest, TheWindowManagerShowsTheTitleSoNoTaskBarIsDrawn) {
  const WindowHandle main = Main();
  EXPECT_TRUE(HasDesktopWindow());
  EXPECT_EQ(FindWindow(u"HHTaskBar", u""), nullptr);
  EXPECT_EQ(GetWindowRect(main), (Rect{0, 0, 240, 320})) << "the window starts at the top of the screen";
  EXPECT_TRUE(ShellFullScreen(main, kShfsHideTaskBar | kShfsShowTaskBar)) << "a task bar request finds none";
  EXPECT_EQ(GetWindowRect(main), (Rect{0, 0, 240, 320}));
}

TEST_F(DesktopWindowTest, WindowsPlacedByThePlatformFollowTheScreenAndOthersStay) {
  const WindowHandle main = Main();
  const WindowHandle filled = Popup(Rect{0, 0, 10, 10}, main);
  ASSERT_TRUE(ShellInitDialog(filled, kShidifSizeDialogFullScreen | kShidifFullScreenNoMenuBar));
  const WindowHandle aboveBar = Popup(Rect{0, 0, 10, 10}, main);
  ASSERT_TRUE(ShellInitDialog(aboveBar, kShidifSizeDialog));
  const WindowHandle free = Popup(Rect{5, 6, 55, 46}, main);

  SetScreenSize(Size{400, 300});
  EXPECT_EQ(GetWindowRect(main), (Rect{0, 0, 400, 300}));
  EXPECT_EQ(GetWindowRect(filled), (Rect{0, 0, 400, 300}));
  EXPECT_EQ(GetWindowRect(aboveBar), (Rect{0, 0, 400, 300 - kBarHeight})) << "room kept for a menu bar";
  EXPECT_EQ(GetWindowRect(free), (Rect{5, 6, 55, 46}));

  // Moved elsewhere by the program, a window is its own from then on; put
  // where it already is, it still follows.
  MoveWindow(filled, 0, 0, 400, 300, true);
  MoveWindow(aboveBar, 10, 10, 100, 100, true);
  SetScreenSize(Size{320, 200});
  EXPECT_EQ(GetWindowRect(filled), (Rect{0, 0, 320, 200}));
  EXPECT_EQ(GetWindowRect(aboveBar), (Rect{10, 10, 110, 110}));
}

TEST_F(DesktopWindowTest, DialogsAreCentredOnTheWindowAndStaySo) {
  const WindowHandle main = Main();
  DialogTemplate small;
  small.style = kWsPopup | kWsCaption;
  small.width = 80;
  small.height = 40;
  small.caption = u"Small";
  std::vector<Rect> places;
  ScriptCommand look;
  look.kind = ScriptCommand::Kind::kCall;
  look.call = [&] {
    const WindowHandle dialog = GetForegroundWindow();
    places.push_back(GetWindowRect(dialog));
    SetScreenSize(Size{600, 500});
    places.push_back(GetWindowRect(dialog));
    EndDialog(dialog, kIdOk);
  };
  backend_->SetScript({look});
  EXPECT_EQ(DialogBoxIndirectParam(nullptr, small, main, nullptr, 0), kIdOk);
  ASSERT_EQ(places.size(), 2u);
  for (const auto& [place, screen] : {std::pair{places[0], Size{240, 320}}, std::pair{places[1], Size{600, 500}}}) {
    EXPECT_EQ(place.left, (screen.cx - place.width()) / 2);
    EXPECT_EQ(place.top, (screen.cy - place.height()) / 2);
  }
  EXPECT_EQ(places[0].width(), places[1].width()) << "its own size, only moved";
}

TEST_F(DesktopWindowTest, FullScreenFillsTheMonitorAndGivesTheWindowBackItsSize) {
  SetDeviceScale(DeviceScale::FromQuarters(8));
  const WindowHandle main = Main();
  EXPECT_FALSE(IsDesktopFullScreen());
  SetDesktopFullScreen(true);
  EXPECT_TRUE(IsDesktopFullScreen());
  EXPECT_EQ(ScreenSize(), (Size{500, 400})) << "the monitor's 1000 × 800 at scale 2";
  EXPECT_EQ(GetWindowRect(main), (Rect{0, 0, 500, 400}));
  EXPECT_EQ(DesktopWindowSize(), (Size{240, 320})) << "what to open with: the size when not full screen";
  SetDesktopFullScreen(false);
  EXPECT_EQ(ScreenSize(), (Size{240, 320}));
  EXPECT_EQ(DesktopWindowSize(), (Size{240, 320}));

  // Without a desktop window there is nothing to make full screen.
  ResetWindowSystem();
  ScopedHeadlessBackend handheld;
  SetScreenSize(Size{240, 320});
  SetDesktopFullScreen(true);
  EXPECT_FALSE(IsDesktopFullScreen());
  EXPECT_EQ(ScreenSize(), (Size{240, 320}));
}

TEST_F(DesktopWindowTest, AChildTakesNoTapWhereItReachesUnderItsParentsScrollBar) {
  const WindowHandle main = Main(kWsVisible | kWsVScroll);
  const WindowHandle wide = CreateWindow(0, u"Test", u"Bar", kWsChild | kWsVisible, 0, 0, 240, 26, main, 1, nullptr);
  ASSERT_TRUE(wide);
  SetScrollRange(main, kSbVert, 0, 10, false);
  // Under the scroll bar's up arrow (the last 13 columns): the bar's own.
  InjectStylus(StylusAction::kDown, Point{236, 5});
  InjectStylus(StylusAction::kUp, Point{236, 5});
  InjectStylus(StylusAction::kDown, Point{200, 5});
  InjectStylus(StylusAction::kUp, Point{200, 5});
  PumpUntilIdle();
  ASSERT_EQ(taps.size(), 1u) << "only the tap inside the client area reached the child";
  EXPECT_EQ(taps[0].x, 200);
  EXPECT_EQ(GetScrollPos(main, kSbVert), 0) << "the arrow was pressed and let go without scrolling the test";
}

TEST_F(DesktopWindowTest, TheScreenIsDrawnAtTheScaleAndComposedAgainOnlyWhereDrawn) {
  RecordingBackend recording;
  Backend* previous = InstallBackend(&recording);
  SetDeviceScale(DeviceScale::FromQuarters(8));
  const WindowHandle main = Main();
  PumpUntilIdle();
  ASSERT_FALSE(recording.presented.empty());
  EXPECT_EQ(recording.presented.back(), (Rect{0, 0, 480, 640})) << "a new window: everything";
  const Framebuffer& screen = ScreenImage();
  EXPECT_EQ(screen.width(), 480);
  EXPECT_EQ(screen.scale(), DeviceScale::FromQuarters(8));

  recording.presented.clear();
  GetDC(main)->FillRect(Rect{10, 20, 15, 22}, SolidBrush(Rgb(255, 0, 0)));
  PumpUntilIdle();
  ASSERT_EQ(recording.presented.size(), 1u);
  EXPECT_EQ(recording.presented[0], (Rect{20, 40, 30, 44})) << "only the drawn rectangle, in screen pixels";
  EXPECT_EQ(ScreenImage().at(20, 40), 0x00FF0000u);
  EXPECT_EQ(ScreenImage().at(19, 40), 0x00FFFFFFu);

  recording.presented.clear();
  PumpUntilIdle();
  EXPECT_TRUE(recording.presented.empty()) << "nothing drawn, nothing shown again";

  // A window that comes or goes changes what is behind it: all again.
  const WindowHandle popup = Popup(Rect{100, 100, 140, 130}, main);
  PumpUntilIdle();
  GetDC(popup)->FillRect(GetClientRect(popup), SolidBrush(kBlack));
  PumpUntilIdle();
  EXPECT_EQ(ScreenImage().at(250, 250), 0x00000000u);
  recording.presented.clear();
  DestroyWindow(popup);
  PumpUntilIdle();
  ASSERT_EQ(recording.presented.size(), 1u);
  EXPECT_EQ(recording.presented[0], (Rect{0, 0, 480, 640}));
  EXPECT_EQ(ScreenImage().at(250, 250), 0x00FFFFFFu) << "the main window shows where the popup was";
  ResetWindowSystem();
  InstallBackend(previous);
}

TEST_F(DesktopWindowTest, TheWindowsIconIsGivenAtTheScreensScale) {
  RecordingBackend recording;
  Backend* previous = InstallBackend(&recording);
  SetDeviceScale(DeviceScale::FromQuarters(8));
  const Module module{quillory::ProgramResources()};
  WindowClass withIcon;
  withIcon.procedure = Plain;
  withIcon.name = u"WithIcon";
  withIcon.module = &module;
  withIcon.icon = quillory::kIconId;
  RegisterClass(withIcon);
  CreateWindow(0, u"WithIcon", u"Main", kWsVisible, kUseDefault, kUseDefault, kUseDefault, kUseDefault, nullptr, 0,
               nullptr);
  EXPECT_EQ(recording.icon.width(), 2 * quillory::kIconSize);
  EXPECT_EQ(recording.icon.at(0, 0), 0x00FF00FFu) << "its transparent corner kept";
  ResetWindowSystem();
  InstallBackend(previous);
}

TEST(DesktopScale, TheFirstSourceThatSaysDecides) {
  const struct {
    const char* resources;
    const char* gdkScale;
    double dpi;
    double scale;
  } cases[] = {
      {"", "", 0, 1.0},
      {"Xft.antialias:\t1\nXft.dpi:\t144\n", "2", 200, 1.5},
      {"Xft.dpi:\t192", "", 0, 2.0},
      {"Xft.dpi:\tlarge\n", "2", 0, 2.0},
      {"Xft.dpi:\t9600\n", "", 96, 1.0},  // no desktop sets that: the next source
      {"", "1.5", 0, 1.5},
      {"", "0", 144, 1.5},
      {"", "", 100, 100 / 96.0},
      {"", "", 10, 1.0},
  };
  for (const auto& c : cases) {
    EXPECT_DOUBLE_EQ(DesktopScaleOf(DesktopScaleSources{c.resources, c.gdkScale, c.dpi}), c.scale)
        << c.resources << " | " << c.gdkScale << " | " << c.dpi;
  }
  // The reader opens at twice it, to the nearest quarter.
  EXPECT_EQ(DeviceScale::Nearest(2 * (100 / 96.0)).quarters(), 8);
  EXPECT_EQ(DeviceScale::Nearest(2 * 1.5).quarters(), 12);
}

}  // namespace
