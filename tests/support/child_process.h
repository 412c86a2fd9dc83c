#pragma once
// Programs that tests start as a person would: with arguments, a few
// environment variables changed, and their output kept in a file; waited
// for with a limit, so that a broken run fails the test instead of hanging it.

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace quillory::testing {

struct ChildOptions {
  std::vector<std::string> arguments;                          // after the program's name
  std::map<std::string, std::optional<std::string>> variables;  // set, or unset when nothing
  std::string output;  // a file for standard output and error; empty: the test's own
};

// The child's process id, or -1.
inline pid_t StartChild(const std::string& program, const ChildOptions& options = {}) {
  std::vector<std::string> environment;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string text = *entry;
    if (!options.variables.count(text.substr(0, text.find('=')))) environment.push_back(text);
  }
  for (const auto& [name, value] : options.variables) {
    if (value) environment.push_back(name + "=" + *value);
  }
  std::vector<char*> environmentPointers;
  for (std::string& entry : environment) environmentPointers.push_back(entry.data());
  environmentPointers.push_back(nullptr);
  std::vector<std::string> arguments{program};
  arguments.insert(arguments.end(), options.arguments.begin(), options.arguments.end());
  std::vector<char*> argumentPointers;
  for (std::string& argument : arguments) argumentPointers.push_back(argument.data());
  argumentPointers.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (!options.output.empty()) {
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, options.output.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
  }
  pid_t child = -1;
  if (posix_spawn(&child, program.c_str(), &actions, nullptr, argumentPointers.data(), environmentPointers.data()) !=
      0) {
    child = -1;
  }
  posix_spawn_file_actions_destroy(&actions);
  return child;
}

// Waits for a child for at most `limit`; its exit code (128 + the signal
// when a signal ended it), or nothing: the child is then killed. A child
// already waited for gives nothing at once.
inline std::optional<int> WaitForExit(pid_t child, std::chrono::milliseconds limit = std::chrono::seconds(60)) {
  if (child <= 0) return std::nullopt;
  const auto end = std::chrono::steady_clock::now() + limit;
  for (;;) {
    int status = 0;
    const pid_t ended = waitpid(child, &status, WNOHANG);
    if (ended == child) return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    if (ended < 0) return std::nullopt;  // not a child of ours (any more): nothing to kill
    if (std::chrono::steady_clock::now() >= end) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  return std::nullopt;
}

}  // namespace quillory::testing
