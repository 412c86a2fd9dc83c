#pragma once
// An X server of a test's own (Xvfb), on a display that the server itself
// chose free: tests running at the same time, on this machine or in another
// build, never share a display, a keyboard focus or a clipboard. The server
// lives as long as the object and dies with the test process even when that
// is killed.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "tests/support/wait_until.h"

namespace quillory::testing {

// The full path of `program` on $PATH, or nothing.
inline std::optional<std::string> FindProgram(const std::string& program) {
  const char* path = std::getenv("PATH");
  std::string folders = path ? path : "/usr/bin:/bin";
  for (std::size_t start = 0; start <= folders.size();) {
    const std::size_t end = std::min(folders.find(':', start), folders.size());
    const std::filesystem::path candidate = std::filesystem::path(folders.substr(start, end - start)) / program;
    if (access(candidate.c_str(), X_OK) == 0) return candidate.string();
    start = end + 1;
  }
  return std::nullopt;
}

class XTestServer {
 public:
  // Starts Xvfb (screen 800 × 800, 24 bits) and points $DISPLAY at it.
  // Check started(); why() says what went wrong.
  XTestServer() {
    const std::optional<std::string> xvfb = FindProgram("Xvfb");
    if (!xvfb) {
      problem_ = "Xvfb is not installed";
      return;
    }
    int ready[2];
    if (pipe2(ready, O_CLOEXEC) != 0) {
      problem_ = "no pipe";
      return;
    }
    const pid_t parent = getpid();
    server_ = fork();
    if (server_ == 0) {
      // The server goes with the test, however the test ends.
      prctl(PR_SET_PDEATHSIG, SIGKILL);
      if (getppid() != parent) _exit(1);
      const int devNull = open("/dev/null", O_WRONLY);
      if (devNull >= 0) {
        dup2(devNull, STDOUT_FILENO);
        dup2(devNull, STDERR_FILENO);
      }
      // -displayfd: the server takes the first free display and writes its
      // number once it accepts connections.
      dup2(ready[1], 3);
      execl(xvfb->c_str(), "Xvfb", "-displayfd", "3", "-screen", "0", "800x800x24", "-nolisten", "tcp", nullptr);
      _exit(127);
    }
    close(ready[1]);
    if (server_ < 0) {
      close(ready[0]);
      problem_ = "cannot fork";
      return;
    }
    const std::string number = ReadLine(ready[0], std::chrono::seconds(60));
    close(ready[0]);
    if (number.empty()) {
      problem_ = "Xvfb did not start";
      Stop();
      return;
    }
    display_ = ":" + number;
    if (const char* old = std::getenv("DISPLAY")) previousDisplay_ = old;
    setenv("DISPLAY", display_.c_str(), 1);
  }
  ~XTestServer() {
    if (server_ > 0 && !display_.empty()) {
      if (previousDisplay_) {
        setenv("DISPLAY", previousDisplay_->c_str(), 1);
      } else {
        unsetenv("DISPLAY");
      }
    }
    Stop();
  }
  XTestServer(const XTestServer&) = delete;
  XTestServer& operator=(const XTestServer&) = delete;

  bool started() const { return !display_.empty(); }
  const std::string& why() const { return problem_; }
  const std::string& display() const { return display_; }

 private:
  static std::string ReadLine(int fd, std::chrono::milliseconds limit) {
    std::string line;
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
      pollfd entry{fd, POLLIN, 0};
      if (poll(&entry, 1, 100) <= 0) continue;
      char c = 0;
      if (read(fd, &c, 1) != 1) return "";  // the server ended without a display
      if (c == '\n') return line;
      line += c;
    }
    return "";
  }
  void Stop() {
    if (server_ <= 0) return;
    kill(server_, SIGTERM);
    waitpid(server_, nullptr, 0);
    server_ = -1;
  }

  pid_t server_ = -1;
  std::string display_;
  std::string problem_;
  std::optional<std::string> previousDisplay_;
};

}  // namespace quillory::testing
