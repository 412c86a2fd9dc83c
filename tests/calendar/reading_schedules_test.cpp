#include "calendar/reading_schedules.h"

#include <gtest/gtest.h>

#include <vector>

#include "calendar/hebrew_calendar.h"

namespace quillory {
namespace {

enum Location { kDiaspora, kIsrael };

ReadingYear SetUpYear(std::int32_t year, Location location) {
  ReadingYear record{};
  if (location == kIsrael) record.flags |= kIsraelScheduleFlag;
  EXPECT_EQ(SetupReadingYear(record, year), 0) << year;
  return record;
}

int ScheduleNumber(const ReadingYear& record) {
  for (int n = 1; n <= 15; ++n) {
    if (NumberedSchedule(n).data() == record.schedule.data()) return n;
  }
  return 0;
}

PortionCode ReadingOn(CivilDate sabbath, Location location) {
  const std::int32_t d = DayNumberFromCivil(sabbath.month, sabbath.day, sabbath.year);
  return PortionCodeForSabbath(SetUpYear(HebrewYearOfDayNumber(d), location), d);
}

TEST(ReadingSchedules, WorkedSabbaths) {
  const struct {
    const char* why;
    CivilDate sabbath;
    PortionCode diaspora;
    PortionCode israel;
  } cases[] = {
      {"the new year itself reports the next Sabbath's Haazinu", {9, 23, 2006}, 52, 52},
      {"Sukkot's Sabbaths lead to Bereshit and report the last portion", {10, 7, 2006}, 53, 53},
      {"abroad two festival Sabbaths follow Tzav; Israel reads on", {4, 21, 2012}, 25, -26},
      {"Israel reads Behar and Bechukotai apart", {5, 19, 2012}, -31, 32},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ReadingOn(c.sabbath, kDiaspora), c.diaspora) << c.why;
    EXPECT_EQ(ReadingOn(c.sabbath, kIsrael), c.israel) << c.why;
  }
}

// One year of each of the fourteen types (among them the worked years 5766,
// 5767, 5768, 5771 and 5772), with a Sabbath whose readings were
// worked out apart from these tables: from the festivals' dates, Devarim on
// the Sabbath before the Ninth of Av, Tzav before Pesach in a common year,
// and Israel a portion ahead after an eighth day of Pesach or a second day of
// Shavuot that falls on a Sabbath abroad.
TEST(ReadingSchedules, EveryYearTypeReadsItsSchedule) {
  const struct {
    std::int32_t year;
    Weekday newYear;
    std::int32_t length;
    int diasporaSchedule;
    int israelSchedule;
    CivilDate sabbath;
    PortionCode diaspora;
    PortionCode israel;
  } cases[] = {
      {5773, kMonday, 353, 1, 1, {3, 23, 2013}, 24, 24},
      {5780, kMonday, 355, 2, 1, {6, 6, 2020}, 34, 35},
      {5766, kTuesday, 354, 2, 1, {6, 10, 2006}, 34, 35},
      {5772, kThursday, 354, 3, 4, {4, 28, 2012}, -26, -28},
      {5785, kThursday, 355, 5, 5, {3, 22, 2025}, 21, 21},
      {5781, kSaturday, 353, 6, 6, {7, 17, 2021}, 43, 43},
      {5767, kSaturday, 355, 7, 7, {9, 8, 2007}, -50, -50},
      {5790, kMonday, 383, 8, 9, {6, 15, 2030}, 34, 35},
      {5776, kMonday, 385, 10, 11, {5, 7, 2016}, 28, 29},
      {5782, kTuesday, 384, 10, 11, {4, 30, 2022}, 28, 29},
      {5768, kThursday, 383, 12, 12, {4, 19, 2008}, 28, 28},
      {5771, kThursday, 385, 13, 13, {9, 24, 2011}, -50, -50},
      {5784, kSaturday, 383, 14, 14, {4, 20, 2024}, 27, 27},
      {5787, kSaturday, 385, 15, 14, {6, 19, 2027}, 34, 35},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DayNumberFromHebrew(kTishri, 1, c.year) % 7, c.newYear) << c.year;
    EXPECT_EQ(HebrewYearLength(c.year), c.length) << c.year;
    EXPECT_EQ(ScheduleNumber(SetUpYear(c.year, kDiaspora)), c.diasporaSchedule) << c.year;
    EXPECT_EQ(ScheduleNumber(SetUpYear(c.year, kIsrael)), c.israelSchedule) << c.year;
    EXPECT_EQ(ReadingOn(c.sabbath, kDiaspora), c.diaspora) << c.year;
    EXPECT_EQ(ReadingOn(c.sabbath, kIsrael), c.israel) << c.year;
  }
}

// Each year's schedule has exactly one code per Sabbath, and year after year
// the readings run through portions 0 to 52 in order, each pair read as its
// two portions, without a gap or a repeat.
TEST(ReadingSchedules, SchedulesCoverEverySabbathAndTheWholeCycle) {
  for (Location location : {kDiaspora, kIsrael}) {
    int expected = -1;  // the portion that must come next; unknown at the start
    for (std::int32_t year = 5600; year <= 6200; ++year) {
      const ReadingYear record = SetUpYear(year, location);
      ASSERT_EQ(static_cast<std::int32_t>(record.schedule.size()), (record.nextFirstSabbath - record.firstSabbath) / 7)
          << year << " location " << location;
      ASSERT_EQ(record.nextYear, year + 1);
      for (PortionCode code : record.schedule) {
        if (code == kFestivalSabbath) continue;
        const int first = code < 0 ? -code : code;
        if (expected >= 0) {
          ASSERT_EQ(first, expected) << year << " location " << location;
        }
        expected = (first + (code < 0 ? 2 : 1)) % kLastPortion;
      }
    }
  }
}

TEST(ReadingSchedules, ScheduleShapes) {
  const std::size_t lengths[] = {50, 50, 51, 51, 51, 51, 51, 54, 54, 55, 55, 55, 55, 55, 55};
  for (int n = 1; n <= 15; ++n) {
    const std::span<const PortionCode> schedule = NumberedSchedule(n);
    EXPECT_EQ(schedule.size(), lengths[n - 1]) << "S" << n;
    // A festival Sabbath looks ahead for its reading, so none may end a year.
    EXPECT_NE(schedule.back(), kFestivalSabbath) << "S" << n;
  }
  EXPECT_TRUE(NumberedSchedule(0).empty());
  EXPECT_TRUE(NumberedSchedule(16).empty());
}

}  // namespace
}  // namespace quillory
