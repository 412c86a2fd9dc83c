// The reader program killed (SIGKILL) at random moments of its save sequence,
// many times over: whatever the moment, the registry file afterwards must be
// the file as it was before the run or the complete file of a finished run.
//
// The moments are taken two ways: just after a random one of the changes the
// save makes in the registry's folder (seen through inotify), with a random
// few microseconds more, and at a random time within a whole run. The number
// of runs is QUILLORY_KILL_RUNS (a short default here; `make soak` asks for
// more); a failing run prints the seed that repeats it (QUILLORY_KILL_SEED).

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/system/unique_fd.h"
#include "tests/support/scoped_environment.h"

extern char** environ;

namespace quillory_test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr int kDefaultRuns = 40;
// A run that has not ended by then is broken; the test fails rather than hangs.
constexpr auto kRunLimit = 60s;

int NumberFromEnvironment(const char* name, int fallback) {
  const char* text = std::getenv(name);
  return text != nullptr && *text != '\0' ? std::atoi(text) : fallback;
}

std::string Contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

// How one run should end: on its own, after the `killAfterEvent`th change
// in the registry's folder plus `extraDelay`, or `extraDelay` after its start.
struct KillPlan {
  int killAfterEvent = 0;  // 0: the delay counts from the start
  std::chrono::microseconds extraDelay{0};
  bool kill = true;
};

struct RunResult {
  bool killed = false;   // the signal reached a reader still running
  int exitCode = -1;     // when it ended on its own
  int folderEvents = 0;  // changes seen in the registry's folder
  Clock::duration length{};
};

// A registry in a folder of its own (watched), a runtime folder, a script.
class ReaderKillTest : public ::testing::Test {
 protected:
  ReaderKillTest() {
    fs::create_directory(configFolder_);
    fs::create_directory(scratch_.path() / "run");
    fs::permissions(scratch_.path() / "run", fs::perms::owner_all);
  }

  RunResult RunReader(const KillPlan& plan) {
    platform::UniqueFd watch(inotify_init1(IN_NONBLOCK | IN_CLOEXEC));
    EXPECT_TRUE(watch.valid());
    inotify_add_watch(watch.get(), configFolder_.c_str(), IN_CREATE | IN_MODIFY | IN_CLOSE_WRITE | IN_MOVED_FROM | IN_MOVED_TO);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const std::string script = scriptFile_.string();
    char* arguments[] = {const_cast<char*>(QUILLORY_READER), const_cast<char*>("--headless"),
                         const_cast<char*>("--script"), const_cast<char*>(script.c_str()), nullptr};
    pid_t child = 0;
    const Clock::time_point start = Clock::now();
    EXPECT_EQ(posix_spawn(&child, QUILLORY_READER, &actions, nullptr, arguments, environ), 0);
    posix_spawn_file_actions_destroy(&actions);

    RunResult result;
    bool signalled = false;
    while (Clock::now() - start < kRunLimit) {
      int status = 0;
      if (waitpid(child, &status, WNOHANG) == child) {
        result.length = Clock::now() - start;
        result.folderEvents += CountEvents(watch.get());
        result.killed = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL && signalled;
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return result;
      }
      pollfd ready{watch.get(), POLLIN, 0};
      poll(&ready, 1, 1);
      result.folderEvents += CountEvents(watch.get());
      if (!plan.kill || signalled) continue;
      const bool due = plan.killAfterEvent > 0 ? result.folderEvents >= plan.killAfterEvent
                                               : Clock::now() - start >= plan.extraDelay;
      if (!due) continue;
      if (plan.killAfterEvent > 0) std::this_thread::sleep_for(plan.extraDelay);
      kill(child, SIGKILL);
      signalled = true;
    }
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    ADD_FAILURE() << "the reader did not end within the limit";
    return result;
  }

  // What the registry's folder holds besides the registry file: temporary
  // files that killed writers left.
  std::set<std::string> Leftovers() const {
    std::set<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(configFolder_)) {
      if (entry.path() != registryFile_) names.insert(entry.path().filename().string());
    }
    return names;
  }

  static int CountEvents(int watch) {
    alignas(inotify_event) char buffer[4096];
    int count = 0;
    for (ssize_t length; (length = read(watch, buffer, sizeof buffer)) > 0;) {
      for (ssize_t at = 0; at < length;) {
        const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
        at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        ++count;
      }
    }
    return count;
  }

  quillory::testing::ScratchFolder scratch_;
  fs::path configFolder_ = scratch_.path() / "config";
  fs::path registryFile_ = configFolder_ / "registry.reg";
  fs::path scriptFile_ = scratch_.path() / "script.txt";
  quillory::testing::ScopedVariable registry_{"QUILLORY_REGISTRY", registryFile_.string()};
  quillory::testing::ScopedVariable runtime_{"XDG_RUNTIME_DIR", (scratch_.path() / "run").string()};
  quillory::testing::ScopedVariable noLeakCheck_{"ASAN_OPTIONS", "detect_leaks=0"};
};

TEST_F(ReaderKillTest, AKilledSaveLeavesTheOldOrTheNewCompleteFile) {
  // The old file: what a finished run stores, with a chosen face and a
  // chosen article (so that no run depends on the date).
  scratch_.Write("config/registry.reg",
                 "Windows Registry Editor Version 5.00\n\n"
                 "[HKEY_CURRENT_USER\\Software\\Orvenda\\Quillory - 32]\n"
                 "\"FontName\"=\"David CLM\"\n\"Lesson\"=dword:00000007\n\"Flags\"=dword:d1140044\n");
  scratch_.Write("script.txt", "wait-idle\n");
  ASSERT_EQ(RunReader({.kill = false}).exitCode, 0);
  const std::string oldFile = Contents(registryFile_);

  // Each run moves on an article, pages down and bookmarks it, so that
  // nearly every value of the save sequence changes.
  scratch_.Write("script.txt", "command 109\nkey PageDown\ncommand 123\n");
  const RunResult reference = RunReader({.kill = false});
  ASSERT_EQ(reference.exitCode, 0);
  const std::string newFile = Contents(registryFile_);
  ASSERT_NE(newFile, oldFile);
  const int eventsPerRun = reference.folderEvents;
  ASSERT_GT(eventsPerRun, 0) << "the save sequence changed nothing in the registry's folder";

  const unsigned seed = static_cast<unsigned>(NumberFromEnvironment("QUILLORY_KILL_SEED", static_cast<int>(std::random_device()())));
  std::mt19937 random(seed);
  const auto runLength = std::chrono::duration_cast<std::chrono::microseconds>(reference.length);
  const int runs = NumberFromEnvironment("QUILLORY_KILL_RUNS", kDefaultRuns);
  int endedOld = 0, endedNew = 0, notKilled = 0;
  std::set<std::string> leftovers;
  for (int run = 0; run < runs; ++run) {
    scratch_.Write("config/registry.reg", oldFile);
    KillPlan plan;
    if (run % 2 == 0) {
      plan.killAfterEvent = std::uniform_int_distribution<int>(1, eventsPerRun)(random);
      plan.extraDelay = std::chrono::microseconds(std::uniform_int_distribution<int>(0, 500)(random));
    } else {
      plan.extraDelay = std::chrono::microseconds(std::uniform_int_distribution<std::int64_t>(0, runLength.count())(random));
    }
    const RunResult result = RunReader(plan);
    if (!result.killed) ++notKilled;
    leftovers.merge(Leftovers());
    const std::string after = Contents(registryFile_);
    if (after == oldFile) {
      ++endedOld;
    } else if (after == newFile) {
      ++endedNew;
    } else {
      FAIL() << "run " << run << " (seed " << seed << ", event " << plan.killAfterEvent << ", "
             << plan.extraDelay.count() << " us) left a file that is neither:\n" << after;
    }
  }
  // The next save that completes removes what the killed ones left.
  scratch_.Write("config/registry.reg", oldFile);
  ASSERT_EQ(RunReader({.kill = false}).exitCode, 0);
  EXPECT_EQ(Contents(registryFile_), newFile);
  EXPECT_TRUE(Leftovers().empty()) << "temporary files of killed runs stay beside the registry";

  std::cout << "kill runs: " << runs << " (seed " << seed << "), " << endedOld << " left the old file, " << endedNew
            << " the new one, " << notKilled << " ended before the signal; " << leftovers.size()
            << " temporary files left behind, removed by the next save\n";
  RecordProperty("kill_runs", runs);
  RecordProperty("ended_old", endedOld);
  RecordProperty("ended_new", endedNew);
}

}  // namespace
}  // namespace quillory_test
