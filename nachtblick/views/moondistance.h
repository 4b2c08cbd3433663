// SPDX-License-Identifier: MIT
// The Moon's distance view: the rows of events/moondistances.h as German
// text or tsv.
#ifndef NACHTBLICK_MOONDISTANCE_H
#define NACHTBLICK_MOONDISTANCE_H

#include <string>

#include "nachtblick/views/viewformat.h"

// The header line of the tsv format.
extern const char *const kMoonDistanceTsvHeader;

// Writes the view of the year (kFirstReportYear..kLastReportYear; events
// from its 1 January 0h UT up to the next) to out and returns true. For a
// year out of range writes a message without line end to err, nothing to
// out, and returns false.
bool moon_distance_view(int year, ViewFormat format, std::string &out, std::string &err);

#endif
