// Arbitrary bytes as a registry file. The parse must finish, and what it
// keeps must be findable again by its own names: every key by its path and
// every value of a key by its name, with the data it was parsed with. The
// skipped entries are listed in the order of their lines, and each is kept
// as a marked comment.
//
// Written back, the file must parse to the same keys, values and comments
// with nothing skipped, and write the same text again: a write loses
// nothing of what a read found, and repairs what it could not read.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/registry/registry_file.h"
#include "platform/registry/registry_serializer.h"

namespace {

std::size_t MarkedComments(const platform::RegistryFile& file) {
  const auto marked = [](const std::vector<std::string>& comments) {
    return static_cast<std::size_t>(std::count_if(comments.begin(), comments.end(), [](const std::string& comment) {
      return comment.starts_with(platform::kUnreadableMark);
    }));
  };
  std::size_t count = marked(file.leadingComments());
  for (const platform::RegistryKeyRecord& key : file.keys()) count += marked(key.comments);
  return count;
}

void CheckRoundTrip(const platform::RegistryFile& file) {
  const std::string text = platform::SerializeRegistryFile(file);
  const platform::RegistryFile again = platform::RegistryFile::Parse(text);
  if (!again.skippedLines().empty()) std::abort();
  if (again.keys() != file.keys() || again.leadingComments() != file.leadingComments()) std::abort();
  if (platform::SerializeRegistryFile(again) != text) std::abort();
}

}  // namespace

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
  if (MarkedComments(file) < file.skippedLines().size()) std::abort();
  CheckRoundTrip(file);
  return 0;
}
