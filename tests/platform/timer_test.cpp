// Timers from the message loop, and what the desktop's pointer does with
// them: the toolbar's tooltips after the pointer has rested on a button.
// Time is the test's own clock, moved on exactly.

#include <gtest/gtest.h>

#include <vector>

#include "platform/backends/headless/headless_backend.h"
#include "platform/menus/command_bar.h"
#include "platform/windows/input.h"
#include "platform/windows/timer.h"
#include "platform/windows/window.h"
#include "resources/program_resources.h"

namespace {

using namespace platform;
using namespace std::chrono_literals;

TimerClock::time_point testNow;
TimerClock::time_point TestClock() { return testNow; }

std::vector<std::uintptr_t> ticks;

LResult Recorder(WindowHandle window, std::uint32_t message, WParam first, LParam second) {
  if (message == kWmTimer) ticks.push_back(first);
  return DefWindowProc(window, message, first, second);
}

class TimerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetWindowSystem();
    SetScreenSize(Size{240, 320});
    previousClock_ = SetTimeSource(TestClock);
    testNow = TimerClock::time_point{} + 1h;
    ticks.clear();
    WindowClass windowClass;
    windowClass.procedure = Recorder;
    windowClass.name = u"Recorder";
    RegisterClass(windowClass);
    window_ = CreateWindow(0, u"Recorder", u"Recorder", kWsVisible, kUseDefault, 0, kUseDefault, 0, nullptr, 0, nullptr);
    PumpUntilIdle();
  }
  void TearDown() override {
    ResetWindowSystem();
    SetTimeSource(previousClock_);
  }

  static void Pass(std::chrono::milliseconds time) {
    testNow += time;
    PumpUntilIdle();
  }

  ScopedHeadlessBackend backend_;
  WindowHandle window_ = nullptr;

 private:
  TimeSource previousClock_ = nullptr;
};

TEST_F(TimerTest, ATimerComesEveryPeriodUntilKilledAndALateOneComesOnce) {
  ASSERT_TRUE(SetTimer(window_, 7, 500));
  Pass(499ms);
  EXPECT_TRUE(ticks.empty());
  Pass(1ms);
  EXPECT_EQ(ticks, (std::vector<std::uintptr_t>{7}));
  Pass(2000ms);
  EXPECT_EQ(ticks.size(), 2u) << "four periods late: one notification, not four";
  Pass(499ms);
  EXPECT_EQ(ticks.size(), 2u) << "the next period counts from the late one";
  Pass(1ms);
  EXPECT_EQ(ticks.size(), 3u);
  EXPECT_TRUE(KillTimer(window_, 7));
  EXPECT_FALSE(KillTimer(window_, 7));
  Pass(5000ms);
  EXPECT_EQ(ticks.size(), 3u);
}

TEST_F(TimerTest, SettingARunningTimerAgainRestartsItAndAWindowsTimersGoWithIt) {
  ASSERT_TRUE(SetTimer(window_, 1, 300));
  Pass(200ms);
  ASSERT_TRUE(SetTimer(window_, 1, 300));
  Pass(200ms);
  EXPECT_TRUE(ticks.empty()) << "restarted at 200 ms";
  Pass(100ms);
  EXPECT_EQ(ticks, (std::vector<std::uintptr_t>{1}));
  ASSERT_TRUE(SetTimer(window_, 2, 100));
  DestroyWindow(window_);
  Pass(1000ms);
  EXPECT_EQ(ticks.size(), 1u);
  EXPECT_FALSE(KillTimer(window_, 2)) << "gone with its window";
  EXPECT_FALSE(SetTimer(window_, 3, 100)) << "a dead window gets no timer";
}

TEST_F(TimerTest, TheLoopWaitsForTheNextTimerInsteadOfEndingWhenInputIsOver) {
  // The headless backend has no more input at once: GetMessage hands out
  // what is due and ends only when nothing is.
  ASSERT_TRUE(SetTimer(window_, 9, 0));
  Pass(9ms);
  EXPECT_TRUE(ticks.empty()) << "no period is shorter than 10 ms";
  testNow += 1ms;
  Message message;
  ASSERT_TRUE(GetMessage(message));
  EXPECT_EQ(message.id, kWmTimer);
  EXPECT_EQ(message.first, 9u);
  KillTimer(window_, 9);
  EXPECT_FALSE(GetMessage(message)) << "no timer left and no input: the quit";
}

class ToolTipTest : public TimerTest {
 protected:
  void SetUp() override {
    TimerTest::SetUp();
    bar_ = CreateCommandBar(&module_, window_, 1);
    ASSERT_TRUE(bar_);
    const std::vector<std::u16string> tips = {u"", u"Previous Article", u"This Week"};
    BarSetToolTips(bar_, tips);
    BarAddBitmap(bar_, &module_, quillory::kToolbarBitmapId, 7);
    const BarButton buttons[] = {{0, 110, kButtonEnabled, kButtonPlain}, {1, 108, kButtonEnabled, kButtonPlain}};
    BarAddButtons(bar_, buttons);
    PumpUntilIdle();
  }

  Point Over(int button) const {
    const Rect rect = BarButtonRect(bar_, button);
    return ClientToScreen(bar_, Point{(rect.left + rect.right) / 2, 10});
  }
  static void Move(Point to) {
    InjectStylus(StylusAction::kMove, to);
    PumpUntilIdle();
  }

  const Module module_{quillory::ProgramResources()};
  WindowHandle bar_ = nullptr;
};

TEST_F(ToolTipTest, ATooltipShowsAfterThePointerRestsHalfASecondAndGoesWhenItLeaves) {
  Move(Over(0));
  Pass(499ms);
  EXPECT_EQ(BarShownToolTip(bar_), u"");
  Move(ClientToScreen(bar_, Point{BarButtonRect(bar_, 0).left + 2, 12}));  // still on the button
  Pass(1ms);
  EXPECT_EQ(BarShownToolTip(bar_), u"Previous Article") << "moving on the same button does not start again";
  EXPECT_NE(FindWindow(u"#ToolTip", u""), nullptr);

  Move(Over(1));
  EXPECT_EQ(BarShownToolTip(bar_), u"This Week") << "from one tooltip to the next at once";
  Move(Point{120, 200});  // down into the owner's client area
  EXPECT_EQ(BarShownToolTip(bar_), u"");
  EXPECT_EQ(FindWindow(u"#ToolTip", u""), nullptr);

  Move(Over(1));
  Pass(300ms);
  InjectPointerLeave();  // off the window altogether
  PumpUntilIdle();
  Pass(1000ms);
  EXPECT_EQ(BarShownToolTip(bar_), u"") << "the wait ends with the pointer's leaving";
}

TEST_F(ToolTipTest, APressShowsTheTooltipAtOnceAndAfterTheClickNoneReturnsUntilThePointerMoves) {
  Move(Over(0));
  InjectStylus(StylusAction::kDown, Over(0));
  PumpUntilIdle();
  EXPECT_EQ(BarShownToolTip(bar_), u"Previous Article") << "press and hold, as on the handheld";
  InjectStylus(StylusAction::kUp, Over(0));
  PumpUntilIdle();
  Pass(1000ms);
  EXPECT_EQ(BarShownToolTip(bar_), u"") << "clicked: the reader knows the button";
  Move(Over(1));
  Pass(500ms);
  EXPECT_EQ(BarShownToolTip(bar_), u"This Week");
}

}  // namespace
