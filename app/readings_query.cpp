#include "app/readings_query.h"

#include <algorithm>
#include <cstdio>

#include "app/this_week_query.h"
#include "calendar/calendar_names.h"
#include "calendar/hebrew_calendar.h"
#include "calendar/sabbath_readings.h"
#include "platform/system/decimal.h"

namespace quillory {
namespace {

enum class YearKind { kCivil, kHebrew };

struct Year {
  YearKind kind;
  std::int32_t number;
};

std::optional<Year> ParseYear(std::string_view text) {
  const std::optional<std::int64_t> number = platform::ParseWholeNumber(text, kFirstQueryYear, kLastReadingsHebrewYear);
  if (!number) return std::nullopt;
  const auto year = static_cast<std::int32_t>(*number);
  if (year <= kLastQueryYear) return Year{YearKind::kCivil, year};
  if (year >= kFirstReadingsHebrewYear) return Year{YearKind::kHebrew, year};
  return std::nullopt;
}

std::int32_t FirstDayOf(const Year& year) {
  return year.kind == YearKind::kCivil ? DayNumberFromCivil(1, 1, year.number)
                                       : DayNumberFromHebrew(kTishri, 1, year.number);
}

std::int32_t LastDayOf(const Year& year) {
  return year.kind == YearKind::kCivil ? DayNumberFromCivil(12, 31, year.number)
                                       : DayNumberFromHebrew(kTishri, 1, year.number + 1) - 1;
}

}  // namespace

std::optional<ReadingsSpan> ParseReadingsYears(std::string_view text) {
  const std::size_t dash = text.find('-');
  const std::optional<Year> first = ParseYear(text.substr(0, dash));
  const std::optional<Year> last = dash == std::string_view::npos ? first : ParseYear(text.substr(dash + 1));
  if (!first || !last || first->kind != last->kind || first->number > last->number) return std::nullopt;
  // The conversions are exact for these days only.
  const std::int32_t earliest = DayNumberFromCivil(1, 1, kFirstQueryYear);
  const std::int32_t latest = DayNumberFromCivil(12, 31, kLastQueryYear);
  return ReadingsSpan{std::max(FirstDayOf(*first), earliest), std::min(LastDayOf(*last), latest)};
}

std::string ReadingsTable(const ReadingsSpan& span, ReadingLocation location) {
  std::string table;
  table.reserve(static_cast<std::size_t>(std::max(0, span.lastDay - span.firstDay) / 7 + 1) * 64);
  ForEachSabbathReading(span.firstDay, span.lastDay, location, [&table](const SabbathReading& reading) {
    const CivilDate civil = CivilFromDayNumber(reading.sabbath);
    const HebrewDate hebrew = HebrewFromDayNumber(reading.sabbath);
    char dates[64];
    std::snprintf(dates, sizeof dates, "%04d-%02d-%02d\t%d %s %d\t", civil.year, civil.month, civil.day, hebrew.day,
                  HebrewMonthName(hebrew.month, hebrew.year), hebrew.year);
    table += dates;
    if (reading.festival) table += "festival; This Week: ";
    table += DescribePortionCode(reading.code);
    table += '\t';
    table += std::to_string(ShownArticle(ArticleForPortionCode(reading.code)));
    table += '\n';
  });
  return table;
}

}  // namespace quillory
