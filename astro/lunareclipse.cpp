// SPDX-License-Identifier: MIT
// Lunar eclipse contacts: the distance of the Moon's centre from the
// shadow axis against the radii of the shadow cones at the Moon.
#include "astro/lunareclipse.h"

#include <cmath>

#include "astro/constants.h"
#include "astro/coordinates.h"
#include "astro/eclipse.h"
#include "astro/localeclipse.h"
#include "astro/nutation.h"
#include "astro/precisemoon.h"
#include "astro/precisesun.h"
#include "astro/rootsearch.h"
#include "astro/timescales.h"

namespace {

constexpr double kSunRadiusKm = 695700.0;
constexpr double kShadowEarthRadiusKm = 6371.0 + 88.0;
constexpr double kMoonRadiusKm = 1737.4;

constexpr double kStep = 10.0 / 1440.0;  // days
constexpr int kSteps = 36;               // six hours on either side
constexpr double kTolerance = 0.01 / kSecondsPerDay;

// The Moon against the shadow at one instant, km: distance from the axis,
// radii of the umbra and the penumbra.
struct Shadow {
  double axis, umbra, penumbra;
};

void ecliptic(double lambda, double beta, double r, double v[3]) {
  v[0] = r * cosd(beta) * cosd(lambda);
  v[1] = r * cosd(beta) * sind(lambda);
  v[2] = r * sind(beta);
}

// e = -s runs from the Sun through the Earth; the Moon's projection on it
// is u e with u = (m . e) / (e . e); the cones' radii at that distance
// behind the Earth: umbra R - (1 + u)(R - r), penumbra -R + (1 + u)(R + r).
Shadow shadowat(double jd) {
  const double jde = jd + deltatdays(jd);
  double dpsi = 0.0, deps = 0.0, lambda = 0.0, beta = 0.0, r = 0.0;
  nutation(jde, &dpsi, &deps);
  double s[3], m[3];
  sunapparentecliptic(jde, dpsi, &lambda, &beta, &r);
  ecliptic(lambda, beta, r * kAuKm, s);
  moongeocentric(jde, &lambda, &beta, &r);
  ecliptic(lambda + dpsi, beta, r, m);
  const double u =
      -(m[0] * s[0] + m[1] * s[1] + m[2] * s[2]) / (s[0] * s[0] + s[1] * s[1] + s[2] * s[2]);
  const double axis = std::hypot(-u * s[0] - m[0], -u * s[1] - m[1], -u * s[2] - m[2]);
  return Shadow{axis, kSunRadiusKm - (1.0 + u) * (kSunRadiusKm - kShadowEarthRadiusKm),
                -kSunRadiusKm + (1.0 + u) * (kSunRadiusKm + kShadowEarthRadiusKm)};
}

double axisdistance(double jd, const void *) { return shadowat(jd).axis; }

// Each contact's function is negative while the contact's phase lasts.
double penumbral(double jd, const void *) {
  const Shadow s = shadowat(jd);
  return s.axis - (s.penumbra + kMoonRadiusKm);
}

double partial(double jd, const void *) {
  const Shadow s = shadowat(jd);
  return s.axis - (s.umbra + kMoonRadiusKm);
}

double total(double jd, const void *) {
  const Shadow s = shadowat(jd);
  return s.axis - (s.umbra - kMoonRadiusKm);
}

}  // namespace

int lunareclipsecontacts(int n, LunarEclipseContacts *e) {
  double jd0 = 0.0, gamma = 0.0;
  int saros = 0, kind = kTypeTotal;
  jd0 = eclipse(n, kKindLunar, kind, &gamma, &saros, kToUniversal);
  if (jd0 <= 0.0) jd0 = eclipse(n, kKindLunar, kind = kTypePartial, &gamma, &saros, kToUniversal);
  if (jd0 <= 0.0) return kEclipseNone;

  LunarEclipseContacts r{};
  r.kind = kind;
  const double tmax = minimumsearch(axisdistance, nullptr, jd0, kStep, kSteps, kTolerance);
  const Shadow s = shadowat(tmax);
  r.jd[kLunarMax] = tmax;
  r.umbralmagnitude = (s.umbra + kMoonRadiusKm - s.axis) / (2.0 * kMoonRadiusKm);
  r.penumbralmagnitude = (s.penumbra + kMoonRadiusKm - s.axis) / (2.0 * kMoonRadiusKm);
  const struct {
    TimeFunction f;
    LunarContact before, after;
  } phases[] = {{penumbral, kP1, kP4}, {partial, kU1, kU4}, {total, kU2, kU3}};
  for (const auto &phase : phases) {
    if (phase.f(tmax, nullptr) >= 0.0) break;
    if (steproot(phase.f, nullptr, tmax, -kStep, kSteps, kTolerance, &r.jd[phase.before]) ||
        steproot(phase.f, nullptr, tmax, kStep, kSteps, kTolerance, &r.jd[phase.after]))
      return kEclipseNoContact;
  }
  *e = r;
  return kEclipseFound;
}
