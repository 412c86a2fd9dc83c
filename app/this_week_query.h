#pragma once
// The command-line query of This Week: what the coming Sabbath reads and
// which article the reader would show, printed without opening a window or
// writing any setting.

#include <optional>
#include <string>
#include <string_view>

#include "calendar/hebrew_calendar.h"
#include "calendar/this_week.h"

namespace quillory {

// Dates the query accepts: the civil years in which every Hebrew date it
// prints is exact.
constexpr std::int32_t kFirstQueryYear = 1500;
constexpr std::int32_t kLastQueryYear = 2599;

// "YYYY-MM-DD", a real day of a year from kFirstQueryYear to kLastQueryYear;
// nothing for anything else.
std::optional<CivilDate> ParseQueryDate(std::string_view text);

// The query's answer for the week of day number `day`, one item a line:
//   sabbath: 2012-04-28
//   hebrew: 6 Iyyar 5772
//   portion: -26 Tazria-Metzora (תזריע-מצורע)
//   article: 15
std::string ThisWeekReport(std::int32_t day, ReadingLocation location);

}  // namespace quillory
