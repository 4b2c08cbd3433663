// SPDX-License-Identifier: MIT
// The Moon's distances: the apsides of astro/apsis.h, the phases of the
// moon report and the precise Moon's distance at them.
#include "nachtblick/events/moondistances.h"

#include <algorithm>

#include "astro/apsis.h"
#include "astro/precisemoon.h"
#include "calendar/calendar.h"
#include "nachtblick/events/moonsearch.h"

namespace {

// Apsides are looked for this many days beyond the year, so that every
// phase of it lies between two of them.
const double kApsisMargin = 20.0;
const int kMaxApsides = 64;

// Closeness of the distance at jd against the apsides on either side of
// it; false when they are not one perigee and one apogee.
bool closeness(const std::vector<MoonApsis> &apsides, double jd, double distance, double *c) {
  const auto after = std::upper_bound(apsides.begin(), apsides.end(), jd,
                                      [](double t, const MoonApsis &a) { return t < a.jd; });
  if (after == apsides.begin() || after == apsides.end()) return false;
  const MoonApsis &before = *(after - 1);
  if (before.apogee == after->apogee) return false;
  const double perigee = before.apogee ? after->distance : before.distance;
  const double apogee = before.apogee ? before.distance : after->distance;
  *c = (apogee - distance) / (apogee - perigee);
  return true;
}

}  // namespace

std::vector<MoonDistanceRow> moon_distance_rows(int year) {
  const double begin = datetojd(year, 1, 1), end = datetojd(year + 1, 1, 1);
  MoonApsis found[kMaxApsides];
  const int n = std::min(moonapsides(begin - kApsisMargin, end + kApsisMargin, found, kMaxApsides),
                         kMaxApsides);
  const std::vector<MoonApsis> apsides(found, found + n);
  std::vector<MoonDistanceRow> rows;
  for (const MoonApsis &a : apsides)
    if (a.jd >= begin && a.jd < end)
      rows.push_back({Instant::ut(a.jd), a.apogee ? kApogee : kPerigee, a.distance, false, 0.0});
  for (const MoonDistanceKind kind : {kNewMoon, kFullMoon}) {
    for (const Instant &at : year_phases(year, kind == kNewMoon ? 0 : 2)) {
      double lambda = 0.0, beta = 0.0, distance = 0.0;
      moongeocentric(at.tt_jd(), &lambda, &beta, &distance);
      MoonDistanceRow row{at, kind, distance, false, 0.0};
      row.rated = closeness(apsides, at.ut_jd(), distance, &row.closeness);
      rows.push_back(row);
    }
  }
  std::sort(rows.begin(), rows.end(),
            [](const MoonDistanceRow &a, const MoonDistanceRow &b) { return a.at < b.at; });
  return rows;
}
