// The reader program itself in a real window, each test on an X server of
// its own, driven with real clicks and keys, closed as a person closes it,
// and started again while it runs. Every step waits for what it should
// bring (the window shown, its picture changed, the clipboard filled).

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "app/reader.h"
#include "core/app_state.h"
#include "platform/backends/headless/headless_backend.h"
#include "platform/windows/input.h"
#include "platform/windows/window.h"
#include "tests/e2e/headless_look.h"
#include "tests/support/child_process.h"
#include "tests/support/real_window_test.h"
#include "tests/support/scoped_environment.h"
#include "tests/support/stored_values.h"
#include "tests/support/x11_close_request.h"
#include "tests/support/x11_test_server.h"
#include "tests/support/x11_windows.h"
#include "tests/support/xdotool.h"
#include "view/article_format.h"
#include "view/text_view.h"

namespace {

using quillory::App;
using quillory::testing::ChildOptions;
using quillory::testing::StartChild;
using quillory::testing::WaitForExit;
using quillory::testing::WaitUntil;
using quillory::testing::Xdotool;
using namespace std::chrono_literals;

constexpr char kTitle[] = "Quillory - 32";

// Output of a shell command, trailing line ends removed.
std::string Output(const std::string& command) {
  std::string text;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe)) text += buffer;
    pclose(pipe);
  }
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  return text;
}

std::string Clipboard(const std::string& target) {
  return Output("timeout 10 xclip -o -selection clipboard -t '" + target + "' 2>/dev/null");
}

// The registry file's text under the product key, with a face chosen at an
// earlier run (a first run opens the Font dialog over the text).
std::string Settings(const std::string& values, bool chosenFace = true) {
  return std::string("Windows Registry Editor Version 5.00\n\n"
                     "[HKEY_CURRENT_USER\\Software\\Orvenda\\Quillory - 32]\n") +
         (chosenFace ? "\"FontName\"=\"David CLM\"\n" : "") + values + "\n";
}

class ReaderWindow : public quillory::testing::RealWindowTest {
 protected:
  void TearDown() override {
    for (const pid_t reader : readers_) WaitForExit(reader, 0ms);
  }

  void StoreSettings(const std::string& values, bool chosenFace = true) {
    scratch_.Write("registry.reg", Settings(values, chosenFace));
  }

  std::optional<std::uint32_t> Stored(std::string_view name) const { return quillory::testing::StoredNumber(name); }

  pid_t Start(const ChildOptions& options = {}) {
    const pid_t reader = StartChild(QUILLORY_READER, options);
    EXPECT_GT(reader, 0);
    readers_.push_back(reader);
    return reader;
  }

  // The reader's window once it is shown and drawn (input from then on
  // finds it at rest, waiting for input), with the keyboard focus.
  Window ShownWindow() {
    const std::optional<Window> window = windows_->WaitForDrawn(kTitle);
    EXPECT_TRUE(window) << "the reader's window never showed a picture";
    if (!window) return None;
    Focus(*window);
    return *window;
  }

  void Focus(Window window) {
    XSetInputFocus(windows_->display(), window, RevertToParent, CurrentTime);
    XSync(windows_->display(), False);
    EXPECT_TRUE(WaitUntil([&] { return windows_->HasFocus(window); }));
  }

  // Presses `keys` and waits until the window shows their effect.
  void PressAndWait(Window window, const std::string& keys) {
    const std::vector<std::uint32_t> before = windows_->Picture(window);
    Xdotool("key " + keys);
    EXPECT_TRUE(windows_->WaitForChange(window, before)) << keys << " changed nothing";
  }

 private:
  std::vector<pid_t> readers_;  // whatever still runs at the end is killed
};

TEST_F(ReaderWindow, ALinkClickedAPageTurnedAndTheWindowClosedAreSaved) {
  // Article 4 at the page that shows its first link.
  std::optional<quillory::testing::LinkPlace> link;
  for (int top = 0; top < 80 && !link; top += 4) {
    char values[120];
    std::snprintf(values, sizeof values, "\"Lesson\"=dword:00000004\n\"Flags\"=dword:d1140044\n\"LastPosition\"=dword:%08x\n", top);
    StoreSettings(values);
    link = quillory::testing::FirstLinkOnOpeningPage();
  }
  ASSERT_TRUE(link);

  const pid_t reader = Start();
  const Window window = ShownWindow();
  ASSERT_NE(window, None);
  std::vector<std::uint32_t> before = windows_->Picture(window);
  Xdotool("mousemove --window " + std::to_string(window) + " " + std::to_string(link->at.x * 2) + " " +
          std::to_string(link->at.y * 2) + " click 1");
  ASSERT_TRUE(windows_->WaitForChange(window, before)) << "the link was not followed";
  PressAndWait(window, "Next");
  ASSERT_TRUE(quillory::testing::RequestWindowClose(window));
  EXPECT_EQ(WaitForExit(reader), 0);

  EXPECT_EQ(Stored("Lesson"), link->target);
  EXPECT_EQ(Stored("PreviousLesson"), 4u);
  EXPECT_GT(Stored("LastPosition").value_or(0), 0u);
}

TEST_F(ReaderWindow, AShortcutWorksAndATerminationSignalSaves) {
  // Further down article 12: This Week shows the top of an article.
  StoreSettings("\"Lesson\"=dword:0000000c\n\"Flags\"=dword:d1140044\n\"LastPosition\"=dword:00000005\n");
  const pid_t reader = Start();
  const Window window = ShownWindow();
  ASSERT_NE(window, None);
  PressAndWait(window, "ctrl+Home");
  kill(reader, SIGTERM);
  EXPECT_EQ(WaitForExit(reader), 0);
  EXPECT_EQ(Stored("Flags").value_or(0) & quillory::kChosenArticleFlag, 0u);
  EXPECT_EQ(Stored("LastPosition"), 0u);
}

TEST_F(ReaderWindow, ASecondStartEndsAndTheFirstInFrontJumpsToThisWeek) {
  StoreSettings("\"Lesson\"=dword:0000000c\n\"Flags\"=dword:d1140044\n\"LastPosition\"=dword:00000005\n");
  const pid_t first = Start();
  const Window window = ShownWindow();
  ASSERT_NE(window, None);
  const std::vector<std::uint32_t> before = windows_->Picture(window);
  EXPECT_EQ(WaitForExit(Start()), 0);
  EXPECT_TRUE(windows_->WaitForChange(window, before)) << "the first did not go to This Week";
  kill(first, SIGTERM);
  EXPECT_EQ(WaitForExit(first), 0);
  EXPECT_EQ(Stored("Flags").value_or(0) & quillory::kChosenArticleFlag, 0u);
}

TEST_F(ReaderWindow, ASecondStartWhileTheFirstStillStartsNeverBecomesASecondReader) {
  // A first start opens the Font dialog before the loop runs; a missing
  // article puts its box up even before the window is shown.
  for (const auto& [settings, chosenFace] : {std::pair<std::string, bool>{"", false},
                                             std::pair<std::string, bool>{"\"Lesson\"=dword:0000002d\n"
                                                                          "\"Flags\"=dword:d1140044\n", true}}) {
    StoreSettings(settings, chosenFace);
    const pid_t first = Start();
    const Window window = ShownWindow();
    ASSERT_NE(window, None);
    EXPECT_EQ(WaitForExit(Start(), 20s), 0) << "the second start did not end";
    EXPECT_EQ(windows_->Shown(kTitle).size(), 1u);
    kill(first, SIGTERM);
    EXPECT_EQ(WaitForExit(first), 0);
    EXPECT_TRUE(WaitUntil([&] { return windows_->Shown(kTitle).empty(); }));
  }
}

TEST_F(ReaderWindow, ASecondStartRestoresAMinimizedReaderAndRaisesIt) {
  StoreSettings("\"Lesson\"=dword:0000000c\n\"Flags\"=dword:d1140044\n");
  const pid_t first = Start();
  const Window window = ShownWindow();
  ASSERT_NE(window, None);
  const Window other = windows_->CoverScreen();  // another program's window, in front
  windows_->Iconify(window);
  ASSERT_TRUE(WaitUntil([&] { return !windows_->IsShown(window); }));

  EXPECT_EQ(WaitForExit(Start()), 0);
  EXPECT_TRUE(WaitUntil([&] { return windows_->IsShown(window) && windows_->IsAbove(window, other); }))
      << "the reader stayed minimized or behind";
  kill(first, SIGTERM);
  EXPECT_EQ(WaitForExit(first), 0);
  EXPECT_EQ(Stored("Lesson"), 12u) << "coming forward is all it did";
  EXPECT_NE(Stored("Flags").value_or(0) & quillory::kChosenArticleFlag, 0u);
}

TEST_F(ReaderWindow, AHeadlessScriptPlaysInFullWhileAWindowRunsAndLeavesItAlone) {
  StoreSettings("\"Lesson\"=dword:0000000c\n\"Flags\"=dword:d1140044\n\"LastPosition\"=dword:00000005\n");
  const pid_t first = Start();
  const Window window = ShownWindow();
  ASSERT_NE(window, None);
  const std::vector<std::uint32_t> before = windows_->Picture(window);

  const std::filesystem::path script = scratch_.Write("script", "key PageDown\nsnapshot " +
                                                                    (scratch_.path() / "page.png").string() + "\n");
  scratch_.Write("headless.reg", Settings("\"Lesson\"=dword:00000003\n\"Flags\"=dword:d1140044\n"));
  ChildOptions headless;
  headless.arguments = {"--headless", "--script", script.string()};
  headless.variables["QUILLORY_REGISTRY"] = (scratch_.path() / "headless.reg").string();
  EXPECT_EQ(WaitForExit(Start(headless)), 0);
  EXPECT_TRUE(std::filesystem::is_regular_file(scratch_.path() / "page.png")) << "the script did not play";

  EXPECT_EQ(windows_->Picture(window), before);
  kill(first, SIGTERM);
  EXPECT_EQ(WaitForExit(first), 0);
  EXPECT_EQ(Stored("Lesson"), 12u);
  EXPECT_EQ(Stored("LastPosition"), 5u);
  EXPECT_NE(Stored("Flags").value_or(0) & quillory::kChosenArticleFlag, 0u) << "the window went to This Week";
}

TEST_F(ReaderWindow, CopyPutsTheArticleOnTheDesktopsClipboardAsRichText) {
  StoreSettings("\"Lesson\"=dword:00000004\n\"Flags\"=dword:d1140044\n");
  const pid_t reader = Start();
  const Window window = ShownWindow();
  ASSERT_NE(window, None);
  Xdotool("key ctrl+c");
  std::string document;
  EXPECT_TRUE(WaitUntil([&] { return (document = Clipboard("text/rtf")).rfind("{\\rtf1\\ansi\\", 0) == 0; }));
  EXPECT_NE(document.find("\\u1488"), std::string::npos);
  EXPECT_EQ(document.substr(document.size() < 21 ? 0 : document.size() - 21), "\\par\\par\r\n\\par\\par\r\n}")
      << "the closing's line end is taken off by Output";

  // Another program's rich text is continued.
  ASSERT_EQ(std::system("printf '{\\\\rtf1 old}\\n' | xclip -i -selection clipboard -t text/rtf"), 0);
  ASSERT_TRUE(WaitUntil([&] { return Clipboard("text/rtf") == "{\\rtf1 old}"; }));
  Xdotool("key ctrl+e");
  EXPECT_TRUE(WaitUntil([&] { return Clipboard("text/rtf").rfind("{\\rtf1 old\\qc\\cf2\\fs", 0) == 0; }));
  kill(reader, SIGTERM);
  EXPECT_EQ(WaitForExit(reader), 0);
}

TEST_F(ReaderWindow, AppendContinuesTextThatAnotherProgramPutOnTheClipboard) {
  StoreSettings("\"Lesson\"=dword:00000004\n\"Flags\"=dword:d1140044\n\"FontAsciiBase\"=dword:000000e0\n");
  ASSERT_EQ(std::system("printf 'Before: ' | xclip -i -selection clipboard"), 0);
  ASSERT_TRUE(WaitUntil([&] { return Clipboard("UTF8_STRING") == "Before: "; }));
  const pid_t reader = Start();
  const Window window = ShownWindow();
  ASSERT_NE(window, None);
  Xdotool("key ctrl+e");
  std::string text;
  EXPECT_TRUE(WaitUntil([&] { return (text = Clipboard("UTF8_STRING")).size() > 100; }));
  EXPECT_EQ(text.substr(0, 9), "Before: \xC3");
  ASSERT_GT(text.size(), 9u);
  EXPECT_GE(static_cast<unsigned char>(text[9]), 0xA0) << "a letter from 224 on, in UTF-8";
  EXPECT_EQ(Clipboard("TARGETS"), "TARGETS\nTIMESTAMP\nUTF8_STRING\ntext/plain;charset=utf-8");
  kill(reader, SIGTERM);
  EXPECT_EQ(WaitForExit(reader), 0);
}

}  // namespace
