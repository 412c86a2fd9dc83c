// The reader program in a real desktop window, under an X server of its own
// with a window manager stand-in: what it shows after the window is resized
// (read back from the X server), full screen by F11, the size and state it
// opens with the next time, where it opens in a smaller work area, and how
// sharp its text is at scale 2. Every wait is for a condition, with a
// generous limit so that a broken run ends instead of hanging.

#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/graphics/framebuffer.h"
#include "tests/support/child_process.h"
#include "tests/support/crispness.h"
#include "tests/support/real_window_test.h"
#include "tests/support/scoped_environment.h"
#include "tests/support/stored_values.h"
#include "tests/support/wait_until.h"
#include "tests/support/window_manager_stand_in.h"
#include "tests/support/x11_close_request.h"
#include "tests/support/x11_test_server.h"
#include "tests/support/x11_windows.h"
#include "tests/support/xdotool.h"

namespace {

using quillory::testing::ChildOptions;
using quillory::testing::WaitUntil;
using quillory::testing::Xdotool;
using quillory::testing::WindowManagerStandIn;

constexpr char kTitle[] = "Quillory - 32";
constexpr platform::Pixel kBarFace = 0x00C0C0C0;
constexpr platform::Pixel kWhite = 0x00FFFFFF;

struct Geometry {
  int x = 0, y = 0, width = 0, height = 0;
  bool operator==(const Geometry&) const = default;
};
// The Xvfb screen of the tests.
constexpr Geometry kWholeScreen{0, 0, 800, 800};

std::ostream& operator<<(std::ostream& out, const Geometry& g) {
  return out << g.width << "x" << g.height << "+" << g.x << "+" << g.y;
}

class DesktopWindow : public quillory::testing::RealWindowTest {
 protected:
  void TearDown() override {
    if (reader_ > 0) quillory::testing::WaitForExit(reader_, std::chrono::milliseconds(0));
  }

  void StoreSettings(const std::string& product, const std::string& maker = "") {
    scratch_.Write("registry.reg", "Windows Registry Editor Version 5.00\n\n"
                                   "[HKEY_CURRENT_USER\\software\\Orvenda]\n" + maker + "\n"
                                   "[HKEY_CURRENT_USER\\Software\\Orvenda\\Quillory - 32]\n"
                                   "\"FontName\"=\"David CLM\"\n\"Lesson\"=dword:00000004\n" + product + "\n");
  }
  std::optional<std::uint32_t> Stored(std::string_view name) const { return quillory::testing::StoredNumber(name); }

  // Starts the reader and waits for its window to show its first picture.
  Window Start(std::vector<std::string> arguments = {}) {
    reader_ = quillory::testing::StartChild(QUILLORY_READER, ChildOptions{std::move(arguments), {}, {}});
    EXPECT_GT(reader_, 0);
    const std::optional<Window> window = windows_->WaitForDrawn(kTitle);
    EXPECT_TRUE(window) << "the reader's window never showed a picture";
    return window.value_or(None);
  }
  // Closes the window as a person does; whether the reader then ended well.
  bool Close(Window window) {
    if (!quillory::testing::RequestWindowClose(window)) return false;
    const std::optional<int> exitCode = quillory::testing::WaitForExit(reader_);
    reader_ = 0;
    return exitCode == 0;
  }

  Geometry GeometryOf(Window window) {
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(windows_->display(), window, &attributes)) return Geometry{};
    int x = 0, y = 0;
    Window child = None;
    XTranslateCoordinates(windows_->display(), window, DefaultRootWindow(windows_->display()), 0, 0, &x, &y, &child);
    return Geometry{x, y, attributes.width, attributes.height};
  }
  // What the window shows, as 0x00RRGGBB pixels: the part of it on the
  // screen (the server keeps no pixels of the rest).
  platform::Framebuffer Image(Window window) {
    Geometry geometry = GeometryOf(window);
    geometry.width = std::min(geometry.width, kWholeScreen.width - std::max(0, geometry.x));
    geometry.height = std::min(geometry.height, kWholeScreen.height - std::max(0, geometry.y));
    if (geometry.width <= 0 || geometry.height <= 0) return platform::Framebuffer();
    XImage* image = XGetImage(windows_->display(), window, 0, 0, static_cast<unsigned>(geometry.width),
                              static_cast<unsigned>(geometry.height), AllPlanes, ZPixmap);
    if (!image) return platform::Framebuffer();
    platform::Framebuffer pixels(geometry.width, geometry.height);
    for (int y = 0; y < geometry.height; ++y) {
      for (int x = 0; x < geometry.width; ++x) pixels.at(x, y) = XGetPixel(image, x, y) & 0x00FFFFFF;
    }
    XDestroyImage(image);
    return pixels;
  }

  bool WaitForGeometry(Window window, const Geometry& wanted) {
    return WaitUntil([&] { return GeometryOf(window) == wanted; });
  }
  bool WaitForSize(Window window, int width, int height) {
    return WaitUntil([&] {
      const Geometry now = GeometryOf(window);
      return now.width == width && now.height == height;
    });
  }
  // Waits until the bar's face reaches the column left of `right` (where
  // the scroll bar starts): a bar that kept an earlier, smaller width would
  // leave the window's white there.
  bool WaitForBarUpTo(Window window, int right) {
    return WaitUntil([&] {
      const platform::Framebuffer image = Image(window);
      return image.width() >= right && image.at(right - 1, 4) == kBarFace;
    });
  }
  // The window covers the whole screen and the reader fills it.
  void ExpectFillsTheScreen(Window window) {
    EXPECT_TRUE(WaitForGeometry(window, kWholeScreen)) << GeometryOf(window);
    EXPECT_TRUE(WaitForBarUpTo(window, kWholeScreen.width - 26));
  }
  void Focus(Window window) {
    XSetInputFocus(windows_->display(), window, RevertToParent, CurrentTime);
    XSync(windows_->display(), False);
    EXPECT_TRUE(WaitUntil([&] { return windows_->HasFocus(window); }));
  }

  pid_t reader_ = 0;
};

// The screen is 800 × 800; the stand-in's work area leaves a 40-row panel.
constexpr WindowManagerStandIn::WorkArea kWorkArea{0, 40, 800, 720};

TEST_F(DesktopWindow, AResizedWindowIsFilledByTheBarAndTheTextAndItsSizeIsKept) {
  WindowManagerStandIn manager(kWorkArea);
  ASSERT_TRUE(manager.started());
  StoreSettings("");
  const Window window = Start({"--scale", "2"});
  ASSERT_NE(window, None);
  ASSERT_TRUE(WaitForBarUpTo(window, 480 - 26)) << "the first-start window, 480 × 640";
  Xdotool("windowmove " + std::to_string(window) + " 0 40");
  Xdotool("windowsize " + std::to_string(window) + " 700 500");
  ASSERT_TRUE(WaitForSize(window, 700, 500)) << GeometryOf(window);
  // The command bar spans the new width up to the scroll bar (13 pixels of
  // the reader's, 26 on the screen), and the text area is white below it.
  EXPECT_TRUE(WaitForBarUpTo(window, 700 - 26));
  EXPECT_TRUE(WaitUntil([&] {
    const platform::Framebuffer image = Image(window);
    return image.width() == 700 && image.at(650, 480) == kWhite;
  })) << "a stale region at the bottom right";
  ASSERT_TRUE(Close(window));
  EXPECT_EQ(Stored("WindowWidth"), 350u);
  EXPECT_EQ(Stored("WindowHeight"), 250u);
  EXPECT_EQ(Stored("WindowFullScreen"), 0u);

  // The next start opens at that size.
  const Window again = Start({"--scale", "2"});
  ASSERT_NE(again, None);
  EXPECT_TRUE(WaitForSize(again, 700, 500)) << GeometryOf(again);
  ASSERT_TRUE(Close(again));
}

TEST_F(DesktopWindow, F11MakesTheWindowFullScreenAndBackAndAWindowLeftFullScreenOpensSo) {
  WindowManagerStandIn manager(kWorkArea);
  ASSERT_TRUE(manager.started());
  StoreSettings("");
  const Window window = Start({"--scale", "2"});
  ASSERT_NE(window, None);
  const Geometry windowed = GeometryOf(window);
  Focus(window);
  Xdotool("key F11");
  ExpectFillsTheScreen(window);
  Xdotool("key F11");
  ASSERT_TRUE(WaitForGeometry(window, windowed)) << GeometryOf(window);
  EXPECT_TRUE(WaitForBarUpTo(window, windowed.width - 26));
  Xdotool("key F11");
  ASSERT_TRUE(WaitForGeometry(window, kWholeScreen));
  ASSERT_TRUE(Close(window));
  EXPECT_EQ(Stored("WindowFullScreen"), 1u);
  EXPECT_EQ(Stored("WindowWidth"), 240u) << "the size to go back to, not the screen's";

  const Window again = Start({"--scale", "2"});
  ASSERT_NE(again, None);
  ExpectFillsTheScreen(again);
  ASSERT_TRUE(Close(again));
}

TEST_F(DesktopWindow, TheFullScreenSwitchOpensTheWindowFullScreen) {
  WindowManagerStandIn manager(kWorkArea);
  ASSERT_TRUE(manager.started());
  StoreSettings("", "\"FullScreen\"=dword:00000001\n");
  const Window window = Start({"--scale", "2"});
  ASSERT_NE(window, None);
  ExpectFillsTheScreen(window);
  ASSERT_TRUE(Close(window));
}

TEST_F(DesktopWindow, AWindowTooLargeForTheWorkAreaOpensSmallerAndInsideIt) {
  WindowManagerStandIn manager(kWorkArea);
  ASSERT_TRUE(manager.started());
  StoreSettings("");
  // 240 × 320 at scale 3 is 720 × 960: taller than the 720 rows left.
  const Window window = Start({"--scale", "3"});
  ASSERT_NE(window, None);
  const Geometry place = GeometryOf(window);
  EXPECT_GE(place.y, kWorkArea.y) << place;
  EXPECT_LE(place.y + place.height, kWorkArea.y + kWorkArea.height) << place;
  EXPECT_GE(place.x, 0) << place;
  EXPECT_LE(place.x + place.width, 800) << place;
  EXPECT_EQ(place.width, 720) << "as wide as asked: it fits";
  // And the reader fills what it got: its bar reaches the scroll bar.
  EXPECT_TRUE(WaitForBarUpTo(window, place.width - 39));
  ASSERT_TRUE(Close(window));
}

TEST_F(DesktopWindow, AtScaleTwoTheTextIsRasterizedAtTheScreensResolution) {
  StoreSettings("");
  const Window window = Start({"--scale", "2"});
  ASSERT_NE(window, None);
  quillory_test::Crispness crispness;
  // The text area: below the bar (26 rows of the reader's), left of the
  // scroll bar, once the page is there: white paper with ink on it (a
  // window not drawn yet is black all over).
  const platform::Rect area{0, 52, 480 - 26, 640};
  const int blocks = area.width() / 2 * (area.height() / 2);
  EXPECT_TRUE(WaitUntil([&] {
    crispness = quillory_test::MeasureCrispness(Image(window), area);
    return crispness.inkedBlocks > blocks / 10 && crispness.inkedBlocks < blocks / 2;
  }));
  EXPECT_LT(crispness.UniformShare(), 0.5);
  std::printf("uniform 2x2 blocks among inked ones in the window's text area: %.1f %%\n",
              100 * crispness.UniformShare());
  ASSERT_TRUE(Close(window));
}

}  // namespace
