// SPDX-License-Identifier: MIT
// The calendar core against independent computations over whole ranges:
// day numbers (Hinnant's day counts of both calendars), ISO weeks, Easter
// (Meeus's computus) and summer time; small tables for the edge cases.
// (crosscheck.py holds the golden texts, a few years each, against its own
// Julian Days and computus; these sweeps cover every year of the core.)
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

// Summer time from the last Sunday of March up to the day before the last
// Sunday of September (to 1995) or October; none before 1980.
TEST(Calendar, SummerTimeEveryDay1970To2100) {
  auto last_sunday = [](int y, int m) {
    const long z = days_from_civil(y, m + 1, 1) - 1;
    return z - sunday_based(z);
  };
  for (int y = 1970; y <= 2100; ++y) {
    const long begin = last_sunday(y, 3), end = last_sunday(y, y <= 1995 ? 9 : 10);
    for (int m = 1; m <= 12; ++m)
      for (int d = 1; d <= monthdays(m, y); ++d) {
        const long z = days_from_civil(y, m, d);
        ASSERT_EQ(summertime(d, m, y), y >= 1980 && z >= begin && z < end)
            << y << "-" << m << "-" << d;
      }
  }
}

// What the reports never reach: simple weeks, invalid arguments, the
// saturation of long numbers and negative values. (kalender_test holds the
// month lengths and ordinal days of invalid dates against kalender's own.)
TEST(Calendar, EdgeCases) {
  const int weeks[][5] = {{31, 12, 1582, 1, 51}, {2, 1, 1583, 1, 51},   {1, 1, 2000, 0, 1},
                          {2, 1, 2000, 0, 2},    {31, 12, 2000, 0, 54}, {29, 2, 2023, 0, 0}};
  for (const auto &c : weeks) EXPECT_EQ(weeknumber(c[0], c[1], c[2], c[3]), c[4]) << c[2];
  EXPECT_EQ(datetomjd(2000, 0, 1), datetomjd(1999, 12, 1));  // month 0 is no January
  const std::pair<const char *, int> entries[] = {
      {"99999999999", 2147483647}, {"-99999999999", -2147483647 - 1}, {"- 5", 0}, {"\t5", 0}};
  for (const auto &[text, value] : entries) EXPECT_EQ(entrytoint(text), value) << text;
  // A value, then its whole units, minutes and seconds; nothing is written
  // for a value out of range.
  using Parts = std::array<int, 3>;
  const std::pair<double, Parts> parts[] = {{-12.5, {-12, 30, 0}},
                                            {-0.5, {0, -30, 0}},
                                            {-0.01, {0, 0, -36}},
                                            {1.9999999, {1, 59, 59}},
                                            {2147483647.5, {2147483647, 30, 0}},
                                            {-3.0e9, {7, 8, 9}}};
  for (const auto &[value, expected] : parts) {
    Parts got = {7, 8, 9};
    EXPECT_EQ(splitdegrees(value, &got[0], &got[1], &got[2]), value > -3.0e9);
    EXPECT_EQ(got, expected) << value;
  }
  std::array<int, 6> t;  // date and time of day
  mjdtodatetime(std::nextafter(0.0, -1.0), &t[0], &t[1], &t[2], &t[3], &t[4], &t[5]);
  EXPECT_EQ(t, (std::array<int, 6>{1858, 11, 16, 23, 59, 59}));   // not 86400 s after rounding
  mjdtodatetime(1e12, &t[0], &t[1], &t[2], &t[3], &t[4], &t[5]);  // the largest day number
  int yy, mm, dd;
  jdtodate(2147483647, &yy, &mm, &dd);
  EXPECT_EQ((std::array<int, 3>{t[0], t[1], t[2]}), (std::array<int, 3>{yy, mm, dd}));
}
