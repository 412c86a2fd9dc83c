#pragma once
// The weekly readings of the Pentateuch: which portion, or pair of portions,
// is read on each Sabbath of a Hebrew year, in Israel or in the diaspora.
//
// The 54 portions are numbered 0 (the first of Genesis) to 53 (the last of
// Deuteronomy, never read on a Sabbath). A portion code says what one Sabbath
// reads: 0-52 a single portion, -1 a festival (no weekly portion), -p the pair
// p and p+1 read together (p = 21, 26, 28, 31, 38, 41, 50).

#include <cstdint>
#include <span>

namespace quillory {

using PortionCode = std::int8_t;

constexpr PortionCode kFestivalSabbath = -1;
constexpr PortionCode kFirstPortion = 0;
constexpr PortionCode kLastPortion = 53;
constexpr int kPortionCount = 54;
// The first portions of the seven pairs that can be read on one Sabbath.
constexpr PortionCode kPairFirstPortions[] = {21, 26, 28, 31, 38, 41, 50};

// Bit of ReadingYear::flags: use the Israel schedule; clear = diaspora.
constexpr std::uint32_t kIsraelScheduleFlag = 0x200;

// The per-year record through which a Sabbath is looked up. The caller owns
// it: it starts zeroed, the caller sets the location bit, and
// SetupReadingYear fills the rest.
struct ReadingYear {
  std::uint32_t flags = 0;
  std::span<const PortionCode> schedule;  // constant data; empty when the year has none
  std::int32_t firstSabbath = 0;          // day number of the first Saturday on or after 1 Tishri
  std::int32_t nextFirstSabbath = 0;      // the same for the following year
  std::int32_t nextYear = 0;              // the following Hebrew year's number
};

// Fills `record` for Hebrew year `year`, keeping its location bit. Returns 0
// when a schedule exists for the year's type and 1 when none does (which the
// calendar never produces).
int SetupReadingYear(ReadingYear& record, std::int32_t year);

// What is read on Saturday `sabbath` (firstSabbath <= sabbath <
// nextFirstSabbath of a set-up record): never -1, since a festival Sabbath
// reports the next reading, and one that leads back to portion 0 reports 53.
PortionCode PortionCodeForSabbath(const ReadingYear& record, std::int32_t sabbath);

// The fifteen schedules by number (1-15); empty for any other number.
std::span<const PortionCode> NumberedSchedule(int number);

}  // namespace quillory
