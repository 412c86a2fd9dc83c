#include "platform/system/unix_socket.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>

#include <poll.h>
#include <sys/socket.h>

namespace platform {
namespace {

constexpr int kSocketFlags = SOCK_NONBLOCK | SOCK_CLOEXEC;

const sockaddr* AsGeneric(const sockaddr_un& address) { return reinterpret_cast<const sockaddr*>(&address); }

// Whether `fd` has something to read (or has been closed by its peer) before
// `deadline`. A deadline already passed still reports what is there now.
bool WaitReadable(int fd, Deadline deadline) {
  for (;;) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    const auto timeout = static_cast<int>(std::clamp<std::chrono::milliseconds::rep>(left.count(), 0, INT_MAX));
    pollfd entry{fd, POLLIN, 0};
    const int ready = poll(&entry, 1, timeout);
    if (ready > 0) return true;
    if (ready == 0 || errno != EINTR) return false;
  }
}

}  // namespace

std::optional<sockaddr_un> UnixSocketAddress(const std::string& path) {
  sockaddr_un address{};
  if (path.empty() || path.size() >= sizeof address.sun_path) return std::nullopt;
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  return address;
}

UnixConnection ConnectUnixSocket(const sockaddr_un& address) {
  UnixConnection connection;
  UniqueFd socket(::socket(AF_UNIX, SOCK_STREAM | kSocketFlags, 0));
  if (!socket.valid()) {
    connection.error = errno;
    return connection;
  }
  // A local connect completes at once or not at all; without blocking it
  // reports a full queue instead of waiting for room in it.
  if (connect(socket.get(), AsGeneric(address), sizeof address) == 0) {
    connection.outcome = ConnectOutcome::kConnected;
    connection.socket = std::move(socket);
  } else if (errno == ENOENT || errno == ECONNREFUSED) {
    connection.outcome = ConnectOutcome::kNoListener;
  } else if (errno == EAGAIN) {
    connection.outcome = ConnectOutcome::kBusy;
  } else {
    connection.error = errno;
  }
  return connection;
}

UnixListener ListenUnixSocket(const sockaddr_un& address, int backlog) {
  UnixListener listener{UniqueFd(::socket(AF_UNIX, SOCK_STREAM | kSocketFlags, 0))};
  if (!listener.socket.valid() || bind(listener.socket.get(), AsGeneric(address), sizeof address) != 0 ||
      listen(listener.socket.get(), backlog) != 0) {
    listener.error = errno;
    listener.socket.Reset();
  }
  return listener;
}

UniqueFd AcceptUnixConnection(int listener) {
  for (;;) {
    const int fd = accept4(listener, nullptr, nullptr, kSocketFlags);
    // A peer that gave up before it was accepted is no reason to stop.
    if (fd < 0 && (errno == EINTR || errno == ECONNABORTED)) continue;
    return UniqueFd(fd);
  }
}

bool PeerIsSameUser(int socket) {
  ucred peer{};
  socklen_t size = sizeof peer;
  return getsockopt(socket, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && size == sizeof peer &&
         peer.uid == geteuid();
}

bool SendNow(int socket, std::string_view bytes) {
  ssize_t sent;
  do {
    sent = send(socket, bytes.data(), bytes.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
  } while (sent < 0 && errno == EINTR);
  return sent == static_cast<ssize_t>(bytes.size());
}

bool ReceiveExactly(int socket, std::string_view expected, Deadline deadline) {
  char buffer[64];
  std::size_t matched = 0;
  while (matched < expected.size()) {
    if (!WaitReadable(socket, deadline)) return false;
    const std::size_t wanted = std::min(sizeof buffer, expected.size() - matched);
    const ssize_t got = recv(socket, buffer, wanted, 0);
    if (got < 0 && (errno == EINTR || errno == EAGAIN)) continue;
    if (got <= 0) return false;
    const auto count = static_cast<std::size_t>(got);
    if (expected.substr(matched, count) != std::string_view(buffer, count)) return false;
    matched += count;
  }
  return true;
}

}  // namespace platform
