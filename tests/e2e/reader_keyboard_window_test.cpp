// The reader program in a real window under an X server, driven by real
// key presses and pointer moves from xdotool: the Go menu and the keys of
// a desktop reader, Choose Section without a mouse, Hebrew typed on a
// Latin layout, and the toolbar's tooltip on hover. Every wait is for a
// condition (the program's exit, a window, a colour on the screen), with a
// generous limit so that a broken run ends instead of hanging.

#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/app_state.h"
#include "platform/menus/command_bar.h"
#include "platform/windows/window.h"
#include "tests/e2e/headless_look.h"
#include "tests/e2e/reader_window_fixture.h"
#include "tests/support/child_process.h"
#include "tests/support/stored_values.h"

namespace {

using quillory::testing::LookAtHeadlessReader;
using quillory::testing::WaitUntil;
using quillory::testing::Xdotool;

// Reader pixels to the window's: the reader starts at scale 2.
constexpr int kScale = 2;

class KeyboardWindow : public quillory::testing::ReaderWindowTest {
 protected:
  // The reader's settings in David CLM with its usual option bits, and `values`.
  void StoreSettings(const std::string& values) {
    ReaderWindowTest::StoreSettings("\"FontName\"=\"David CLM\"\n\"Flags\"=dword:d1140044\n" + values + "\n");
  }

  std::optional<std::uint32_t> Stored(std::string_view name) const { return quillory::testing::StoredNumber(name); }

  // Real key presses, in order, to the focused window.
  void Keys(const std::string& keys) {
    Xdotool("key --delay 30 " + keys);
  }

  // Waits for the reader to end (Ctrl+Q was its last key); its exit code.
  std::optional<int> Exit() {
    const std::optional<int> code = quillory::testing::WaitForExit(reader_);
    reader_ = 0;
    return code;
  }
};

TEST_F(KeyboardWindow, TheGoMenuPagingAndTheTextSizeAnswerTheKeyboard) {
  StoreSettings("\"Lesson\"=dword:0000000c\n");
  Start();
  // F10, eight Downs to Bookmark (past the separators, Full Screen and
  // Night Reading), Enter; Alt+G and N for Next Article; two pages forward
  // and one back; the text a size larger; Ctrl+Q.
  Keys("F10 Down Down Down Down Down Down Down Down Return alt+g n space space shift+space ctrl+plus ctrl+q");
  EXPECT_EQ(Exit(), 0);
  const auto bookmarks = quillory::testing::StoredSetting("Bookmarks");
  ASSERT_TRUE(bookmarks);
  EXPECT_EQ(bookmarks->data, (std::vector<std::uint8_t>{12, 0, 0, 0}));
  EXPECT_EQ(Stored("Lesson"), 13u);
  EXPECT_EQ(Stored("FontSize"), 18u);
  EXPECT_GT(Stored("LastPosition").value_or(0), 0u) << "a page in, kept through the new size";
}

TEST_F(KeyboardWindow, ChooseSectionWorksWithoutAMouse) {
  StoreSettings("\"Lesson\"=dword:0000001d\n");
  Start();
  // From article 29 down to the closed group, Enter opens it, down to its
  // first article, Enter opens that. Again: the group opens closed with
  // article 30 and the one after it shown, so two Downs stop at 31.
  Keys("ctrl+d Down Return Down Return ctrl+d Down Down Return ctrl+q");
  EXPECT_EQ(Exit(), 0);
  EXPECT_EQ(Stored("Lesson"), 31u);
  EXPECT_EQ(Stored("PreviousLesson"), 0u);
}

TEST_F(KeyboardWindow, TheSearchBoxTypesHebrewFromALatinLayout) {
  StoreSettings("\"Lesson\"=dword:00000004\n");
  Start();
  // "u" is vav on the Israeli layout: found in the article, the dialog closes.
  Keys("alt+F3 u Return ctrl+q");
  EXPECT_EQ(Exit(), 0);
  const auto pattern = quillory::testing::StoredSetting("SearchString");
  ASSERT_TRUE(pattern);
  ASSERT_FALSE(pattern->data.empty());
  EXPECT_EQ(pattern->data[0], 0x66) << "vav in the letter code";
}

TEST_F(KeyboardWindow, AClosedGoMenuLeavesThePageAsItWas) {
  StoreSettings("\"Lesson\"=dword:00000004\n");
  Start();
  const ::Window window = window_;
  const std::vector<std::uint32_t> page = windows_->Picture(window);
  ASSERT_FALSE(page.empty());
  // Closed by Escape, and by a click on the page beside it, which only
  // closes the menu: nothing of the menu or its button stays on the bar or
  // the page, and the page does not turn.
  for (const std::string& close : {std::string("key Escape"), "mousemove --window " + Id() + " 440 300 click 1"}) {
    SCOPED_TRACE(close);
    Keys("F10");
    ASSERT_TRUE(windows_->WaitForChange(window, page)) << "the menu never showed";
    Xdotool(close);
    EXPECT_TRUE(WaitUntil([&] { return windows_->Picture(window) == page; })) << "the page is not as it was";
  }
  Keys("ctrl+q");
  EXPECT_EQ(Exit(), 0);
}

// A point of the reader's screen in the window's pixels.
platform::Point InWindow(platform::WindowHandle window, platform::Point client) {
  const platform::Point screen = platform::ClientToScreen(window, client);
  return platform::Point{screen.x * kScale, screen.y * kScale};
}

// Where a link to another article is on the opening page of the article
// and top position stored, in the window's pixels.
std::optional<platform::Point> LinkOnOpeningPage() {
  const std::optional<quillory::testing::LinkPlace> link = quillory::testing::FirstLinkOnOpeningPage();
  if (!link) return std::nullopt;
  return platform::Point{link->at.x * kScale, link->at.y * kScale};
}

TEST_F(KeyboardWindow, BackspaceAndAltLeftGoBackWhereTheLinkWasFollowedFrom) {
  std::string settings;
  std::optional<platform::Point> link;
  for (int top = 0; top < 80 && !link; top += 4) {
    char values[96];
    std::snprintf(values, sizeof values, "\"Lesson\"=dword:00000004\n\"LastPosition\"=dword:%08x\n", top);
    settings = values;
    StoreSettings(settings);
    link = LinkOnOpeningPage();
  }
  ASSERT_TRUE(link) << "no link near the start of article 4";
  for (const std::string back : {"BackSpace", "alt+Left"}) {
    SCOPED_TRACE(back);
    StoreSettings(settings);
    Start();
    // The link, then back, then Ctrl+Q.
    Xdotool("mousemove --window " + Id() + " " + std::to_string(link->x) + " " + std::to_string(link->y) +
            " click 1 key " + back + " key ctrl+q");
    EXPECT_EQ(Exit(), 0);
    EXPECT_EQ(Stored("Lesson"), 4u);
    EXPECT_EQ(Stored("PreviousLesson"), 0u) << "going back forgets the back link";
  }
}

// Where the toolbar's first button is.
std::optional<platform::Point> FirstButtonCentre() {
  std::optional<platform::Point> centre;
  LookAtHeadlessReader([&] {
    const platform::WindowHandle bar = quillory::App().barWindow;
    const platform::Rect button = platform::BarButtonRect(bar, 0);
    centre = InWindow(bar, {(button.left + button.right) / 2, button.bottom / 2});
  });
  return centre;
}

// Whether the window shows the tooltip's pale yellow anywhere.
bool ShowsTooltipColour(Display* display, ::Window window) {
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(display, window, &attributes)) return false;
  XImage* image = XGetImage(display, window, 0, 0, static_cast<unsigned>(attributes.width),
                            static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
  if (!image) return false;
  bool found = false;
  for (int y = 0; y < attributes.height && !found; y += 2) {
    for (int x = 0; x < attributes.width && !found; x += 2) found = XGetPixel(image, x, y) == 0xFFFFE1;
  }
  XDestroyImage(image);
  return found;
}

TEST_F(KeyboardWindow, ATooltipShowsWhileThePointerRestsOnAButton) {
  StoreSettings("\"Lesson\"=dword:00000004\n");
  const std::optional<platform::Point> button = FirstButtonCentre();
  ASSERT_TRUE(button);
  Start();
  std::unique_ptr<Display, int (*)(Display*)> display(XOpenDisplay(nullptr), XCloseDisplay);
  ASSERT_TRUE(display);
  const ::Window window = window_;
  EXPECT_FALSE(ShowsTooltipColour(display.get(), window));
  const std::string move = "mousemove --window " + Id() + " ";
  Xdotool(move + std::to_string(button->x) + " " + std::to_string(button->y));
  EXPECT_TRUE(WaitUntil([&] { return ShowsTooltipColour(display.get(), window); })) << "no tooltip after resting";
  Xdotool(move + "240 500");
  EXPECT_TRUE(WaitUntil([&] { return !ShowsTooltipColour(display.get(), window); })) << "the tooltip stayed";
  Keys("ctrl+q");
  EXPECT_EQ(Exit(), 0);
}

}  // namespace
