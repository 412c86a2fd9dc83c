#include "calendar/hebrew_calendar.h"

#include <array>
#include <cassert>

namespace quillory {
namespace {

// Civil month lengths by month (entry 0 unused): common years, then leap years.
constexpr std::array<std::array<std::int32_t, 13>, 2> kCivilMonthLengths{{
    {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
    {0, 31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
}};

// The Hebrew month in which the search for a civil month's days starts: one
// that never begins after the 1st of that civil month, so the search only
// walks forward (January at Kislev, May at Nisan, September at Tishri).
constexpr std::array<std::int32_t, 13> kHebrewMonthGuess{0, 9, 10, 11, 12, 1, 2, 3, 4, 7, 7, 7, 8};

// The molad arithmetic counts time in parts: 1080 to the hour. A lunation is
// 29 days 12 hours 793 parts; the molad of Tishri of year 1 (BaHaRaD) fell on
// day 1 (a Monday) at 5 hours 204 parts.
constexpr std::int32_t kPartsPerHour = 1080;
constexpr std::int32_t kMoladTohuParts = 204;
constexpr std::int32_t kMoladTohuHours = 5;
constexpr std::int32_t kLunationParts = 793;

// Dehiyyot, in parts of the molad's day: molad zaken (at or after noon, 18
// hours from the evening); GaTaRaD (a Tuesday molad at 9h 204p of a common
// year); BeTUTaKPaT (a Monday molad at 15h 589p right after a leap year).
constexpr std::int32_t kMoladZakenParts = 18 * kPartsPerHour;
constexpr std::int32_t kGataradParts = 9 * kPartsPerHour + 204;
constexpr std::int32_t kBetutakpatParts = 15 * kPartsPerHour + 589;

// 1 Tishri of year y is day HebrewElapsedDays(y) - this: Hebrew year 1 began
// on day -1373427 of the civil count.
constexpr std::int32_t kHebrewEpochOffset = 1373428;

// Days in the civil cycles: 400 years, 100 years, 4 years, 1 year.
constexpr std::int32_t kDaysIn400Years = 146097;
constexpr std::int32_t kDaysIn100Years = 36524;
constexpr std::int32_t kDaysIn4Years = 1461;
constexpr std::int32_t kDaysInYear = 365;

// Lo ADU Rosh: 1 Tishri never falls on a Sunday, Wednesday or Friday.
bool IsForbiddenNewYearWeekday(std::int32_t day) {
  const std::int32_t weekday = day % 7;
  return weekday == 0 || weekday == 3 || weekday == 5;
}

// The civil year plus 3760 is the Hebrew year that began in the previous
// autumn, so the search for day d's year only moves forward.
std::int32_t HebrewYearFrom(std::int32_t d, std::int32_t civilYear) {
  std::int32_t year = civilYear + 3760;
  while (d >= DayNumberFromHebrew(kTishri, 1, year + 1)) ++year;
  return year;
}

}  // namespace

bool IsGregorianLeapYear(std::int32_t year) {
  return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

std::int32_t CivilMonthLength(std::int32_t month, std::int32_t year) {
  assert(month >= 1 && month <= 12);
  return kCivilMonthLengths[IsGregorianLeapYear(year) ? 1 : 0][month];
}

// Seven leap years in each cycle of 19 (years 3, 6, 8, 11, 14, 17, 19).
bool IsHebrewLeapYear(std::int32_t year) { return (7 * year + 1) % 19 < 7; }

std::int32_t HebrewElapsedDays(std::int32_t year) {
  const std::int32_t cycleYear = (year - 1) % 19;
  const std::int32_t months = 235 * ((year - 1) / 19) + 12 * cycleYear + (7 * cycleYear + 1) / 19;
  const std::int32_t parts = kMoladTohuParts + kLunationParts * (months % kPartsPerHour);
  const std::int32_t hours =
      kMoladTohuHours + 12 * months + kLunationParts * (months / kPartsPerHour) + parts / kPartsPerHour;
  std::int32_t day = 1 + 29 * months + hours / 24;
  const std::int32_t partsOfDay = kPartsPerHour * (hours % 24) + parts % kPartsPerHour;

  const bool afterLeapYear = (7 * year - 6) % 19 < 7;
  if (partsOfDay >= kMoladZakenParts || (day % 7 == 2 && partsOfDay >= kGataradParts && !IsHebrewLeapYear(year)) ||
      (day % 7 == 1 && partsOfDay >= kBetutakpatParts && afterLeapYear)) {
    ++day;
  }
  if (IsForbiddenNewYearWeekday(day)) ++day;
  return day;
}

std::int32_t HebrewYearLength(std::int32_t year) { return HebrewElapsedDays(year + 1) - HebrewElapsedDays(year); }

// Only a complete year (355, 385) has 30 days in Heshvan, and only a
// deficient one (353, 383) has 29 in Kislev.
bool IsLongHeshvan(std::int32_t year) { return HebrewYearLength(year) % 10 == 5; }
bool IsShortKislev(std::int32_t year) { return HebrewYearLength(year) % 10 == 3; }

std::int32_t LastMonthOfHebrewYear(std::int32_t year) { return IsHebrewLeapYear(year) ? kAdarII : kAdar; }

std::int32_t LastDayOfHebrewMonth(std::int32_t month, std::int32_t year) {
  switch (month) {
    case kIyyar:
    case kTammuz:
    case kElul:
    case kTevet:
    case kAdarII:
      return 29;
    case kAdar:
      return IsHebrewLeapYear(year) ? 30 : 29;
    case kHeshvan:
      return IsLongHeshvan(year) ? 30 : 29;
    case kKislev:
      return IsShortKislev(year) ? 29 : 30;
    default:
      return 30;
  }
}

std::int32_t DayNumberFromHebrew(std::int32_t month, std::int32_t day, std::int32_t year) {
  std::int32_t sum = day;
  if (month < kTishri) {
    for (std::int32_t m = kTishri; m <= LastMonthOfHebrewYear(year); ++m) sum += LastDayOfHebrewMonth(m, year);
    for (std::int32_t m = kNisan; m < month; ++m) sum += LastDayOfHebrewMonth(m, year);
  } else {
    for (std::int32_t m = kTishri; m < month; ++m) sum += LastDayOfHebrewMonth(m, year);
  }
  return sum + HebrewElapsedDays(year) - kHebrewEpochOffset - 1;
}

std::int32_t HebrewYearOfDayNumber(std::int32_t d) { return HebrewYearFrom(d, CivilFromDayNumber(d).year); }

HebrewDate HebrewFromDayNumber(std::int32_t d) {
  const CivilDate civil = CivilFromDayNumber(d);
  const std::int32_t year = HebrewYearFrom(d, civil.year);
  std::int32_t month = kHebrewMonthGuess[civil.month];
  while (d > DayNumberFromHebrew(month, LastDayOfHebrewMonth(month, year), year)) {
    month = month % LastMonthOfHebrewYear(year) + 1;
  }
  return {month, d - DayNumberFromHebrew(month, 1, year) + 1, year};
}

std::int32_t CivilDayOfYear(std::int32_t month, std::int32_t day, std::int32_t year) {
  std::int32_t dayOfYear = day + 31 * (month - 1);
  // (4m + 23) / 10 is how many days the months before m fall short of 31,
  // counting February as 28.
  if (month > 2) {
    dayOfYear -= (4 * month + 23) / 10;
    if (IsGregorianLeapYear(year)) ++dayOfYear;
  }
  return dayOfYear;
}

std::int32_t DayNumberFromCivil(std::int32_t month, std::int32_t day, std::int32_t year) {
  const std::int32_t priorYears = year - 1;
  return CivilDayOfYear(month, day, year) + 365 * priorYears + priorYears / 4 - priorYears / 100 + priorYears / 400;
}

CivilDate CivilFromDayNumber(std::int32_t d) {
  assert(d >= 1);
  const std::int32_t r0 = d - 1;
  const std::int32_t q400 = r0 / kDaysIn400Years;
  const std::int32_t r1 = r0 % kDaysIn400Years;
  const std::int32_t q100 = r1 / kDaysIn100Years;
  const std::int32_t r2 = r1 % kDaysIn100Years;
  const std::int32_t q4 = r2 / kDaysIn4Years;
  const std::int32_t r3 = r2 % kDaysIn4Years;
  const std::int32_t q1 = r3 / kDaysInYear;
  std::int32_t day = r3 % kDaysInYear + 1;
  std::int32_t year = 400 * q400 + 100 * q100 + 4 * q4 + q1;
  // The last day of a 400-year or a 4-year cycle is the 366th of its year,
  // which the division counts as day 1 of a fifth year.
  if (q100 == 4 || q1 == 4) return {12, 31, year};

  ++year;
  std::int32_t month = 1;
  while (CivilMonthLength(month, year) < day) {
    day -= CivilMonthLength(month, year);
    ++month;
  }
  return {month, day, year};
}

std::int32_t WeekdayOnOrBefore(std::int32_t k, std::int32_t d) { return d - (d - k) % 7; }

}  // namespace quillory
