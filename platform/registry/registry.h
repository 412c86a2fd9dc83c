#pragma once
// The registry, read the handheld's way: open a key under the current user's
// root, ask for a value's type, size and bytes, close the key.
//
// The registry is the file named by $QUILLORY_REGISTRY, else
// $XDG_CONFIG_HOME/orvenda/registry.reg (~/.config when XDG_CONFIG_HOME is
// unset or not absolute); its format is in registry_file.h. Every open reads
// the file afresh, so a value changed by another program is seen at the next
// open. A missing, unreadable or damaged file never fails the reader: what
// parses is there, and the rest reads as missing.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/registry/registry_file.h"

namespace platform {

// The registry file's location; nothing when neither variable nor HOME is set.
std::optional<std::filesystem::path> RegistryFilePath();

constexpr std::size_t kMaxRegistryFileBytes = 4 << 20;

// The bytes of the registry file at `path`, at most kMaxRegistryFileBytes.
// `whole` says they are all the file holds: so for a missing file (no
// bytes), not for a larger one or one that cannot be read. A writer leaves
// a file it could not read whole as it is.
struct RegistryFileBytes {
  std::string bytes;
  bool whole = false;
};
RegistryFileBytes ReadRegistryFileBytes(const std::filesystem::path& path);

// Reads and parses the registry file. Only its first kMaxRegistryFileBytes
// are read; a missing or unreadable file gives an empty registry.
RegistryFile LoadRegistryFile();

// A value as the handheld hands it out: type and bytes (the size is
// data.size()). The bytes belong to the open key and live as long as it.
struct RegistryValueView {
  std::uint32_t type;
  std::span<const std::uint8_t> data;
};

// What an open key allows: reading, or reading and writing its values.
enum class RegistryAccess { kRead, kFull };

// An open key: a snapshot of its values, taken when it was opened. Closing
// is destruction.
class RegistryKey {
 public:
  explicit RegistryKey(RegistryKeyRecord record, RegistryAccess access = RegistryAccess::kRead)
      : record_(std::move(record)), access_(access) {}
  RegistryKey(RegistryKey&&) = default;
  RegistryKey& operator=(RegistryKey&&) = default;
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;

  const RegistryKeyRecord& record() const { return record_; }
  RegistryAccess access() const { return access_; }

 private:
  RegistryKeyRecord record_;
  RegistryAccess access_;
};

// The full path of `subKey` under the current user's root.
std::string CurrentUserPath(std::string_view subKey);

// Opens `subKey` (e.g. "Software\Orvenda") under the current user's root for
// reading; nothing when the registry has no such key.
std::optional<RegistryKey> OpenRegistryKey(std::string_view subKey);
// The same, in a registry already read.
std::optional<RegistryKey> OpenRegistryKey(const RegistryFile& file, std::string_view subKey);

// Nothing when the key has no value of that name ("" is the default value).
std::optional<RegistryValueView> QueryRegistryValue(const RegistryKey& key, std::string_view name);

}  // namespace platform
