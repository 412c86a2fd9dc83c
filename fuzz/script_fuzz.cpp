// Arbitrary headless scripts: parsing stays inside the text given and
// either yields commands or names a line.

#include <cstdint>
#include <string_view>

#include "platform/backends/headless/headless_script.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  platform::ScriptError error;
  const auto script = platform::ParseScript(std::string_view(reinterpret_cast<const char*>(data), size), error);
  if (!script && error.line <= 0) __builtin_trap();
  return 0;
}
