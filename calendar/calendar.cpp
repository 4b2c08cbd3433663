// SPDX-License-Identifier: MIT
// Calendar core: civil dates, the 1582 reform and day numbers.
#include "calendar/calendar.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <ctime>

namespace {

// The last day that is not Gregorian (the reform gap counts as Julian),
// packed as year*1024 + month*32 + day.
const int kLastJulianKey = kReformYear * 1024 + kReformMonth * 32 + kFirstGregorianDay - 1;
// Days the reform dropped: 5..14 October 1582.
const int kDroppedDays = kFirstGregorianDay - kLastJulianDay - 1;
// 2000000 weeks plus 3: keeps the weekday dividend positive for every
// supported date; MJD 0 (a Wednesday) gives weekday 4.
const int kWeekdayBias = 14000003;

bool in_reform_gap(int day, int month, int year) {
  return year == kReformYear && month == kReformMonth && day > kLastJulianDay &&
         day < kFirstGregorianDay;
}

}  // namespace

int entrytoint(const char *text) {
  const char *p = text;
  while (*p == ' ') ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') {
    negative = (*p == '-');
    ++p;
  }
  while (*p == '0') ++p;
  // Accumulate in a wide type and saturate, so that a long digit string
  // gives a defined, out-of-range value instead of overflowing.
  long long value = 0;
  for (; *p >= '0' && *p <= '9'; ++p) {
    if (value <= INT_MAX) value = value * 10 + (*p - '0');
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

void todaydate(int *day, int *month, int *year) {
  time_t now = time(nullptr);
  const struct tm *t = localtime(&now);
  *day = t->tm_mday;
  *month = t->tm_mon + 1;
  *year = t->tm_year + 1900;
}

void clampdate(int *day, int *month, int *year, int *wday) {
  *month = std::clamp(*month, 1, 12);
  *year = std::clamp(*year, kFirstReportYear, kLastReportYear);
  *day = std::clamp(*day, 1, monthdays(*month, *year));
  *wday = weekday(*day, *month, *year);
}

int monthdays(int month, int year) {
  if (month < 1 || month > 12 || year < 1 || year > 10000) return 0;
  if (month == 2) {
    int n = 28;
    if (year % 4 == 0) n = 29;
    if (year > kReformYear && year % 100 == 0 && year % 400 != 0) n = 28;
    return n;
  }
  if (month <= 7) return (month % 2 == 1) ? 31 : 30;
  return (month % 2 == 0) ? 31 : 30;
}

int leapyear(int year) { return monthdays(2, year) - 28; }

int yearday(int day, int month, int year) {
  if (day < 1 || day > monthdays(month, year)) return 0;
  int n = day;
  if (year == kReformYear &&
      ((month == kReformMonth && day > kLastJulianDay) || month > kReformMonth))
    n -= kDroppedDays;
  for (int m = 1; m < month; ++m) n += monthdays(m, year);
  return n;
}

int isgregorian(int year, int month, int day) {
  return year * 1024 + month * 32 + day > kLastJulianKey;
}

// Day count of a year that begins on 1 March, so that the leap day ends it
// (C. Toendering, Calendar FAQ, sec. 2.16.1; H. F. Fliegel and T. C. Van
// Flandern, Communications of the ACM 11 (10), 657, 1968),
// shifted from the Julian Day Number to the MJD. For the years 1..10000:
// y = 4800..14800, m = 3..14, 153 m - 457 = 2..1685, n within +-3.1e6.
int datetomjd(int year, int month, int day) {
  const int k = (month == 1 || month == 2) ? 1 : 0;
  const int y = year - k + 4800;
  const int m = month + 12 * k;
  int n = (153 * m - 457) / 5 + 365 * y + y / 4 + day - 2432084;
  if (isgregorian(year, month, day)) n = n + y / 400 - y / 100 + 38;
  return n;
}

int weekday(int day, int month, int year) {
  if (day < 1 || day > monthdays(month, year)) return 0;
  if (in_reform_gap(day, month, year)) return 0;
  return (datetomjd(year, month, day) + kWeekdayBias) % 7 + 1;
}

double datetojd(int year, int month, int day) {
  return static_cast<double>(datetomjd(year, month, day)) + kMjdOffset;
}

namespace {

// Inverse of the day count above (C. Toendering, Calendar FAQ, sec. 2.16.1):
// the date of day r counted from 1 March -4800 of the calendar, with b the
// whole Gregorian centuries before it (0 for the Julian calendar). d is the
// March-based year within r, e the day of that year (0 = 1 March) and
// m = 0..11 its month counted from March. For Julian Day Numbers 0..5.4e6
// (the years -4712..10000): r < 5.5e6, b = 0..148, d = 0..6400, e = 0..365.
// Wide intermediates keep every int argument free of overflow; within the
// supported range the results are those of 32-bit arithmetic.
void march_date(long long b, long long r, int *year, int *month, int *day) {
  const long long d = (4 * r + 3) / 1461;
  const long long e = r - (1461 * d) / 4;
  const long long m = (5 * e + 2) / 153;
  *day = static_cast<int>(e - (153 * m + 2) / 5 + 1);
  *month = static_cast<int>(m + 3 - 12 * (m / 10));
  *year = static_cast<int>(100 * b + d - 4800 + m / 10);
}

}  // namespace

// a counts the days from 1 March -4800 (Gregorian); 4 a + 3 < 2.2e7.
void jdtogregorian(int jdn, int *year, int *month, int *day) {
  const long long a = jdn + 32044LL;
  const long long b = (4 * a + 3) / 146097;
  march_date(b, a - (146097 * b) / 4, year, month, day);
}

void jdtodate(int jdn, int *year, int *month, int *day) {
  if (jdn >= kFirstGregorianJdn)
    jdtogregorian(jdn, year, month, day);
  else
    march_date(0, jdn + 32082LL, year, month, day);
}

void mjdtodatetime(double mjd, int *year, int *month, int *day, int *hour, int *minute,
                   int *second) {
  const double f = std::floor(mjd);
  const double seconds = (mjd - f) * kSecondsPerDay;
  // Truncated; a product rounded up to a whole day stays in the day, and a
  // NaN (no caller passes one) gives 0h.
  const int s = std::isnan(seconds) ? 0 : static_cast<int>(std::min(seconds, kSecondsPerDay - 1.0));
  *second = s % 60;
  *minute = (s / 60) % 60;
  *hour = s / 3600;
  // No caller passes a day number outside the int range; keep the cast
  // defined all the same.
  double whole = f;
  if (!(whole >= INT_MIN + 0.0)) whole = INT_MIN;
  if (whole > INT_MAX - kMjdToJdn) whole = INT_MAX - kMjdToJdn;
  jdtodate(static_cast<int>(whole) + kMjdToJdn, year, month, day);
}

int splitdegrees(double value, int *whole, int *minutes, int *seconds) {
  const double a = std::fabs(value);
  const double w = std::floor(a);
  if (!(w <= 2147483647.0)) return 0;  // also refuses NaN
  int wi = static_cast<int>(w);
  int s = static_cast<int>((a - w) * 3600.0);
  int sec = s % 60;
  int min = s / 60;
  if (std::signbit(value)) {
    if (wi != 0)
      wi = -wi;
    else if (min != 0)
      min = -min;
    else
      sec = -sec;
  }
  *whole = wi;
  *minutes = min;
  *seconds = sec;
  return 1;
}
