// Selecting with the mouse and Night Reading in the real reader window,
// with xdotool's mouse and keys and xclip as the other program: a passage of
// article 31 dragged over, copied with Ctrl+C and read back as UTF-8 text,
// as rich text and from the primary selection; and the night palette
// switched on, seen on the page, and found again after a restart. Every
// wait is for a condition, never for a fixed time.

#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>

#include "tests/support/scoped_environment.h"
#include "tests/support/wait_until.h"
#include "tests/support/x11_test_server.h"
#include "tests/support/x11_windows.h"

extern char** environ;

namespace {

using quillory::testing::WaitUntil;

// The night page's colour as the window shows it.
constexpr std::uint32_t kNightPage = 0x121214;

std::string Output(const std::string& command) {
  std::string text;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    std::size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) text.append(buffer, count);
    pclose(pipe);
  }
  return text;
}

std::string Selection(const std::string& selection, const std::string& target) {
  return Output("timeout 5 xclip -o -selection " + selection + " -t '" + target + "' 2>/dev/null");
}

// The colour most of a picture shows.
std::uint32_t Ground(const std::vector<std::uint32_t>& picture) {
  std::map<std::uint32_t, std::size_t> counts;
  for (const std::uint32_t pixel : picture) ++counts[pixel & 0xFFFFFF];
  return std::max_element(counts.begin(), counts.end(), [](const auto& a, const auto& b) { return a.second < b.second; })
      ->first;
}

class SelectionWindow : public ::testing::Test {
 protected:
  SelectionWindow()
      : registry_("QUILLORY_REGISTRY", (scratch_.path() / "registry.reg").string()),
        runtime_("XDG_RUNTIME_DIR", (scratch_.path() / "run").string()) {
    std::filesystem::create_directory(scratch_.path() / "run");
    std::filesystem::permissions(scratch_.path() / "run", std::filesystem::perms::owner_all);
    scratch_.Write("registry.reg", "Windows Registry Editor Version 5.00\n\n"
                                   "[HKEY_CURRENT_USER\\Software\\Orvenda\\Quillory - 32]\n"
                                   "\"FontName\"=\"David CLM\"\n\"Lesson\"=dword:0000001f\n"
                                   "\"Flags\"=dword:d1140044\n");
  }
  void SetUp() override {
    ASSERT_TRUE(server_.started()) << server_.why();
    windows_.emplace();
    ASSERT_TRUE(windows_->connected());
  }
  void TearDown() override { Stop(); }

  // Starts the reader and waits for its window, drawn and given the focus.
  void Start() {
    char program[] = QUILLORY_READER;
    char* arguments[] = {program, nullptr};
    ASSERT_EQ(posix_spawn(&reader_, program, nullptr, nullptr, arguments, environ), 0);
    const std::optional<Window> window = windows_->WaitForDrawn("Quillory - 32");
    ASSERT_TRUE(window) << "the reader's window never showed a picture";
    window_ = *window;
    XSetInputFocus(windows_->display(), window_, RevertToParent, CurrentTime);
    XSync(windows_->display(), False);
    ASSERT_TRUE(WaitUntil([&] { return windows_->HasFocus(window_); }));
  }
  // Ends the reader the orderly way (it saves its settings).
  void Stop() {
    if (reader_ == 0) return;
    kill(reader_, SIGTERM);
    const bool ended = WaitUntil([&] { return waitpid(reader_, nullptr, WNOHANG) == reader_; });
    if (!ended) {
      kill(reader_, SIGKILL);
      waitpid(reader_, nullptr, 0);
    }
    reader_ = 0;
    EXPECT_TRUE(ended) << "the reader ends on SIGTERM";
  }
  void Xdotool(const std::string& arguments) {
    ASSERT_EQ(std::system(("timeout 30 xdotool " + arguments).c_str()), 0) << arguments;
  }
  std::string Id() const { return std::to_string(window_); }
  std::string Settings() const {
    std::ostringstream text;
    text << std::ifstream(scratch_.path() / "registry.reg").rdbuf();
    return text.str();
  }

  quillory::testing::XTestServer server_;  // first, so that $DISPLAY names it before anything starts
  std::optional<quillory::testing::XWindows> windows_;
  quillory::testing::ScratchFolder scratch_;
  pid_t reader_ = 0;
  Window window_ = 0;

 private:
  quillory::testing::ScopedVariable registry_;
  quillory::testing::ScopedVariable runtime_;
};

TEST_F(SelectionWindow, ADraggedPassageOfArticle31IsCopiedAsTextAsRichTextAndAsThePrimarySelection) {
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_EQ(std::system("printf before | xclip -i -selection clipboard >/dev/null 2>&1"), 0);
  ASSERT_TRUE(WaitUntil([] { return Selection("clipboard", "UTF8_STRING") == "before"; }));
  const std::vector<std::uint32_t> plain = windows_->Picture(window_);
  // From near the right end of a line of the first paragraph to the middle
  // of a line further down (window pixels, twice the reader's).
  Xdotool("mousemove --window " + Id() + " 420 180 mousedown 1 mousemove --window " + Id() +
          " 300 220 mousemove --window " + Id() + " 200 300 mouseup 1");
  ASSERT_TRUE(windows_->WaitForChange(window_, plain)) << "the passage is marked";
  Xdotool("key --window " + Id() + " ctrl+c");
  ASSERT_TRUE(WaitUntil([] { return Selection("clipboard", "UTF8_STRING") != "before"; })) << "the reader copied";

  const std::string text = Selection("clipboard", "UTF8_STRING");
  EXPECT_GT(text.size(), 20u);
  EXPECT_NE(text.find("\xD7"), std::string::npos) << "Hebrew letters";
  EXPECT_EQ(text.find('\r'), std::string::npos) << "lines end as the desktop's do";
  Xdotool("key --window " + Id() + " Escape");
  Xdotool("key --window " + Id() + " ctrl+c");
  ASSERT_TRUE(WaitUntil([&] { return Selection("clipboard", "UTF8_STRING") != text; }));
  const std::string article = Selection("clipboard", "UTF8_STRING");
  EXPECT_NE(article.find(text), std::string::npos) << "the passage, as the whole article reads";
  EXPECT_GT(article.size(), text.size());

  EXPECT_EQ(Selection("primary", "UTF8_STRING"), text) << "a middle click pastes the passage";
  EXPECT_EQ(Selection("primary", "text/rtf").rfind("{\\rtf1\\ansi", 0), 0u);
  EXPECT_EQ(Selection("clipboard", "text/rtf").rfind("{\\rtf1\\ansi", 0), 0u);
}

TEST_F(SelectionWindow, NightReadingDarkensThePageAndIsThereAgainAfterARestart) {
  ASSERT_NO_FATAL_FAILURE(Start());
  EXPECT_EQ(Ground(windows_->Picture(window_)), 0xFFFFFFu) << "a white page by day";
  Xdotool("key --window " + Id() + " ctrl+n");
  ASSERT_TRUE(WaitUntil([&] { return Ground(windows_->Picture(window_)) == kNightPage; }))
      << "the page in the night palette";
  Stop();
  EXPECT_NE(Settings().find("\"NightReading\"=dword:00000001"), std::string::npos) << Settings();

  ASSERT_NO_FATAL_FAILURE(Start());
  EXPECT_EQ(Ground(windows_->Picture(window_)), kNightPage) << "restored at the start";
  Xdotool("key --window " + Id() + " ctrl+n");
  ASSERT_TRUE(WaitUntil([&] { return Ground(windows_->Picture(window_)) == 0xFFFFFFu; }));
  Stop();
  EXPECT_NE(Settings().find("\"NightReading\"=dword:00000000"), std::string::npos);
}

}  // namespace
