// SPDX-License-Identifier: MIT
// The Sun's day at a place: sunrise and sunset as the rise and set report
// finds them and the transit, over the place's local day (its zone, or
// MEZ/MESZ); and the golden and blue hours of the morning and the evening
// as whole intervals (astro/sunbands.h), each edge on whatever date it
// falls.
#ifndef NACHTBLICK_SUNDAY_H
#define NACHTBLICK_SUNDAY_H

#include <optional>

#include "nachtblick/place/instant.h"

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

// The hours, by index.
enum SunHourKind { kBlueHour, kGoldenHour, kSunHours };

// An interval of an hour: the Sun's centre within the hour's band from
// begin to end, begin before end, whole: either edge may fall on another
// date, after midnight, across a white night or weeks away.
struct SunInterval {
  Instant begin, end;
  int flags;  // 0, or the SunBandFlags (astro/sunbands.h) of an edge not found
              // within the search's reach (not seen): its instant is where the
              // search stopped
};

// An hour of the Sun's day. The transit divides the day's 24 hours about
// it: the morning interval is the last that begins before the transit and
// is in progress within the 12 hours before it; the evening interval the
// first that ends after the transit and is in progress within the 12 hours
// after it. An interval that holds the transit is both (a day on which the
// Sun stays below the band's high edge, or weeks in the band); an interval
// about the lower culmination is the evening of one day and the morning
// of the next (a white night). Without either the Sun stays outside the
// band all those 24 hours (polar day or night, or short of the band).
struct SunHour {
  double low, high;  // the band: the Sun's geometric altitude, degrees
  std::optional<SunInterval> morning, evening;
  bool above;  // without either interval: the Sun stays above the band (false: below)
};

// The Sun's day of a date at a place.
struct SunDay {
  int count;  // stretches of the local day; 0 when the clock skipped the date (nothing else set)
  int flags;  // riseset's (astro/sunmoon.h) for sunrise and sunset
  ClockEvent rise, set;  // sunrise and sunset as the rise and set report finds them
  std::optional<Instant> sunrise, sunset;  // their unrounded instants, where found
  std::optional<Instant> transit;          // the upper transit within the local day
  // The hours, by SunHourKind, about the transit (without one, about the
  // middle of the local day).
  SunHour hours[kSunHours];
};

// The Sun's day of the date (of the reports' calendar) at the place.
SunDay sun_day(int year, int month, int day, const Place &place);

// The instant of an event of the day; none for an event the day does not
// have, and for both edges of an interval with an edge not found.
std::optional<Instant> sun_event(const SunDay &sun, SunEvent event);

#endif
