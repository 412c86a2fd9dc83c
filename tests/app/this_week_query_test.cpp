#include "app/this_week_query.h"

#include <gtest/gtest.h>

namespace quillory {
namespace {

TEST(ThisWeekQuery, ParsesOnlyRealDaysOfTheCoveredYears) {
  const struct {
    const char* text;
    std::optional<CivilDate> expected;
  } cases[] = {
      {"2012-04-22", CivilDate{4, 22, 2012}},
      {"2000-02-29", CivilDate{2, 29, 2000}},
      {"1500-01-01", CivilDate{1, 1, 1500}},
      {"2599-12-31", CivilDate{12, 31, 2599}},
      {"1900-02-29", std::nullopt},  // not a leap year
      {"2012-00-10", std::nullopt},
      {"2012-13-10", std::nullopt},
      {"2012-04-31", std::nullopt},
      {"2012-04-00", std::nullopt},
      {"1499-12-31", std::nullopt},
      {"2600-01-01", std::nullopt},
      {"2012-4-22", std::nullopt},
      {"2012/04/22", std::nullopt},
      {"+012-04-22", std::nullopt},
      {"2012-04-2 ", std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseQueryDate(c.text), c.expected) << c.text;
}

TEST(ThisWeekQuery, Report) {
  const struct {
    CivilDate date;
    ReadingLocation location;
    const char* expected;
  } cases[] = {
      {{4, 22, 2012}, ReadingLocation::kDiaspora,
       "sabbath: 2012-04-28\nhebrew: 6 Iyyar 5772\nportion: -26 Tazria-Metzora (תזריע-מצורע)\narticle: 15\n"},
      {{4, 22, 2012}, ReadingLocation::kIsrael,
       "sabbath: 2012-04-28\nhebrew: 6 Iyyar 5772\nportion: -28 Acharei Mot-Kedoshim (אחרי מות-קדושים)\n"
       "article: 18\n"},
      {{10, 7, 2006}, ReadingLocation::kIsrael,
       "sabbath: 2006-10-07\nhebrew: 15 Tishri 5767\nportion: 53 Vezot Haberakhah (וזאת הברכה)\narticle: 1\n"},
      {{2, 15, 2008}, ReadingLocation::kDiaspora,
       "sabbath: 2008-02-16\nhebrew: 10 Adar I 5768\nportion: 19 Tetzaveh (תצוה)\narticle: 1\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ThisWeekReport(DayNumberFromCivil(c.date.month, c.date.day, c.date.year), c.location), c.expected);
  }
}

}  // namespace
}  // namespace quillory
