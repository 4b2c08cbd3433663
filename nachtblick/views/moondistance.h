// SPDX-License-Identifier: MIT
// The Moon's distance over a year: every perigee and apogee (Meeus ch. 50)
// and every new and full moon with the distance of the precise Moon at
// that instant; a full moon is a "Supermond" when its closeness is at
// least kSuperMoon, a "Minimond" when it is at most kMiniMoon.
#ifndef NACHTBLICK_MOONDISTANCE_H
#define NACHTBLICK_MOONDISTANCE_H

#include <string>

#include "nachtblick/views/viewformat.h"

// Closeness of a distance d between the perigee p and the apogee a either
// side of it: (a - d) / (a - p), 1 at the perigee's distance, 0 at the
// apogee's.
constexpr double kSuperMoon = 0.9, kMiniMoon = 0.1;

// The header line of the tsv format.
extern const char *const kMoonDistanceTsvHeader;

// Writes the view of the year (kFirstReportYear..kLastReportYear; events
// from its 1 January 0h UT up to the next) to out and returns true. For a
// year out of range writes a message without line end to err, nothing to
// out, and returns false.
bool moon_distance_view(int year, ViewFormat format, std::string &out, std::string &err);

#endif
