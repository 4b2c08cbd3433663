// SPDX-License-Identifier: MIT
// The Sun's view of a day at a place: sunrise and sunset (at the minute of
// the rise and set report) with the Sun's azimuth, its transit and
// altitude there, the day length, and the golden and blue hours of the
// morning and the evening, in the place's time (its zone, or MEZ/MESZ).
#ifndef NACHTBLICK_SUN_H
#define NACHTBLICK_SUN_H

#include <string>

#include "nachtblick/place/placeclock.h"
#include "nachtblick/views/viewformat.h"

// The geometric altitudes (degrees, the Sun's centre, without refraction)
// that bound the photographers' hours: the blue hour from -6 to -4, the
// golden hour from -4 to +6.
constexpr double kBlueHourLow = -6.0, kGoldenHourLow = -4.0, kGoldenHourHigh = 6.0;

// The header line of the tsv format.
extern const char *const kSunTsvHeader;

// The events of the view, in the order the text names them.
enum SunEvent {
  kSunRise,
  kSunTransit,
  kSunSet,
  kBlueAmBegin,
  kBlueAmEnd,
  kGoldenAmBegin,
  kGoldenAmEnd,
  kGoldenPmBegin,
  kGoldenPmEnd,
  kBluePmBegin,
  kBluePmEnd,
  kSunEvents
};

// The events of the local day of the date at the place: UT Julian Dates,
// 0 for an event the day does not have. flags as riseset's for sunrise and
// sunset (astro/sunmoon.h).
struct SunDay {
  double jd[kSunEvents];
  int flags;
  int count;               // stretches of the local day; 0 when the clock skipped the date
  ClockEvent rise, set;    // sunrise and sunset as the rise and set report finds them
  double lowest, highest;  // the Sun's least and greatest sampled altitude of the day
};
void sun_day(int year, int month, int day, const Place &place, SunDay *sun);

// Writes the view of the date (a date of the years kFirstReportYear..
// kLastReportYear in the reports' calendar) at the place to out and
// returns true; January is named by jan_variant. Any other date: a message
// without line end in err, nothing in out, false.
bool sun_view(int year, int month, int day, const Place &place, int jan_variant, ViewFormat format,
              std::string &out, std::string &err);

#endif
