// The real window under an X server of each test's own (Xvfb), driven with
// real mouse clicks and key presses from xdotool.

#include <gtest/gtest.h>

#include <csignal>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "platform/backends/sdl/sdl_backend.h"
#include "platform/windows/descriptor_watch.h"
#include "platform/windows/input.h"
#include "platform/windows/message_box.h"
#include "platform/windows/window.h"
#include "tests/support/x11_test_server.h"
#include "tests/support/x11_windows.h"
#include "tests/support/xdotool.h"

namespace {

using namespace platform;
using quillory::testing::Xdotool;

std::vector<Message> received;

LResult Recorder(WindowHandle window, std::uint32_t message, WParam first, LParam second) {
  if (message == kWmLButtonDown || message == kWmKeyDown || message == kWmVScroll || message == kWmClose ||
      message == kWmChar) {
    received.push_back(Message{window, message, first, second, 0});
  }
  return message == kWmClose ? 0 : DefWindowProc(window, message, first, second);
}

class SdlWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(server_.started()) << server_.why();
    ResetWindowSystem();
    std::string error;
    DesktopWindowRequest request;
    request.scale = DeviceScale::FromQuarters(8);
    backend_ = SdlBackend::Open("Quillory - 32 test", request, error);
    ASSERT_TRUE(backend_) << error;
    previous_ = InstallBackend(backend_.get());
    WindowClass windowClass;
    windowClass.procedure = Recorder;
    windowClass.name = u"Test";
    windowClass.background = GetStockBrush(StockBrush::kWhiteBrush);
    RegisterClass(windowClass);
    main_ = CreateWindow(0, u"Test", u"Main", kWsVisible | kWsVScroll, kUseDefault, 0, kUseDefault, 0, nullptr, 0,
                         nullptr);
    SetScrollRange(main_, kSbVert, 0, 10, true);
    PumpUntilIdle();
    // Input aimed at a window the server does not show yet is lost.
    quillory::testing::XWindows windows;
    ASSERT_TRUE(quillory::testing::WaitUntil([&] { return windows.IsShown(backend_->NativeWindowId()); }));
    received.clear();
  }
  void TearDown() override {
    ResetWindowSystem();
    if (backend_) InstallBackend(previous_);
  }

  // Window pixels, where xdotool points, are screen pixels × 2.
  std::string Id() const { return std::to_string(backend_->NativeWindowId()); }

  // Lets the loop take input until `count` messages came (or a generous
  // time has passed, so that a broken run ends instead of hanging).
  void WaitFor(std::size_t count) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (received.size() < count && std::chrono::steady_clock::now() < end) {
      backend_->WaitForInputFor(100);
      PumpUntilIdle();
    }
  }

  quillory::testing::XTestServer server_;  // first made, last gone
  std::unique_ptr<SdlBackend> backend_;
  Backend* previous_ = nullptr;
  WindowHandle main_ = nullptr;
};

TEST_F(SdlWindow, AClickIsATapAtTheScreenPointAndTheScrollBarAnswersItsOwn) {
  ASSERT_NE(backend_->NativeWindowId(), 0u);
  // Client point (20, 40) is window pixels (40, 80): no task bar in a
  // desktop window, and two window pixels to one of the screen.
  Xdotool("mousemove --window " + Id() + " 40 80 click 1");
  WaitFor(1);
  ASSERT_EQ(received.size(), 1u);
  EXPECT_EQ(received[0].id, kWmLButtonDown);
  EXPECT_EQ(LowWord(static_cast<std::uintptr_t>(received[0].second)), 20);
  EXPECT_EQ(HighWord(static_cast<std::uintptr_t>(received[0].second)), 40);

  received.clear();
  // The scroll bar's down arrow, at the bottom right.
  Xdotool("mousemove --window " + Id() + " 470 630 click 1");
  WaitFor(2);
  ASSERT_GE(received.size(), 1u);
  EXPECT_EQ(received[0].id, kWmVScroll);
  EXPECT_EQ(LowWord(received[0].first), kSbLineDown);
}

TEST_F(SdlWindow, KeysArriveAsTheHandheldsVirtualKeys) {
  Xdotool("windowfocus --sync " + Id());
  Xdotool("key Next");
  WaitFor(1);
  ASSERT_GE(received.size(), 1u);
  EXPECT_EQ(received[0].id, kWmKeyDown);
  EXPECT_EQ(received[0].first, kVkNext);
}

TEST_F(SdlWindow, TerminationSignalsBecomeTheCloseRequest) {
  CloseOnTerminationSignals();
  std::raise(SIGTERM);
  WaitFor(1);
  ASSERT_EQ(received.size(), 1u);
  EXPECT_EQ(received[0].id, kWmClose);
  EXPECT_EQ(received[0].window, main_);
}

TEST_F(SdlWindow, AMessageBoxIsDrawnInTheWindowAndAnsweredWithItsKeys) {
  Xdotool("windowfocus --sync " + Id());
  // A person answers the box once it is drawn; the keys come from another
  // process while the box's loop waits for them.
  quillory::testing::XWindows windows;
  const std::vector<std::uint32_t> before = windows.Picture(backend_->NativeWindowId());
  std::thread person([&] {
    quillory::testing::XWindows own;
    EXPECT_TRUE(own.WaitForChange(backend_->NativeWindowId(), before)) << "no box was drawn";
    Xdotool("key Tab key Return");  // either way, so that the box ends
  });
  EXPECT_EQ(ShowMessageBox(main_, "Remove Bookmark?", "Bookmark", kMbYesNoCancel), kIdNo);
  person.join();
  EXPECT_EQ(GetForegroundWindow(), main_);
}

}  // namespace
