// SPDX-License-Identifier: MIT
// An instant and every conversion of it: a Julian Date in universal time
// (UT) or dynamical time (TT, a JDE), or whole seconds of universal time;
// TT and UT one from the other by Delta T (astro/timescales.h); the civil
// date and time of UTC; and the date and time of a place's clock, which
// the place clock (placeclock.h) alone decides. Dates are those of the
// reports' calendar (Julian up to 4 October 1582), and seconds are cut, not
// rounded, as the reports cut them.
#ifndef NACHTBLICK_INSTANT_H
#define NACHTBLICK_INSTANT_H

#include "nachtblick/place/placeclock.h"

// A civil date and time to the whole second.
struct CivilTime {
  int year, month, day;
  int hour, minute, second;
};

class Instant {
 public:
  // The scale an instant was given in.
  enum Scale {
    kUniversal,        // a UT Julian Date
    kDynamical,        // a TT Julian Date (JDE)
    kUniversalSeconds  // whole UT seconds from 0h of MJD 0, exact
  };

  Instant() : Instant(kUniversal, 0.0, 0) {}
  static Instant ut(double jd) { return Instant(kUniversal, jd, 0); }
  static Instant tt(double jde) { return Instant(kDynamical, jde, 0); }
  static Instant seconds(long long t) { return Instant(kUniversalSeconds, 0.0, t); }

  // The UT Julian Date; a JDE less Delta T.
  double ut_jd() const;
  // The JDE; a UT Julian Date plus Delta T of its month.
  double tt_jd() const;
  // Whole UT seconds from 0h of MJD 0, the fraction cut as utc() cuts it.
  long long ut_seconds() const;
  // The civil date and time of UTC.
  CivilTime utc() const;
  // The date and time of the place's clock, with the offset in force and
  // its abbreviation.
  LocalTime local(const Place &place) const;

 private:
  Instant(Scale scale, double jd, long long seconds) : scale_(scale), jd_(jd), seconds_(seconds) {}
  Scale scale_;
  double jd_;
  long long seconds_;
};

// The instant of the minute the rise and set report shows for an event of
// the local day of MJD mjd (clock_minutes), exact to the second.
Instant event_minute(int mjd, const ClockEvent &event);

// The event's own instant, unrounded.
Instant event_instant(int mjd, const ClockEvent &event);

// Earlier than, by the UT Julian Date.
inline bool operator<(const Instant &a, const Instant &b) { return a.ut_jd() < b.ut_jd(); }

#endif
