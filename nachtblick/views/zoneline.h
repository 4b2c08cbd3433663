// SPDX-License-Identifier: MIT
// The zone line of the views of one local day (the rise and set report,
// the Sun's view), after "Uhrzeit in ".
#ifndef NACHTBLICK_ZONELINE_H
#define NACHTBLICK_ZONELINE_H

#include <string>

#include "nachtblick/place/placeclock.h"

// The zone's name, if the place has one, the abbreviation and offset of
// the day's first stretch ("MEZ (UTC+1)" or "MESZ (UTC+2)" without a zone)
// and, for each switch, a line below with the local time from which the
// next holds (one line would not fit the window's 64 columns); for a date
// the clock skipped, ", diesen Tag gibt es dort nicht".
void append_zone_line(std::string &text, const Place &place, const ZoneDay &day);

#endif
