// SPDX-License-Identifier: MIT
// The Sun at an altitude or on the meridian: sampled, then bisected or
// refined by Newton's method on the hour angle.
#include "astro/sunevents.h"

#include <algorithm>
#include <cmath>

#include "astro/constants.h"
#include "astro/localposition.h"
#include "astro/rootsearch.h"

namespace {

const double kSampleStep = 10.0 / 1440.0;  // days
const double kTolerance = 0.05 / 86400.0;  // days
const double kSiderealRate = 360.985647;   // degrees of hour angle per day, about
const int kTransitSteps = 4;

double altitudeat(const SunSamples &s, double jd) {
  TopocentricPosition sun{};
  suntopocentric(jd, s.longitude, s.latitude, &sun);
  return sun.altitude;
}

}  // namespace

void sunsamples(double jd1, double jd2, double longitude, double latitude, SunSamples *s) {
  s->longitude = longitude;
  s->latitude = latitude;
  const int steps =
      std::clamp(static_cast<int>(std::ceil((jd2 - jd1) / kSampleStep)), 1, SunSamples::kMax - 1);
  s->count = steps + 1;
  for (int i = 0; i <= steps; ++i) {
    s->jd[i] = i == steps ? jd1 + std::min(jd2 - jd1, steps * kSampleStep) : jd1 + i * kSampleStep;
    s->altitude[i] = altitudeat(*s, s->jd[i]);
  }
}

int suncrossing(const SunSamples &s, double altitude, bool rising, double *jd) {
  struct Target {
    const SunSamples &samples;
    double altitude;
  } target{s, altitude};
  const TimeFunction above = [](double t, const void *context) {
    const Target &c = *static_cast<const Target *>(context);
    return altitudeat(c.samples, t) - c.altitude;
  };
  for (int i = 0; i + 1 < s.count; ++i) {
    if ((s.altitude[i] > altitude) == rising || (s.altitude[i + 1] > altitude) != rising) continue;
    // The crossing lies in this step: bisected to the tolerance.
    if (steproot(above, &target, s.jd[i], s.jd[i + 1] - s.jd[i], 1, kTolerance, jd) == kRootFound)
      return 1;
  }
  return 0;
}

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
