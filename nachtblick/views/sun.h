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
#include "nachtblick/views/viewresult.h"

// The header line of the tsv format.
extern const char *const kSunTsvHeader;

// The view of the date (a date of the years kFirstReportYear..
// kLastReportYear in the reports' calendar) at the place; January is named
// by jan_variant. Any other date is bad input.
ViewResult sun_view(int year, int month, int day, const Place &place, int jan_variant,
                    ViewFormat format);

#endif
