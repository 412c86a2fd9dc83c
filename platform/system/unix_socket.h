#pragma once
// Unix-domain stream sockets for short exchanges between local processes.
// Every socket made here is non-blocking and close-on-exec: a slow or silent
// peer can hold a caller up only until the deadline it gives, and programs
// the caller starts do not inherit its sockets.

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

#include <sys/un.h>

#include "platform/system/unique_fd.h"

namespace platform {

using Deadline = std::chrono::steady_clock::time_point;

// The address of the socket file at `path`; nothing when the path is empty
// or does not fit in an address with its terminator (107 bytes at most).
// A path cut short would name some other file.
std::optional<sockaddr_un> UnixSocketAddress(const std::string& path);

enum class ConnectOutcome {
  kConnected,
  kNoListener,  // no file there, or one that nothing listens on
  kBusy,        // a listener whose queue of waiting connections is full
  kFailed,
};

struct UnixConnection {
  ConnectOutcome outcome = ConnectOutcome::kFailed;
  UniqueFd socket;  // when connected
  int error = 0;    // errno, when failed
};

UnixConnection ConnectUnixSocket(const sockaddr_un& address);

struct UnixListener {
  UniqueFd socket;  // bound and listening, or invalid
  int error = 0;    // errno of the step that failed
};

UnixListener ListenUnixSocket(const sockaddr_un& address, int backlog);

// The next connection waiting on `listener`; invalid when none is waiting
// or accepting fails.
UniqueFd AcceptUnixConnection(int listener);

// Whether the process at the other end of a connected socket runs as this
// user, by the credentials the kernel recorded for it.
bool PeerIsSameUser(int socket);

// Sends all of `bytes` at once, without waiting; false when the peer has
// gone or they do not fit in the socket's buffer. Never raises SIGPIPE.
bool SendNow(int socket, std::string_view bytes);

// Whether the peer sends exactly `expected` by `deadline`. Gives up at the
// first byte that differs, at the end of the stream and at the deadline.
// Bytes after `expected` are left unread.
bool ReceiveExactly(int socket, std::string_view expected, Deadline deadline);

}  // namespace platform
