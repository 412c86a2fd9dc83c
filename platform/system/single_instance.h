#pragma once
// One running copy per user session. The first start listens on a
// Unix-domain socket, <runtime directory>/<name>.socket; a later start finds
// it there, asks the first to come forward and ends. What the first does
// when asked is its owner's business.
//
// The exchange is one line each way, compared byte for byte:
//
//   later start -> first    "activate 1\n"   (1: the exchange's version)
//   first -> later start    "ok\n"
//
// The first answers nothing to anything else, nor to a peer of another user,
// nor to one that is silent for too long; it just closes the connection. A
// request that came whole still counts when its sender has stopped waiting
// for the answer: the person who started it still wants the first to act.
//
// The runtime directory is $XDG_RUNTIME_DIR when that is a private directory
// (see private_directory.h), else /tmp/<name>-<uid>, made private when
// missing; when neither will do, no claim is made. Deciding who is first
// (connect, clear a socket left by a crashed run, bind) happens under an
// exclusive lock on <name>.lock beside the socket, so that two starts at the
// same moment can neither both be first nor remove each other's socket.

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

enum class InstanceRequest { kActivate };

struct SingleInstanceOptions {
  // Used instead of $XDG_RUNTIME_DIR, under the same conditions.
  std::optional<std::string> runtimeDirectory;
  // Where the fallback directory <name>-<uid> goes.
  std::string fallbackParent = "/tmp";
  // How long a later start waits for the first one's answer.
  std::chrono::milliseconds answerTimeout{2000};
  // How long, in all, one TakeRequests waits for requests on the connections
  // it accepts; it runs on the first one's message loop, so it is short.
  std::chrono::milliseconds requestTimeout{250};
};

enum class ClaimKind {
  kFirst,           // this is the first start, and it listens
  kAnotherWasTold,  // the first start was asked to come forward and said yes
  // A first start listens but did not answer in time (too busy to take
  // connections, or stuck): it holds the claim all the same.
  kAnotherIsBusy,
  kUnavailable,     // no claim could be made: run alone, without listening
};

struct ClaimResult;

class SingleInstance {
 public:
  // Connects to the first start of `name`, or becomes it. `name` must be a
  // plain file name: not empty, no '/'.
  static ClaimResult Claim(std::string_view name, const SingleInstanceOptions& options = {});

  // Not listening: what a later start, or a start that could not claim, holds.
  SingleInstance();
  // Removes the socket file when it is still the one this start made.
  ~SingleInstance();
  SingleInstance(SingleInstance&&) noexcept;
  SingleInstance& operator=(SingleInstance&&) noexcept;

  // The listening socket, for the message loop to poll for reading; -1 when
  // not listening. Readable means TakeRequests has something to take.
  int PollDescriptor() const;

  // Accepts every connection waiting, without waiting for more, and returns
  // the valid requests among them, each answered "ok". Waits at most the
  // request timeout for peers that have connected but not yet sent.
  std::vector<InstanceRequest> TakeRequests();

 private:
  struct Listener;
  explicit SingleInstance(std::unique_ptr<Listener> listener);

  std::unique_ptr<Listener> listener_;
};

struct [[nodiscard]] ClaimResult {
  ClaimKind kind = ClaimKind::kUnavailable;
  SingleInstance instance;  // listening only for kFirst
  std::string reason;       // why, for kAnotherIsBusy and kUnavailable
};

}  // namespace platform
