#pragma once
// The reader program in a real window on an X server of the test's own,
// in the reader's sandbox: started and waited for until its window is drawn
// and has the keyboard focus, ended the orderly way (SIGTERM, which saves
// its settings). Every wait is for a condition.

#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "tests/support/real_window_test.h"
#include "tests/support/wait_until.h"
#include "tests/support/xdotool.h"

extern char** environ;

namespace quillory::testing {

// What a shell command prints.
inline std::string Output(const std::string& command) {
  std::string text;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    std::size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) text.append(buffer, count);
    pclose(pipe);
  }
  return text;
}

class ReaderWindowTest : public RealWindowTest {
 protected:
  void TearDown() override { Stop(); }

  // The product key's values, in the registry-export format.
  void StoreSettings(const std::string& values) {
    scratch_.Write("registry.reg", "Windows Registry Editor Version 5.00\n\n"
                                   "[HKEY_CURRENT_USER\\Software\\Orvenda\\Quillory - 32]\n" + values);
  }
  std::string Settings() const {
    std::ostringstream text;
    text << std::ifstream(scratch_.path() / "registry.reg").rdbuf();
    return text.str();
  }

  // Starts the reader and waits for its window: shown and drawn, found
  // without racing windows that come and go meanwhile, given the focus.
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

  std::string Id() const { return std::to_string(window_); }
  void Key(const std::string& key) { Xdotool("key --window " + Id() + " " + key); }

  pid_t reader_ = 0;
  Window window_ = 0;
};

}  // namespace quillory::testing
