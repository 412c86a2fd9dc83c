#pragma once
// The device's clock and time zone: today's local date, and the standard-time
// name of the local zone as the handheld names zones ("Israel Standard Time",
// "Eastern Standard Time"): the Windows name that CLDR gives the IANA zone.
//
// The local zone is the IANA zone named by TZ (a leading ':' and a path up
// to ".../zoneinfo/" are allowed), else the zone that /etc/localtime links
// to. When that zone has no Windows name, ICU's default zone is asked, and
// when that has none either the name is "UTC".

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

struct LocalDate {
  std::int32_t year;
  std::int32_t month;  // 1-12
  std::int32_t day;    // 1-31
};

// The calendar date of the local time now.
LocalDate TodayLocalDate();

// The Windows standard-time name of the local zone; never empty.
std::string StandardTimeZoneName();

// The IANA zone id that a TZ value names, e.g. ":Asia/Jerusalem" or
// "/usr/share/zoneinfo/Asia/Jerusalem" -> "Asia/Jerusalem". Nothing for an
// empty value. A POSIX rule ("IST-2IDT") comes back as it is and names no zone.
std::optional<std::string> ZoneIdFromTzValue(std::string_view tz);
// The IANA zone id of the zone file that `link` (a symbolic link such as
// /etc/localtime) points to; nothing when it is no link into a zoneinfo folder.
std::optional<std::string> ZoneIdFromLink(const std::filesystem::path& link);
// CLDR's Windows name of an IANA zone id (aliases included); nothing when it
// has none.
std::optional<std::string> WindowsZoneName(std::string_view zoneId);

}  // namespace platform
