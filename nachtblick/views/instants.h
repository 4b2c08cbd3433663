// SPDX-License-Identifier: MIT
// Instants as the new views write them: UT Julian Dates cut to the whole
// second as the reports cut them, in UTC and in the local time of a place
// (the place clock), as text for people and as ISO 8601 for the tsv
// format. Dates are those of the reports' calendar (Julian up to
// 4 October 1582).
#ifndef NACHTBLICK_INSTANTS_H
#define NACHTBLICK_INSTANTS_H

#include <string>

#include "nachtblick/place/placeclock.h"

// A UT Julian Date as whole UT seconds from 0h of MJD 0, the seconds cut
// as mjdtodatetime cuts them.
long long ut_seconds(double jd);

// "YYYY-MM-DDTHH:MM:SSZ".
std::string iso_utc(long long t);

// "YYYY-MM-DDTHH:MM:SS+HH:MM" in the local time at the place (seconds of
// the offset appended where it has them, as local mean times do).
std::string iso_local(const Place &place, long long t);

// "YYYY-MM-DD" of the local date at the place.
std::string iso_local_date(const Place &place, long long t);

// Appends "hh:mm" of a minute of the local day, 0..1440; 1440 (24:00)
// as 00:00, as the rise and set report prints it.
void append_minute(std::string &text, int minute);

// "dd.mm. hh:mm:ss ABBR" in the local time at the place.
std::string clock_text(const Place &place, long long t);

// "hh:mm:ss ABBR" in the local time at the place.
std::string time_text(const Place &place, long long t);

#endif
