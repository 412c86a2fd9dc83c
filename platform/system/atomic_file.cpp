#include "platform/system/atomic_file.h"

#include <cerrno>
#include <optional>
#include <string>
#include <system_error>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/system/unique_fd.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

// Tries this many names before giving up on a folder full of leftovers.
constexpr int kTemporaryNameAttempts = 100;

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// The temporary files of `target` are named ".NAME.PID.N.tmp".
std::string TemporaryPrefix(const fs::path& target) { return "." + target.filename().string() + "."; }

// The process id in the name of a temporary file of `target`; nothing for
// any other name.
std::optional<pid_t> TemporaryOwner(const std::string& name, const std::string& prefix) {
  constexpr std::string_view kSuffix = ".tmp";
  if (name.size() <= prefix.size() + kSuffix.size() || name.compare(0, prefix.size(), prefix) != 0 ||
      !name.ends_with(kSuffix)) {
    return std::nullopt;
  }
  const std::string middle = name.substr(prefix.size(), name.size() - prefix.size() - kSuffix.size());
  const std::size_t dot = middle.find('.');
  const auto digits = [](std::string_view text) {
    return !text.empty() && text.size() <= 9 && text.find_first_not_of("0123456789") == std::string_view::npos;
  };
  if (dot == std::string::npos || !digits(std::string_view(middle).substr(0, dot)) ||
      !digits(std::string_view(middle).substr(dot + 1))) {
    return std::nullopt;
  }
  return static_cast<pid_t>(std::stol(middle.substr(0, dot)));
}

// Removes the temporary files that killed writers of `target` left: those
// whose process no longer runs. A live one, or one that may belong to
// another user's process, is left alone.
void RemoveAbandonedTemporaries(const fs::path& target) {
  const std::string prefix = TemporaryPrefix(target);
  std::error_code error;
  for (fs::directory_iterator entry(target.parent_path(), error), end; !error && entry != end; entry.increment(error)) {
    const std::optional<pid_t> owner = TemporaryOwner(entry->path().filename().string(), prefix);
    if (owner && *owner != ::getpid() && ::kill(*owner, 0) != 0 && errno == ESRCH) ::unlink(entry->path().c_str());
  }
}

// A new, empty file beside `target`, opened for writing; its name in `temp`.
// Created with 0666 so the umask applies as it would to the file itself.
UniqueFd CreateTemporary(const fs::path& target, fs::path& temp) {
  const std::string stem = TemporaryPrefix(target) + std::to_string(::getpid()) + ".";
  for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
    temp = target.parent_path() / (stem + std::to_string(attempt) + ".tmp");
    UniqueFd fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (fd.valid() || errno != EEXIST) return fd;
  }
  return UniqueFd();
}

// A rename is durable only once its folder's entry is on the disk too. The
// new file is already complete, so a failure here costs nothing but that.
void SyncFolder(const fs::path& folder) {
  const UniqueFd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.valid()) ::fsync(fd.get());
}

// The file a write at `path` is to replace: `path` itself, or the file a
// symbolic link there names. Relative to the working folder when `path` has
// no folder of its own.
std::optional<fs::path> ReplacedFile(const fs::path& path) {
  std::error_code error;
  fs::path target = fs::absolute(path, error);
  if (error) return std::nullopt;
  // A missing file is no error here: it is made.
  if (fs::symlink_status(target, error).type() == fs::file_type::symlink) {
    target = fs::weakly_canonical(target, error);
    if (error) return std::nullopt;
  }
  return target;
}

}  // namespace

bool ReplaceFileAtomically(const fs::path& path, std::string_view bytes) {
  const std::optional<fs::path> target = ReplacedFile(path);
  if (!target) return false;
  std::error_code error;
  fs::create_directories(target->parent_path(), error);
  if (error) return false;

  struct stat old {};
  const bool replacing = ::stat(target->c_str(), &old) == 0;
  if (replacing && !S_ISREG(old.st_mode)) return false;

  RemoveAbandonedTemporaries(*target);
  fs::path temp;
  UniqueFd fd = CreateTemporary(*target, temp);
  if (!fd.valid()) return false;
  bool written = WriteAll(fd.get(), bytes) && (!replacing || ::fchmod(fd.get(), old.st_mode & 07777) == 0) &&
                 ::fsync(fd.get()) == 0;
  written = ::close(fd.Release()) == 0 && written;
  if (!written || ::rename(temp.c_str(), target->c_str()) != 0) {
    ::unlink(temp.c_str());
    return false;
  }
  SyncFolder(target->parent_path());
  return true;
}

}  // namespace platform
