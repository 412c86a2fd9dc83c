#include "calendar/sabbath_readings.h"

#include "calendar/hebrew_calendar.h"

namespace quillory {

void ForEachSabbathReading(std::int32_t first, std::int32_t last, ReadingLocation location,
                           const std::function<void(const SabbathReading&)>& visit) {
  ReadingYear year{};
  for (std::int32_t sabbath = SaturdayOnOrAfter(first); sabbath <= last; sabbath += 7) {
    if (year.schedule.empty() || sabbath >= year.nextFirstSabbath) year = ReadingYearOf(sabbath, location);
    const auto week = static_cast<std::size_t>((sabbath - year.firstSabbath) / 7);
    visit(SabbathReading{sabbath, year.schedule[week] == kFestivalSabbath, PortionCodeForSabbath(year, sabbath)});
  }
}

}  // namespace quillory
