// Arbitrary bytes as a registry file. The parse must finish, and what it
// keeps must be findable again by its own names: every key by its path and
// every value of a key by its name, with the data it was parsed with. The
// skipped entries are listed in the order of their lines.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/registry_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const platform::RegistryFile file =
      platform::RegistryFile::Parse(std::string_view(reinterpret_cast<const char*>(data), size));
  for (const platform::RegistryKeyRecord& key : file.keys()) {
    if (key.path.empty() || file.FindKey(key.path) != &key) std::abort();
    for (const platform::RegistryValue& value : key.values) {
      const platform::RegistryValue* found = platform::FindValue(key, value.name);
      if (found != &value) std::abort();
    }
  }
  std::size_t previousLine = 0;
  for (const platform::SkippedLine& skipped : file.skippedLines()) {
    if (skipped.lineNumber <= previousLine) std::abort();
    previousLine = skipped.lineNumber;
  }
  return 0;
}
