// SPDX-License-Identifier: MIT
// The moon searches: from a date to the next phase or eclipse of each kind,
// as the moon report, the export and the chart search them.
#include "nachtblick/events/moonsearch.h"

#include <cmath>

#include "astro/eclipse.h"
#include "astro/lunar.h"
#include "astro/timescales.h"
#include "calendar/calendar.h"

const int kMoonSearchCap = 2000;

namespace {

const double kLunationsPerYear = 12.3685;  // Meeus, 2nd ed., 1998, eq. 49.2

}  // namespace

// Earliest instant h >= jd0 of the phase code: the start lunation is N - 1,
// moved back while the phase of the lunation before it is still at or after
// jd0; from there forward to the first lunation whose phase is not before
// jd0. Returns 1 when found, 0 when the cap stopped the search.
int find_moon_phase(int N, int phase, double jd0, int *n, double *h) {
  int start = N - 1;
  int steps = 0;
  while (steps < kMoonSearchCap && moonphase(start - 1, phase, kToUniversal) >= jd0) {
    --start;
    ++steps;
  }
  for (int i = start; steps < kMoonSearchCap; ++i, ++steps) {
    *n = i;
    *h = moonphase(i, phase, kToUniversal);
    if (*h >= jd0) return 1;
  }
  return 0;
}

// Earliest eclipse h >= jd0 of szFinsternis entry index (kind index / 3,
// type index % 3), trying lunations N - 1, N, N + 1, ... Lunations without
// such an eclipse give 0 and are passed over. Returns 1 when found, 0 when
// the cap stopped the search.
int find_eclipse(int N, int index, double jd0, int *n, double *h, double *gamma, int *saros) {
  for (int i = 0; i < kMoonSearchCap; ++i) {
    *n = N - 1 + i;
    *h = eclipse(*n, index / 3, index % 3, gamma, saros, kToUniversal);
    if (*h >= jd0) return 1;
  }
  return 0;
}

int report_lunation(int year, int month) {
  return static_cast<int>(std::floor((year - 2000 + month / 12.0) * kLunationsPerYear));
}

std::vector<Instant> phases_between(int phase, double jd1, double jd2) {
  const CivilTime from = Instant::ut(jd1).utc();
  std::vector<Instant> instants;
  int n = 0;
  double h = 0.0;
  if (!find_moon_phase(report_lunation(from.year, from.month), phase, jd1, &n, &h)) return instants;
  for (; h < jd2; h = moonphase(++n, phase, kToUniversal)) instants.push_back(Instant::ut(h));
  return instants;
}

std::vector<Instant> year_phases(int year, int phase) {
  return phases_between(phase, datetojd(year, 1, 1), datetojd(year + 1, 1, 1));
}
