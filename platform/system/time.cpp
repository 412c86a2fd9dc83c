#include "platform/system/time.h"

#include <unicode/ucal.h>

#include <cstdlib>
#include <ctime>
#include <vector>

namespace platform {
namespace {

constexpr std::string_view kZoneFolder = "zoneinfo/";
constexpr std::string_view kFallbackZoneName = "UTC";

// Inside a zoneinfo folder, posix/ and right/ hold the same zones again.
std::string WithoutVariantFolder(std::string_view id) {
  for (std::string_view variant : {"posix/", "right/"}) {
    if (id.substr(0, variant.size()) == variant) id.remove_prefix(variant.size());
  }
  return std::string(id);
}

std::string ZoneIdFromZoneFilePath(std::string_view path) {
  const std::size_t folder = path.rfind(kZoneFolder);
  if (folder == std::string_view::npos) return std::string(path);
  return WithoutVariantFolder(path.substr(folder + kZoneFolder.size()));
}

// Zone ids and Windows names are ASCII; anything else names no zone.
std::optional<std::string> AsciiText(const std::vector<UChar>& units, int32_t length) {
  std::string ascii;
  for (int32_t i = 0; i < length; ++i) {
    const UChar unit = units[static_cast<std::size_t>(i)];
    if (unit >= 0x80) return std::nullopt;
    ascii += static_cast<char>(unit);
  }
  return ascii;
}

std::optional<std::string> LocalZoneId() {
  const char* tz = std::getenv("TZ");
  if (tz != nullptr) return ZoneIdFromTzValue(tz);
  return ZoneIdFromLink("/etc/localtime");
}

std::optional<std::string> DefaultZoneWindowsName() {
  std::vector<UChar> id(128);
  UErrorCode status = U_ZERO_ERROR;
  const int32_t length = ucal_getDefaultTimeZone(id.data(), static_cast<int32_t>(id.size()), &status);
  if (U_FAILURE(status) || length <= 0 || length >= static_cast<int32_t>(id.size())) return std::nullopt;
  const std::optional<std::string> ascii = AsciiText(id, length);
  return ascii ? WindowsZoneName(*ascii) : std::nullopt;
}

}  // namespace

LocalDate TodayLocalDate() {
  // localtime_r need not notice a changed TZ by itself.
  tzset();
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

std::string StandardTimeZoneName() {
  if (const std::optional<std::string> id = LocalZoneId()) {
    if (std::optional<std::string> name = WindowsZoneName(*id)) return *name;
  }
  if (std::optional<std::string> name = DefaultZoneWindowsName()) return *name;
  return std::string(kFallbackZoneName);
}

std::optional<std::string> ZoneIdFromTzValue(std::string_view tz) {
  if (!tz.empty() && tz.front() == ':') tz.remove_prefix(1);
  if (tz.empty()) return std::nullopt;
  return ZoneIdFromZoneFilePath(tz);
}

std::optional<std::string> ZoneIdFromLink(const std::filesystem::path& link) {
  std::error_code error;
  const std::filesystem::path target = std::filesystem::read_symlink(link, error);
  if (error) return std::nullopt;
  const std::string text = target.string();
  if (text.find(kZoneFolder) == std::string::npos) return std::nullopt;
  return ZoneIdFromZoneFilePath(text);
}

std::optional<std::string> WindowsZoneName(std::string_view zoneId) {
  std::vector<UChar> id;
  for (char c : zoneId) {
    if (static_cast<unsigned char>(c) >= 0x80) return std::nullopt;
    id.push_back(static_cast<UChar>(c));
  }
  std::vector<UChar> name(128);
  UErrorCode status = U_ZERO_ERROR;
  const int32_t length = ucal_getWindowsTimeZoneID(id.data(), static_cast<int32_t>(id.size()), name.data(),
                                                   static_cast<int32_t>(name.size()), &status);
  if (U_FAILURE(status) || length <= 0 || length >= static_cast<int32_t>(name.size())) return std::nullopt;
  return AsciiText(name, length);
}

}  // namespace platform
