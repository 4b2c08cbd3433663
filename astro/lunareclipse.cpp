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

// The Moon against the shadow at one instant, km: distance from the axis,
// radii of the umbra and the penumbra.
struct Shadow {
  double axis, umbra, penumbra;
};

struct Vector {
  double x, y, z;
};

double dot(const Vector &a, const Vector &b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// The equatorial vector of a body at ecliptic lambda, beta and distance r
// for the obliquity eps (a frame in which all three components count).
Vector equatorial(double lambda, double beta, double r, double eps) {
  double ra = 0.0, dec = 0.0;
  eclipticequatorial(lambda, beta, eps, &ra, &dec);
  return Vector{r * cosd(dec) * cosd(ra), r * cosd(dec) * sind(ra), r * sind(dec)};
}

// e = -s runs from the Sun through the Earth; the Moon's projection on it
// is u e with u = (m . e) / (e . e); the cones' radii at that distance
// behind the Earth: umbra R - (1 + u)(R - r), penumbra -R + (1 + u)(R + r).
Shadow shadowat(double jd) {
  const double jde = jd + deltatdays(jd);
  double dpsi = 0.0, deps = 0.0, lambda = 0.0, beta = 0.0, r = 0.0;
  nutation(jde, &dpsi, &deps);
  const double eps = trueobliquity(jde, deps);
  sunapparentecliptic(jde, dpsi, &lambda, &beta, &r);
  const Vector s = equatorial(lambda, beta, r * kAuKm, eps);
  moongeocentric(jde, &lambda, &beta, &r);
  const Vector m = equatorial(lambda + dpsi, beta, r, eps);
  const double u = -dot(m, s) / dot(s, s);
  const double axis = std::hypot(-u * s.x - m.x, -u * s.y - m.y, -u * s.z - m.z);
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
  double jd0 = 0.0;
  const int kind = eclipsetype(n, kKindLunar, &jd0);
  if (kind < 0) return kEclipseNone;

  LunarEclipseContacts r{};
  r.kind = kind;
  const double tmax =
      minimumsearch(axisdistance, nullptr, jd0, kEclipseStep, kEclipseSteps, kEclipseTolerance);
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
    if (steproot(phase.f, nullptr, tmax, -kEclipseStep, kEclipseSteps, kEclipseTolerance,
                 &r.jd[phase.before]) ||
        steproot(phase.f, nullptr, tmax, kEclipseStep, kEclipseSteps, kEclipseTolerance,
                 &r.jd[phase.after]))
      return kEclipseNoContact;
  }
  *e = r;
  return kEclipseFound;
}
