#pragma once
// This Week: which article the reader shows. Either the one the reader chose,
// or the article of the portion read on the coming Sabbath, in Israel or
// abroad. Only the ten portions of Leviticus (23-32) have articles; every
// other week shows article 1.

#include <cstdint>
#include <string_view>

#include "calendar/hebrew_calendar.h"
#include "calendar/reading_schedules.h"

namespace quillory {

// Number under the maker key: non-zero reads the Israel schedule wherever
// the device's time zone is.
constexpr std::string_view kIsraelValueName = "Israel";

enum class ReadingLocation { kDiaspora, kIsrael };

// The article of a portion code (a pair shows its first portion's article);
// 0 when the volume has none for it.
int ArticleForPortionCode(PortionCode code);

// What is read on the Sabbath on or after `day` (day itself when a Saturday).
struct WeeklyReading {
  std::int32_t sabbath;  // day number
  PortionCode code;      // never -1
};
WeeklyReading ReadingOfWeek(std::int32_t day, ReadingLocation location);
// The schedule of the Hebrew year that holds `day`, at `location`.
ReadingYear ReadingYearOf(std::int32_t day, ReadingLocation location);

// Israel when the zone's standard-time name starts with "Israel" or
// "Jerusalem", in any letter case.
bool ZoneNameSelectsIsrael(std::string_view standardName);
// The location as the time zone alone says it.
ReadingLocation TimeZoneReadingLocation();
// The location as the device has it: the zone name, else the maker key's
// "Israel" number (default 0), read afresh at every call.
ReadingLocation DeviceReadingLocation();

// This week's article for `day` where the device is, 0-44 (0 = none).
int ThisWeekArticle(std::int32_t day);
// The same at a given location: integer arithmetic on constant tables only.
int ThisWeekArticleAt(std::int32_t day, ReadingLocation location);

// The article This Week shows for a result of ThisWeekArticle: the article
// itself when it is one of the volume's, else article 1.
std::uint16_t ShownArticle(int thisWeekArticle);

// The calendar date of the device's local time now.
CivilDate TodayLocalDate();

// The one operation that changes the current article of App(). A non-zero
// `article` is the reader's choice: it becomes current (at position 0 when it
// differs) and the choice is remembered in kChosenArticleFlag. Article 0
// computes This Week, unless the reader's choice stands and `force` is
// false; the saved position survives when the week's article is the current
// one, and the choice flag ends clear.
void SelectArticle(std::uint16_t article, bool force);
// The same with This Week computed for day number `today`.
void SelectArticleOn(std::uint16_t article, bool force, std::int32_t today);

}  // namespace quillory
