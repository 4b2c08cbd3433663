// SPDX-License-Identifier: MIT
// The instants at which a smooth function of time crosses given levels
// within a span, found through its extrema: the function is sampled, each
// sampled extremum that may hide a crossing is refined by golden-section
// search, and between neighbouring extrema, where the function is
// monotonic, each level is crossed at most once and bisected. So a
// maximum that just passes a level between two samples is not lost.
#ifndef NACHTBLICK_LEVELCROSSINGS_H
#define NACHTBLICK_LEVELCROSSINGS_H

#include "astro/rootsearch.h"  // TimeFunction

// How a span is searched. Times in days, values in the function's unit.
struct LevelSearch {
  double step;       // the sampling step
  double margin;     // bound on how far the function's extremum lies beyond
                     // the sample nearest it (within one step)
  double tolerance;  // the crossings' bracket at the end of the bisection
};

// The altitudes of the Sun and the Moon, degrees: sampled every hour,
// bisected to 0.05 s. Within an hour of an extremum the altitude differs
// from it by at most 2.5 deg: the body moves up to 15 deg of hour angle on
// its diurnal circle, which lowers sin(altitude) by at most
// cos(lat) cos(dec) (1 - cos 15 deg) <= 0.034, or 2.2 deg at altitudes
// within 25 deg of the horizon (an extremum farther from it is nowhere
// near the levels searched), plus its change of declination within the
// hour (the Sun's 0.02 deg, the Moon's 0.3 deg at most). Extrema lie about
// 12 hours apart; two of them closer than two steps, which the samples
// cannot tell apart, occur only where the change of declination matches
// the diurnal motion, within 0.07 deg of a pole for the Sun and 1.2 deg
// for the Moon, and the altitude then moves between them by less than
// 0.001 deg (the Sun) or 0.02 deg (the Moon).
constexpr LevelSearch kAltitudeSearch = {1.0 / 24.0, 3.0, 0.05 / 86400.0};

struct LevelCrossing {
  double t;    // the instant, days (a Julian Date)
  int level;   // the index of the level crossed
  int rising;  // 1 when the function passes above the level, 0 below it
};

// The crossings of levels[0..count) (ascending) by f within the span
// [t1, t2], in time order: writes at most capacity of them to out and
// returns how many there are (which may exceed capacity; none when
// t2 <= t1). A crossing is the midpoint of a bracket shorter than
// search.tolerance across which f passes from at or below the level to
// above it, or back. Exact under the conditions of search: f has no two
// extrema within two steps of each other, and search.margin bounds how
// far an extremum exceeds the nearest sample. Extrema are refined only
// where a level lies within that margin of a sample, so a span costs about
// one evaluation of f per step plus some 25 per crossing and per such
// extremum.
int levelcrossings(TimeFunction f, const void *context, double t1, double t2, const double *levels,
                   int count, const LevelSearch &search, LevelCrossing *out, int capacity);

#endif
