// SPDX-License-Identifier: MIT
#include "nachtblick/place/instant.h"

#include "astro/timescales.h"
#include "calendar/calendar.h"

double Instant::ut_jd() const {
  switch (scale_) {
    case kDynamical: return ttut(jd_, kToUniversal);
    case kUniversalSeconds: return seconds_ / static_cast<double>(kSecondsPerDay) + kMjdOffset;
    default: return jd_;
  }
}

double Instant::tt_jd() const {
  if (scale_ == kDynamical) return jd_;
  const double jd = ut_jd();
  return jd + deltatdays(jd);
}

long long Instant::ut_seconds() const {
  if (scale_ == kUniversalSeconds) return seconds_;
  const CivilTime c = utc();
  return datetomjd(c.year, c.month, c.day) * kSecondsPerDay + c.hour * kSecondsPerHour +
         c.minute * 60 + c.second;
}

CivilTime Instant::utc() const {
  CivilTime c{};
  if (scale_ == kUniversalSeconds) {
    LocalTime l{};
    utc_time(seconds_, &l);
    return CivilTime{
        l.year, l.month, l.day, l.seconds / kSecondsPerHour, l.seconds / 60 % 60, l.seconds % 60};
  }
  mjdtodatetime(ut_jd() - kMjdOffset, &c.year, &c.month, &c.day, &c.hour, &c.minute, &c.second);
  return c;
}

LocalTime Instant::local(const Place &place) const {
  LocalTime l{};
  place_time(place, ut_seconds(), &l);
  return l;
}

Instant event_minute(int mjd, const ClockEvent &event) {
  return Instant::seconds(mjd * kSecondsPerDay + clock_minutes(event.hour) * 60LL - event.offset);
}

Instant event_instant(int mjd, const ClockEvent &event) {
  return Instant::ut(mjd + kMjdOffset +
                     (event.hour * kSecondsPerHour - event.offset) / kSecondsPerDay);
}
