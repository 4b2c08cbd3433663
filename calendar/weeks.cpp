// SPDX-License-Identifier: MIT
// Week numbers, Easter and the Central European summer-time rule.
#include "calendar/calendar.h"

void isoweekstart(int day, int month, int year, int *offset, int *rawweek) {
  const int w = weekday(1, 1, year);
  *offset = ((w + 1) % 7) - 3;
  const int n = yearday(day, month, year);
  // Truncating division: the days before the first Monday of a year that
  // begins Friday..Sunday give a dividend of -3..-1 and so raw week 1.
  *rawweek = (n - 1 + *offset) / 7 + 1;
}

int weeknumber(int day, int month, int year, int iso) {
  if (day < 1 || day > monthdays(month, year)) return 0;
  if (!iso) return (yearday(day, month, year) + weekday(1, 1, year) - 2) / 7 + 1;

  int offset = 0;
  int w = 0;
  isoweekstart(day, month, year, &offset, &w);
  if (w == 1 && -offset >= day) {
    // Before the first Monday of a year beginning Friday..Sunday: the date
    // belongs to the last week of the previous year.
    isoweekstart(31, 12, year - 1, &offset, &w);
    return w;
  }
  if (w == 53) {
    const bool keeps_53 = offset == 3 || (offset == 2 && leapyear(year) != 0);
    if (!keeps_53) return 1;
  }
  return w;
}

int eastermarchday(int year, int julian) {
  if (year < 1 || year > 10100) return 0;
  const int a = year % 19;
  if (year <= kReformYear || julian) {
    const int d = (19 * a + 15) % 30;
    const int e = (year + year / 4 + d) % 7;
    return d - e + 28;
  }
  // Gauss's Easter algorithm (1800; p = (13 + 8k) / 25 as he corrected it in
  // 1816) with its two exception rules.
  const int k = year / 100;
  const int p = (8 * k + 13) / 25;
  const int q = k / 4;
  const int M = (15 + k - p - q) % 30;
  const int N = (4 + k - q) % 7;
  const int d = (19 * a + M) % 30;
  const int e = (2 * (year % 4) + 4 * (year % 7) + 6 * d + N) % 7;
  int r = 22 + d + e;
  if (r == 57) r = 50;                                         // 26 -> 19 April
  if (d == 28 && e == 6 && (11 * (M + 1)) % 30 <= 18) r = 49;  // 25 -> 18 April
  return r;
}

int easterdate(int year) { return eastermarchday(year, 0); }

int summertime(int day, int month, int year) {
  if (year < 1980) return 0;
  // Day of the month of the last Sunday of March, September or October.
  int last = 32 - weekday(monthdays(month, year), month, year);
  if (month == 9) last -= 1;
  if (month >= 4 && month <= 8) return 1;
  if (month == 9 && year >= 1996) return 1;
  if (month == 3 && day >= last) return 1;
  if (((month == 9 && year <= 1995) || (month == 10 && year >= 1996)) && day < last) return 1;
  return 0;
}
