#pragma once
// The fixed arithmetic Hebrew calendar over day numbers, and the proleptic
// Gregorian (civil) calendar beside it.
//
// Every value is a signed 32-bit integer. Day number 1 is Monday, 1 January
// of civil year 1; the weekday of day d is d % 7 with 0 = Sunday ... 6 =
// Saturday. 1 Tishri of Hebrew year 1 is day -1373427. The conversions from a
// day number expect d >= 1 (civil year 1 onward), where every dividend is
// non-negative and truncating division floors.

#include <cstdint>

namespace quillory {

enum Weekday : std::int32_t { kSunday = 0, kMonday = 1, kTuesday = 2, kThursday = 4, kSaturday = 6 };

// Hebrew months numbered from Nisan; the year number changes on 1 Tishri.
enum HebrewMonth : std::int32_t {
  kNisan = 1,
  kIyyar = 2,
  kSivan = 3,
  kTammuz = 4,
  kAv = 5,
  kElul = 6,
  kTishri = 7,
  kHeshvan = 8,
  kKislev = 9,
  kTevet = 10,
  kShevat = 11,
  kAdar = 12,  // Adar I in a leap year
  kAdarII = 13,
};

struct CivilDate {
  std::int32_t month;  // 1 = January ... 12 = December
  std::int32_t day;    // 1 ... 31
  std::int32_t year;   // e.g. 2006
  friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

struct HebrewDate {
  std::int32_t month;  // HebrewMonth
  std::int32_t day;    // 1 ... 30
  std::int32_t year;   // years from creation, e.g. 5766
  friend bool operator==(const HebrewDate&, const HebrewDate&) = default;
};

bool IsGregorianLeapYear(std::int32_t year);
// Days in a civil month (1-12) of a civil year.
std::int32_t CivilMonthLength(std::int32_t month, std::int32_t year);

bool IsHebrewLeapYear(std::int32_t year);
// The day count from which 1 Tishri of the year follows (1 for year 1): the
// molad of Tishri moved by the four dehiyyot.
std::int32_t HebrewElapsedDays(std::int32_t year);
// 353, 354, 355, 383, 384 or 385.
std::int32_t HebrewYearLength(std::int32_t year);
bool IsLongHeshvan(std::int32_t year);
bool IsShortKislev(std::int32_t year);
// 12 in a common year, 13 (Adar II) in a leap year.
std::int32_t LastMonthOfHebrewYear(std::int32_t year);
// 29 or 30.
std::int32_t LastDayOfHebrewMonth(std::int32_t month, std::int32_t year);

std::int32_t DayNumberFromHebrew(std::int32_t month, std::int32_t day, std::int32_t year);
// The Hebrew year that holds day d (d >= 1).
std::int32_t HebrewYearOfDayNumber(std::int32_t d);
HebrewDate HebrewFromDayNumber(std::int32_t d);

// 1 ... 366.
std::int32_t CivilDayOfYear(std::int32_t month, std::int32_t day, std::int32_t year);
std::int32_t DayNumberFromCivil(std::int32_t month, std::int32_t day, std::int32_t year);
CivilDate CivilFromDayNumber(std::int32_t d);

// The latest day with weekday k (0-6) that is not after d.
std::int32_t WeekdayOnOrBefore(std::int32_t k, std::int32_t d);
// The Sabbath on or after d: d itself when d is a Saturday.
inline std::int32_t SaturdayOnOrAfter(std::int32_t d) { return WeekdayOnOrBefore(kSaturday, d + 6); }

}  // namespace quillory
