// quillory-32: the reader's entry point.

#include <cstdio>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/readings_query.h"
#include "app/render_page.h"
#include "app/run_modes.h"
#include "app/this_week_query.h"
#include "calendar/this_week.h"

namespace {

using namespace quillory;

// Answers --this-week without a window and without writing any setting.
int RunThisWeekQuery(const CommandLine& commandLine) {
  const CivilDate date = commandLine.date.value_or(TodayLocalDate());
  const ReadingLocation location = commandLine.location.value_or(DeviceReadingLocation());
  std::printf("%s", ThisWeekReport(DayNumberFromCivil(date.month, date.day, date.year), location).c_str());
  return 0;
}

// Answers --readings: no setting is read, so without --israel or
// --diaspora the time zone alone decides.
int RunReadingsQuery(const CommandLine& commandLine) {
  const ReadingLocation location = commandLine.location.value_or(TimeZoneReadingLocation());
  const std::string table = ReadingsTable(commandLine.readings, location);
  return std::fwrite(table.data(), 1, table.size(), stdout) == table.size() && std::fflush(stdout) == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const CommandLine commandLine = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  switch (commandLine.action) {
    case CommandLine::Action::kVersion:
      std::printf("%s\n", kProductVersion);
      return 0;
    case CommandLine::Action::kHelp:
      std::printf("%s", UsageText().c_str());
      return 0;
    case CommandLine::Action::kThisWeek:
      return RunThisWeekQuery(commandLine);
    case CommandLine::Action::kReadings:
      return RunReadingsQuery(commandLine);
    case CommandLine::Action::kUsageError:
      std::fprintf(stderr, "quillory-32: %s\nTry 'quillory-32 --help'.\n", commandLine.error.c_str());
      return kExitUsage;
    case CommandLine::Action::kRender: {
      std::string error;
      const int status = RenderPage(commandLine.render, error);
      if (status != 0) std::fprintf(stderr, "quillory-32: %s\n", error.c_str());
      return status;
    }
    case CommandLine::Action::kRun:
      break;
  }
  return RunInteractive(commandLine);
}
