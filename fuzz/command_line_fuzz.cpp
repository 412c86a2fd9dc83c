// Arbitrary command lines (arguments separated by zero bytes): the parser
// either gives an action or a usage error with its reason, never both and
// never neither.

#include <cstdint>
#include <string>
#include <vector>

#include "app/command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> arguments(1);
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == 0) {
      arguments.emplace_back();
    } else {
      arguments.back() += static_cast<char>(data[i]);
    }
  }
  const quillory::CommandLine line = quillory::ParseCommandLine(arguments);
  const bool error = line.action == quillory::CommandLine::Action::kUsageError;
  if (error == line.error.empty()) __builtin_trap();
  return 0;
}
