// SPDX-License-Identifier: MIT
// The Sun's day at a place: sunrise and sunset as the rise and set report
// finds them, the transit, and the edges of the golden and blue hours of
// the morning and the evening, over the place's local day (its zone, or
// MEZ/MESZ).
#ifndef NACHTBLICK_SUNDAY_H
#define NACHTBLICK_SUNDAY_H

#include <optional>

#include "nachtblick/place/instant.h"

// The geometric altitudes (degrees, the Sun's centre, without refraction)
// that bound the photographers' hours: the blue hour from -6 to -4, the
// golden hour from -4 to +6.
constexpr double kBlueHourLow = -6.0, kGoldenHourLow = -4.0, kGoldenHourHigh = 6.0;

// The events of the day, in the order the Sun's view names them.
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

// The events of the local day of a date at a place; an event the day does
// not have is empty. flags as riseset's for sunrise and sunset
// (astro/sunmoon.h).
struct SunDay {
  std::optional<Instant> at[kSunEvents];
  int flags;
  int count;               // stretches of the local day; 0 when the clock skipped the date
  ClockEvent rise, set;    // sunrise and sunset as the rise and set report finds them
  double lowest, highest;  // the Sun's least and greatest sampled altitude of the day
};

// The Sun's day of the date (of the reports' calendar) at the place.
SunDay sun_day(int year, int month, int day, const Place &place);

#endif
