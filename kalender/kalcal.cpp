// SPDX-License-Identifier: MIT
// kalcal.cpp - calendar functions of the kalender program.
//
// All arithmetic is on ints.  Integer division truncates toward zero; within
// the accepted ranges every dividend is non-negative except in step 4 of
// weekofyear, where the truncation is relied on.
#include "kalcal.h"

namespace {

constexpr int kFirstYear = 1;      // earliest year accepted
constexpr int kLastYear = 10000;   // latest year accepted
constexpr int kReformYear = 1582;  // Julian calendar up to 4 Oct 1582
constexpr int kReformMonth = 10;
constexpr int kLastJulianDay = 4;                                      // Thursday 4 October 1582
constexpr int kFirstGregorianDay = 15;                                 // Friday 15 October 1582
constexpr int kDaysDropped = kFirstGregorianDay - kLastJulianDay - 1;  // 10

// Gregorian leap-year rule alone: divisible by 4 and not by 100, or by 400.
bool gregorian_leap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

// Leap year in the calendar in force: every fourth year up to 1582
// (Julian), the Gregorian rule after it.
bool civil_leap(int year) { return year <= kReformYear ? year % 4 == 0 : gregorian_leap(year); }

// Month length by the parity rule: months 1..7 odd 31 and even 30, months
// 8..12 even 31 and odd 30, February 28 or 29.  month must be 1..12.
int month_length(int month, bool leap) {
  if (month == 2) return leap ? 29 : 28;
  if (month <= 7) return month % 2 == 1 ? 31 : 30;
  return month % 2 == 0 ? 31 : 30;
}

bool month_ok(int month) { return month >= 1 && month <= 12; }
bool year_ok(int year) { return year >= kFirstYear && year <= kLastYear; }

// Offset of 1 January of a year (1582..10000) from the Monday that starts
// ISO week 1 of that year pattern: 0 Monday, 1 Tuesday, 2 Wednesday,
// 3 Thursday, -3 Friday, -2 Saturday, -1 Sunday.
int jan1_offset(int year) {
  int g = dayofweek(1, 1, year) - 2;
  if (g > 3) g -= 7;
  return g;
}

// Week of the ordinal day n counted in Monday-based weeks from the week of
// 1 January (offset g); truncation puts the days before the first Monday
// of a year beginning Friday..Sunday into week 1.
int raw_week(int n, int g) { return (n - 1 + g) / 7 + 1; }

}  // namespace

// Weekday by a Zeller-type congruence with the year begun in March.
// Result 1 = Sunday .. 7 = Saturday; 0 for an invalid date.
int dayofweek(int day, int month, int year) {
  if (!year_ok(year) || !month_ok(month)) return 0;
  if (day < 1 || day > month_length(month, civil_leap(year))) return 0;
  if (year == kReformYear && month == kReformMonth && day > kLastJulianDay &&
      day < kFirstGregorianDay)
    return 0;

  // March-based month m (4..15) and year y: January and February count as
  // months 14 and 15 of the previous year.
  const int m = month <= 2 ? month + 13 : month + 1;
  const int y = month <= 2 ? year - 1 : year;

  int s = (26 * m) / 10 + day + y + y / 4 + 4;
  // Gregorian correction from 15 October 1582 on (October is m = 11).
  if (y > kReformYear || (y == kReformYear && m > 11) ||
      (y == kReformYear && m == 11 && day >= kFirstGregorianDay))
    s += y / 400 - y / 100 + 2;
  return s % 7 + 1;
}

// Ordinal day in the year; 1582 counts October as 21 days, so 15 October
// is day 278 and 31 December day 355.  0 for an invalid date.
int dayofyear(int day, int month, int year) {
  if (year < 10 || year > kLastYear || !month_ok(month)) return 0;
  const bool leap = civil_leap(year);
  if (day < 1 || day > month_length(month, leap)) return 0;

  int n = day;
  if (year == kReformYear && month == kReformMonth && day > kLastJulianDay) n -= kDaysDropped;
  for (int k = 1; k < month; ++k) {
    n += (year == kReformYear && k == kReformMonth) ? month_length(k, leap) - kDaysDropped
                                                    : month_length(k, leap);
  }
  return n;
}

// Days in a month, 28..31; 0 when month or year is out of range.
int lastdayofmonth(int month, int year) {
  if (!month_ok(month) || !year_ok(year)) return 0;
  return month_length(month, civil_leap(year));
}

// ISO 8601 week number for Gregorian years 1583..10000; 0 otherwise.
int weekofyear(int day, int month, int year) {
  if (year < kReformYear + 1 || year > kLastYear || !month_ok(month)) return 0;
  const bool leap = gregorian_leap(year);
  if (day < 1 || day > month_length(month, leap)) return 0;

  const int g = jan1_offset(year);
  const int w = raw_week(dayofyear(day, month, year), g);
  if (w == 1) {
    if (-g < day) return 1;
    // Before the first Monday: the last week of the previous year.
    // 1582 has 355 days and starts on a Monday, which the same count
    // handles (1 January 1583 is in week 51 of 1582).
    return raw_week(dayofyear(31, 12, year - 1), jan1_offset(year - 1));
  }
  if (w == 53) {
    // Only years starting on a Thursday, and leap years starting on a
    // Wednesday, have a week 53; otherwise these days open week 1.
    if (g == 3 || (g == 2 && leap)) return 53;
    return 1;
  }
  return w;
}

// Easter Sunday as a day of March.  Julian computus up to 1582; Gauss's
// Gregorian algorithm from 1583 with its two exceptions (26 April becomes
// 19 April; 25 April becomes 18 April when d = 28, e = 6 and
// 11 (M + 1) mod 30 < 19).  -1 outside 1..10000.
int eastersunday(int year) {
  if (!year_ok(year)) return -1;
  const int a = year % 19;
  if (year <= kReformYear) {
    const int d = (19 * a + 15) % 30;
    const int e = (year + year / 4 + d) % 7;
    return d - e + 28;
  }
  const int k = year / 100;
  const int p = (8 * k + 13) / 25;
  const int q = k / 4;
  const int M = (15 + k - p - q) % 30;
  const int N = (4 + k - q) % 7;
  const int d = (19 * a + M) % 30;
  const int e = (2 * (year % 4) + 4 * (year % 7) + 6 * d + N) % 7;
  int r = 22 + d + e;
  if (r == 57) r = 50;
  if (d == 28 && e == 6 && (11 * (M + 1)) % 30 <= 18) r = 49;
  return r;
}
