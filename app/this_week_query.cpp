#include "app/this_week_query.h"

#include <cstdio>

#include "calendar/calendar_names.h"

namespace quillory {
namespace {

std::optional<std::int32_t> Digits(std::string_view text) {
  std::int32_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

}  // namespace

std::optional<CivilDate> ParseQueryDate(std::string_view text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  const std::optional<std::int32_t> year = Digits(text.substr(0, 4));
  const std::optional<std::int32_t> month = Digits(text.substr(5, 2));
  const std::optional<std::int32_t> day = Digits(text.substr(8, 2));
  if (!year || !month || !day) return std::nullopt;
  if (*year < kFirstQueryYear || *year > kLastQueryYear || *month < 1 || *month > 12) return std::nullopt;
  if (*day < 1 || *day > CivilMonthLength(*month, *year)) return std::nullopt;
  return CivilDate{*month, *day, *year};
}

std::string ThisWeekReport(std::int32_t day, ReadingLocation location) {
  const WeeklyReading reading = ReadingOfWeek(day, location);
  const CivilDate civil = CivilFromDayNumber(reading.sabbath);
  const HebrewDate hebrew = HebrewFromDayNumber(reading.sabbath);
  char dates[96];
  std::snprintf(dates, sizeof dates, "sabbath: %04d-%02d-%02d\nhebrew: %d %s %d\n", civil.year, civil.month, civil.day,
                hebrew.day, HebrewMonthName(hebrew.month, hebrew.year), hebrew.year);
  return std::string(dates) + "portion: " + std::to_string(reading.code) + " " + DescribePortionCode(reading.code) +
         "\narticle: " + std::to_string(ShownArticle(ArticleForPortionCode(reading.code))) + "\n";
}

}  // namespace quillory
