// Calendar core: day numbers, weekdays, the 1582 reform, clamping, parsing
// and splitting, with whole-range sweeps.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <vector>

#include "calendar/calendar.h"

namespace {

struct Ymd { int y, m, d; };

Ymd from_jdn(int jdn) {
  Ymd r{};
  jdtodate(jdn, &r.y, &r.m, &r.d);
  return r;
}

}  // namespace

TEST(DayNumbers, KnownDates) {
  EXPECT_EQ(datetomjd(2000, 1, 1), 51544);
  EXPECT_DOUBLE_EQ(datetojd(2000, 1, 1), 2451544.5);
  EXPECT_EQ(datetomjd(1858, 11, 17), 0);
  EXPECT_EQ(datetomjd(1582, 10, 4), -100841);
  EXPECT_EQ(datetomjd(1582, 10, 15), -100840);
  Ymd a = from_jdn(2299160), b = from_jdn(2299161), c = from_jdn(2451545), z = from_jdn(0);
  EXPECT_EQ((a.y * 10000 + a.m * 100 + a.d), 15821004);
  EXPECT_EQ((b.y * 10000 + b.m * 100 + b.d), 15821015);
  EXPECT_EQ((c.y * 10000 + c.m * 100 + c.d), 20000101);
  EXPECT_EQ(z.y, -4712);
  EXPECT_EQ(z.m, 1);
  EXPECT_EQ(z.d, 1);
  EXPECT_EQ(isgregorian(1582, 10, 14), 0);
  EXPECT_EQ(isgregorian(1582, 10, 15), 1);
}

TEST(Weekdays, ReformAndSamples) {
  EXPECT_EQ(weekday(1, 1, 2000), 7);
  EXPECT_EQ(weekday(4, 10, 1582), 5);
  EXPECT_EQ(weekday(15, 10, 1582), 6);
  for (int d = 5; d <= 14; ++d) EXPECT_EQ(weekday(d, 10, 1582), 0) << d;
  EXPECT_EQ(weekday(1, 1, 1000), 2);
  EXPECT_EQ(weekday(31, 3, 2024), 1);
  EXPECT_EQ(weekday(0, 1, 2000), 0);
  EXPECT_EQ(weekday(29, 2, 1900), 0);
  EXPECT_EQ(weekday(29, 2, 1500), 7);
  EXPECT_EQ(weekday(1, 13, 2000), 0);
  EXPECT_EQ(weekday(1, 1, 10001), 0);
}

TEST(MonthLengths, LeapRules) {
  EXPECT_EQ(monthdays(2, 1500), 29);
  EXPECT_EQ(monthdays(2, 1600), 29);
  EXPECT_EQ(monthdays(2, 2000), 29);
  EXPECT_EQ(monthdays(2, 1700), 28);
  EXPECT_EQ(monthdays(2, 1900), 28);
  EXPECT_EQ(monthdays(2, 10001), 0);
  EXPECT_EQ(monthdays(0, 2000), 0);
  EXPECT_EQ(monthdays(13, 2000), 0);
  const int expected[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  for (int m = 1; m <= 12; ++m) EXPECT_EQ(monthdays(m, 2023), expected[m]) << m;
}

TEST(Ordinals, Yearday) {
  EXPECT_EQ(yearday(31, 12, 2000), 366);
  EXPECT_EQ(yearday(29, 2, 1900), 0);
  EXPECT_EQ(yearday(1, 3, 1500), 61);
  EXPECT_EQ(yearday(1, 3, 1700), 60);
  EXPECT_EQ(yearday(4, 10, 1582), 277);
  EXPECT_EQ(yearday(15, 10, 1582), 278);
  EXPECT_EQ(yearday(1, 11, 1582), 295);
  EXPECT_EQ(yearday(31, 12, 1582), 355);
  EXPECT_EQ(yearday(5, 10, 1582), 268);
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
  int y, mo, d, h, mi, s;
  mjdtodatetime(51544.5, &y, &mo, &d, &h, &mi, &s);
  EXPECT_EQ((std::vector<int>{y, mo, d, h, mi, s}), (std::vector<int>{2000, 1, 1, 12, 0, 0}));
  mjdtodatetime(-0.25, &y, &mo, &d, &h, &mi, &s);
  EXPECT_EQ((std::vector<int>{y, mo, d, h, mi, s}), (std::vector<int>{1858, 11, 16, 18, 0, 0}));
  mjdtodatetime(-2400000.5, &y, &mo, &d, &h, &mi, &s);
  EXPECT_EQ((std::vector<int>{y, mo, d, h, mi, s}), (std::vector<int>{-4712, 1, 1, 12, 0, 0}));
  mjdtodatetime(51544.0 + 86399.9 / 86400.0, &y, &mo, &d, &h, &mi, &s);
  EXPECT_EQ((std::vector<int>{d, h, mi, s}), (std::vector<int>{1, 23, 59, 59}));
  mjdtodatetime(std::nextafter(51545.0, 0.0), &y, &mo, &d, &h, &mi, &s);
  EXPECT_EQ((std::vector<int>{d, h, mi, s}), (std::vector<int>{1, 23, 59, 59}));
}

TEST(Clamp, Cases) {
  struct Case { int d, m, y, ed, em, ey, ew; };
  const Case cases[] = {
      {31, 2, 2000, 29, 2, 2000, 3}, {0, 0, 0, 1, 1, 1000, 2},
      {31, 13, 5000, 31, 12, 3000, 0}, {10, 10, 1582, 10, 10, 1582, 0},
      {31, 4, 2024, 30, 4, 2024, 3},
  };
  for (const Case &c : cases) {
    int d = c.d, m = c.m, y = c.y, w = -1;
    clampdate(&d, &m, &y, &w);
    EXPECT_EQ(d, c.ed);
    EXPECT_EQ(m, c.em);
    EXPECT_EQ(y, c.ey);
    EXPECT_EQ(w, c.ew ? c.ew : weekday(d, m, y)) << c.d << "." << c.m << "." << c.y;
  }
}

TEST(Split, Degrees) {
  struct Case { double v; int w, m, s; };
  const Case cases[] = {{12.5, 12, 30, 0}, {-12.5, -12, 30, 0}, {-0.5, 0, -30, 0},
                        {-0.01, 0, 0, -36}, {1.9999999, 1, 59, 59}, {0.0, 0, 0, 0}};
  for (const Case &c : cases) {
    int w = 99, m = 99, s = 99;
    ASSERT_EQ(splitdegrees(c.v, &w, &m, &s), 1) << c.v;
    EXPECT_EQ(w, c.w) << c.v;
    EXPECT_EQ(m, c.m) << c.v;
    EXPECT_EQ(s, c.s) << c.v;
  }
  int w = 7, m = 8, s = 9;
  EXPECT_EQ(splitdegrees(3.0e9, &w, &m, &s), 0);
  EXPECT_EQ(splitdegrees(-3.0e9, &w, &m, &s), 0);
  EXPECT_EQ((std::vector<int>{w, m, s}), (std::vector<int>{7, 8, 9}));
  EXPECT_EQ(splitdegrees(2147483647.5, &w, &m, &s), 1);
  EXPECT_EQ(w, 2147483647);
}

TEST(Parse, Entrytoint) {
  struct Case { const char *text; int value; };
  const Case cases[] = {
      {"  42", 42},  {"+42", 42},    {"-042", -42},   {"- 5", 0},      {"12abc", 12},
      {"", 0},       {"   ", 0},     {"+", 0},        {"-", 0},        {"\t5", 0},
      {" [Jahr]", 0}, {"00000007", 7}, {"99999999", 99999999}, {"2024 ", 2024}, {"+-3", 0},
      {"2147483647", INT_MAX}, {"-2147483648", INT_MIN},
      {"99999999999999999999", INT_MAX}, {"-99999999999999999999", INT_MIN},
  };
  for (const Case &c : cases) EXPECT_EQ(entrytoint(c.text), c.value) << '"' << c.text << '"';
}

TEST(Today, MatchesLocaltime) {
  int d = 0, m = 0, y = 0;
  todaydate(&d, &m, &y);
  EXPECT_GE(y, 2024);
  EXPECT_GE(m, 1);
  EXPECT_LE(m, 12);
  EXPECT_GE(d, 1);
  EXPECT_LE(d, monthdays(m, y));
}

// Day numbers far outside the supported range stay defined (the sanitizer
// build checks for overflow).
TEST(TimeOfDay, HugeDayNumbersAreDefined) {
  int y, mo, d, h, mi, s;
  for (double x : {std::nan(""), 1e300, -1e300, 3e9, -3e9, 2147483647.0, -2147483648.0}) {
    mjdtodatetime(x, &y, &mo, &d, &h, &mi, &s);
    EXPECT_GE(h, 0);
  }
  jdtodate(2147483647, &y, &mo, &d);
  jdtodate(-2147483647 - 1, &y, &mo, &d);
}
