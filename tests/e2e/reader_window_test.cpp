// The reader program itself in a real window under an X server, driven with
// real clicks and keys, closed as a person closes it, and started twice.

#include <gtest/gtest.h>

#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "app/reader.h"
#include "core/app_state.h"
#include "core/registry_values.h"
#include "platform/backends/headless/headless_backend.h"
#include "platform/registry/registry.h"
#include "platform/windows/input.h"
#include "platform/windows/window.h"
#include "resources/program_resources.h"
#include "tests/support/scoped_environment.h"
#include "tests/support/x11_close_request.h"
#include "view/article_format.h"
#include "view/text_view.h"

extern char** environ;

namespace {

using quillory::App;
using namespace std::chrono_literals;

// Output of a shell command, trailing newline removed.
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

void Xdotool(const std::string& arguments) {
  ASSERT_EQ(std::system(("xdotool " + arguments + " >/dev/null 2>&1").c_str()), 0) << arguments;
}

// Waits for a child for at most `limit`; its exit code, or nothing (the
// child is then killed, so that a broken run ends the test).
std::optional<int> WaitForExit(pid_t child, std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (std::chrono::steady_clock::now() < end) {
    int status = 0;
    if (waitpid(child, &status, WNOHANG) == child) {
      return WIFEXITED(status) ? std::optional<int>(WEXITSTATUS(status)) : std::optional<int>(128);
    }
    std::this_thread::sleep_for(20ms);
  }
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  return std::nullopt;
}

class ReaderWindow : public ::testing::Test {
 protected:
  ReaderWindow()
      : registry_("QUILLORY_REGISTRY", (scratch_.path() / "registry.reg").string()),
        runtime_("XDG_RUNTIME_DIR", (scratch_.path() / "run").string()) {
    std::filesystem::create_directory(scratch_.path() / "run");
    std::filesystem::permissions(scratch_.path() / "run", std::filesystem::perms::owner_all);
  }

  void SetUp() override {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display";
  }

  // With a face chosen at an earlier run: a first run would open the Font
  // dialog over the text.
  void StoreSettings(const std::string& values) {
    scratch_.Write("registry.reg", "Windows Registry Editor Version 5.00\n\n"
                                   "[HKEY_CURRENT_USER\\Software\\Orvenda\\Quillory - 32]\n"
                                   "\"FontName\"=\"David CLM\"\n" + values + "\n");
  }

  std::optional<std::uint32_t> Stored(std::string_view name) const {
    return quillory::ReadRegNumber(quillory::kProductKey, name, 0xFFFFFFFF) == 0xFFFFFFFF
               ? std::nullopt
               : std::optional<std::uint32_t>(quillory::ReadRegNumber(quillory::kProductKey, name, 0));
  }

  pid_t Start() {
    char program[] = QUILLORY_READER;
    char* arguments[] = {program, nullptr};
    pid_t child = 0;
    EXPECT_EQ(posix_spawn(&child, program, nullptr, nullptr, arguments, environ), 0);
    return child;
  }

  // The reader's X window, once it is shown.
  std::string WindowOf() {
    const std::string id = Output("timeout 10 xdotool search --sync --onlyvisible --name '^Quillory - 32$' | head -n 1");
    EXPECT_FALSE(id.empty());
    return id;
  }

  quillory::testing::ScratchFolder scratch_;

 private:
  quillory::testing::ScopedVariable registry_;
  quillory::testing::ScopedVariable runtime_;
};

// Where the first link of the opening page is, found by the same reader on
// the headless backend: same screen, same fonts, so the same page.
std::optional<platform::Point> FirstLinkOnOpeningPage(std::uint16_t& target) {
  std::optional<platform::Point> found;
  platform::ScopedHeadlessBackend backend;
  backend->SetScript({});
  backend->SetDesktopWindow(platform::Size{800, 800});  // like the real one: no task bar
  platform::SetScreenSize(platform::Size{240, 320});
  quillory::ReaderOptions options;
  options.onShown = [&] {
    platform::PumpUntilIdle();
    for (const quillory::LinkHit* hit = App().textView->links; hit && hit->line; ++hit) {
      const std::uint16_t number = hit->line->linkNumber;
      if (number != 0 && number != quillory::kBackLinkNumber) {
        target = number;
        found = platform::ClientToScreen(App().mainWindow, platform::Point{hit->line->x + 3, hit->y + 3});
        break;
      }
    }
  };
  quillory::RunReader(options);
  platform::ResetWindowSystem();
  return found;
}

TEST_F(ReaderWindow, ALinkClickedAPageTurnedAndTheWindowClosedAreSaved) {
  // Article 4 at the page that shows its first link.
  StoreSettings("\"Lesson\"=dword:00000004\n\"Flags\"=dword:d1140044\n");
  std::uint16_t target = 0;
  std::optional<platform::Point> link;
  for (int top = 0; top < 80 && !link; top += 4) {
    char values[120];
    std::snprintf(values, sizeof values, "\"Lesson\"=dword:00000004\n\"Flags\"=dword:d1140044\n\"LastPosition\"=dword:%08x\n", top);
    StoreSettings(values);
    link = FirstLinkOnOpeningPage(target);
  }
  ASSERT_TRUE(link);

  const pid_t reader = Start();
  const std::string window = WindowOf();
  ASSERT_FALSE(window.empty());
  Xdotool("windowfocus --sync " + window);
  Xdotool("mousemove --window " + window + " " + std::to_string(link->x * 2) + " " + std::to_string(link->y * 2) +
          " click 1");
  Xdotool("key --window " + window + " Next");
  std::this_thread::sleep_for(300ms);
  ASSERT_TRUE(quillory::testing::RequestWindowClose(std::stoul(window)));
  EXPECT_EQ(WaitForExit(reader, 10s), 0);

  EXPECT_EQ(Stored("Lesson"), target);
  EXPECT_EQ(Stored("PreviousLesson"), 4u);
  EXPECT_GT(Stored("LastPosition").value_or(0), 0u);
}

TEST_F(ReaderWindow, AShortcutWorksAndATerminationSignalSaves) {
  StoreSettings("\"Lesson\"=dword:0000000c\n\"Flags\"=dword:d1140044\n");
  const pid_t reader = Start();
  const std::string window = WindowOf();
  ASSERT_FALSE(window.empty());
  Xdotool("windowfocus --sync " + window);
  Xdotool("key --window " + window + " ctrl+Home");
  std::this_thread::sleep_for(300ms);
  kill(reader, SIGTERM);
  EXPECT_EQ(WaitForExit(reader, 10s), 0);
  EXPECT_EQ(Stored("Flags").value_or(0) & quillory::kChosenArticleFlag, 0u);
}

TEST_F(ReaderWindow, ASecondStartEndsAndTheFirstInFrontJumpsToThisWeek) {
  StoreSettings("\"Lesson\"=dword:0000000c\n\"Flags\"=dword:d1140044\n");
  const pid_t first = Start();
  const std::string window = WindowOf();
  ASSERT_FALSE(window.empty());
  Xdotool("windowfocus --sync " + window);
  std::this_thread::sleep_for(200ms);
  const pid_t second = Start();
  EXPECT_EQ(WaitForExit(second, 10s), 0);
  std::this_thread::sleep_for(300ms);
  kill(first, SIGTERM);
  EXPECT_EQ(WaitForExit(first, 10s), 0);
  EXPECT_EQ(Stored("Flags").value_or(0) & quillory::kChosenArticleFlag, 0u);
}

TEST_F(ReaderWindow, CopyPutsTheArticleOnTheDesktopsClipboardAsRichText) {
  StoreSettings("\"Lesson\"=dword:00000004\n\"Flags\"=dword:d1140044\n\"FontName\"=\"David CLM\"\n");
  const pid_t reader = Start();
  const std::string window = WindowOf();
  ASSERT_FALSE(window.empty());
  Xdotool("windowfocus --sync " + window);
  Xdotool("key --window " + window + " ctrl+c");
  std::this_thread::sleep_for(300ms);
  const std::string document = Output("timeout 5 xclip -o -selection clipboard -t text/rtf");
  EXPECT_EQ(document.substr(0, 12), "{\\rtf1\\ansi\\");
  EXPECT_NE(document.find("\\u1488"), std::string::npos);
  EXPECT_EQ(document.substr(document.size() < 21 ? 0 : document.size() - 21), "\\par\\par\r\n\\par\\par\r\n}")
      << "the closing's line end is taken off by Output";

  // Another program's rich text is continued.
  ASSERT_EQ(std::system("printf '{\\\\rtf1 old}\\n' | xclip -i -selection clipboard -t text/rtf"), 0);
  std::this_thread::sleep_for(300ms);
  Xdotool("key --window " + window + " ctrl+e");
  std::this_thread::sleep_for(300ms);
  const std::string appended = Output("timeout 5 xclip -o -selection clipboard -t text/rtf");
  EXPECT_EQ(appended.substr(0, 20), "{\\rtf1 old\\qc\\cf2\\fs");
  kill(reader, SIGTERM);
  EXPECT_EQ(WaitForExit(reader, 10s), 0);
}

TEST_F(ReaderWindow, AppendContinuesTextThatAnotherProgramPutOnTheClipboard) {
  StoreSettings("\"Lesson\"=dword:00000004\n\"Flags\"=dword:d1140044\n\"FontName\"=\"David CLM\"\n"
                "\"FontAsciiBase\"=dword:000000e0\n");
  ASSERT_EQ(std::system("printf 'Before: ' | xclip -i -selection clipboard"), 0);
  std::this_thread::sleep_for(200ms);
  const pid_t reader = Start();
  const std::string window = WindowOf();
  ASSERT_FALSE(window.empty());
  Xdotool("windowfocus --sync " + window);
  Xdotool("key --window " + window + " ctrl+e");
  std::this_thread::sleep_for(300ms);
  const std::string text = Output("timeout 5 xclip -o -selection clipboard -t UTF8_STRING");
  ASSERT_GT(text.size(), 100u);
  EXPECT_EQ(text.substr(0, 9), "Before: \xC3");
  EXPECT_GE(static_cast<unsigned char>(text[9]), 0xA0) << "a letter from 224 on, in UTF-8";
  EXPECT_EQ(Output("timeout 5 xclip -o -selection clipboard -t TARGETS"), "TARGETS\nTIMESTAMP\nUTF8_STRING\ntext/plain;charset=utf-8");
  kill(reader, SIGTERM);
  EXPECT_EQ(WaitForExit(reader, 10s), 0);
}

}  // namespace
