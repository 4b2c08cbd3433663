// SPDX-License-Identifier: MIT
// kalcal.h - calendar functions of the kalender program.
//
// Conventions shared by all five functions:
//   - dates are (day, month, year) as plain ints, year as the full number;
//   - Julian calendar up to Thursday 4 October 1582, Gregorian calendar from
//     Friday 15 October 1582; the days 5..14 October 1582 do not exist;
//   - weekdays are numbered 1 = Sunday .. 7 = Saturday;
//   - invalid input gives a special result (0, for Easter -1), never an error.
#ifndef KALENDER_KALCAL_H
#define KALENDER_KALCAL_H

// Weekday of a date, 1 = Sunday .. 7 = Saturday.
// Valid: year 1..10000, month 1..12, day 1..length of the month, and not
// 5..14 October 1582.  Returns 0 otherwise.
int dayofweek(int day, int month, int year);

// Ordinal day of a date in its year: 1..366, in 1582 1..355.
// Valid: year 10..10000, month 1..12, day 1..length of the month.  In
// October 1582 every day 1..31 is accepted; 5..14 October count as 268..277.
// Returns 0 otherwise.
int dayofyear(int day, int month, int year);

// Number of days of a month, 28..31 (February 29 in a Julian leap year up to
// 1582, in a Gregorian one after).  Valid: month 1..12, year 1..10000.
// Returns 0 otherwise.
int lastdayofmonth(int month, int year);

// ISO 8601 week number 1..53 (weeks run Monday to Sunday; week 1 holds the
// first Thursday of the year).  Valid: year 1583..10000, month 1..12, day
// 1..length of the month.  Returns 0 otherwise.
int weekofyear(int day, int month, int year);

// Easter Sunday as a day of March, 22..56 (32 = 1 April, 56 = 25 April).
// Julian computus up to 1582, Gregorian (Gauss) from 1583.
// Valid: year 1..10000.  Returns -1 otherwise.
int eastersunday(int year);

#endif
