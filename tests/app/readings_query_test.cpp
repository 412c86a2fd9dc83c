#include "app/readings_query.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "calendar/hebrew_calendar.h"

namespace quillory {
namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::vector<std::string> Columns(const std::string& line) {
  std::vector<std::string> columns;
  std::istringstream in(line);
  for (std::string column; std::getline(in, column, '\t');) columns.push_back(column);
  return columns;
}

std::string LineOf(const std::string& table, const std::string& date) {
  for (const std::string& line : Lines(table)) {
    if (line.starts_with(date + "\t")) return line;
  }
  return "";
}

ReadingsSpan Span(const char* text) {
  const auto span = ParseReadingsYears(text);
  EXPECT_TRUE(span) << text;
  return span.value_or(ReadingsSpan{});
}

TEST(ReadingsQuery, YearsAreCivilOrHebrewBySizeAndSpansKeepToOneKind) {
  EXPECT_EQ(Span("2027").firstDay, DayNumberFromCivil(1, 1, 2027));
  EXPECT_EQ(Span("2027").lastDay, DayNumberFromCivil(12, 31, 2027));
  EXPECT_EQ(Span("5788").firstDay, DayNumberFromHebrew(kTishri, 1, 5788));
  EXPECT_EQ(Span("5788").lastDay, DayNumberFromHebrew(kTishri, 1, 5789) - 1);
  EXPECT_EQ(Span("1500-2599").firstDay, DayNumberFromCivil(1, 1, 1500));
  EXPECT_EQ(Span("1500-2599").lastDay, DayNumberFromCivil(12, 31, 2599));
  EXPECT_EQ(Span("5780-5781").lastDay, DayNumberFromHebrew(kTishri, 1, 5782) - 1);
  // The Hebrew years at the ends are cut to the days the calendar covers.
  EXPECT_EQ(Span("5260").firstDay, DayNumberFromCivil(1, 1, 1500));
  EXPECT_EQ(Span("6360").lastDay, DayNumberFromCivil(12, 31, 2599));
  for (const char* bad : {"", "1499", "2600", "5259", "6361", "3000", "2027-5788", "2027-2026", "2027-", "-2027", "+2027",
                          "20270", "2027 ", "12a4", "1500-2599-2600"}) {
    EXPECT_FALSE(ParseReadingsYears(bad)) << "'" << bad << "'";
  }
}

TEST(ReadingsQuery, ALineForEverySabbathDateFirstArticleLast) {
  const std::string table = ReadingsTable(Span("2012"), ReadingLocation::kDiaspora);
  const std::vector<std::string> lines = Lines(table);
  ASSERT_EQ(lines.size(), 52u);
  EXPECT_TRUE(lines.front().starts_with("2012-01-07\t")) << lines.front();
  EXPECT_TRUE(lines.back().starts_with("2012-12-29\t")) << lines.back();
  for (const std::string& line : lines) EXPECT_EQ(Columns(line).size(), 4u) << line;
  EXPECT_EQ(Lines(ReadingsTable(Span("5771"), ReadingLocation::kIsrael)).size(), 55u) << "a leap year's schedule";
}

TEST(ReadingsQuery, ThePortionAndArticleAreThoseOfThisWeekInEitherPlace) {
  const std::string diaspora = ReadingsTable(Span("5772"), ReadingLocation::kDiaspora);
  const std::string israel = ReadingsTable(Span("5772"), ReadingLocation::kIsrael);
  EXPECT_EQ(LineOf(diaspora, "2012-04-21"), "2012-04-21\t29 Nisan 5772\tShemini (שמיני)\t11");
  EXPECT_EQ(LineOf(israel, "2012-04-21"), "2012-04-21\t29 Nisan 5772\tTazria-Metzora (תזריע-מצורע)\t15");
  EXPECT_EQ(LineOf(diaspora, "2012-05-19"), "2012-05-19\t27 Iyyar 5772\tBehar-Bechukotai (בהר-בחוקותי)\t26");
  EXPECT_EQ(LineOf(israel, "2012-05-19"), "2012-05-19\t27 Iyyar 5772\tBechukotai (בחוקותי)\t28");
  // Festival Sabbaths say so, and what This Week shows on them.
  const std::string autumn = ReadingsTable(Span("5767"), ReadingLocation::kIsrael);
  EXPECT_EQ(LineOf(autumn, "2006-09-23"), "2006-09-23\t1 Tishri 5767\tfestival; This Week: Haazinu (האזינו)\t1");
  EXPECT_EQ(LineOf(autumn, "2006-10-07"),
            "2006-10-07\t15 Tishri 5767\tfestival; This Week: Vezot Haberakhah (וזאת הברכה)\t1");
  const std::string spring = ReadingsTable(Span("2006"), ReadingLocation::kDiaspora);
  EXPECT_EQ(LineOf(spring, "2006-04-01"), "2006-04-01\t3 Nisan 5766\tVayikra (ויקרא)\t4");
  EXPECT_EQ(LineOf(spring, "2006-04-15"), "2006-04-15\t17 Nisan 5766\tfestival; This Week: Shemini (שמיני)\t11");
}

TEST(ReadingsQuery, TheWholeRangeHasEverySaturdayOnceInOrder) {
  const ReadingsSpan span = Span("1500-2599");
  const std::vector<std::string> lines = Lines(ReadingsTable(span, ReadingLocation::kIsrael));
  const std::int32_t first = SaturdayOnOrAfter(span.firstDay);
  ASSERT_EQ(lines.size(), static_cast<std::size_t>((span.lastDay - first) / 7 + 1));
  for (std::size_t i = 0; i < lines.size(); i += 997) {
    const CivilDate date = CivilFromDayNumber(first + static_cast<std::int32_t>(7 * i));
    char expected[16];
    std::snprintf(expected, sizeof expected, "%04d-%02d-%02d\t", date.year, date.month, date.day);
    EXPECT_TRUE(lines[i].starts_with(expected)) << lines[i];
  }
}

TEST(ReadingsQuery, TheCommandLineTakesAYearOrSpanAndALocation) {
  const CommandLine readings = ParseCommandLine({"--readings", "5787", "--israel"});
  EXPECT_EQ(readings.action, CommandLine::Action::kReadings);
  EXPECT_EQ(readings.location, ReadingLocation::kIsrael);
  EXPECT_EQ(readings.readings.firstDay, DayNumberFromHebrew(kTishri, 1, 5787));
  EXPECT_EQ(ParseCommandLine({"--readings", "1500-2599"}).action, CommandLine::Action::kReadings);
  for (const std::vector<std::string>& bad :
       {std::vector<std::string>{"--readings"}, {"--readings", "1400"}, {"--readings", "2027", "2028"},
        {"--readings", "2027", "--this-week"}, {"--readings", "2027", "--render", "3", "--output", "x.png"},
        {"--israel"}}) {
    const CommandLine line = ParseCommandLine(bad);
    EXPECT_EQ(line.action, CommandLine::Action::kUsageError) << bad.back();
    EXPECT_FALSE(line.error.empty());
  }
}

}  // namespace
}  // namespace quillory
