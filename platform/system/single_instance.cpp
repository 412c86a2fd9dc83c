#include "platform/system/single_instance.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/system/private_directory.h"
#include "platform/system/unix_socket.h"

namespace platform {

struct SingleInstance::Listener {
  UniqueFd socket;
  std::string path;
  // The socket file as bound; whatever is at `path` later may be another's.
  dev_t device = 0;
  ino_t inode = 0;
  std::chrono::milliseconds requestTimeout{};

  ~Listener() {
    // The file goes while the socket still listens: until then a new start
    // connects to it (and is not answered) rather than taking it for stale,
    // so the file cannot have become that start's in between.
    struct stat info {};
    if (lstat(path.c_str(), &info) == 0 && info.st_dev == device && info.st_ino == inode) unlink(path.c_str());
  }
};

namespace {

constexpr std::string_view kActivateRequest = "activate 1\n";
constexpr std::string_view kAnswer = "ok\n";
// Starts queue here until the first one's message loop accepts them.
constexpr int kBacklog = 16;

std::string ErrorText(int error) { return std::strerror(error); }

ClaimResult Unavailable(std::string reason) { return {ClaimKind::kUnavailable, SingleInstance(), std::move(reason)}; }

// The name becomes part of file names; a '/' would lead out of the directory.
bool IsPlainName(std::string_view name) {
  return !name.empty() && name.find_first_of(std::string_view("/\0", 2)) == name.npos;
}

struct Directory {
  std::string path;     // empty when there is none
  std::string problem;  // then, why
};

Directory ChooseDirectory(std::string_view name, const SingleInstanceOptions& options) {
  const char* preferred =
      options.runtimeDirectory ? options.runtimeDirectory->c_str() : std::getenv("XDG_RUNTIME_DIR");
  if (preferred && IsPrivateDirectory(preferred)) return {preferred, ""};
  std::string fallback = options.fallbackParent + "/" + std::string(name) + "-" + std::to_string(geteuid());
  if (std::optional<std::string> problem = EnsurePrivateDirectory(fallback)) return {"", std::move(*problem)};
  return {std::move(fallback), ""};
}

// An exclusive lock on `path` (made when missing), held until the result
// closes; invalid with errno set when it cannot be had. Holders only
// connect, bind and remove under it, none of which waits, so a wait for it
// is short.
UniqueFd LockFile(const std::string& path) {
  UniqueFd file(open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600));
  if (!file.valid()) return file;
  int locked;
  do {
    locked = flock(file.get(), LOCK_EX);
  } while (locked != 0 && errno == EINTR);
  if (locked == 0) return file;
  const int error = errno;
  file.Reset();
  errno = error;
  return file;
}

// Makes way for binding at `path` by removing a socket that nothing listens
// on, left by a run that ended without removing it. Anything else there is
// left alone, and is the problem returned.
std::optional<std::string> RemoveStaleSocket(const std::string& path) {
  struct stat info {};
  if (lstat(path.c_str(), &info) != 0) {
    if (errno == ENOENT) return std::nullopt;
    return path + ": " + ErrorText(errno);
  }
  if (!S_ISSOCK(info.st_mode)) return path + " is not a socket; it is left alone";
  if (unlink(path.c_str()) != 0 && errno != ENOENT) return "cannot remove " + path + ": " + ErrorText(errno);
  return std::nullopt;
}

ClaimResult AskToComeForward(int socket, const std::string& path, std::chrono::milliseconds timeout) {
  if (!PeerIsSameUser(socket)) return Unavailable(path + " is held by another user");
  const Deadline deadline = std::chrono::steady_clock::now() + timeout;
  if (!SendNow(socket, kActivateRequest) || !ReceiveExactly(socket, kAnswer, deadline)) {
    return {ClaimKind::kAnotherIsBusy, SingleInstance(), "the instance listening on " + path + " did not answer"};
  }
  return {ClaimKind::kAnotherWasTold, SingleInstance(), ""};
}

}  // namespace

ClaimResult SingleInstance::Claim(std::string_view name, const SingleInstanceOptions& options) {
  if (!IsPlainName(name)) return Unavailable("\"" + std::string(name) + "\" is not a plain file name");
  const Directory directory = ChooseDirectory(name, options);
  if (directory.path.empty()) return Unavailable(directory.problem);
  const std::string base = directory.path + "/" + std::string(name);
  const std::string path = base + ".socket";
  const std::optional<sockaddr_un> address = UnixSocketAddress(path);
  if (!address) return Unavailable(path + " is too long for a socket address");
  UniqueFd lock = LockFile(base + ".lock");
  if (!lock.valid()) return Unavailable("cannot lock " + base + ".lock: " + ErrorText(errno));

  // Under the lock a bind can only find the address taken by a program that
  // does not lock; that one is given a second chance to answer.
  for (int attempt = 0; attempt < 2; ++attempt) {
    UnixConnection connection = ConnectUnixSocket(*address);
    switch (connection.outcome) {
      case ConnectOutcome::kConnected:
        lock.Reset();  // other starts need not wait for this one's answer
        return AskToComeForward(connection.socket.get(), path, options.answerTimeout);
      case ConnectOutcome::kBusy:
        return {ClaimKind::kAnotherIsBusy, SingleInstance(),
                "the instance listening on " + path + " is not accepting connections"};
      case ConnectOutcome::kFailed:
        return Unavailable("cannot connect to " + path + ": " + ErrorText(connection.error));
      case ConnectOutcome::kNoListener: break;
    }
    if (std::optional<std::string> problem = RemoveStaleSocket(path)) return Unavailable(std::move(*problem));
    UnixListener bound = ListenUnixSocket(*address, kBacklog);
    if (!bound.socket.valid()) {
      if (bound.error == EADDRINUSE) continue;
      return Unavailable("cannot listen on " + path + ": " + ErrorText(bound.error));
    }
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0) return Unavailable(path + " vanished as it was bound");
    std::unique_ptr<Listener> listener(
        new Listener{std::move(bound.socket), path, info.st_dev, info.st_ino, options.requestTimeout});
    return {ClaimKind::kFirst, SingleInstance(std::move(listener)), ""};
  }
  return Unavailable(path + " is taken by a program that does not answer");
}

SingleInstance::SingleInstance() = default;
SingleInstance::SingleInstance(std::unique_ptr<Listener> listener) : listener_(std::move(listener)) {}
SingleInstance::~SingleInstance() = default;
SingleInstance::SingleInstance(SingleInstance&&) noexcept = default;
SingleInstance& SingleInstance::operator=(SingleInstance&&) noexcept = default;

int SingleInstance::PollDescriptor() const { return listener_ ? listener_->socket.get() : -1; }

std::vector<InstanceRequest> SingleInstance::TakeRequests() {
  std::vector<InstanceRequest> requests;
  if (!listener_) return requests;
  // One deadline for all: peers that keep quiet hold the loop up that long
  // at most, however many of them there are.
  const Deadline deadline = std::chrono::steady_clock::now() + listener_->requestTimeout;
  for (;;) {
    const UniqueFd peer = AcceptUnixConnection(listener_->socket.get());
    if (!peer.valid()) break;
    // A peer that gets anything wrong gets no answer: its connection closes.
    if (PeerIsSameUser(peer.get()) && ReceiveExactly(peer.get(), kActivateRequest, deadline)) {
      SendNow(peer.get(), kAnswer);  // it may have given up waiting: the request stands
      requests.push_back(InstanceRequest::kActivate);
    }
  }
  return requests;
}

}  // namespace platform
