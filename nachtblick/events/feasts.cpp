// SPDX-License-Identifier: MIT
// The dates of the five Easter-dependent feasts.
#include "nachtblick/events/feasts.h"

#include "calendar/calendar.h"

namespace {

// A date given as a day of month m that may lie past the month's end,
// carried into the months after.
void carry(int *m, int *d, int year) {
  while (*d > monthdays(*m, year)) {
    *d -= monthdays(*m, year);
    ++*m;
  }
}

}  // namespace

// Easter Sunday, Ascension (+39), Pentecost (+49) and Corpus Christi (+60)
// from Easter's day of March; Ash Wednesday (-46) back into February when
// it falls before 1 March.
void feast_dates(int year, int month[kFeastSlots], int day[kFeastSlots]) {
  static const int kAfterEaster[] = {0, 39, 49, 60};
  const int easter = easterdate(year);
  for (int i = 1; i <= 4; ++i) {
    month[i] = 3;
    day[i] = easter + kAfterEaster[i - 1];
    carry(&month[i], &day[i], year);
  }
  month[5] = 3;
  day[5] = easter - 46;
  if (day[5] <= 0) {
    month[5] = 2;
    day[5] += monthdays(2, year);
  }
}
