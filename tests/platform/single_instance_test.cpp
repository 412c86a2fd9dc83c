#include "platform/system/single_instance.h"

#include <gtest/gtest.h>

#include <future>

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/wait.h>

#include "platform/system/unix_socket.h"
#include "tests/support/scoped_environment.h"

namespace platform {
namespace {

using quillory::testing::ScopedVariable;
using quillory::testing::ScratchFolder;
namespace fs = std::filesystem;

constexpr char kName[] = "reader";
const std::vector kOneActivation{InstanceRequest::kActivate};

fs::perms PermissionsOf(const fs::path& path) { return fs::symlink_status(path).permissions(); }

// Waits for a connection to the first start (bounded, against a hang), then
// takes the requests waiting.
std::vector<InstanceRequest> AwaitRequests(SingleInstance& first) {
  pollfd entry{first.PollDescriptor(), POLLIN, 0};
  EXPECT_EQ(poll(&entry, 1, 5000), 1) << "nobody connected";
  return first.TakeRequests();
}

// Claims from another thread: `first` must take exactly that one request.
void ExpectAnotherClaimIsAnswered(SingleInstance& first, const SingleInstanceOptions& options) {
  auto another = std::async(std::launch::async, [&] { return SingleInstance::Claim(kName, options); });
  EXPECT_EQ(AwaitRequests(first), kOneActivation);
  const ClaimResult told = another.get();
  EXPECT_EQ(told.kind, ClaimKind::kAnotherWasTold) << told.reason;
  EXPECT_EQ(told.instance.PollDescriptor(), -1);
  EXPECT_TRUE(first.TakeRequests().empty());
}

// Whether the other end closed the connection without sending anything.
bool ClosedWithoutAnswer(int socket) {
  char byte;
  const ssize_t got = recv(socket, &byte, 1, MSG_DONTWAIT);
  return got == 0 || (got < 0 && errno == ECONNRESET);  // reset: it left bytes of ours unread
}

class SingleInstanceTest : public ::testing::Test {
 protected:
  SingleInstanceOptions Options() const {
    SingleInstanceOptions options;
    options.runtimeDirectory = folder_.path().string();
    options.fallbackParent = folder_.path().string();
    return options;
  }
  ClaimResult Claim() const { return SingleInstance::Claim(kName, Options()); }
  fs::path SocketPath() const { return folder_.path() / "reader.socket"; }
  fs::path FallbackPath() const { return folder_.path() / ("reader-" + std::to_string(geteuid())); }

  ScratchFolder folder_;
};

TEST_F(SingleInstanceTest, TheFirstListensWithoutBlockingOrLeakingIntoChildrenAndAnswersTheNext) {
  ClaimResult first = Claim();
  ASSERT_EQ(first.kind, ClaimKind::kFirst) << first.reason;
  EXPECT_TRUE(fs::is_socket(SocketPath()));
  const int listener = first.instance.PollDescriptor();
  ASSERT_GE(listener, 0);
  EXPECT_TRUE(fcntl(listener, F_GETFL) & O_NONBLOCK);
  EXPECT_TRUE(fcntl(listener, F_GETFD) & FD_CLOEXEC);
  EXPECT_TRUE(first.instance.TakeRequests().empty());
  ExpectAnotherClaimIsAnswered(first.instance, Options());
}

TEST_F(SingleInstanceTest, AnotherProcessIsAnsweredAndLearnsItWasHeard) {
  ClaimResult first = Claim();
  ASSERT_EQ(first.kind, ClaimKind::kFirst) << first.reason;
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) _exit(static_cast<int>(Claim().kind));
  EXPECT_EQ(AwaitRequests(first.instance), kOneActivation);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), static_cast<int>(ClaimKind::kAnotherWasTold));
}

TEST_F(SingleInstanceTest, StartsAtTheSameMomentMakeExactlyOneFirst) {
  constexpr std::size_t kStarts = 4;
  std::promise<SingleInstance> handOver;  // a second first would fail to hand over, and be counted
  std::vector<std::future<ClaimKind>> starts;
  for (std::size_t i = 0; i < kStarts; ++i) {
    starts.push_back(std::async(std::launch::async, [&] {
      ClaimResult result = Claim();
      if (result.kind == ClaimKind::kFirst) handOver.set_value(std::move(result.instance));
      return result.kind;
    }));
  }
  std::future<SingleInstance> handedOver = handOver.get_future();
  ASSERT_EQ(handedOver.wait_for(std::chrono::seconds(5)), std::future_status::ready);
  SingleInstance first = handedOver.get();
  std::size_t answered = 0;
  for (std::size_t round = 0; round < kStarts && answered < kStarts - 1; ++round) {
    answered += AwaitRequests(first).size();
  }
  std::size_t told = 0;
  for (auto& start : starts) told += start.get() == ClaimKind::kAnotherWasTold;
  EXPECT_EQ(answered, kStarts - 1);
  EXPECT_EQ(told, kStarts - 1);
}

TEST_F(SingleInstanceTest, AFirstTooBusyToAnswerStillHoldsTheClaimAndTheRequestStands) {
  SingleInstanceOptions options = Options();
  options.answerTimeout = std::chrono::milliseconds(50);
  ClaimResult first = SingleInstance::Claim(kName, options);
  ASSERT_EQ(first.kind, ClaimKind::kFirst) << first.reason;
  // The first takes no requests while the later start waits.
  const ClaimResult later = SingleInstance::Claim(kName, options);
  EXPECT_EQ(later.kind, ClaimKind::kAnotherIsBusy);
  EXPECT_FALSE(later.reason.empty());
  EXPECT_EQ(later.instance.PollDescriptor(), -1);
  EXPECT_EQ(AwaitRequests(first.instance), kOneActivation) << "its sender gave up, but asked";
  EXPECT_TRUE(fs::is_socket(SocketPath()));
}

TEST_F(SingleInstanceTest, ASocketLeftByACrashedRunIsReplacedButNothingElseIs) {
  folder_.Write("reader.socket", "keep");
  const ClaimResult refused = Claim();
  EXPECT_TRUE(refused.kind == ClaimKind::kUnavailable && !refused.reason.empty());
  EXPECT_EQ(refused.instance.PollDescriptor(), -1);
  EXPECT_TRUE(fs::is_regular_file(SocketPath()));

  fs::remove(SocketPath());
  ASSERT_TRUE(ListenUnixSocket(*UnixSocketAddress(SocketPath()), 1).socket.valid());  // closed, its file left
  ClaimResult first = Claim();
  ASSERT_EQ(first.kind, ClaimKind::kFirst) << first.reason;
  ExpectAnotherClaimIsAnswered(first.instance, Options());
}

TEST_F(SingleInstanceTest, BadOrSilentPeersAreDroppedUnansweredAndServingGoesOn) {
  SingleInstanceOptions options = Options();
  options.requestTimeout = std::chrono::milliseconds(50);
  ClaimResult first = SingleInstance::Claim(kName, options);
  ASSERT_EQ(first.kind, ClaimKind::kFirst) << first.reason;
  const struct {
    std::string sent;
    bool thenSilent;  // keeps the connection open instead of ending its side
  } peers[] = {
      {"hello\n", false}, {"ACTIVATE 1\n", false}, {"activate 2\n", false}, {"activate 1\r\n", false},
      {"activate 1", false}, {"", false}, {std::string(4096, 'a'), false}, {"activate", true},
  };
  for (const auto& peer : peers) {
    const UnixConnection client = ConnectUnixSocket(*UnixSocketAddress(SocketPath()));
    ASSERT_EQ(client.outcome, ConnectOutcome::kConnected);
    ASSERT_EQ(send(client.socket.get(), peer.sent.data(), peer.sent.size(), 0), std::ssize(peer.sent));
    if (!peer.thenSilent) shutdown(client.socket.get(), SHUT_WR);
    EXPECT_TRUE(AwaitRequests(first.instance).empty()) << peer.sent;
    EXPECT_TRUE(ClosedWithoutAnswer(client.socket.get())) << peer.sent;
  }
  ExpectAnotherClaimIsAnswered(first.instance, options);
}

TEST_F(SingleInstanceTest, TheSocketGoesWithItsLastOwnerButAReplacementStays) {
  ClaimResult result = Claim();
  ASSERT_EQ(result.kind, ClaimKind::kFirst) << result.reason;
  {
    const SingleInstance moved = std::move(result.instance);
    EXPECT_EQ(result.instance.PollDescriptor(), -1);
    result.instance = SingleInstance();
    EXPECT_TRUE(fs::is_socket(SocketPath()));
  }
  EXPECT_FALSE(fs::exists(SocketPath()));

  ClaimResult again = Claim();
  ASSERT_EQ(again.kind, ClaimKind::kFirst) << again.reason;
  fs::remove(SocketPath());
  folder_.Write("reader.socket", "another's");
  again.instance = SingleInstance();
  EXPECT_TRUE(fs::is_regular_file(SocketPath()));
}

TEST_F(SingleInstanceTest, NamesMustBePlainAndTheSocketPathMustFitWhole) {
  // The longest path an address holds is 107 bytes: "<folder>/<name>.socket".
  const std::size_t longest = 107 - folder_.path().string().size() - 1 - 7;
  fs::create_directory(folder_.path() / "sub");
  fs::permissions(folder_.path() / "sub", fs::perms::owner_all);
  for (const std::string& name : {std::string(), std::string("sub/reader"), std::string(longest + 1, 'n')}) {
    const ClaimResult result = SingleInstance::Claim(name, Options());
    EXPECT_TRUE(result.kind == ClaimKind::kUnavailable && !result.reason.empty()) << name;
  }
  // Refused before anything was made, lock file included.
  EXPECT_TRUE(fs::is_empty(folder_.path() / "sub"));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_.path()), fs::directory_iterator()), 1);
  const ClaimResult fits = SingleInstance::Claim(std::string(longest, 'n'), Options());
  EXPECT_EQ(fits.kind, ClaimKind::kFirst) << fits.reason;
}

TEST_F(SingleInstanceTest, TheSessionsRuntimeDirectoryIsUsedWhenPrivateElseAPrivateFallback) {
  const fs::path open = folder_.path() / "open";
  fs::create_directory(open);
  fs::permissions(open, fs::perms{0755});
  SingleInstanceOptions options = Options();
  options.runtimeDirectory.reset();
  {
    const ScopedVariable runtime("XDG_RUNTIME_DIR", folder_.path().string());
    const ClaimResult result = SingleInstance::Claim(kName, options);
    EXPECT_TRUE(result.kind == ClaimKind::kFirst && fs::is_socket(SocketPath())) << result.reason;
  }
  for (const std::string& runtime : {std::string("relative"), (folder_.path() / "missing").string(), open.string()}) {
    options.runtimeDirectory = runtime;
    const ClaimResult result = SingleInstance::Claim(kName, options);
    EXPECT_EQ(result.kind, ClaimKind::kFirst) << runtime << ": " << result.reason;
    EXPECT_TRUE(fs::is_socket(FallbackPath() / "reader.socket")) << runtime;
    EXPECT_EQ(PermissionsOf(FallbackPath()), fs::perms::owner_all);
  }
}

TEST_F(SingleInstanceTest, AnUnsafeFallbackDirectoryIsRefused) {
  SingleInstanceOptions options = Options();
  options.runtimeDirectory = "relative";
  const fs::path elsewhere = folder_.path() / "elsewhere";
  fs::create_directory(elsewhere);
  fs::permissions(elsewhere, fs::perms::owner_all);
  const auto expectRefused = [&](const char* what) {
    const ClaimResult result = SingleInstance::Claim(kName, options);
    EXPECT_TRUE(result.kind == ClaimKind::kUnavailable && !result.reason.empty()) << what;
    EXPECT_TRUE(fs::is_empty(elsewhere)) << what;
  };
  fs::create_directory(FallbackPath());
  fs::permissions(FallbackPath(), fs::perms{0750});
  expectRefused("a directory others may enter");
  EXPECT_EQ(PermissionsOf(FallbackPath()), fs::perms{0750});
  fs::remove(FallbackPath());
  fs::create_directory_symlink(elsewhere, FallbackPath());
  expectRefused("a link to a private directory");
}

}  // namespace
}  // namespace platform
