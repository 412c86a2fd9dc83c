#include "calendar/hebrew_calendar.h"

#include <gtest/gtest.h>

namespace quillory {
namespace {

TEST(HebrewCalendar, EpochsOfBothCounts) {
  EXPECT_EQ(DayNumberFromCivil(1, 1, 1), 1);
  EXPECT_EQ(DayNumberFromCivil(1, 1, 1) % 7, kMonday);
  EXPECT_EQ(DayNumberFromHebrew(kTishri, 1, 1), -1373427);
  EXPECT_EQ(HebrewElapsedDays(1), 1);
}

// One year for each way the molad of Tishri becomes the new year.
TEST(HebrewCalendar, ElapsedDaysFollowEachPostponement) {
  const struct {
    const char* rule;
    std::int32_t year;
    std::int32_t elapsedDays;
    CivilDate newYear;
  } cases[] = {
      {"no postponement", 5767, 2106005, {9, 23, 2006}},
      {"Monday molad late, after a leap year", 5766, 2105651, {10, 4, 2005}},
      {"Wednesday molad: weekday rule alone", 5768, 2106360, {9, 13, 2007}},
      {"Tuesday molad late in a common year, then weekday rule", 5789, 2114039, {9, 21, 2028}},
      {"molad past 18 hours, then weekday rule", 5772, 2107837, {9, 29, 2011}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(HebrewElapsedDays(c.year), c.elapsedDays) << c.rule;
    EXPECT_EQ(CivilFromDayNumber(DayNumberFromHebrew(kTishri, 1, c.year)), c.newYear) << c.rule;
  }
}

// Every year: a length the calendar allows, a new year on Monday, Tuesday,
// Thursday or Saturday, and months that add up to the year.
TEST(HebrewCalendar, EveryYearIsWellFormed) {
  for (std::int32_t year = 5600; year <= 6200; ++year) {
    const std::int32_t length = HebrewYearLength(year);
    const std::int32_t base = IsHebrewLeapYear(year) ? 383 : 353;
    EXPECT_TRUE(length >= base && length <= base + 2) << year;
    const std::int32_t weekday = DayNumberFromHebrew(kTishri, 1, year) % 7;
    EXPECT_TRUE(weekday == kMonday || weekday == kTuesday || weekday == kThursday || weekday == kSaturday) << year;
    std::int32_t sum = 0;
    for (std::int32_t month = kNisan; month <= LastMonthOfHebrewYear(year); ++month) {
      sum += LastDayOfHebrewMonth(month, year);
    }
    EXPECT_EQ(sum, length) << year;
  }
}

TEST(HebrewCalendar, WorkedDates) {
  EXPECT_EQ(DayNumberFromCivil(9, 23, 2006), 732577);
  EXPECT_EQ(HebrewFromDayNumber(732577), (HebrewDate{kTishri, 1, 5767}));
  EXPECT_EQ(HebrewFromDayNumber(DayNumberFromCivil(4, 13, 2006)), (HebrewDate{kNisan, 15, 5766}));
  EXPECT_EQ(HebrewFromDayNumber(DayNumberFromCivil(4, 28, 2012)), (HebrewDate{kIyyar, 6, 5772}));
}

// Dates worked out from the months' lengths in years of each kind.
TEST(HebrewCalendar, MonthsThatDependOnTheYear) {
  const struct {
    CivilDate civil;
    HebrewDate hebrew;
  } cases[] = {
      {{11, 21, 2006}, {kHeshvan, 30, 5767}},  // complete year: long Heshvan
      {{12, 9, 2007}, {kKislev, 29, 5768}},    // deficient year: short Kislev...
      {{12, 10, 2007}, {kTevet, 1, 5768}},     // ...so Tevet follows its 29th
      {{2, 7, 2008}, {kAdar, 1, 5768}},        // Adar I of a leap year
      {{3, 8, 2008}, {kAdarII, 1, 5768}},
      {{4, 5, 2008}, {kAdarII, 29, 5768}},
      {{4, 6, 2008}, {kNisan, 1, 5768}},  // Adar II wraps to Nisan
  };
  for (const auto& c : cases) {
    const std::int32_t d = DayNumberFromCivil(c.civil.month, c.civil.day, c.civil.year);
    EXPECT_EQ(HebrewFromDayNumber(d), c.hebrew) << c.civil.year << '-' << c.civil.month << '-' << c.civil.day;
    EXPECT_EQ(DayNumberFromHebrew(c.hebrew.month, c.hebrew.day, c.hebrew.year), d);
  }
}

// The last day of a 400-year cycle and of a 4-year cycle leave the division
// as day 1 of a fifth year; the next day comes through the month walk.
TEST(HebrewCalendar, LastDaysOfCivilCycles) {
  EXPECT_EQ(CivilFromDayNumber(730485), (CivilDate{12, 31, 2000}));
  EXPECT_EQ(CivilFromDayNumber(730486), (CivilDate{1, 1, 2001}));
  const std::int32_t end2004 = DayNumberFromCivil(12, 31, 2004);
  EXPECT_EQ(CivilFromDayNumber(end2004), (CivilDate{12, 31, 2004}));
  EXPECT_EQ(CivilFromDayNumber(end2004 + 1), (CivilDate{1, 1, 2005}));
  EXPECT_EQ(CivilDayOfYear(12, 31, 2004), 366);
  EXPECT_EQ(CivilDayOfYear(12, 31, 1900), 365);
}

// Every day of the years the reader is asked about: civil dates count up one
// day at a time and come back, and every Hebrew date is a real day of its
// month that converts back to the same day number.
TEST(HebrewCalendar, EveryDayRoundTripsFrom1500To2599) {
  std::int32_t expected = DayNumberFromCivil(1, 1, 1500);
  for (std::int32_t year = 1500; year <= 2599; ++year) {
    for (std::int32_t month = 1; month <= 12; ++month) {
      for (std::int32_t day = 1; day <= CivilMonthLength(month, year); ++day, ++expected) {
        const std::int32_t d = DayNumberFromCivil(month, day, year);
        ASSERT_EQ(d, expected) << year << '-' << month << '-' << day;
        ASSERT_EQ(CivilFromDayNumber(d), (CivilDate{month, day, year})) << d;
        const HebrewDate h = HebrewFromDayNumber(d);
        ASSERT_TRUE(h.day >= 1 && h.day <= LastDayOfHebrewMonth(h.month, h.year)) << d;
        ASSERT_EQ(DayNumberFromHebrew(h.month, h.day, h.year), d) << d;
        ASSERT_EQ(HebrewYearOfDayNumber(d), h.year) << d;
      }
    }
  }
}

}  // namespace
}  // namespace quillory
