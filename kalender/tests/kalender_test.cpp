// SPDX-License-Identifier: MIT
// kalender's calendar functions against nachtblick's calendar core over the
// whole range and beyond it: two separate implementations with formulas of
// their own (the core is checked against independent day counts). Then the
// reading of the entries (atoi, saturating) and the steps of the date buttons.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <string>

#include "calendar/calendar.h"
#include "kalcal.h"
#include "kalreport.h"

TEST(Kalender, AgreesWithTheCalendarCore) {
  for (int y = -1; y <= 10002; ++y) {
    for (int m = 0; m <= 13; ++m) {
      ASSERT_EQ(lastdayofmonth(m, y), monthdays(m, y)) << m << "/" << y;
      for (int d = 0; d <= 32; ++d) {
        ASSERT_EQ(dayofweek(d, m, y), weekday(d, m, y)) << d << "." << m << "." << y;
        ASSERT_EQ(dayofyear(d, m, y), (y >= 1 && y <= 9) ? 0 : yearday(d, m, y));
        ASSERT_EQ(weekofyear(d, m, y), y < 1583 ? 0 : weeknumber(d, m, y, 1));
      }
    }
    ASSERT_EQ(eastersunday(y), (y >= 1 && y <= 10000) ? easterdate(y) : -1) << y;
  }
  for (int v : {INT_MIN, INT_MAX}) {
    EXPECT_EQ(dayofweek(v, v, v) + dayofyear(v, v, v) + lastdayofmonth(v, v), 0);
    EXPECT_EQ(weekofyear(1, 1, v) + eastersunday(v), -1);
  }
}

TEST(Kalender, EntriesAndSteps) {
  for (const char *t : {"", "7", "-7", "+7", "\t\n\v\f\r 42", "42abc", "4 2", "-", "+-5", " - 5",
                        "0x1A", "000000000000000000000012", "2147483647", "-2147483648",
                        "[Hier das Jahr eingeben]", "-0", "12.5"})
    EXPECT_EQ(kalender_entrytoint(t), std::atoi(t)) << '"' << t << '"';
  EXPECT_EQ(kalender_entrytoint("2147483648"), INT_MAX);
  EXPECT_EQ(kalender_entrytoint("-2147483649"), INT_MIN);
  EXPECT_EQ(kalender_entrytoint("4294967297"), INT_MAX);
  EXPECT_EQ(kalender_entrytoint(nullptr), 0);

  const std::string huge(30, '9'), tiny = "-" + huge;
  const struct {
    int (*step)(const char *);
    std::string text;
    int result;
  } cases[] = {
      {kalender_next_year, "10000", 100},
      {kalender_next_year, "9999", 10000},
      {kalender_prev_year, "100", 10000},
      {kalender_prev_year, "101", 100},
      {kalender_next_month, "12", 0},
      {kalender_next_month, "0", 1},
      {kalender_prev_month, "1", 0},
      {kalender_prev_month, "0", 12},
      {kalender_next_year, kKalYearHint, 1},
      {kalender_prev_year, kKalYearHint, 10000},
      {kalender_next_year, "50", 51},
      {kalender_prev_year, "20000", 19999},
      {kalender_prev_month, "20", 19},
      {kalender_next_month, "-5", -4},
      {kalender_next_year, huge, 100},
      {kalender_prev_year, tiny, 10000},
      {kalender_prev_year, "2147483647", 2147483646},
      {kalender_next_month, huge, 0},
      {kalender_prev_month, tiny, 12},
      {kalender_next_month, "-2147483648", -2147483647},
  };
  for (const auto &c : cases) EXPECT_EQ(c.step(c.text.c_str()), c.result) << c.text;
}
