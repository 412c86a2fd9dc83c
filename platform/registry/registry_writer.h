#pragma once
// The registry's write side: create a key, set a value. Every change reads
// the registry file afresh, changes that one key or value, and replaces the
// whole file atomically (platform/system/atomic_file.h), so keys and values
// of other programs, comments and lines that could not be read all stay. A
// damaged file comes back sound, its unreadable lines kept as comments.
//
// Inside a RegistryWriteBatch the changes are gathered and the file is
// replaced once, when the batch closes, so that a process killed part way
// leaves either the file as it was or every change made.
//
// A file that cannot be read whole (not a regular file, unreadable, larger
// than kMaxRegistryFileBytes) is never written: what could not be read
// would be lost. Failures return false and change nothing; the reader shows
// none of them to the user.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "platform/registry/registry.h"

namespace platform {

// Opens `subKey` under the current user's root with full access, adding it
// to the registry file first when it is missing. Nothing when it is missing
// and cannot be added.
std::optional<RegistryKey> CreateRegistryKey(std::string_view subKey);

// Stores value `name` of `key` with `type` and `data` (a key missing from
// the file by now is added again). A value already there, in any letter
// case, keeps its place and the way its name is written. False for a key
// opened for reading only, and for a name the file cannot hold.
bool SetRegistryValue(const RegistryKey& key, std::string_view name, std::uint32_t type,
                      std::span<const std::uint8_t> data);
// A 32-bit number: 4 little-endian bytes of kRegNumber.
bool SetRegistryNumber(const RegistryKey& key, std::string_view name, std::uint32_t value);
// Text up to its first zero character, stored as kRegText: UTF-16LE with a
// terminator, (length + 1) * 2 bytes.
bool SetRegistryText(const RegistryKey& key, std::string_view name, std::u16string_view text);

// Gathers the changes made while it lives (reads see them too) and writes
// them in one atomic replacement of the file when it is destroyed. Batches
// do not nest: one opened inside another adds nothing. A change made while
// the file cannot be read whole fails as it would outside a batch; a final
// write that fails loses the batch's changes and leaves the file as it was.
class RegistryWriteBatch {
 public:
  RegistryWriteBatch();
  ~RegistryWriteBatch();
  RegistryWriteBatch(const RegistryWriteBatch&) = delete;
  RegistryWriteBatch& operator=(const RegistryWriteBatch&) = delete;

 private:
  bool outermost_;
};

// The registry as an open batch has changed it; nullptr outside a batch.
const RegistryFile* PendingRegistryFile();

}  // namespace platform
