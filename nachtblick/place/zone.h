// SPDX-License-Identifier: MIT
// Time zones of places: IANA names looked up in the system's tz database
// through GLib, and the local calendar days of such a zone as stretches of
// one UT offset each. The place clock (placeclock.h) decides which zone a
// place's days are in; nothing else calls this.
#ifndef NACHTBLICK_ZONE_H
#define NACHTBLICK_ZONE_H

#include <string>
#include <vector>

// Longest zone name and its buffer; an abbreviation's buffer ("EDT",
// "+0545", "LMT"); stretches a local day can hold.
enum { kZoneNameMax = 64, kZoneNameSize = kZoneNameMax + 1, kZoneAbbrSize = 16, kDaySpans = 8 };

// 1 when name has the form of an IANA zone name (it begins with a letter;
// then letters, digits, '/', '_', '-' and '+'; at most kZoneNameMax bytes;
// no empty part and no "..") and the tz database holds it, else 0. Only a
// name of that form reaches the time-zone library.
int zone_known(const char *name);

// The zones tzdata offers a user to choose from (the third column of
// zone1970.tab in $TZDIR, else /usr/share/zoneinfo), sorted; empty when the
// table cannot be read.
std::vector<std::string> zone_choices(void);

// A stretch of a local day in which one offset holds.
struct ZoneSpan {
  long long start;           // UT seconds from 0h of MJD 0
  int offset;                // seconds east of UT
  char abbr[kZoneAbbrSize];  // abbreviation of the zone, e.g. "EDT", "+0545"
};

// A local calendar day: from the first instant the clock shows the date to
// the first instant it shows a later one. Its stretches are in time order;
// count 0 when the clock skipped the date.
struct ZoneDay {
  int count;
  ZoneSpan span[kDaySpans];
  long long end;  // UT seconds from 0h of MJD 0
};

// The local days of n dates in a row from MJD first (the MJD of a date's 0h
// is its day number on the local clock) in the zone. 1, or 0 with nothing
// written when the zone is unknown.
int zone_days(const char *zone, int first, int n, ZoneDay days[]);

// The offset (seconds east of UT) in force in the zone at t, UT seconds
// from 0h of MJD 0, and its abbreviation. 1, or 0 with nothing written when
// the zone is unknown.
int zone_offset(const char *zone, long long t, int *offset, char abbr[kZoneAbbrSize]);

#endif
