// SPDX-License-Identifier: MIT
// The Sun's view of a day at a place: sunrise and sunset (at the minute of
// the rise and set report) with the Sun's azimuth, its transit and
// altitude there, the day length, and the golden and blue hours of the
// morning and the evening, in the place's time (its zone, or MEZ/MESZ).
#ifndef NACHTBLICK_SUN_H
#define NACHTBLICK_SUN_H

#include <string>

#include "nachtblick/place/places.h"
#include "nachtblick/views/viewformat.h"

// The header line of the tsv format.
extern const char *const kSunTsvHeader;

// Writes the view of the date (a date of the years kFirstReportYear..
// kLastReportYear in the reports' calendar) at the place to out and
// returns true; January is named by jan_variant. Any other date: a message
// without line end in err, nothing in out, false.
bool sun_view(int year, int month, int day, const Place &place, int jan_variant, ViewFormat format,
              std::string &out, std::string &err);

#endif
