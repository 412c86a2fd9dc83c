#include "platform/registry/registry_writer.h"

#include <functional>
#include <vector>

#include "platform/registry/registry_serializer.h"
#include "platform/system/atomic_file.h"
#include "platform/system/text_encoding.h"

namespace platform {
namespace {

// The open batch: the file's bytes as read when the batch began, and the
// registry with the changes made since. `readable` is false when the file
// could not be read whole, so that every change fails as it would alone.
struct Batch {
  std::filesystem::path path;
  std::string original;
  RegistryFile file;
  bool readable = false;
};
std::optional<Batch> gBatch;

// Reads the registry file whole, lets `change` edit it, and writes it back
// when `change` says it changed something and the file would come out
// different (a value stored again as it was costs no write to the disk).
// False when the file cannot be read whole or written.
bool UpdateRegistryFile(const std::function<bool(RegistryFile&)>& change) {
  if (gBatch) {
    if (!gBatch->readable) return false;
    change(gBatch->file);
    return true;
  }
  const std::optional<std::filesystem::path> path = RegistryFilePath();
  if (!path) return false;
  const RegistryFileBytes bytes = ReadRegistryFileBytes(*path);
  if (!bytes.whole) return false;
  RegistryFile file = RegistryFile::Parse(bytes.bytes);
  if (!change(file)) return true;
  const std::string written = SerializeRegistryFile(file);
  return written == bytes.bytes || ReplaceFileAtomically(*path, written);
}

}  // namespace

RegistryWriteBatch::RegistryWriteBatch() : outermost_(!gBatch) {
  if (!outermost_) return;
  gBatch.emplace();
  const std::optional<std::filesystem::path> path = RegistryFilePath();
  if (!path) return;
  RegistryFileBytes bytes = ReadRegistryFileBytes(*path);
  if (!bytes.whole) return;
  gBatch->path = *path;
  gBatch->file = RegistryFile::Parse(bytes.bytes);
  gBatch->original = std::move(bytes.bytes);
  gBatch->readable = true;
}

RegistryWriteBatch::~RegistryWriteBatch() {
  if (!outermost_) return;
  Batch batch = std::move(*gBatch);
  gBatch.reset();
  if (!batch.readable) return;
  const std::string written = SerializeRegistryFile(batch.file);
  if (written != batch.original) ReplaceFileAtomically(batch.path, written);
}

const RegistryFile* PendingRegistryFile() { return gBatch && gBatch->readable ? &gBatch->file : nullptr; }

std::optional<RegistryKey> CreateRegistryKey(std::string_view subKey) {
  const std::string path = CurrentUserPath(subKey);
  if (!IsWritableKeyPath(path)) return std::nullopt;
  RegistryKeyRecord opened;
  const bool ready = UpdateRegistryFile([&](RegistryFile& file) {
    const bool missing = file.FindKey(path) == nullptr;
    opened = file.FindOrAddKey(path);
    return missing;
  });
  if (!ready) return std::nullopt;
  return RegistryKey(std::move(opened), RegistryAccess::kFull);
}

bool SetRegistryValue(const RegistryKey& key, std::string_view name, std::uint32_t type,
                      std::span<const std::uint8_t> data) {
  if (key.access() != RegistryAccess::kFull || !IsWritableValueName(name)) return false;
  return UpdateRegistryFile([&](RegistryFile& file) {
    SetValue(file.FindOrAddKey(key.record().path), {std::string(name), type, {data.begin(), data.end()}});
    return true;
  });
}

bool SetRegistryNumber(const RegistryKey& key, std::string_view name, std::uint32_t value) {
  std::vector<std::uint8_t> bytes;
  for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<std::uint8_t>(value >> shift));
  return SetRegistryValue(key, name, kRegNumber, bytes);
}

bool SetRegistryText(const RegistryKey& key, std::string_view name, std::u16string_view text) {
  std::vector<std::uint8_t> bytes;
  for (const char16_t unit : UntilZero(text)) {
    bytes.push_back(static_cast<std::uint8_t>(unit));
    bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
  }
  bytes.insert(bytes.end(), {0, 0});
  return SetRegistryValue(key, name, kRegText, bytes);
}

}  // namespace platform
