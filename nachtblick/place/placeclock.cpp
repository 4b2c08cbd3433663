// SPDX-License-Identifier: MIT
// The clock of a place: its zone's days, or the MEZ/MESZ rule as one more
// zone, and the rise and set search over a local day whose offset may
// change.
#include "nachtblick/place/placeclock.h"

#include <cstdio>

#include "astro/sunmoon.h"
#include "calendar/calendar.h"

namespace {

// MEZ, UTC+1, and MESZ, UTC+2: the offset of a date by the summer-time rule.
int mez_offset(int year, int month, int day) {
  return (1 + summertime(day, month, year)) * kSecondsPerHour;
}

const char *mez_name(int offset) { return offset == 2 * kSecondsPerHour ? "MESZ" : "MEZ"; }

// The 24 hours of the date of MJD mjd in MEZ or MESZ.
void mez_day(int mjd, ZoneDay *local) {
  int y, m, d;
  jdtodate(mjd + kMjdToJdn, &y, &m, &d);
  ZoneSpan &s = local->span[0];
  s.offset = mez_offset(y, m, d);
  s.start = mjd * kSecondsPerDay - s.offset;
  std::snprintf(s.abbr, sizeof s.abbr, "%s", mez_name(s.offset));
  local->count = 1;
  local->end = s.start + kSecondsPerDay;
}

// Floor division of UT seconds into days.
long long day_of(long long t) {
  return t >= 0 ? t / kSecondsPerDay : -((-t + kSecondsPerDay - 1) / kSecondsPerDay);
}

}  // namespace

void place_days(const Place &place, int first, int n, ZoneDay days[]) {
  if (place.zone[0] && zone_days(place.zone, first, n, days)) return;
  for (int k = 0; k < n; ++k) mez_day(first + k, &days[k]);
}

void place_day(const Place &place, int year, int month, int day, ZoneDay *local) {
  place_days(place, datetomjd(year, month, day), 1, local);
}

int day_riseset(const ZoneDay &day, int mjd, double longitude, double latitude, int type,
                ClockEvent *rise, ClockEvent *set) {
  int flags = 0;
  for (int k = 0; k < day.count; ++k) {
    const ZoneSpan &s = day.span[k];
    const bool last = k + 1 == day.count;
    const long long to = last ? day.end : day.span[k + 1].start;
    // An event counts in this stretch when its instant lies in it; the
    // day's end belongs to its last stretch (it prints as 00:00).
    auto inside = [&](double hour) {
      const double t =
          mjd * static_cast<double>(kSecondsPerDay) + hour * kSecondsPerHour - s.offset;
      return t >= s.start && (last ? t <= to : t < to);
    };
    double r = 0.0, st = 0.0;
    const int f = riseset(mjd, s.offset / static_cast<double>(kSecondsPerHour), longitude, latitude,
                          type, &r, &st);
    if (k == 0) flags |= f & kAboveAtStart;
    if (!(flags & kRiseFound) && (f & kRiseFound) && inside(r)) {
      *rise = ClockEvent{r, s.offset};
      flags |= kRiseFound;
    }
    if (!(flags & kSetFound) && (f & kSetFound) && inside(st)) {
      *set = ClockEvent{st, s.offset};
      flags |= kSetFound;
    }
  }
  return flags;
}

int clock_minutes(double hour) {
  int h, m, s;
  splitdegrees(hour, &h, &m, &s);
  if (s >= 30) ++m;
  return h * 60 + m;
}

void place_time(const Place &place, long long t, LocalTime *local) {
  if (!(place.zone[0] && zone_offset(place.zone, t, &local->offset, local->abbr))) {
    int y, m, d;
    jdtodate(static_cast<int>(day_of(t + kSecondsPerHour)) + kMjdToJdn, &y, &m, &d);
    local->offset = mez_offset(y, m, d);
    std::snprintf(local->abbr, sizeof local->abbr, "%s", mez_name(local->offset));
  }
  LocalTime clock{};
  utc_time(t + local->offset, &clock);
  local->year = clock.year, local->month = clock.month, local->day = clock.day;
  local->seconds = clock.seconds;
}

void utc_time(long long t, LocalTime *utc) {
  const long long mjd = day_of(t);
  utc->seconds = static_cast<int>(t - mjd * kSecondsPerDay);
  jdtodate(static_cast<int>(mjd) + kMjdToJdn, &utc->year, &utc->month, &utc->day);
  utc->offset = 0;
  std::snprintf(utc->abbr, sizeof utc->abbr, "UTC");
}
