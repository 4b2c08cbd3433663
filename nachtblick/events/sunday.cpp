// SPDX-License-Identifier: MIT
// The Sun's day: the rise and set report's sunrise and sunset, the precise
// Sun's transit (astro/suntransit.h) and its intervals in the bands of the
// hours (astro/sunbands.h).
#include "nachtblick/events/sunday.h"

#include <algorithm>

#include "astro/localposition.h"
#include "astro/sunbands.h"
#include "astro/sunmoon.h"
#include "astro/suntransit.h"
#include "calendar/calendar.h"

namespace {

// The bands of the hours, by SunHourKind.
const double kHourBands[kSunHours][2] = {{kBlueHourLow, kGoldenHourLow},
                                         {kGoldenHourLow, kGoldenHourHigh}};

// At most five intervals of a band overlap a span of a day (sunbands).
constexpr int kDayBands = 8;

// The hour of the band [low, high] about the instant noon (UT Julian
// Date): its intervals in the 24 hours about noon, picked as SunHour says.
SunHour sun_hour(const Place &place, double low, double high, double noon) {
  SunHour h{low, high, std::nullopt, std::nullopt, false};
  SunBand bands[kDayBands];
  const int n = std::min(sunbands(place.longitude, place.latitude, low, high, noon - 0.5,
                                  noon + 0.5, bands, kDayBands),
                         kDayBands);
  for (int k = 0; k < n; ++k) {
    const SunInterval i{Instant::ut(bands[k].begin), Instant::ut(bands[k].end), bands[k].flags};
    if (bands[k].begin < noon) h.morning = i;  // the last to begin before noon
    if (bands[k].end > noon && !h.evening) h.evening = i;
  }
  if (!h.morning && !h.evening) {
    TopocentricPosition sun{};
    suntopocentric(noon, place.longitude, place.latitude, &sun);
    h.above = sun.altitude > high;
  }
  return h;
}

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
  if (sun.flags & kRiseFound) sun.sunrise = event_instant(mjd, sun.rise);
  if (sun.flags & kSetFound) sun.sunset = event_instant(mjd, sun.set);
  const double jd1 = Instant::seconds(local.span[0].start).ut_jd();
  const double jd2 = Instant::seconds(local.end).ut_jd();
  double noon = 0.5 * (jd1 + jd2);
  if (suntransit(jd1, jd2, place.longitude, place.latitude, &noon)) sun.transit = Instant::ut(noon);
  for (int k = 0; k < kSunHours; ++k)
    sun.hours[k] = sun_hour(place, kHourBands[k][0], kHourBands[k][1], noon);
  return sun;
}

std::optional<Instant> sun_event(const SunDay &sun, SunEvent event) {
  switch (event) {
    case kSunRise: return sun.sunrise;
    case kSunTransit: return sun.transit;
    case kSunSet: return sun.sunset;
    default: break;
  }
  // The hours' edges: blue morning, golden morning, golden evening, blue
  // evening, each begin and end.
  const int k = event - kBlueAmBegin;
  const SunHour &h = sun.hours[k / 2 == 0 || k / 2 == 3 ? kBlueHour : kGoldenHour];
  const std::optional<SunInterval> &i = k / 2 < 2 ? h.morning : h.evening;
  if (!i || i->flags) return std::nullopt;
  return k % 2 ? i->end : i->begin;
}
