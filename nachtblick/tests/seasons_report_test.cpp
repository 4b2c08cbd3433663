// SPDX-License-Identifier: MIT
// Seasons report: the whole text for 2024, the year range and today's
// date, cut seconds, events just before midnight, and the line layout over
// every year the report can show.
#include <gtest/gtest.h>

#include <string>

#include "calendar/calendar.h"
#include "nachtblick/reports.h"

namespace {

std::string seasons(const char *y, const char *m, const char *d) {
  ReportInput in{y, m, d, {2026, 2, 6}, nullptr, 0, 2};
  ReportText r = seasons_report(in);
  EXPECT_STREQ(r.font, FONT_REPORT);
  return r.text;
}

const char kSeasons2024[] =
    "\n Beginn der Jahreszeiten:"
    "\n"
    "\n Fruehling  20. Maerz 2024 um 03:06:30 (UTC) [Mi]"
    "\n Sommer     20. Juni  2024 um 20:50:49 (UTC) [Do]"
    "\n Herbst     22. Sept. 2024 um 12:43:38 (UTC) [So]"
    "\n Winter     21. Dez.  2024 um 09:20:20 (UTC) [Sa]"
    "\n"
    "\n Fruehling  20. Maerz 2025 um 09:01:31 (UTC) [Do]"
    "\n Sommer     21. Juni  2025 um 02:42:16 (UTC) [Sa]"
    "\n Herbst     22. Sept. 2025 um 18:19:27 (UTC) [Mo]"
    "\n Winter     21. Dez.  2025 um 15:03:03 (UTC) [So]"
    "\n"
    "\n Fruehling  20. Maerz 2026 um 14:45:29 (UTC) [Fr]"
    "\n Sommer     21. Juni  2026 um 08:24:49 (UTC) [So]"
    "\n Herbst     23. Sept. 2026 um 00:05:24 (UTC) [Mi]"
    "\n Winter     21. Dez.  2026 um 20:50:06 (UTC) [Mo]";

}  // namespace

TEST(SeasonsReport, Year2024) {
  // The June solstice of 2024 falls at 20:50:49.7: cut, not rounded.
  EXPECT_EQ(seasons("2024", "5", "17"), kSeasons2024);
}

// Only the year counts, unless year and month are both 0: then today's.
TEST(SeasonsReport, DayAndMonthDoNotMatterButZeroMeansToday) {
  const char *const same[][3] = {{"2024", "12", "31"},
                                 {"2024", "1", "1"},
                                 {"2024", "0", "0"},
                                 {"2024", "99", "-5"},
                                 {" 2024abc", " [Monat]", ""}};
  for (const auto &e : same) EXPECT_EQ(seasons(e[0], e[1], e[2]), kSeasons2024) << e[0] << e[1];
  const std::string today = seasons("2026", "2", "6");
  EXPECT_EQ(seasons("0", "0", "25"), today);
  EXPECT_EQ(seasons(" [Jahr]", " [Monat]", " [Tag]"), today);
  EXPECT_NE(today.find("\n Fruehling  20. Maerz 2026 "), std::string::npos);
  EXPECT_NE(today.find(" 2028 um "), std::string::npos);
  EXPECT_EQ(today.find(" 2029 um "), std::string::npos);
}

TEST(SeasonsReport, YearRange) {
  const std::string last = seasons("3000", "6", "1");
  EXPECT_NE(last.find("\n Fruehling  20. Maerz 3000 um 16:14:16 (UTC) [Do]"), std::string::npos);
  EXPECT_NE(last.find("\n Winter     22. Dez.  3002 um 15:55:06 (UTC) [Mi]"), std::string::npos);
  EXPECT_EQ(seasons("10000", "1", "1"), last);
  const std::string first = seasons("999", "5", "1");
  EXPECT_NE(first.find("\n Fruehling  14. Maerz 1000 um 23:12:26 (UTC) [Do]"), std::string::npos);
  EXPECT_NE(first.find(" 1002 um "), std::string::npos);
  EXPECT_EQ(seasons("-7", "5", "1"), first);
  EXPECT_EQ(seasons("0", "3", "1"), first);  // month given: year 0 clamps
}

TEST(SeasonsReport, EventJustBeforeMidnightKeepsItsDate) {
  // The March equinox of 1582 (Julian calendar) at 23:56 UT on Saturday
  // 10 March; the December solstice already on the Gregorian calendar.
  const std::string t = seasons("1582", "1", "1");
  EXPECT_NE(t.find("\n Fruehling  10. Maerz 1582 um 23:56:00 (UTC) [Sa]"), std::string::npos);
  EXPECT_NE(t.find("\n Winter     22. Dez.  1582 um 01:53:33 (UTC) [Mi]"), std::string::npos);
}

TEST(SeasonsReport, LayoutOverAllYears) {
  // 1000 .. 3002: 1 + 3 * 5 lines; every season line 49 characters with
  // the fixed fields in place, its weekday that of the date printed.
  const char *const month_short[5] = {"", "Maerz", "Juni ", "Sept.", "Dez. "};
  for (int y = 1000; y <= 3000; ++y) {
    const std::string ys = std::to_string(y);
    const std::string t = seasons(ys.c_str(), "1", "1");
    ASSERT_EQ(t.compare(0, 26, "\n Beginn der Jahreszeiten:"), 0);
    size_t pos = 26;
    for (int k = 0; k < 3; ++k) {
      ASSERT_EQ(t.compare(pos, 1, "\n"), 0);
      ++pos;
      for (int s = 1; s <= 4; ++s) {
        ASSERT_EQ(t[pos], '\n');
        const std::string line = t.substr(pos + 1, 49);
        pos += 50;
        ASSERT_EQ(line.compare(1, 10, szJahreszeit[s - 1]), 0) << line;
        ASSERT_EQ(line.compare(14, 2, ". "), 0) << line;
        ASSERT_EQ(line.compare(16, 5, month_short[s]), 0) << line;
        ASSERT_EQ(line.compare(21, 1 + 4, " " + std::to_string(y + k)), 0) << line;
        ASSERT_EQ(line.compare(26, 4, " um "), 0) << line;
        ASSERT_EQ(line.compare(38, 7, " (UTC) "), 0) << line;
        const int day = std::stoi(line.substr(12, 2));
        const int wd = weekday(day, 3 * s, y + k);
        ASSERT_NE(wd, 0) << line;
        ASSERT_EQ(line.substr(45, 4), std::string("[") + szWochentagKurz[wd] + "]") << line;
        const int hh = std::stoi(line.substr(30, 2)), mm = std::stoi(line.substr(33, 2)),
                  ss = std::stoi(line.substr(36, 2));
        ASSERT_TRUE(hh <= 23 && mm <= 59 && ss <= 59) << line;
      }
    }
    ASSERT_EQ(pos, t.size()) << y;
  }
}
