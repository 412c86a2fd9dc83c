#pragma once
// The command-line listing of a year's readings (--readings YEAR): every
// Sabbath of a Hebrew or a civil year, or of a span of years, one line
// each, with tab-separated columns so that other programs can read it:
//
//   2027-10-30	23 Heshvan 5788	Chayei Sarah (חיי שרה)	1
//
// the date, the Hebrew date, the portion read (a pair as a pair; a
// festival Sabbath as "festival; This Week: " and the reading This Week
// shows then) and the article This Week shows. It reads no setting and
// opens no window.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "calendar/this_week.h"

namespace quillory {

// The days a --readings argument covers, within the dates the calendar's
// conversions are exact for (the years of the This Week query).
struct ReadingsSpan {
  std::int32_t firstDay = 0;
  std::int32_t lastDay = 0;
};

// Civil years and the Hebrew years that overlap them.
constexpr std::int32_t kFirstReadingsHebrewYear = 5260;
constexpr std::int32_t kLastReadingsHebrewYear = 6360;

// "2027" (civil), "5788" (Hebrew), or a span of either kind "1500-2599";
// nothing for anything else, a span whose ends differ in kind, or one that
// runs backwards. A Hebrew year at either end of the range is cut to the
// covered days.
std::optional<ReadingsSpan> ParseReadingsYears(std::string_view text);

// The listing, a line per Sabbath of the span.
std::string ReadingsTable(const ReadingsSpan& span, ReadingLocation location);

}  // namespace quillory
