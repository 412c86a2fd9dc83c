#pragma once
// Directories only this user can use: a place for a socket or a lock file
// that no one else can read, replace, or swap for a link to somewhere else.

#include <optional>
#include <string>

namespace platform {

// Whether `path` is absolute and names a directory (itself, not a symbolic
// link to one) that this user owns and no other user may enter, list or
// change.
bool IsPrivateDirectory(const std::string& path);

// Makes `path` a directory with mode 0700 when nothing is there yet. Nothing
// when `path` is then a private directory, otherwise why it is not one. An
// existing directory is used as it is, never loosened, tightened or taken
// over.
std::optional<std::string> EnsurePrivateDirectory(const std::string& path);

}  // namespace platform
