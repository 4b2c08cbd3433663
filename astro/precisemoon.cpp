// SPDX-License-Identifier: MIT
// The Moon (Meeus, Astronomical Algorithms, 2nd ed., 1998, ch. 47).
#include "astro/precisemoon.h"

#include <cmath>

#include "astro/constants.h"
#include "astro/coordinates.h"
#include "astro/moonterms.h"
#include "astro/nutation.h"
#include "astro/timescales.h"

namespace {

// The factor of a term whose argument holds M m times: E^|m| (eq. 47.6).
double eccentricitypower(int m, double E) { return (m == 0) ? 1.0 : (m * m == 1) ? E : E * E; }

}  // namespace

void moongeocentric(double jde, double *lambda, double *beta, double *distance) {
  const double T = juliancenturies(jde);
  const double Lp = 218.3164477 + T * (481267.88123421 +
                                       T * (-0.0015786 + T * (1.0 / 538841.0 - T / 65194000.0)));
  const double D = 297.8501921 +
                   T * (445267.1114034 + T * (-0.0018819 + T * (1.0 / 545868.0 - T / 113065000.0)));
  const double M = 357.5291092 + T * (35999.0502909 + T * (-0.0001536 + T / 24490000.0));
  const double Mp =
      134.9633964 + T * (477198.8675055 + T * (0.0087414 + T * (1.0 / 69699.0 - T / 14712000.0)));
  const double F = 93.2720950 + T * (483202.0175233 +
                                     T * (-0.0036539 + T * (-1.0 / 3526000.0 + T / 863310000.0)));
  const double A1 = 119.75 + 131.849 * T;
  const double A2 = 53.09 + 479264.290 * T;
  const double A3 = 313.45 + 481266.484 * T;
  const double E = 1.0 + T * (-0.002516 - 0.0000074 * T);

  double sl = 0.003958 * sind(A1) + 0.001962 * sind(Lp - F) + 0.000318 * sind(A2);
  double sr = 0.0;
  for (const MoonTerm &t : kMoonLongitudeDistance) {
    const double arg = (t.d * D + t.m * M + t.mp * Mp + t.f * F) * kDegToRad;
    const double e = eccentricitypower(t.m, E);
    sl += t.sine * e * std::sin(arg);
    sr += t.cosine * e * std::cos(arg);
  }
  double sb = -0.002235 * sind(Lp) + 0.000382 * sind(A3) + 0.000175 * sind(A1 - F) +
              0.000175 * sind(A1 + F) + 0.000127 * sind(Lp - Mp) - 0.000115 * sind(Lp + Mp);
  for (const MoonTerm &t : kMoonLatitude)
    sb += t.sine * eccentricitypower(t.m, E) * sind(t.d * D + t.m * M + t.mp * Mp + t.f * F);

  *lambda = 360.0 * fracpart((Lp + sl) / 360.0);
  *beta = sb;
  *distance = 385000.56 + sr;
}

void moonapparent(double jde, double *ra, double *dec, double *distance) {
  double lambda = 0.0, beta = 0.0, dpsi = 0.0, deps = 0.0;
  moongeocentric(jde, &lambda, &beta, distance);
  nutation(jde, &dpsi, &deps);
  eclipticequatorial(lambda + dpsi, beta, trueobliquity(jde, deps), ra, dec);
}
