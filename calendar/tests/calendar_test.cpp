// SPDX-License-Identifier: MIT
// The calendar core against independent computations over whole ranges:
// day numbers (Hinnant's day counts of both calendars), ISO weeks and
// Easter (Meeus's computus); then simple weeks, entry texts and an instant
// at their edges.
// (crosscheck.py holds the golden texts, a few years each, against its own
// Julian Days and computus; these sweeps cover every year of the core.
// Summer time is in the golden rise and set texts and exports, which
// crosscheck.py holds against the rule, written out again there.)
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <utility>

#include "calendar/calendar.h"

namespace {

const long kMjdOf1970 = 40587;

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's
// days_from_civil); with julian, of a Julian calendar date, which lies
// y/100 - y/400 - 2 days after the Gregorian date of the same numbers (y
// counted from March).
long days_from_civil(long y, long m, long d, bool julian = false) {
  y -= m <= 2;
  const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const long shift = julian ? y / 100 - y / 400 - 2 : 0;
  const long era = (y >= 0 ? y : y - 399) / 400;
  const long yoe = y - era * 400;
  return era * 146097 + yoe * 365 + yoe / 4 - yoe / 100 + doy - 719468 + shift;
}

// Day of the week of a day count, 0 = Sunday (1970-01-01 was a Thursday).
long sunday_based(long z) { return (z % 7 + 11) % 7; }

// ISO 8601 week: the week of a date is that of its Thursday, numbered by
// the Thursday's ordinal day in its own year.
int iso_week(int y, int m, int d) {
  const long z = days_from_civil(y, m, d);
  const long thursday = z - (sunday_based(z) + 6) % 7 + 3;
  int ty = y - (thursday < days_from_civil(y, 1, 1)) + (thursday >= days_from_civil(y + 1, 1, 1));
  return static_cast<int>((thursday - days_from_civil(ty, 1, 1)) / 7) + 1;
}

// Meeus ch. 8: the anonymous Gregorian computus and the Julian one, as day
// of March.
int gregorian_easter(int y) {
  const int a = y % 19, b = y / 100, c = y % 100, d = b / 4, e = b % 4;
  const int g = (b - (b + 8) / 25 + 1) / 3;
  const int h = (19 * a + b - d - g + 15) % 30;
  const int l = (32 + 2 * e + 2 * (c / 4) - h - c % 4) % 7;
  const int m = (a + 11 * h + 22 * l) / 451;
  return h + l - 7 * m + 22;  // (h + l - 7m + 114) is 31 * month + day - 1
}
int julian_easter(int y) {
  const int d = (19 * (y % 19) + 15) % 30;
  const int e = (2 * (y % 4) + 4 * (y % 7) - d + 34) % 7;
  return d + e + 22;
}

}  // namespace

// Every day of the years 1..10000: the MJD is the independent day count of
// the calendar in force, jdtodate inverts it, the weekday follows from it,
// yearday counts the days, and 5..14 October 1582 are no dates.
TEST(Calendar, EveryDayOfYears1To10000) {
  for (int y = 1; y <= 10000; ++y) {
    int ordinal = 0;
    for (int m = 1; m <= 12; ++m) {
      for (int d = 1; d <= monthdays(m, y); ++d) {
        const bool gap = y == 1582 && m == 10 && d >= 5 && d <= 14;
        const bool julian = y < 1582 || (y == 1582 && (m < 10 || (m == 10 && d <= 4)));
        const long z = days_from_civil(y, m, d, julian || gap);
        ASSERT_EQ(datetomjd(y, m, d), z + kMjdOf1970) << y << "-" << m << "-" << d;
        ASSERT_EQ(weekday(d, m, y), gap ? 0 : sunday_based(z) + 1);
        if (gap) continue;
        int yy, mm, dd;
        jdtodate(static_cast<int>(z + kMjdOf1970 + 2400001), &yy, &mm, &dd);
        ASSERT_EQ((std::array<int, 3>{yy, mm, dd}), (std::array<int, 3>{y, m, d}));
        ASSERT_EQ(yearday(d, m, y), ++ordinal) << y << "-" << m << "-" << d;
        if (y >= 1601 && y <= 3000) {
          ASSERT_EQ(weeknumber(d, m, y, 1), iso_week(y, m, d));
        }
      }
    }
    ASSERT_EQ(ordinal,
              y == 1582 ? 355 : 365 + (y % 4 == 0 && (y <= 1582 || y % 100 || y % 400 == 0)));
    ASSERT_EQ(leapyear(y), monthdays(2, y) - 28);
  }
}

TEST(Calendar, EasterAgreesWithMeeusComputus) {
  for (int y = 1; y <= 10100; ++y) {
    ASSERT_EQ(easterdate(y), y <= 1582 ? julian_easter(y) : gregorian_easter(y)) << y;
    ASSERT_EQ(eastermarchday(y, 1), julian_easter(y)) << y;
  }
  EXPECT_EQ(easterdate(0), 0);
  EXPECT_EQ(easterdate(10101), 0);
}

// What the reports never reach: simple Sunday-based weeks. Entry texts:
// long numbers saturate, a sign needs its digits next to it, tabs are no
// blanks. An instant a hair before midnight is 23:59:59 of the day before,
// never 24:00:00. A negative angle's sign is on its first part not zero;
// an angle beyond int is refused.
TEST(Calendar, EdgeCases) {
  const int weeks[][4] = {{1, 1, 2000, 1}, {2, 1, 2000, 2}, {31, 12, 2000, 54}, {29, 2, 2023, 0}};
  for (const auto &c : weeks) EXPECT_EQ(weeknumber(c[0], c[1], c[2], 0), c[3]) << c[2];
  const std::pair<const char *, int> entries[] = {
      {"99999999999", 2147483647}, {"-99999999999", -2147483647 - 1}, {"- 5", 0}, {"\t5", 0}};
  for (const auto &[text, value] : entries) EXPECT_EQ(entrytoint(text), value) << text;
  std::array<int, 6> t;  // date and time of day
  mjdtodatetime(std::nextafter(0.0, -1.0), &t[0], &t[1], &t[2], &t[3], &t[4], &t[5]);
  EXPECT_EQ(t, (std::array<int, 6>{1858, 11, 16, 23, 59, 59}));
  EXPECT_EQ(splitdegrees(-12.75, &t[0], &t[1], &t[2]), 1);
  EXPECT_EQ(splitdegrees(-0.75, &t[3], &t[4], &t[5]), 1);
  EXPECT_EQ(t, (std::array<int, 6>{-12, 45, 0, 0, -45, 0}));
  EXPECT_EQ(splitdegrees(-3e9, &t[0], &t[1], &t[2]), 0);
}
