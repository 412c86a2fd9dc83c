#include "platform/system/time.h"

#include <gtest/gtest.h>

#include "tests/support/scoped_environment.h"

namespace platform {
namespace {

using quillory::testing::ScopedVariable;
using quillory::testing::ScratchFolder;

TEST(Time, WindowsNamesOfZones) {
  const struct {
    const char* zone;
    const char* expected;  // null: no Windows name
  } cases[] = {
      {"Asia/Jerusalem", "Israel Standard Time"},
      {"Asia/Tel_Aviv", "Israel Standard Time"},  // an alias
      {"Israel", "Israel Standard Time"},
      {"America/New_York", "Eastern Standard Time"},
      {"Europe/London", "GMT Standard Time"},
      {"Etc/UTC", "UTC"},
      {"Nowhere/Special", nullptr},
      {"IST-2IDT", nullptr},
      {"", nullptr},
      {"Asia/J\xC3\xA9rusalem", nullptr},
  };
  for (const auto& c : cases) {
    const std::optional<std::string> name = WindowsZoneName(c.zone);
    EXPECT_EQ(name.has_value(), c.expected != nullptr) << c.zone;
    if (name && c.expected) {
      EXPECT_EQ(*name, c.expected) << c.zone;
    }
  }
}

TEST(Time, ZoneIdsOfTzValues) {
  const struct {
    const char* tz;
    const char* expected;
  } cases[] = {
      {"Asia/Jerusalem", "Asia/Jerusalem"},
      {":Asia/Jerusalem", "Asia/Jerusalem"},
      {"/usr/share/zoneinfo/Asia/Jerusalem", "Asia/Jerusalem"},
      {":/usr/share/zoneinfo/posix/America/New_York", "America/New_York"},
      {"IST-2IDT", "IST-2IDT"},
      {":", nullptr},
      {"", nullptr},
  };
  for (const auto& c : cases) {
    const std::optional<std::string> id = ZoneIdFromTzValue(c.tz);
    EXPECT_EQ(id.has_value(), c.expected != nullptr) << c.tz;
    if (id && c.expected) {
      EXPECT_EQ(*id, c.expected) << c.tz;
    }
  }
}

TEST(Time, ZoneIdOfLocaltimeLink) {
  const ScratchFolder folder;
  std::filesystem::create_symlink("../usr/share/zoneinfo/America/New_York", folder.path() / "relative");
  std::filesystem::create_symlink("/usr/share/zoneinfo/right/Asia/Jerusalem", folder.path() / "absolute");
  std::filesystem::create_symlink("/etc/elsewhere", folder.path() / "elsewhere");
  const std::filesystem::path plainFile = folder.Write("plain", "TZif");
  EXPECT_EQ(ZoneIdFromLink(folder.path() / "relative"), "America/New_York");
  EXPECT_EQ(ZoneIdFromLink(folder.path() / "absolute"), "Asia/Jerusalem");
  EXPECT_FALSE(ZoneIdFromLink(folder.path() / "elsewhere"));
  EXPECT_FALSE(ZoneIdFromLink(plainFile));
  EXPECT_FALSE(ZoneIdFromLink(folder.path() / "absent"));
}

TEST(Time, StandardNameOfTheLocalZone) {
  const struct {
    const char* tz;
    const char* expected;
  } cases[] = {
      {"Asia/Jerusalem", "Israel Standard Time"},
      {":Asia/Jerusalem", "Israel Standard Time"},
      {"America/New_York", "Eastern Standard Time"},
  };
  for (const auto& c : cases) {
    const ScopedVariable tz("TZ", c.tz);
    EXPECT_EQ(StandardTimeZoneName(), c.expected) << c.tz;
  }
  const ScopedVariable unknown("TZ", "Nowhere/Special");
  EXPECT_FALSE(StandardTimeZoneName().empty());
}

// Kiritimati (UTC+14) and Pago Pago (UTC-11) are 25 hours apart, so their
// dates differ by one or two days whenever the test runs.
TEST(Time, TodayFollowsTheLocalZone) {
  auto dayIndex = [](const char* zone) {
    const ScopedVariable tz("TZ", zone);
    const LocalDate d = TodayLocalDate();
    std::tm tm{};
    tm.tm_year = d.year - 1900;
    tm.tm_mon = d.month - 1;
    tm.tm_mday = d.day;
    return timegm(&tm) / 86400;
  };
  const long east = dayIndex("Pacific/Kiritimati");
  const long west = dayIndex("Pacific/Pago_Pago");
  EXPECT_TRUE(east - west == 1 || east - west == 2) << east - west;
}

}  // namespace
}  // namespace platform
