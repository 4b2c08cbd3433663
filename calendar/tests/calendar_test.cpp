// SPDX-License-Identifier: MIT
// Calendar core: day numbers, weekdays, the 1582 reform, clamping, parsing
// and splitting, with whole-range sweeps.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>
#include <vector>

#include "calendar/calendar.h"

TEST(DayNumbers, KnownDatesAndTheReform) {
  EXPECT_EQ(datetomjd(2000, 1, 1), 51544);
  EXPECT_DOUBLE_EQ(datetojd(2000, 1, 1), 2451544.5);
  EXPECT_EQ(datetomjd(1858, 11, 17), 0);
  EXPECT_EQ(datetomjd(1582, 10, 4), -100841);
  EXPECT_EQ(datetomjd(1582, 10, 15), -100840);
  const int jdn[][4] = {
      {2299160, 1582, 10, 4}, {2299161, 1582, 10, 15}, {2451545, 2000, 1, 1}, {0, -4712, 1, 1}};
  for (const auto &c : jdn) {
    int y, m, d;
    jdtodate(c[0], &y, &m, &d);
    EXPECT_TRUE(y == c[1] && m == c[2] && d == c[3]) << c[0] << ": " << y << "-" << m << "-" << d;
  }
  EXPECT_EQ(isgregorian(1582, 10, 14), 0);
  EXPECT_EQ(isgregorian(1582, 10, 15), 1);
}

// weekday, monthdays and yearday at the reform, the leap rules of both
// calendars and out of range.
TEST(Weekdays, MonthLengthsAndOrdinals) {
  const int weekdays[][4] = {
      {1, 1, 2000, 7},  {4, 10, 1582, 5}, {15, 10, 1582, 6}, {1, 1, 1000, 2},  {31, 3, 2024, 1},
      {29, 2, 1500, 7}, {0, 1, 2000, 0},  {29, 2, 1900, 0},  {1, 13, 2000, 0}, {1, 1, 10001, 0}};
  for (const auto &c : weekdays)
    EXPECT_EQ(weekday(c[0], c[1], c[2]), c[3]) << c[0] << "." << c[1] << "." << c[2];
  for (int d = 5; d <= 14; ++d) EXPECT_EQ(weekday(d, 10, 1582), 0) << d;
  const int lengths[][3] = {{2, 1500, 29}, {2, 1600, 29}, {2, 2000, 29}, {2, 1700, 28},
                            {2, 1900, 28}, {2, 10001, 0}, {0, 2000, 0},  {13, 2000, 0}};
  for (const auto &c : lengths) EXPECT_EQ(monthdays(c[0], c[1]), c[2]) << c[0] << "/" << c[1];
  const int ordinals[][4] = {{31, 12, 2000, 366}, {29, 2, 1900, 0},    {1, 3, 1500, 61},
                             {1, 3, 1700, 60},    {4, 10, 1582, 277},  {15, 10, 1582, 278},
                             {1, 11, 1582, 295},  {31, 12, 1582, 355}, {5, 10, 1582, 268}};
  for (const auto &c : ordinals)
    EXPECT_EQ(yearday(c[0], c[1], c[2]), c[3]) << c[0] << "." << c[1] << "." << c[2];
}

// Every day of the years 1..10000: the MJD round-trips through jdtodate,
// consecutive days have consecutive MJDs and weekdays (across the 1582 gap),
// and yearday counts up by one from 1 to the year's length.
TEST(Sweep, EveryDayOfYears1To10000) {
  int prev_mjd = datetomjd(1, 1, 1) - 1;
  int prev_wday = 0;
  for (int y = 1; y <= 10000; ++y) {
    int ordinal = 0;
    for (int m = 1; m <= 12; ++m) {
      const int n = monthdays(m, y);
      for (int d = 1; d <= n; ++d) {
        const int w = weekday(d, m, y);
        if (w == 0) {
          ASSERT_TRUE(y == 1582 && m == 10 && d >= 5 && d <= 14) << y << "-" << m << "-" << d;
          continue;
        }
        const int mjd = datetomjd(y, m, d);
        ASSERT_EQ(mjd, prev_mjd + 1) << y << "-" << m << "-" << d;
        if (prev_wday) {
          ASSERT_EQ(w, prev_wday % 7 + 1) << y << "-" << m << "-" << d;
        }
        int yy, mm, dd;
        jdtodate(mjd + 2400001, &yy, &mm, &dd);
        ASSERT_TRUE(yy == y && mm == m && dd == d) << y << "-" << m << "-" << d;
        ASSERT_EQ(yearday(d, m, y), ++ordinal) << y << "-" << m << "-" << d;
        prev_mjd = mjd;
        prev_wday = w;
      }
    }
    ASSERT_EQ(ordinal, y == 1582 ? 355 : 365 + leapyear(y)) << y;
  }
}

TEST(TimeOfDay, Mjdtodatetime) {
  // A time just short of midnight stays on its day.
  const struct {
    double mjd;
    const char *text;
  } cases[] = {{51544.5, "2000-1-1 12:0:0"},
               {-0.25, "1858-11-16 18:0:0"},
               {-2400000.5, "-4712-1-1 12:0:0"},
               {51544.0 + 86399.9 / 86400.0, "2000-1-1 23:59:59"},
               {std::nextafter(51545.0, 0.0), "2000-1-1 23:59:59"}};
  for (const auto &c : cases) {
    int y, mo, d, h, mi, s;
    mjdtodatetime(c.mjd, &y, &mo, &d, &h, &mi, &s);
    EXPECT_EQ(std::to_string(y) + "-" + std::to_string(mo) + "-" + std::to_string(d) + " " +
                  std::to_string(h) + ":" + std::to_string(mi) + ":" + std::to_string(s),
              c.text);
  }
  // Day numbers far outside the supported range stay defined (the
  // sanitizer build checks for overflow).
  int y, mo, d, h, mi, s;
  for (double x : {std::nan(""), 1e300, -1e300, 3e9, -3e9, 2147483647.0, -2147483648.0}) {
    mjdtodatetime(x, &y, &mo, &d, &h, &mi, &s);
    EXPECT_GE(h, 0);
  }
  jdtodate(2147483647, &y, &mo, &d);
  jdtodate(-2147483647 - 1, &y, &mo, &d);
}

TEST(Clamp, Cases) {
  struct Case {
    int d, m, y, ed, em, ey, ew;
  };
  const Case cases[] = {
      {31, 2, 2000, 29, 2, 2000, 3},   {0, 0, 0, 1, 1, 1000, 2},
      {31, 13, 5000, 31, 12, 3000, 0}, {10, 10, 1582, 10, 10, 1582, 0},
      {31, 4, 2024, 30, 4, 2024, 3},
  };
  for (const Case &c : cases) {
    int d = c.d, m = c.m, y = c.y, w = -1;
    clampdate(&d, &m, &y, &w);
    EXPECT_TRUE(d == c.ed && m == c.em && y == c.ey) << c.d << "." << c.m << "." << c.y;
    EXPECT_EQ(w, c.ew ? c.ew : weekday(d, m, y)) << c.d << "." << c.m << "." << c.y;
  }
}

TEST(Split, Degrees) {
  struct Case {
    double v;
    int w, m, s;
  };
  const Case cases[] = {{12.5, 12, 30, 0},  {-12.5, -12, 30, 0},    {-0.5, 0, -30, 0},
                        {-0.01, 0, 0, -36}, {1.9999999, 1, 59, 59}, {0.0, 0, 0, 0}};
  for (const Case &c : cases) {
    int w = 99, m = 99, s = 99;
    ASSERT_EQ(splitdegrees(c.v, &w, &m, &s), 1) << c.v;
    EXPECT_TRUE(w == c.w && m == c.m && s == c.s) << c.v << ": " << w << " " << m << " " << s;
  }
  int w = 7, m = 8, s = 9;
  EXPECT_EQ(splitdegrees(3.0e9, &w, &m, &s), 0);
  EXPECT_EQ(splitdegrees(-3.0e9, &w, &m, &s), 0);
  EXPECT_EQ((std::vector<int>{w, m, s}), (std::vector<int>{7, 8, 9}));
  EXPECT_EQ(splitdegrees(2147483647.5, &w, &m, &s), 1);
  EXPECT_EQ(w, 2147483647);
}

TEST(Parse, Entrytoint) {
  struct Case {
    const char *text;
    int value;
  };
  const Case cases[] = {
      {"  42", 42},
      {"+42", 42},
      {"-042", -42},
      {"- 5", 0},
      {"12abc", 12},
      {"", 0},
      {"   ", 0},
      {"+", 0},
      {"-", 0},
      {"\t5", 0},
      {" [Jahr]", 0},
      {"00000007", 7},
      {"99999999", 99999999},
      {"2024 ", 2024},
      {"+-3", 0},
      {"2147483647", INT_MAX},
      {"-2147483648", INT_MIN},
      {"99999999999999999999", INT_MAX},
      {"-99999999999999999999", INT_MIN},
  };
  for (const Case &c : cases) EXPECT_EQ(entrytoint(c.text), c.value) << '"' << c.text << '"';
}

TEST(Today, IsAValidDate) {
  int d = 0, m = 0, y = 0;
  todaydate(&d, &m, &y);
  EXPECT_TRUE(y >= 2024 && m >= 1 && m <= 12 && d >= 1 && d <= monthdays(m, y))
      << d << "." << m << "." << y;
}
