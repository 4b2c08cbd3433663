// SPDX-License-Identifier: MIT
// The searches behind the moon report: from a date to the next phase or
// eclipse of each kind. Instants are Julian Dates in universal time.
#ifndef NACHTBLICK_MOONSEARCH_H
#define NACHTBLICK_MOONSEARCH_H

#include <vector>

#include "nachtblick/place/instant.h"

// Each search gives up after this many lunations. For the years 1000..3000
// it never does: a phase recurs every lunation and every eclipse kind
// within 77.
extern const int kMoonSearchCap;

// Estimated lunation number of a month (Meeus, Astronomical Algorithms,
// 2nd ed., 1998, eq. 49.2, k = (year - 2000) * 12.3685, with the month as a
// twelfth of a year), the start of the searches.
int report_lunation(int year, int month);

// Earliest instant h >= jd0 of phase code 0..3 (new moon, first quarter,
// full moon, last quarter), searched from lunation N; its lunation in n.
// Returns 1 when found, 0 when the cap stopped the search.
int find_moon_phase(int N, int phase, double jd0, int *n, double *h);

// The instants of phase code 0..3 from jd1 up to, not including, jd2 (UT
// Julian Dates), in time order, searched as the moon report searches from
// jd1.
std::vector<Instant> phases_between(int phase, double jd1, double jd2);

// The same from 0h UT of 1 January of the year up to that of the next.
std::vector<Instant> year_phases(int year, int phase);

// The eclipses the reports look for: partial, total and annular solar,
// partial and total lunar, in the order of szFinsternis.
constexpr int kEclipseKinds = 5;

// Earliest eclipse h >= jd0 of index 0..kEclipseKinds - 1 (kind index / 3,
// type index % 3), searched from lunation N; its lunation in n, gamma and
// Saros number. Returns 1 when found, 0 when the cap stopped the search.
int find_eclipse(int N, int index, double jd0, int *n, double *h, double *gamma, int *saros);

#endif
