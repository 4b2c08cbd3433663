// SPDX-License-Identifier: MIT
// Week numbers, Easter and summer time, checked against independent
// computations on a proleptic Gregorian day count.
#include <gtest/gtest.h>

#include "calendar/calendar.h"

namespace {

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's
// days_from_civil).
long days_from_civil(long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long>(doe) - 719468;
}

// ISO 8601 week: the week of a date is that of its Thursday, and the week
// number is the Thursday's ordinal day in its own year, in sevens.
int iso_week(int y, int m, int d) {
  const long z = days_from_civil(y, m, d);
  const int iso_wd = static_cast<int>(((z % 7) + 7 + 3) % 7) + 1;  // 1970-01-01 was a Thursday
  const long thursday = z - iso_wd + 4;
  int ty = y;
  if (thursday < days_from_civil(y, 1, 1)) ty = y - 1;
  if (thursday >= days_from_civil(y + 1, 1, 1)) ty = y + 1;
  return static_cast<int>((thursday - days_from_civil(ty, 1, 1)) / 7) + 1;
}

// Meeus ch. 8: the anonymous Gregorian algorithm, as day of March.
int gregorian_easter(int y) {
  const int a = y % 19, b = y / 100, c = y % 100, d = b / 4, e = b % 4;
  const int f = (b + 8) / 25, g = (b - f + 1) / 3;
  const int h = (19 * a + b - d - g + 15) % 30;
  const int i = c / 4, k = c % 4;
  const int l = (32 + 2 * e + 2 * i - h - k) % 7;
  const int m = (a + 11 * h + 22 * l) / 451;
  const int month = (h + l - 7 * m + 114) / 31;
  const int day = (h + l - 7 * m + 114) % 31 + 1;
  return month == 3 ? day : day + 31;
}

// Meeus ch. 8: Julian Easter, as day of March of the Julian calendar.
int julian_easter(int y) {
  const int a = y % 4, b = y % 7, c = y % 19;
  const int d = (19 * c + 15) % 30;
  const int e = (2 * a + 4 * b - d + 34) % 7;
  const int month = (d + e + 114) / 31;
  const int day = (d + e + 114) % 31 + 1;
  return month == 3 ? day : day + 31;
}

}  // namespace

TEST(IsoWeeks, DocumentedDates) {
  struct Case {
    int d, m, y, w;
  };
  const Case cases[] = {
      {1, 1, 2021, 53},   {3, 1, 2021, 53},  {4, 1, 2021, 1},    {31, 12, 2020, 53},
      {29, 12, 2025, 1},  {31, 12, 2024, 1}, {31, 12, 2026, 53}, {1, 1, 2027, 53},
      {28, 12, 2004, 53}, {4, 10, 1582, 40}, {15, 10, 1582, 40}, {18, 10, 1582, 41},
      {31, 12, 1582, 51}, {1, 1, 1583, 51},  {2, 1, 1583, 51},   {3, 1, 1583, 1},
  };
  for (const Case &c : cases)
    EXPECT_EQ(weeknumber(c.d, c.m, c.y, 1), c.w) << c.d << "." << c.m << "." << c.y;
  EXPECT_EQ(weeknumber(0, 1, 2021, 1), 0);
  EXPECT_EQ(weeknumber(29, 2, 2023, 1), 0);
}

TEST(SimpleWeeks, SundayBased) {
  const int cases[][4] = {
      {1, 1, 2000, 1}, {2, 1, 2000, 2}, {31, 12, 2000, 54}, {7, 1, 2023, 1}, {8, 1, 2023, 2}};
  for (const auto &c : cases)
    EXPECT_EQ(weeknumber(c[0], c[1], c[2], 0), c[3]) << c[0] << "." << c[1] << "." << c[2];
}

TEST(IsoWeeks, EveryDay1601To3000AgreesWithIndependentIso) {
  for (int y = 1601; y <= 3000; ++y)
    for (int m = 1; m <= 12; ++m)
      for (int d = 1; d <= monthdays(m, y); ++d)
        ASSERT_EQ(weeknumber(d, m, y, 1), iso_week(y, m, d)) << y << "-" << m << "-" << d;
}

TEST(Easter, DocumentedYears) {
  struct Case {
    int y, e;
  };
  const Case cases[] = {{2000, 54}, {2008, 23}, {2011, 55},  {2024, 31}, {2025, 51},
                        {1583, 41}, {1582, 46}, {1954, 49},  {2049, 49}, {1609, 50},
                        {1981, 50}, {2076, 50}, {10100, 49}, {10101, 0}, {0, 0}};
  for (const Case &c : cases) EXPECT_EQ(easterdate(c.y), c.e) << c.y;
  EXPECT_EQ(eastermarchday(2000, 1), 48);
  EXPECT_EQ(eastermarchday(2024, 1), 53);
}

TEST(Easter, AgreesWithMeeusComputus) {
  for (int y = 1583; y <= 10100; ++y) ASSERT_EQ(easterdate(y), gregorian_easter(y)) << y;
  for (int y = 1; y <= 1582; ++y) ASSERT_EQ(easterdate(y), julian_easter(y)) << y;
  for (int y = 1; y <= 10100; ++y) ASSERT_EQ(eastermarchday(y, 1), julian_easter(y)) << y;
  // Easter is always a Sunday in the calendar of its year.
  for (int y = 1; y <= 10000; ++y) {
    const int e = easterdate(y);
    ASSERT_EQ(weekday(e > 31 ? e - 31 : e, e > 31 ? 4 : 3, y), 1) << y;
  }
}

TEST(SummerTime, DocumentedDays) {
  const int days[][4] = {{30, 3, 2024, 0}, {31, 3, 2024, 1}, {26, 10, 2024, 1}, {27, 10, 2024, 0},
                         {23, 9, 1995, 1}, {24, 9, 1995, 0}, {1, 10, 1995, 0},  {29, 3, 1980, 0},
                         {30, 3, 1980, 1}, {27, 9, 1980, 1}, {28, 9, 1980, 0}};
  for (const auto &c : days)
    EXPECT_EQ(summertime(c[0], c[1], c[2]), c[3]) << c[0] << "." << c[1] << "." << c[2];
  for (int y = 1000; y <= 1979; ++y)
    for (int m = 1; m <= 12; ++m)
      for (int d = 1; d <= monthdays(m, y); ++d) ASSERT_EQ(summertime(d, m, y), 0);
}

// Every day of 1980..2100: summer time from the last Sunday of March up to
// the day before the last Sunday of September (to 1995) or October.
TEST(SummerTime, EveryDay1980To2100) {
  auto last_sunday = [](int y, int m) {
    long z = days_from_civil(y, m + 1, 1) - 1;  // last day of the month
    while (((z % 7) + 7 + 4) % 7 != 0) --z;     // 1970-01-01 was a Thursday (4)
    return z;
  };
  for (int y = 1980; y <= 2100; ++y) {
    const long begin = last_sunday(y, 3);
    const long end = last_sunday(y, y <= 1995 ? 9 : 10);
    for (int m = 1; m <= 12; ++m)
      for (int d = 1; d <= monthdays(m, y); ++d) {
        const long z = days_from_civil(y, m, d);
        ASSERT_EQ(summertime(d, m, y), z >= begin && z < end) << y << "-" << m << "-" << d;
      }
  }
}
