// SPDX-License-Identifier: MIT
// The Moon's distance over a year: every perigee and apogee (Meeus ch. 50)
// and every new and full moon with the distance of the precise Moon at
// that instant, and how close each phase comes against the apsides either
// side of it.
#ifndef NACHTBLICK_MOONDISTANCES_H
#define NACHTBLICK_MOONDISTANCES_H

#include <vector>

#include "nachtblick/place/instant.h"

// The kinds of rows.
enum MoonDistanceKind { kPerigee, kApogee, kNewMoon, kFullMoon };

// Closeness of a distance d between the perigee p and the apogee a either
// side of it: (a - d) / (a - p), 1 at the perigee's distance, 0 at the
// apogee's. A full moon is a "Supermond" when its closeness is at least
// kSuperMoon, a "Minimond" when it is at most kMiniMoon.
constexpr double kSuperMoon = 0.9, kMiniMoon = 0.1;

struct MoonDistanceRow {
  Instant at;
  MoonDistanceKind kind;
  double distance;   // km, centre to centre
  bool rated;        // a phase between a perigee and an apogee
  double closeness;  // of a rated phase
};

// The rows of the year (kFirstReportYear..kLastReportYear), from its
// 1 January 0h UT up to the next, in time order.
std::vector<MoonDistanceRow> moon_distance_rows(int year);

#endif
