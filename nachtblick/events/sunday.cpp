// SPDX-License-Identifier: MIT
// The Sun's day: the rise and set report's sunrise and sunset, the precise
// Sun (astro/sunevents.h) for the transit and the edges of the golden and
// blue hours.
#include "nachtblick/events/sunday.h"

#include <algorithm>

#include "astro/sunevents.h"
#include "astro/sunmoon.h"
#include "calendar/calendar.h"

namespace {

// The edges of the hours: the altitude crossed, upwards or downwards.
struct Edge {
  SunEvent event;
  double altitude;
  bool rising;
};
const Edge kEdges[] = {
    {kBlueAmBegin, kBlueHourLow, true},       {kBlueAmEnd, kGoldenHourLow, true},
    {kGoldenAmBegin, kGoldenHourLow, true},   {kGoldenAmEnd, kGoldenHourHigh, true},
    {kGoldenPmBegin, kGoldenHourHigh, false}, {kGoldenPmEnd, kGoldenHourLow, false},
    {kBluePmBegin, kGoldenHourLow, false},    {kBluePmEnd, kBlueHourLow, false}};

}  // namespace

SunDay sun_day(int year, int month, int day, const Place &place) {
  SunDay sun{};
  ZoneDay local;
  place_day(place, year, month, day, &local);
  sun.count = local.count;
  if (local.count == 0) return sun;
  const int mjd = datetomjd(year, month, day);
  sun.flags =
      day_riseset(local, mjd, place.longitude, place.latitude, kEventSun, &sun.rise, &sun.set);
  if (sun.flags & kRiseFound) sun.at[kSunRise] = event_instant(mjd, sun.rise);
  if (sun.flags & kSetFound) sun.at[kSunSet] = event_instant(mjd, sun.set);
  const double jd1 = Instant::seconds(local.span[0].start).ut_jd();
  const double jd2 = Instant::seconds(local.end).ut_jd();
  double jd = 0.0;
  if (suntransit(jd1, jd2, place.longitude, place.latitude, &jd))
    sun.at[kSunTransit] = Instant::ut(jd);
  SunSamples samples;
  sunsamples(jd1, jd2, place.longitude, place.latitude, &samples);
  for (const Edge &e : kEdges)
    if (suncrossing(samples, e.altitude, e.rising, &jd)) sun.at[e.event] = Instant::ut(jd);
  const double *first = samples.altitude, *last = samples.altitude + samples.count;
  sun.lowest = *std::min_element(first, last);
  sun.highest = *std::max_element(first, last);
  return sun;
}
