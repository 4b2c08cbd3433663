// SPDX-License-Identifier: MIT
// Solar and lunar eclipses of one lunation (Meeus, Astronomical Algorithms,
// 2nd ed., 1998, ch. 54) and the Saros series number of the lunation's new or full moon.
//
// Angles are in degrees, turned into radians at the sine or cosine. gamma
// and u are in units of the Earth's equatorial radius.
#include "astro/eclipse.h"

#include <cmath>

#include "astro/constants.h"
#include "astro/lunar.h"
#include "astro/timescales.h"

namespace {

const int kSarosLength = 223;  // lunations per Saros

int accepted_pair(int kind, int type) {
  if (kind == kKindSolar) return type >= kTypePartial && type <= kTypeAnnular;
  if (kind == kKindLunar) return type == kTypePartial || type == kTypeTotal;
  return 0;
}

// Saros series of the new moon (kind 0) or full moon (kind 1) of lunation n.
// Remainders are truncated toward zero, negatives then raised by 223; the
// arithmetic is wide enough for every int n.
int saros_number(int n, int kind) {
  long long s;
  if (kind == kKindSolar) {
    const double m = static_cast<double>(n) + 105.0;
    const long long t = static_cast<long long>(std::floor(-61.0 * m / 358.0 + 0.5 - m / 1537968.0));
    s = (38 * (static_cast<long long>(n) + 105) + kSarosLength * t + 135) % kSarosLength + 1;
  } else {
    s = (38 * static_cast<long long>(n) + 124) % kSarosLength;
  }
  if (s < 0) s += kSarosLength;
  return static_cast<int>(s);
}

// Type of a solar eclipse of the given gamma and umbral radius u, or -1
// for none. Annular-total eclipses count as total.
int solar_type(double gamma, double u) {
  const double g = std::fabs(gamma);
  if (g > kSolarLimit + u) return -1;
  if (g > kCentralLimit && g >= kCentralLimit + std::fabs(u)) return kTypePartial;
  if (u > kAnnularLimit || u >= kAnnularTotalFactor * safesqrt(1.0 - gamma * gamma))
    return kTypeAnnular;
  return kTypeTotal;
}

// Type of a lunar eclipse (partial or total), or -1 for none. The
// no-eclipse test uses 1.0248, the umbral magnitude mu 1.0128, so a
// slightly negative mu still counts as partial.
int lunar_type(double gamma, double u) {
  const double g = std::fabs(gamma);
  // Only the signs of the penumbral and umbral magnitudes count:
  // (kLunarLimit - u - g) / kUmbralWidth and (kUmbralLimit - u - g) /
  // kUmbralWidth, whose denominator is positive.
  if (kLunarLimit - u - g <= 0.0) return -1;
  const double tau = (kTotalityLimit - u) * (kTotalityLimit - u) - gamma * gamma;
  return (kUmbralLimit - u - g > 0.0 && tau > 0.0) ? kTypeTotal : kTypePartial;
}

}  // namespace

// Radius u of the Moon's umbral cone in the fundamental plane, Earth radii
// (Meeus ch. 54). E eccentricity factor, M and Mp mean anomalies of Sun and
// Moon in degrees.
double umbraradius(double E, double M, double Mp) {
  return 0.0059 + 0.0046 * E * cosd(M) - 0.0182 * cosd(Mp) + 0.0004 * cosd(2 * Mp) -
         0.0005 * cosd(M + Mp);
}

// Greatest eclipse of lunation n (Meeus ch. 54). kind 0 solar at the new
// moon, 1 lunar at the full moon; type 0 partial, 1 total, 2 annular (solar
// only). Writes the Saros number for every accepted pair, and gamma once
// the node test has passed (else 0). Returns the Julian Date of greatest
// eclipse, in UT when to_universal is nonzero, when the lunation holds an
// eclipse of exactly that kind and type; otherwise ttut(0, to_universal).
// Any other kind/type pair gives 0 with gamma and Saros 0.
double eclipse(int n, int kind, int type, double *gamma, int *saros, int to_universal) {
  if (!accepted_pair(kind, type)) {
    *gamma = 0.0;
    *saros = 0;
    return 0.0;
  }
  *saros = saros_number(n, kind);

  const double k = n + kind / 2.0;
  double T;
  const double E = eccentricityfactor(&T, k);
  const double F = moonlatitudearg(T, k);
  double instant = 0.0;
  *gamma = 0.0;
  if (std::fabs(sind(F)) <= kNodeLimit) {
    const double Om = moonnodelongitude(T, k);
    const double F1 = F - 0.02665 * sind(Om);
    const double A1 = 299.77 + 0.107408 * k - 0.009173 * T * T;
    const double M = sunanomaly(T, k);
    const double Mp = moonanomaly(T, k);
    const double u = umbraradius(E, M, Mp);

    const double P = 0.2070 * E * sind(M) + 0.0024 * E * sind(2 * M) - 0.0392 * sind(Mp) +
                     0.0116 * sind(2 * Mp) - 0.0073 * E * sind(Mp + M) + 0.0067 * E * sind(Mp - M) +
                     0.0118 * sind(2 * F1);
    const double Q = 5.2207 - 0.0048 * E * cosd(M) + 0.0020 * E * cosd(2 * M) - 0.3299 * cosd(Mp) -
                     0.0060 * E * cosd(Mp + M) + 0.0041 * E * cosd(Mp - M);
    const double g = (P * cosd(F1) + Q * sind(F1)) * (1.0 - 0.0048 * std::fabs(cosd(F1)));
    *gamma = g;

    double jde = phasejde(T, k);
    if (kind == kKindSolar)
      jde += -0.4075 * sind(Mp) + 0.1721 * E * sind(M);
    else
      jde += -0.4065 * sind(Mp) + 0.1727 * E * sind(M);
    jde += 0.0161 * sind(2 * Mp) - 0.0097 * sind(2 * F1) + 0.0073 * E * sind(Mp - M) -
           0.0050 * E * sind(Mp + M) - 0.0023 * sind(Mp - 2 * F1) + 0.0021 * E * sind(2 * M) +
           0.0012 * sind(Mp + 2 * F1) + 0.0006 * E * sind(2 * Mp + M) - 0.0004 * sind(3 * Mp) -
           0.0003 * E * sind(M + 2 * F1) + 0.0003 * sind(A1) - 0.0002 * E * sind(M - 2 * F1) -
           0.0002 * E * sind(2 * Mp - M) - 0.0002 * sind(Om);

    const int found = (kind == kKindSolar) ? solar_type(g, u) : lunar_type(g, u);
    if (found == type) instant = jde;
  }
  return ttut(instant, to_universal);
}

int eclipsetype(int n, int kind, double *jd) {
  for (int type = kTypePartial; type <= kTypeAnnular; ++type) {
    double gamma = 0.0;
    int saros = 0;
    *jd = eclipse(n, kind, type, &gamma, &saros, kToUniversal);
    if (*jd > 0.0) return type;
  }
  return -1;
}
