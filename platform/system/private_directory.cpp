#include "platform/system/private_directory.h"

#include <cerrno>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

// Why `path` is not a private directory; nothing when it is one.
std::optional<std::string> PrivacyProblem(const std::string& path) {
  if (path.empty() || path.front() != '/') return "\"" + path + "\" is not an absolute path";
  // lstat: a link in a shared folder such as /tmp may lead anywhere, even
  // to a directory of ours that was never meant for this.
  struct stat info {};
  if (lstat(path.c_str(), &info) != 0) return path + ": " + std::strerror(errno);
  if (!S_ISDIR(info.st_mode)) return path + " is not a directory";
  if (info.st_uid != geteuid()) return path + " belongs to another user";
  if ((info.st_mode & (S_IRWXG | S_IRWXO)) != 0) return path + " is open to other users";
  return std::nullopt;
}

}  // namespace

bool IsPrivateDirectory(const std::string& path) { return !PrivacyProblem(path); }

std::optional<std::string> EnsurePrivateDirectory(const std::string& path) {
  if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) {
    return "cannot make " + path + ": " + std::strerror(errno);
  }
  return PrivacyProblem(path);
}

}  // namespace platform
