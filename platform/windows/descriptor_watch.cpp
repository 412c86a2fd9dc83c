#include "platform/windows/descriptor_watch.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <csignal>
#include <map>

#include "platform/windows/input.h"

namespace platform {
namespace {

std::map<int, std::function<void()>>& Watches() {
  static std::map<int, std::function<void()>> watches;
  return watches;
}

int signalPipe[2] = {-1, -1};

extern "C" void OnTerminationSignal(int) {
  const char byte = 1;
  // Only async-signal-safe work here: a byte into the pipe.
  [[maybe_unused]] const ssize_t written = write(signalPipe[1], &byte, 1);
}

void DrainSignalPipe() {
  char bytes[16];
  while (read(signalPipe[0], bytes, sizeof bytes) > 0) {
  }
  RequestClose();
}

}  // namespace

void WatchDescriptor(int descriptor, std::function<void()> onReadable) {
  if (descriptor >= 0) Watches()[descriptor] = std::move(onReadable);
}

void UnwatchDescriptor(int descriptor) { Watches().erase(descriptor); }

std::vector<int> WatchedDescriptors() {
  std::vector<int> descriptors;
  for (const auto& [descriptor, handler] : Watches()) descriptors.push_back(descriptor);
  return descriptors;
}

bool PollWatchedDescriptors(int timeoutMilliseconds) {
  std::vector<pollfd> polled;
  for (const auto& [descriptor, handler] : Watches()) polled.push_back(pollfd{descriptor, POLLIN, 0});
  if (polled.empty()) return false;
  if (poll(polled.data(), polled.size(), timeoutMilliseconds) <= 0) return false;
  bool ran = false;
  for (const pollfd& p : polled) {
    if (!(p.revents & (POLLIN | POLLHUP | POLLERR))) continue;
    const auto watch = Watches().find(p.fd);
    if (watch == Watches().end()) continue;
    // A handler before this one may have run a loop of its own (a message
    // box) that took what was there: only what is still there is handled.
    pollfd now{p.fd, POLLIN, 0};
    if (poll(&now, 1, 0) <= 0) continue;
    const std::function<void()> handler = watch->second;  // it may unwatch itself
    handler();
    ran = true;
  }
  return ran;
}

void CloseOnTerminationSignals() {
  if (signalPipe[0] >= 0) return;
  if (pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
  struct sigaction action {};
  action.sa_handler = OnTerminationSignal;
  sigemptyset(&action.sa_mask);
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal, &action, nullptr);
  WatchDescriptor(signalPipe[0], DrainSignalPipe);
}

}  // namespace platform
