// SPDX-License-Identifier: MIT
// Calendar arithmetic of nachtblick: civil dates, the reform of October 1582,
// day numbers, weekdays, ISO week numbers, Easter and the CEST rule.
//
// Dates travel as plain ints; the argument order differs by function and is
// part of each interface. Julian calendar up to Thursday 4 October 1582,
// Gregorian from Friday 15 October 1582; supported years 1..10000.
// Weekday: 1 = Sunday .. 7 = Saturday, 0 for an invalid date.
#ifndef NACHTBLICK_CALENDAR_H
#define NACHTBLICK_CALENDAR_H

// Julian Date minus Modified Julian Day, and the Julian Day Number of a
// date (the JD of its noon) minus its MJD.
constexpr double kMjdOffset = 2400000.5;
constexpr int kMjdToJdn = 2400001;
constexpr long long kSecondsPerDay = 86400;
constexpr int kSecondsPerHour = 3600;

// The calendar reform: the Julian calendar up to Thursday 4 October 1582,
// the Gregorian calendar from Friday 15 October 1582.
constexpr int kReformYear = 1582, kReformMonth = 10;
constexpr int kLastJulianDay = 4, kFirstGregorianDay = 15;
// The Julian Day Number of Friday 15 October 1582, the first Gregorian day.
constexpr int kFirstGregorianJdn = 2299161;

// Text of an entry field to int: blanks (spaces only), one optional sign,
// decimal digits up to the first non-digit. 0 when there is no number.
// Values beyond the int range saturate at INT_MAX / INT_MIN.
int entrytoint(const char *text);

// Today's local civil date from the system clock.
void todaydate(int *day, int *month, int *year);

// The years the reports of a date work on.
constexpr int kFirstReportYear = 1000, kLastReportYear = 3000;

// Clamps month to 1..12, year to kFirstReportYear..kLastReportYear, day to
// 1..length of the month, and writes the weekday of the clamped date (0 for
// 5..14 October 1582).
void clampdate(int *day, int *month, int *year, int *wday);

// Days of the month, 28..31; 0 for a month outside 1..12 or a year outside
// 1..10000.
int monthdays(int month, int year);

// 1 for a leap year under the rule of that year, else 0 (years 1..10000).
int leapyear(int year);

// Ordinal day 1..366 (1..355 in 1582); 0 for an invalid day.
int yearday(int day, int month, int year);

// 1 when the date is later than 14 October 1582, else 0.
int isgregorian(int year, int month, int day);

// Modified Julian Day of 0h of the date (0 = 17 November 1858).
int datetomjd(int year, int month, int day);

// Weekday 1..7 (1 = Sunday); 0 for an invalid date or 5..14 October 1582.
int weekday(int day, int month, int year);

// Julian Date of 0h of the date: datetomjd + 2400000.5.
double datetojd(int year, int month, int day);

// Civil date of a Julian Day Number (the JD of noon), Julian calendar up to
// 2299160 (4 October 1582), Gregorian from 2299161. Valid from 0 on.
void jdtodate(int jdn, int *year, int *month, int *day);

// Date of a Julian Day Number in the proleptic Gregorian calendar, also
// before the reform. Valid from 0 on.
void jdtogregorian(int jdn, int *year, int *month, int *day);

// Splits a fractional MJD into the civil date and the time of day; the
// seconds are truncated, never rounded. No zone or time-scale offset.
void mjdtodatetime(double mjd, int *year, int *month, int *day, int *hour, int *minute,
                   int *second);

// Splits a decimal value into whole units, minutes and seconds (truncated),
// the sign on the first part that is not zero. 0, with nothing written, when
// the whole part of the magnitude exceeds 2147483647.
int splitdegrees(double value, int *whole, int *minutes, int *seconds);

// Week offset of the year (-3..3: the weekday of 1 January counted in
// Monday-based weeks) and the raw week number of the date.
void isoweekstart(int day, int month, int year, int *offset, int *rawweek);

// Week number: ISO 8601 (iso != 0, 1..53) or simple Sunday-based weeks
// (iso == 0, 1..54). 0 for an invalid date.
int weeknumber(int day, int month, int year, int iso);
// The iso flag of the reports' week numbers.
constexpr int kIsoWeeks = 1;

// Easter Sunday as day of March (32 = 1 April): Julian computus up to 1582
// or when julian != 0, Gauss's Gregorian algorithm from 1583. 0 for a year
// outside 1..10100.
int eastermarchday(int year, int julian);

// eastermarchday(year, 0).
int easterdate(int year);

// 1 when Central European Summer Time is in force on the date (rules of
// 1980..1995 and from 1996), else 0. Whole civil days; no switch hour.
int summertime(int day, int month, int year);

#endif
