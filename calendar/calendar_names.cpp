#include "calendar/calendar_names.h"

#include <algorithm>
#include <array>
#include <iterator>

#include "calendar/hebrew_calendar.h"

namespace quillory {
namespace {

constexpr std::array<PortionName, kPortionCount> kPortionNames{{
    {"Bereshit", "בראשית"},
    {"Noach", "נח"},
    {"Lech-Lecha", "לך לך"},
    {"Vayera", "וירא"},
    {"Chayei Sarah", "חיי שרה"},
    {"Toldot", "תולדות"},
    {"Vayetzei", "ויצא"},
    {"Vayishlach", "וישלח"},
    {"Vayeshev", "וישב"},
    {"Miketz", "מקץ"},
    {"Vayigash", "ויגש"},
    {"Vayechi", "ויחי"},
    {"Shemot", "שמות"},
    {"Vaera", "וארא"},
    {"Bo", "בא"},
    {"Beshalach", "בשלח"},
    {"Yitro", "יתרו"},
    {"Mishpatim", "משפטים"},
    {"Terumah", "תרומה"},
    {"Tetzaveh", "תצוה"},
    {"Ki Tisa", "כי תשא"},
    {"Vayakhel", "ויקהל"},
    {"Pekudei", "פקודי"},
    {"Vayikra", "ויקרא"},
    {"Tzav", "צו"},
    {"Shemini", "שמיני"},
    {"Tazria", "תזריע"},
    {"Metzora", "מצורע"},
    {"Acharei Mot", "אחרי מות"},
    {"Kedoshim", "קדושים"},
    {"Emor", "אמור"},
    {"Behar", "בהר"},
    {"Bechukotai", "בחוקותי"},
    {"Bamidbar", "במדבר"},
    {"Naso", "נשא"},
    {"Behaalotecha", "בהעלותך"},
    {"Shelach", "שלח"},
    {"Korach", "קרח"},
    {"Chukat", "חקת"},
    {"Balak", "בלק"},
    {"Pinchas", "פינחס"},
    {"Matot", "מטות"},
    {"Masei", "מסעי"},
    {"Devarim", "דברים"},
    {"Vaetchanan", "ואתחנן"},
    {"Eikev", "עקב"},
    {"Re'eh", "ראה"},
    {"Shoftim", "שופטים"},
    {"Ki Teitzei", "כי תצא"},
    {"Ki Tavo", "כי תבוא"},
    {"Nitzavim", "נצבים"},
    {"Vayelech", "וילך"},
    {"Haazinu", "האזינו"},
    {"Vezot Haberakhah", "וזאת הברכה"},
}};

constexpr std::array<const char*, 14> kMonthNames{
    "",     "Nisan",  "Iyyar",   "Sivan",  "Tammuz", "Av",   "Elul",
    "Tishri", "Heshvan", "Kislev", "Tevet",  "Shevat", "Adar", "Adar II",
};

}  // namespace

PortionName NameOfPortion(int portion) {
  if (portion < 0 || portion >= kPortionCount) return {nullptr, nullptr};
  return kPortionNames[static_cast<std::size_t>(portion)];
}

std::string DescribePortionCode(PortionCode code) {
  if (code == kFestivalSabbath) return "festival";
  if (code >= 0) {
    const PortionName name = NameOfPortion(code);
    if (name.transliteration == nullptr) return "";
    return std::string(name.transliteration) + " (" + name.hebrew + ")";
  }
  const int first = -code;
  if (std::find(std::begin(kPairFirstPortions), std::end(kPairFirstPortions), first) == std::end(kPairFirstPortions)) {
    return "";
  }
  const PortionName a = NameOfPortion(first);
  const PortionName b = NameOfPortion(first + 1);
  return std::string(a.transliteration) + "-" + b.transliteration + " (" + a.hebrew + "-" + b.hebrew + ")";
}

const char* HebrewMonthName(int month, int year) {
  if (month < kNisan || month > kAdarII) return "";
  if (month == kAdar && IsHebrewLeapYear(year)) return "Adar I";
  return kMonthNames[static_cast<std::size_t>(month)];
}

}  // namespace quillory
