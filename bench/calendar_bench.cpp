// This Week: one computation from a day number to the article, over ten
// years of days, at each location; the same with the device's location
// decided (ICU's zone mapping and, abroad, a read of the registry file);
// the full Hebrew date of a day, which This Week does not need; and the
// listing of every Sabbath from 1500 to 2599 that --readings prints (its
// target: under a second).

#include <benchmark/benchmark.h>

#include "app/readings_query.h"
#include "calendar/hebrew_calendar.h"
#include "calendar/this_week.h"

namespace {

using namespace quillory;

const std::int32_t kFirstDay = DayNumberFromCivil(1, 1, 2024);
constexpr std::int32_t kDaysCovered = 3652;

std::int32_t NextDay(std::int32_t d) { return d == kFirstDay + kDaysCovered ? kFirstDay : d + 1; }

void BM_ThisWeekArticleAt(benchmark::State& state) {
  const ReadingLocation location = state.range(0) != 0 ? ReadingLocation::kIsrael : ReadingLocation::kDiaspora;
  std::int32_t d = kFirstDay;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ThisWeekArticleAt(d, location));
    d = NextDay(d);
  }
}
BENCHMARK(BM_ThisWeekArticleAt)->ArgName("israel")->Arg(0)->Arg(1);

void BM_ThisWeekArticleOnDevice(benchmark::State& state) {
  std::int32_t d = kFirstDay;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ThisWeekArticle(d));
    d = NextDay(d);
  }
}
BENCHMARK(BM_ThisWeekArticleOnDevice);

void BM_HebrewFromDayNumber(benchmark::State& state) {
  std::int32_t d = kFirstDay;
  for (auto _ : state) {
    benchmark::DoNotOptimize(HebrewFromDayNumber(d));
    d = NextDay(d);
  }
}
BENCHMARK(BM_HebrewFromDayNumber);

void BM_ReadingsOf1500To2599(benchmark::State& state) {
  const ReadingsSpan span = ParseReadingsYears("1500-2599").value();
  for (auto _ : state) benchmark::DoNotOptimize(ReadingsTable(span, ReadingLocation::kIsrael));
}
BENCHMARK(BM_ReadingsOf1500To2599)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
