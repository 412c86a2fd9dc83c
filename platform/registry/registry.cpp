#include "platform/registry/registry.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>

#include "platform/registry/registry_writer.h"

namespace platform {
namespace {

constexpr std::string_view kCurrentUserRoot = "HKEY_CURRENT_USER";

// An unset and an empty variable mean the same.
std::optional<std::string> Variable(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || *value == '\0') return std::nullopt;
  return std::string(value);
}

}  // namespace

std::optional<std::filesystem::path> RegistryFilePath() {
  if (const std::optional<std::string> file = Variable("QUILLORY_REGISTRY")) return std::filesystem::path(*file);
  std::filesystem::path base;
  // Relative values of XDG_CONFIG_HOME are invalid and ignored.
  if (const std::optional<std::string> config = Variable("XDG_CONFIG_HOME"); config && config->front() == '/') {
    base = *config;
  } else if (const std::optional<std::string> home = Variable("HOME")) {
    base = std::filesystem::path(*home) / ".config";
  } else {
    return std::nullopt;
  }
  return base / "orvenda" / "registry.reg";
}

RegistryFileBytes ReadRegistryFileBytes(const std::filesystem::path& path) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(path, error);
  if (status.type() == std::filesystem::file_type::not_found) return {{}, true};
  if (error || status.type() != std::filesystem::file_type::regular) return {};
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  std::ifstream in(path, std::ios::binary);
  if (error || !in) return {};
  RegistryFileBytes file;
  file.bytes.resize(static_cast<std::size_t>(std::min<std::uintmax_t>(size, kMaxRegistryFileBytes)));
  in.read(file.bytes.data(), static_cast<std::streamsize>(file.bytes.size()));
  file.bytes.resize(static_cast<std::size_t>(in.gcount()));
  file.whole = size <= kMaxRegistryFileBytes && file.bytes.size() == size;
  return file;
}

RegistryFile LoadRegistryFile() {
  if (const RegistryFile* pending = PendingRegistryFile()) return *pending;
  const std::optional<std::filesystem::path> path = RegistryFilePath();
  if (!path) return {};
  return RegistryFile::Parse(ReadRegistryFileBytes(*path).bytes);
}

std::string CurrentUserPath(std::string_view subKey) {
  return std::string(kCurrentUserRoot) + '\\' + std::string(subKey);
}

std::optional<RegistryKey> OpenRegistryKey(std::string_view subKey) {
  return OpenRegistryKey(LoadRegistryFile(), subKey);
}

std::optional<RegistryKey> OpenRegistryKey(const RegistryFile& file, std::string_view subKey) {
  const RegistryKeyRecord* record = file.FindKey(CurrentUserPath(subKey));
  if (record == nullptr) return std::nullopt;
  return RegistryKey(*record);
}

std::optional<RegistryValueView> QueryRegistryValue(const RegistryKey& key, std::string_view name) {
  const RegistryValue* value = FindValue(key.record(), name);
  if (value == nullptr) return std::nullopt;
  return RegistryValueView{value->type, value->data};
}

}  // namespace platform
