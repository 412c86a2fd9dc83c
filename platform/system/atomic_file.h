#pragma once
// Replacing a file whole, so that a reader (or the next start after a
// crash or a full disk) finds either the old contents or the new ones,
// never a part of either.

#include <filesystem>
#include <string_view>

namespace platform {

// Writes `bytes` to a new file beside `path`, flushes it to the disk and
// renames it over `path`. Missing folders are made first. A symbolic link at
// `path` is followed, so the file it names is replaced and the link stays.
// The new file keeps the old one's permission bits; a file made anew gets
// 0666 less the process's umask, as any new file does.
//
// False when any step fails: the old file is then untouched and no
// temporary file is left behind. A process killed part way leaves its
// temporary file (named after the target and its process id); the next
// replacement of the same file removes those of processes that are gone.
bool ReplaceFileAtomically(const std::filesystem::path& path, std::string_view bytes);

}  // namespace platform
