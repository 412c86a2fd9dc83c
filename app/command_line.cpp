#include "app/command_line.h"

#include <algorithm>
#include <cctype>

#include "app/this_week_query.h"

namespace quillory {
namespace {

bool EqualsIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

CommandLine UsageError(std::string error) {
  CommandLine result;
  result.action = CommandLine::Action::kUsageError;
  result.error = std::move(error);
  return result;
}

// With --this-week the other arguments are at most one date and one location.
CommandLine FinishThisWeek(CommandLine result, const std::vector<std::string>& positional) {
  if (positional.size() > 1) return UsageError("--this-week takes one date, not '" + positional[1] + "'");
  if (!positional.empty()) {
    result.date = ParseQueryDate(positional[0]);
    if (!result.date) {
      return UsageError("malformed date '" + positional[0] + "': expected YYYY-MM-DD, a day of the years " +
                        std::to_string(kFirstQueryYear) + " to " + std::to_string(kLastQueryYear));
    }
  }
  return result;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  CommandLine result;
  std::vector<std::string> positional;
  for (const std::string& arg : arguments) {
    if (arg == "--version") {
      result.action = CommandLine::Action::kVersion;
    } else if (arg == "--help" || arg == "-h") {
      result.action = CommandLine::Action::kHelp;
    } else if (arg == "--this-week") {
      result.action = CommandLine::Action::kThisWeek;
    } else if (arg == "--israel" || arg == "--diaspora") {
      const ReadingLocation location = arg == "--israel" ? ReadingLocation::kIsrael : ReadingLocation::kDiaspora;
      if (result.location && *result.location != location) return UsageError("--israel and --diaspora exclude each other");
      result.location = location;
    } else if (arg.size() > 1 && arg[0] == '-') {
      return UsageError("unknown option '" + arg + "'");
    } else {
      positional.push_back(arg);
    }
  }
  if (result.action == CommandLine::Action::kThisWeek) return FinishThisWeek(std::move(result), positional);
  if (result.location) return UsageError("--israel and --diaspora go with --this-week");
  std::string handheldLine;
  for (const std::string& arg : positional) {
    if (!handheldLine.empty()) handheldLine += ' ';
    handheldLine += arg;
  }
  result.today = EqualsIgnoringCase(handheldLine, "/today");
  return result;
}

std::string UsageText() {
  return "Usage: quillory-32 [OPTION]... [/today]\n"
         "       quillory-32 --this-week [YYYY-MM-DD] [--israel|--diaspora]\n"
         "Reads the volume \"Quillory - 32\".\n"
         "\n"
         "  /today      open this week's article, whatever was read last\n"
         "  --this-week print the coming Sabbath of the date (default today), its\n"
         "              Hebrew date, its portion and the article This Week shows;\n"
         "              the location is decided as the reader decides it unless\n"
         "              --israel or --diaspora is given\n"
         "  --help      show this text and exit\n"
         "  --version   show the version and exit\n";
}

}  // namespace quillory
