#include "calendar/reading_schedules.h"

#include <array>
#include <cassert>
#include <cstddef>
#include <initializer_list>

#include "calendar/hebrew_calendar.h"

namespace quillory {
namespace {

// A stretch of a schedule as the tables are written: a single portion, a
// festival, a pair, or a run of consecutive single portions.
struct Stretch {
  int first;
  int last;
};
constexpr Stretch H{kFestivalSabbath, kFestivalSabbath};
constexpr Stretch P(int portion) { return {portion, portion}; }
constexpr Stretch Pair(int firstPortion) { return {-firstPortion, -firstPortion}; }
constexpr Stretch Run(int first, int last) { return {first, last}; }

// Expands the stretches into one code per Sabbath. A schedule whose stretches
// do not add up to exactly N Sabbaths fails to compile.
template <std::size_t N>
constexpr std::array<PortionCode, N> Schedule(std::initializer_list<Stretch> stretches) {
  std::array<PortionCode, N> codes{};
  std::size_t n = 0;
  for (const Stretch& s : stretches) {
    for (int code = s.first; code <= s.last; ++code) {
      if (n == N) throw "schedule longer than its Sabbaths";
      codes[n++] = static_cast<PortionCode>(code);
    }
  }
  if (n != N) throw "schedule shorter than its Sabbaths";
  return codes;
}

// One schedule per distinct sequence of readings. A year's schedule is fixed
// by where the festivals fall: Rosh Hashanah, Yom Kippur and Sukkot at the
// start, Pesach (seven days in Israel, eight abroad) and Shavuot (one day in
// Israel, two abroad) within; the pairs absorb the difference in Sabbaths.
constexpr auto kS1 = Schedule<50>({P(51), P(52), H, Run(0, 20), Pair(21), P(23), P(24), H, P(25), Pair(26), Pair(28),
                                   P(30), Pair(31), Run(33, 40), Pair(41), Run(43, 49), Pair(50)});
constexpr auto kS2 = Schedule<50>({P(51), P(52), H, Run(0, 20), Pair(21), P(23), P(24), H, P(25), Pair(26), Pair(28),
                                   P(30), Pair(31), P(33), H, Run(34, 37), Pair(38), P(40), Pair(41), Run(43, 49),
                                   Pair(50)});
constexpr auto kS3 = Schedule<51>({P(52), H, H, Run(0, 20), Pair(21), P(23), P(24), H, H, P(25), Pair(26), Pair(28),
                                   P(30), Pair(31), Run(33, 40), Pair(41), Run(43, 50)});
constexpr auto kS4 = Schedule<51>({P(52), H, H, Run(0, 20), Pair(21), P(23), P(24), H, P(25), Pair(26), Pair(28),
                                   Run(30, 40), Pair(41), Run(43, 50)});
constexpr auto kS5 = Schedule<51>({P(52), H, H, Run(0, 24), H, P(25), Pair(26), Pair(28), P(30), Pair(31), Run(33, 40),
                                   Pair(41), Run(43, 50)});
constexpr auto kS6 = Schedule<51>({H, P(52), H, H, Run(0, 20), Pair(21), P(23), P(24), H, P(25), Pair(26), Pair(28),
                                   P(30), Pair(31), Run(33, 40), Pair(41), Run(43, 50)});
constexpr auto kS7 = Schedule<51>({H, P(52), H, H, Run(0, 20), Pair(21), P(23), P(24), H, P(25), Pair(26), Pair(28),
                                   P(30), Pair(31), Run(33, 40), Pair(41), Run(43, 49), Pair(50)});
constexpr auto kS8 = Schedule<54>({P(51), P(52), H, Run(0, 27), H, Run(28, 33), H, Run(34, 37), Pair(38), P(40),
                                   Pair(41), Run(43, 49), Pair(50)});
constexpr auto kS9 = Schedule<54>({P(51), P(52), H, Run(0, 27), H, Run(28, 40), Pair(41), Run(43, 49), Pair(50)});
constexpr auto kS10 = Schedule<55>({P(51), P(52), H, Run(0, 27), H, H, Run(28, 40), Pair(41), Run(43, 50)});
constexpr auto kS11 = Schedule<55>({P(51), P(52), H, Run(0, 27), H, Run(28, 50)});
constexpr auto kS12 = Schedule<55>({P(52), H, H, Run(0, 28), H, Run(29, 50)});
constexpr auto kS13 = Schedule<55>({P(52), H, H, Run(0, 28), H, Run(29, 49), Pair(50)});
constexpr auto kS14 = Schedule<55>({H, P(52), H, H, Run(0, 27), H, Run(28, 40), Pair(41), Run(43, 49), Pair(50)});
constexpr auto kS15 = Schedule<55>({H, P(52), H, H, Run(0, 27), H, Run(28, 33), H, Run(34, 37), Pair(38), P(40),
                                    Pair(41), Run(43, 49), Pair(50)});

constexpr std::array<std::span<const PortionCode>, 15> kNumberedSchedules{
    kS1, kS2, kS3, kS4, kS5, kS6, kS7, kS8, kS9, kS10, kS11, kS12, kS13, kS14, kS15};

enum YearKind : int { kDeficient = 0, kRegular = 1, kComplete = 2 };

// The fourteen year types the calendar produces (leap or common, weekday of
// 1 Tishri, kind) and the schedule each reads abroad and in Israel. Israel
// differs where the eighth day of Pesach or the second day of Shavuot falls
// on a Sabbath abroad and Israel reads the next portion on it.
struct YearType {
  bool leap;
  Weekday newYear;
  YearKind kind;
  int diaspora;
  int israel;
};
constexpr YearType kYearTypes[] = {
    {false, kMonday, kDeficient, 1, 1},    // 353 days
    {false, kMonday, kComplete, 2, 1},     // 355
    {false, kTuesday, kRegular, 2, 1},     // 354
    {false, kThursday, kRegular, 3, 4},    // 354
    {false, kThursday, kComplete, 5, 5},   // 355
    {false, kSaturday, kDeficient, 6, 6},  // 353
    {false, kSaturday, kComplete, 7, 7},   // 355
    {true, kMonday, kDeficient, 8, 9},     // 383
    {true, kMonday, kComplete, 10, 11},    // 385
    {true, kTuesday, kRegular, 10, 11},    // 384
    {true, kThursday, kDeficient, 12, 12},  // 383
    {true, kThursday, kComplete, 13, 13},  // 385
    {true, kSaturday, kDeficient, 14, 14},  // 383
    {true, kSaturday, kComplete, 15, 14},  // 385
};

// 1 Tishri falls only on Monday, Tuesday, Thursday or Saturday (weekday 1,
// 2, 4, 6): groups 0 to 3.
constexpr int WeekdayGroup(int weekday) { return weekday == kMonday ? 0 : weekday / 2; }

constexpr std::size_t LookupIndex(bool leap, int group, int kind, bool israel) {
  return static_cast<std::size_t>((((leap ? 1 : 0) * 4 + group) * 3 + kind) * 2 + (israel ? 1 : 0));
}

// 48 slots, one per conceivable year type and location; the 20 types that the
// calendar never produces stay empty.
constexpr std::array<std::span<const PortionCode>, 48> BuildScheduleLookup() {
  std::array<std::span<const PortionCode>, 48> lookup{};
  for (const YearType& t : kYearTypes) {
    const int group = WeekdayGroup(t.newYear);
    lookup[LookupIndex(t.leap, group, t.kind, false)] = kNumberedSchedules[t.diaspora - 1];
    lookup[LookupIndex(t.leap, group, t.kind, true)] = kNumberedSchedules[t.israel - 1];
  }
  return lookup;
}
constexpr auto kScheduleLookup = BuildScheduleLookup();

YearKind KindOfYear(std::int32_t year) {
  const bool longHeshvan = IsLongHeshvan(year);
  const bool shortKislev = IsShortKislev(year);
  if (longHeshvan && !shortKislev) return kComplete;
  if (shortKislev && !longHeshvan) return kDeficient;
  return kRegular;
}

}  // namespace

int SetupReadingYear(ReadingYear& record, std::int32_t year) {
  const YearKind kind = KindOfYear(year);
  const std::int32_t newYear = DayNumberFromHebrew(kTishri, 1, year);
  record.firstSabbath = SaturdayOnOrAfter(newYear);
  record.nextYear = year + 1;
  record.nextFirstSabbath = SaturdayOnOrAfter(DayNumberFromHebrew(kTishri, 1, year + 1));
  const int group = WeekdayGroup(newYear % 7);
  record.schedule =
      kScheduleLookup[LookupIndex(IsHebrewLeapYear(year), group, kind, (record.flags & kIsraelScheduleFlag) != 0)];
  return record.schedule.empty() ? 1 : 0;
}

PortionCode PortionCodeForSabbath(const ReadingYear& record, std::int32_t sabbath) {
  assert(!record.schedule.empty());
  assert(sabbath >= record.firstSabbath && sabbath < record.nextFirstSabbath && sabbath % 7 == kSaturday);
  std::size_t week = static_cast<std::size_t>((sabbath - record.firstSabbath) / 7);
  PortionCode code = record.schedule[week];
  // A festival Sabbath reports the next reading. The festival Sabbaths of
  // Sukkot lead to the first portion of Genesis, and report the last portion
  // of Deuteronomy, which Simchat Torah completes.
  while (code == kFestivalSabbath) {
    ++week;
    assert(week < record.schedule.size());
    const PortionCode next = record.schedule[week];
    code = next == kFirstPortion ? kLastPortion : next;
  }
  return code;
}

std::span<const PortionCode> NumberedSchedule(int number) {
  if (number < 1 || number > static_cast<int>(kNumberedSchedules.size())) return {};
  return kNumberedSchedules[static_cast<std::size_t>(number - 1)];
}

}  // namespace quillory
