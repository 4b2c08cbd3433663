// SPDX-License-Identifier: MIT
// The clock of a place: its local calendar days and the local time of an
// instant, in the place's own time zone, or for a place without one in
// Central European time, MEZ (UTC+1), or summer time, MESZ (UTC+2), by the
// summer-time rule for whole civil days. Every view asks here which zone a
// place's times are in; none decides it itself.
#ifndef NACHTBLICK_PLACECLOCK_H
#define NACHTBLICK_PLACECLOCK_H

#include "nachtblick/place/places.h"
#include "nachtblick/place/zone.h"

// The local days of n dates in a row from MJD first (dates of the reports'
// calendar). A date without a zone spans 24 hours from its 0h in MEZ or
// MESZ, whichever the summer-time rule gives for the whole date.
void place_days(const Place &place, int first, int n, ZoneDay days[]);

// The local day of one date.
void place_day(const Place &place, int year, int month, int day, ZoneDay *local);

// A rising or setting found over a local day: the hour of the local clock,
// 0..24, and the UT offset (seconds east) of the stretch it falls in.
struct ClockEvent {
  double hour;
  int offset;
};

// Rising and setting of the event type (as riseset) over the local day of
// MJD mjd: the day is searched stretch by stretch, each with its own
// offset, and an event counts in the stretch it falls in. Flags as riseset
// (kAboveAtStart at the day's first stretch). A day of one stretch of 24
// hours is exactly riseset with its offset.
int day_riseset(const ZoneDay &day, int mjd, double longitude, double latitude, int type,
                ClockEvent *rise, ClockEvent *set);

// Minute of the day, 0..1440, at which the rise and set report shows a
// local-clock hour 0..24: rounded from the whole seconds, so 23:59:30 and
// later give 1440 (which the report prints as 00:00).
int clock_minutes(double hour);

// The local clock at an instant: date (reports' calendar), seconds since
// its 0h, the offset in force (seconds east of UT) and its abbreviation.
struct LocalTime {
  int year, month, day;
  int seconds;
  int offset;
  char abbr[kZoneAbbrSize];
};

// The clock of UTC at the instant t: offset 0, abbreviation "UTC".
void utc_time(long long t, LocalTime *utc);

// The local time at the place of the instant t (UT seconds from 0h of
// MJD 0). Without a zone the offset is MESZ when the summer-time rule holds
// for the date the MEZ clock shows, else MEZ.
void place_time(const Place &place, long long t, LocalTime *local);

#endif
