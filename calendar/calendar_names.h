#pragma once
// Names of the weekly portions and of the Hebrew months, for people: each
// portion in English transliteration and in Hebrew (UTF-8).

#include <string>

#include "calendar/reading_schedules.h"

namespace quillory {

struct PortionName {
  const char* transliteration;  // "Tazria"
  const char* hebrew;           // "תזריע"
};

// The names of portion 0-53; null names for any other number.
PortionName NameOfPortion(int portion);

// What a portion code reads, e.g. "Tazria-Metzora (תזריע-מצורע)" for -26 and
// "Shemini (שמיני)" for 25; "festival" for -1 and "" for a code that reads
// nothing known.
std::string DescribePortionCode(PortionCode code);

// "Nisan" ... "Adar II"; month 12 is "Adar I" in a leap year. "" for a
// month outside 1-13.
const char* HebrewMonthName(int month, int year);

}  // namespace quillory
