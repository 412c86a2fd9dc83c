#pragma once
// Every Sabbath of a span of days with what it reads: the table behind the
// command-line listing of a year's readings.

#include <cstdint>
#include <functional>

#include "calendar/reading_schedules.h"
#include "calendar/this_week.h"

namespace quillory {

struct SabbathReading {
  std::int32_t sabbath = 0;  // day number of the Saturday
  bool festival = false;     // a festival falls on it: no weekly portion of its own
  PortionCode code = 0;      // what This Week shows for it (never -1)
};

// Calls `visit` for every Saturday from day `first` to day `last`, both
// included, in order. Each Hebrew year's schedule is set up once.
void ForEachSabbathReading(std::int32_t first, std::int32_t last, ReadingLocation location,
                           const std::function<void(const SabbathReading&)>& visit);

}  // namespace quillory
