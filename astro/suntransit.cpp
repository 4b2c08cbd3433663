// SPDX-License-Identifier: MIT
// The Sun on the meridian: the next hour angle 0 from the hour angle at
// the span's start, refined by Newton's method on the hour angle.
#include "astro/suntransit.h"

#include <cmath>

#include "astro/localposition.h"

namespace {

const double kSiderealRate = 360.985647;  // degrees of hour angle per day, about
const int kTransitSteps = 4;

}  // namespace

int suntransit(double jd1, double jd2, double longitude, double latitude, double *jd) {
  TopocentricPosition sun{};
  suntopocentric(jd1, longitude, latitude, &sun);
  // The next hour angle 0 after jd1, then Newton's method on it.
  double t = jd1 + std::fmod(360.0 - sun.hourangle, 360.0) / kSiderealRate;
  for (int i = 0; i < kTransitSteps; ++i) {
    suntopocentric(t, longitude, latitude, &sun);
    t -= sun.hourangle / kSiderealRate;
  }
  if (t < jd1 || t >= jd2) return 0;
  *jd = t;
  return 1;
}
