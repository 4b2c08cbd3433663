// SPDX-License-Identifier: MIT
// Calendar export: the moon phases, eclipses, season starts and Easter feasts
// of one year, and for a place its sunrises and sunsets, as one iCalendar
// object (RFC 5545).
//
// Every instant is the one the moon, seasons and rise and set reports show:
// phases, eclipses and seasons in universal time to the second (truncated
// as the reports truncate), sunrise and sunset to the minute of the rise and
// set report, taken back from its zone time (UTC+1, UTC+2 under summer time)
// to UTC. An event belongs to the year when its instant lies from 0h UT of
// 1 January of the year up to, not including, 0h UT of 1 January of the next,
// with the year counted as the reports count it (Julian calendar up to
// 4 October 1582, Gregorian from 15 October 1582). The feasts are whole days
// of the year. Dates are written in the proleptic Gregorian calendar that
// RFC 5545 prescribes, so Easter 1500 (Julian 19 April) is 1500-04-29.
#ifndef NACHTBLICK_ICAL_H
#define NACHTBLICK_ICAL_H

#include <string>

#include "nachtblick/place/places.h"
#include "nachtblick/views/reports.h"
#include "nachtblick/views/viewresult.h"

// The kinds of events an export can hold (--events names them: phases,
// eclipses, seasons, feasts, sun, golden, apsides, local-eclipses); each
// event carries its kind as CATEGORIES.
enum IcalEvents : unsigned {
  kIcalPhases = 1,          // new moon, first quarter, full moon, last quarter
  kIcalEclipses = 2,        // the eclipses of the moon report
  kIcalSeasons = 4,         // the season starts
  kIcalFeasts = 8,          // the Easter-dependent feasts, all-day
  kIcalSun = 16,            // sunrise and sunset at the place
  kIcalGolden = 32,         // the evening golden hour at the place
  kIcalApsides = 64,        // the Moon's perigees and apogees
  kIcalLocalEclipses = 128  // the eclipses seen at the place, C1 (P1) to C4 (P4)
};
// The kinds that need a place.
constexpr unsigned kIcalAtPlace = kIcalSun | kIcalGolden | kIcalLocalEclipses;
// Without a choice: all but the golden hour and the apsides (those of a
// place only with one).
constexpr unsigned kIcalDefault =
    kIcalPhases | kIcalEclipses | kIcalSeasons | kIcalFeasts | kIcalSun | kIcalLocalEclipses;

// The names of the kinds, ", " between them.
std::string ical_event_names(void);

// The kinds a comma-separated list of their names chooses; false with a
// message without line end in err for a name that is none of them.
bool ical_events(const char *list, unsigned *events, std::string &err);

// The iCalendar object of the year with the chosen kinds of events. With a
// place (may be null) the events at the place are included; its name, any
// bytes, goes into LOCATION as UTF-8 (bytes that are no UTF-8 are read as
// Latin-1). stamp, a date of the reports' calendar, is the DTSTAMP of every
// event, at 00:00:00 UTC. A year outside kFirstReportYear..kLastReportYear,
// a stamp past kLastStampYear (yearcheck.h) and events of a place without
// one are bad input.
ViewResult ical_report(int year, const Place *place, CivilDate stamp,
                       unsigned events = kIcalDefault);

// Appends a content line with its CRLF, folded into lines of at most 75
// octets (RFC 5545 3.1: a CRLF and a blank before each continuation), never
// inside a UTF-8 sequence.
void ical_fold(std::string &out, const std::string &line);

#endif
