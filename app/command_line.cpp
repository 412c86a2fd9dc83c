#include "app/command_line.h"

#include <algorithm>
#include <cctype>

namespace quillory {
namespace {

bool EqualsIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  CommandLine result;
  std::string handheldLine;
  for (const std::string& arg : arguments) {
    if (arg == "--version") {
      result.action = CommandLine::Action::kVersion;
    } else if (arg == "--help" || arg == "-h") {
      result.action = CommandLine::Action::kHelp;
    } else if (arg.size() > 1 && arg[0] == '-') {
      result.action = CommandLine::Action::kUsageError;
      result.error = "unknown option '" + arg + "'";
      return result;
    } else {
      if (!handheldLine.empty()) handheldLine += ' ';
      handheldLine += arg;
    }
  }
  result.today = EqualsIgnoringCase(handheldLine, "/today");
  return result;
}

std::string UsageText() {
  return "Usage: quillory-32 [OPTION]... [/today]\n"
         "Reads the volume \"Quillory - 32\".\n"
         "\n"
         "  /today      open this week's article, whatever was read last\n"
         "  --help      show this text and exit\n"
         "  --version   show the version and exit\n";
}

}  // namespace quillory
