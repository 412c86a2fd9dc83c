#include "calendar/this_week.h"

#include <array>
#include <iterator>

#include "core/app_state.h"
#include "core/registry_values.h"
#include "platform/system/ascii_case.h"
#include "platform/system/time.h"

namespace quillory {
namespace {

// Articles by portion number (0-53), then by pair in the order of
// kPairFirstPortions (slots 54-60); 0 where the volume has none. A pair shows
// the article of its first portion.
constexpr std::array<std::uint8_t, kPortionCount + 7> BuildArticleTable() {
  std::array<std::uint8_t, kPortionCount + 7> table{};
  table[23] = 4;   // Vayikra
  table[24] = 8;   // Tzav
  table[25] = 11;  // Shemini
  table[26] = 15;  // Tazria
  table[27] = 17;  // Metzora
  table[28] = 18;  // Acharei Mot
  table[29] = 20;  // Kedoshim
  table[30] = 22;  // Emor
  table[31] = 26;  // Behar
  table[32] = 28;  // Bechukotai
  table[kPortionCount + 1] = 15;  // Tazria-Metzora
  table[kPortionCount + 2] = 18;  // Acharei Mot-Kedoshim
  table[kPortionCount + 3] = 26;  // Behar-Bechukotai
  return table;
}
constexpr auto kArticleTable = BuildArticleTable();

constexpr std::string_view kIsraelZonePrefix = "Israel";
constexpr std::string_view kJerusalemZonePrefix = "Jerusalem";

}  // namespace

int ArticleForPortionCode(PortionCode code) {
  if (code >= 0) return code < kPortionCount ? kArticleTable[static_cast<std::size_t>(code)] : 0;
  for (std::size_t k = 0; k < std::size(kPairFirstPortions); ++k) {
    if (-code == kPairFirstPortions[k]) return kArticleTable[kPortionCount + k];
  }
  return 0;
}

ReadingYear ReadingYearOf(std::int32_t day, ReadingLocation location) {
  ReadingYear year{};
  if (location == ReadingLocation::kIsrael) year.flags |= kIsraelScheduleFlag;
  // Every year the calendar produces has a schedule.
  SetupReadingYear(year, HebrewYearOfDayNumber(day));
  return year;
}

WeeklyReading ReadingOfWeek(std::int32_t day, ReadingLocation location) {
  const std::int32_t sabbath = SaturdayOnOrAfter(day);
  return {sabbath, PortionCodeForSabbath(ReadingYearOf(sabbath, location), sabbath)};
}

bool ZoneNameSelectsIsrael(std::string_view standardName) {
  return platform::StartsWithIgnoringAsciiCase(standardName, kIsraelZonePrefix) ||
         platform::StartsWithIgnoringAsciiCase(standardName, kJerusalemZonePrefix);
}

ReadingLocation TimeZoneReadingLocation() {
  return ZoneNameSelectsIsrael(platform::StandardTimeZoneName()) ? ReadingLocation::kIsrael : ReadingLocation::kDiaspora;
}

ReadingLocation DeviceReadingLocation() {
  if (TimeZoneReadingLocation() == ReadingLocation::kIsrael) return ReadingLocation::kIsrael;
  return ReadRegNumber(kMakerKey, kIsraelValueName, 0) != 0 ? ReadingLocation::kIsrael : ReadingLocation::kDiaspora;
}

int ThisWeekArticle(std::int32_t day) { return ThisWeekArticleAt(day, DeviceReadingLocation()); }

int ThisWeekArticleAt(std::int32_t day, ReadingLocation location) {
  return ArticleForPortionCode(ReadingOfWeek(day, location).code);
}

std::uint16_t ShownArticle(int thisWeekArticle) {
  return (thisWeekArticle >= 1 && thisWeekArticle <= kArticleCount) ? static_cast<std::uint16_t>(thisWeekArticle) : 1;
}

CivilDate TodayLocalDate() {
  const platform::LocalDate today = platform::TodayLocalDate();
  return {today.month, today.day, today.year};
}

void SelectArticle(std::uint16_t article, bool force) {
  const CivilDate today = TodayLocalDate();
  SelectArticleOn(article, force, DayNumberFromCivil(today.month, today.day, today.year));
}

void SelectArticleOn(std::uint16_t article, bool force, std::int32_t today) {
  AppState& app = App();
  if (article != 0) {
    app.flags |= kChosenArticleFlag;
    if (article != app.currentArticle) {
      app.currentArticle = article;
      app.savedPosition = 0;
    }
    return;
  }
  if ((app.flags & kChosenArticleFlag) != 0 && !force) return;
  // A week without an article of its own shows article 1; comparing that,
  // not 0, with the current article keeps the place of a reader who is
  // already on article 1.
  const std::uint16_t shown = ShownArticle(ThisWeekArticle(today));
  if (shown != app.currentArticle) {
    app.currentArticle = shown;
    app.savedPosition = 0;
  }
  app.flags &= ~static_cast<std::uint32_t>(kChosenArticleFlag);
}

}  // namespace quillory
