// SPDX-License-Identifier: MIT
// The dates of the five Easter-dependent feasts of a year, for the feast
// list of the calendar report and the export.
#ifndef NACHTBLICK_FEASTS_H
#define NACHTBLICK_FEASTS_H

// Month (2..7) and day of the five feasts of the feast list, indices 1..5
// as szFeiertag (Easter Sunday, Ascension, Pentecost, Corpus Christi, Ash
// Wednesday), in the calendar of the year; index 0 is left as it is.
constexpr int kFeastSlots = 6;
void feast_dates(int year, int month[kFeastSlots], int day[kFeastSlots]);

#endif
