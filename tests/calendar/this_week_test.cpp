#include "calendar/this_week.h"

#include <gtest/gtest.h>

#include "core/app_state.h"
#include "tests/support/scoped_environment.h"

namespace quillory {
namespace {

using testing::ScopedRegistry;
using testing::ScopedVariable;

constexpr char kIsraelOn[] =
    "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\software\\Orvenda]\n\"Israel\"=dword:00000001\n";
constexpr char kIsraelOff[] =
    "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\software\\Orvenda]\n\"Israel\"=dword:00000000\n";

std::int32_t Day(std::int32_t year, std::int32_t month, std::int32_t day) { return DayNumberFromCivil(month, day, year); }

TEST(ThisWeek, ArticlesOfPortionCodes) {
  const struct {
    PortionCode code;
    int article;
  } cases[] = {
      {23, 4},  {24, 8},  {25, 11}, {26, 15}, {27, 17}, {28, 18}, {29, 20}, {30, 22}, {31, 26}, {32, 28},
      {-26, 15}, {-28, 18}, {-31, 26},                  // a pair shows its first portion's article
      {0, 0},   {22, 0},  {33, 0},  {52, 0},  {53, 0},  // outside Leviticus
      {-21, 0}, {-38, 0}, {-41, 0}, {-50, 0},           // pairs outside Leviticus
      {-1, 0},  {-23, 0}, {54, 0},                      // codes that name no reading
  };
  for (const auto& c : cases) EXPECT_EQ(ArticleForPortionCode(c.code), c.article) << int{c.code};
}

TEST(ThisWeek, WorkedWeeks) {
  const struct {
    const char* why;
    std::int32_t day;
    int diaspora;
    int israel;
  } cases[] = {
      {"a Sunday looks to the coming Sabbath's pairs", Day(2012, 4, 22), 15, 18},
      {"Israel reads a portion ahead after Pesach", Day(2012, 4, 21), 11, 15},
      {"Behar-Bechukotai abroad, Bechukotai in Israel", Day(2012, 5, 19), 26, 28},
      {"Vayikra", Day(2006, 4, 1), 4, 4},
      {"a festival Sabbath takes the next reading", Day(2006, 4, 15), 11, 11},
      {"the autumn festivals report the last portion, which has no article", Day(2006, 10, 7), 0, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ThisWeekArticleAt(c.day, ReadingLocation::kDiaspora), c.diaspora) << c.why;
    EXPECT_EQ(ThisWeekArticleAt(c.day, ReadingLocation::kIsrael), c.israel) << c.why;
  }
}

TEST(ThisWeek, ZoneNamesThatSelectIsrael) {
  const struct {
    const char* name;
    bool israel;
  } cases[] = {
      {"Israel Standard Time", true}, {"ISRAEL STANDARD TIME", true}, {"israel", true},
      {"Jerusalem Standard Time", true}, {"jERUSALEM", true},
      {"Israe", false}, {"Jerusale", false}, {"", false},
      {"Eastern Standard Time", false}, {"Standard Israel Time", false}, {"Asia/Jerusalem", false},
  };
  for (const auto& c : cases) EXPECT_EQ(ZoneNameSelectsIsrael(c.name), c.israel) << c.name;
}

TEST(ThisWeek, DeviceLocationFromZoneThenRegistry) {
  const struct {
    const char* zone;
    const char* registry;  // null: no registry file
    ReadingLocation expected;
  } cases[] = {
      {"Asia/Jerusalem", kIsraelOff, ReadingLocation::kIsrael},
      {":Asia/Jerusalem", nullptr, ReadingLocation::kIsrael},
      {"America/New_York", kIsraelOn, ReadingLocation::kIsrael},
      {"America/New_York", kIsraelOff, ReadingLocation::kDiaspora},
      {"America/New_York", nullptr, ReadingLocation::kDiaspora},
      {"America/New_York",
       "[HKEY_CURRENT_USER\\SOFTWARE\\ORVENDA]\n\"israel\"=\"1\"\n",  // any letter case, as text
       ReadingLocation::kIsrael},
  };
  for (const auto& c : cases) {
    const ScopedVariable zone("TZ", c.zone);
    const ScopedRegistry registry(c.registry != nullptr ? c.registry : "");
    EXPECT_EQ(DeviceReadingLocation(), c.expected) << c.zone << " / " << (c.registry ? c.registry : "no registry");
  }
}

TEST(ThisWeek, RegistrySettingIsReadAfreshEachTime) {
  const ScopedVariable zone("TZ", "America/New_York");
  const ScopedRegistry registry(kIsraelOff);
  EXPECT_EQ(ThisWeekArticle(Day(2012, 4, 22)), 15);
  registry.Rewrite(kIsraelOn);
  EXPECT_EQ(ThisWeekArticle(Day(2012, 4, 22)), 18);
}

class SelectArticleTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetAppState(); }
  void TearDown() override { ResetAppState(); }

  // Abroad, so that the week of 21 April 2012 shows Shemini (article 11).
  ScopedVariable zone_{"TZ", "America/New_York"};
  ScopedRegistry registry_{kIsraelOff};
};

TEST_F(SelectArticleTest, ChoiceFlagForceAndThisWeek) {
  constexpr std::uint32_t kDefaultFlags = 0xD1140040;
  constexpr std::uint32_t kChosen = kDefaultFlags | kChosenArticleFlag;
  const std::int32_t shemini = Day(2012, 4, 21);   // article 11
  const std::int32_t autumn = Day(2006, 10, 7);    // no article of its own
  const struct {
    const char* why;
    std::uint16_t current;
    std::uint32_t flags;
    std::uint16_t article;
    bool force;
    std::int32_t today;
    std::uint16_t expectedArticle;
    std::uint16_t expectedPosition;
    std::uint32_t expectedFlags;
  } cases[] = {
      {"the reader's choice stands at start-up", 12, kChosen, 0, false, shemini, 12, 345, kChosen},
      {"/today overrides the choice", 12, kChosen, 0, true, shemini, 11, 0, kDefaultFlags},
      {"This Week at start-up without a choice", 12, kDefaultFlags, 0, false, shemini, 11, 0, kDefaultFlags},
      {"This Week on the week's own article keeps the place", 11, kDefaultFlags, 0, true, shemini, 11, 345,
       kDefaultFlags},
      {"a week without an article, already on article 1, keeps the place", 1, kDefaultFlags, 0, false, autumn, 1, 345,
       kDefaultFlags},
      {"a week without an article moves to article 1", 12, kDefaultFlags, 0, false, autumn, 1, 0, kDefaultFlags},
      {"a first start with no article", 0, kDefaultFlags, 0, false, autumn, 1, 0, kDefaultFlags},
      {"a stored article out of range", 60, kDefaultFlags, 0, false, autumn, 1, 0, kDefaultFlags},
      {"choosing another article", 12, kDefaultFlags, 7, true, shemini, 7, 0, kChosen},
      {"choosing the current article keeps the place", 12, kDefaultFlags, 12, true, shemini, 12, 345, kChosen},
  };
  for (const auto& c : cases) {
    ResetAppState();
    App().currentArticle = c.current;
    App().savedPosition = 345;
    App().flags = c.flags;
    SelectArticleOn(c.article, c.force, c.today);
    EXPECT_EQ(App().currentArticle, c.expectedArticle) << c.why;
    EXPECT_EQ(App().savedPosition, c.expectedPosition) << c.why;
    EXPECT_EQ(App().flags, c.expectedFlags) << c.why;
  }
}

}  // namespace
}  // namespace quillory
