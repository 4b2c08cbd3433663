// SPDX-License-Identifier: MIT
// Equinoxes and solstices by the method of Meeus, Astronomical Algorithms,
// 2nd ed., 1998, ch. 27: mean instant from Tables 27.A/27.B, 24 periodic terms of
// Table 27.C, then dynamical to universal time.
#include "astro/seasons.h"

#include <cmath>
#include <cstdint>
#include <iterator>

#include "astro/constants.h"
#include "astro/timescales.h"

namespace {

const int kFirstSeasonYear = -1500;
const int kLastSeasonYear = 3500;
const int kFirstModernYear = 1000;  // first year of Table 27.B

// Mean instants JDE0 = a0 + a1 Y + a2 Y^2 + a3 Y^3 + a4 Y^4, seasons 1..4.
// Table 27.A (Y = year / 1000), used here for the years -1500..999.
const double kMeanAncient[][5] = {
    {1721139.29189, 365242.13740, +0.06134, +0.00111, -0.00071},
    {1721233.25401, 365241.72562, -0.05323, +0.00907, +0.00025},
    {1721325.70455, 365242.49558, -0.11677, -0.00297, +0.00074},
    {1721414.39987, 365242.88257, -0.00769, -0.00933, -0.00006},
};
// Table 27.B (Y = (year - 2000) / 1000), used here for the years 1000..3500.
const double kMeanModern[][5] = {
    {2451623.80984, 365242.37404, +0.05169, -0.00411, -0.00057},
    {2451716.56767, 365241.62603, +0.00325, +0.00888, -0.00030},
    {2451810.21715, 365242.01767, -0.11575, +0.00337, +0.00078},
    {2451900.05952, 365242.74049, -0.06223, -0.00823, +0.00032},
};

// Table 27.C, terms A cos(B + C T): A as published, B in hundredths of a
// degree, C in thousandths of a degree per Julian century.
const std::int16_t kTermA[] = {485, 203, 199, 182, 156, 136, 77, 74, 70, 58, 52, 50,
                               45,  44,  29,  18,  17,  16,  14, 12, 12, 12, 9,  8};
const std::int32_t kTermB[] = {32496, 33723, 34208, 2785, 7314,  17152, 22254, 29672,
                               24358, 11981, 29717, 2102, 24754, 32515, 6093,  15512,
                               28879, 19804, 19976, 9539, 28711, 32081, 22773, 1545};
const std::int32_t kTermC[] = {1934136,  32964467, 20186,    445267112, 45036886, 22518443,
                               65928934, 3034906,  9037513,  33718147,  150678,   2281226,
                               29929562, 31555956, 4443417,  67555328,  4562452,  62894029,
                               31436921, 14577848, 31931756, 34777259,  1222114,  16859074};
static_assert(std::size(kTermA) == 24 && std::size(kTermB) == 24 && std::size(kTermC) == 24,
              "Table 27.C has 24 rows");

// Sum of the periodic terms of Table 27.C for T in Julian centuries.
double periodic_sum(double T) {
  double s = 0.0;
  for (size_t i = 0; i < std::size(kTermA); ++i) {
    const double arg = kTermB[i] / 100.0 + (kTermC[i] / 1000.0) * T;
    s += kTermA[i] * std::cos(arg * kDegToRad);
  }
  return s;
}

}  // namespace

// Julian Date of the March equinox (season 1), June solstice (2), September
// equinox (3) or December solstice (4) of a year -1500..3500; universal
// time when to_universal is nonzero (see ttut). 0.0 outside those ranges.
// Meeus ch. 27. Measured against astronomy-engine: within 35 s over
// 1900..2100 and 146 s over 1000..3000 (docs/accuracy.md).
double seasonstart(int year, int season, int to_universal) {
  if (season < 1 || season > 4 || year < kFirstSeasonYear || year > kLastSeasonYear) return 0.0;

  const double *a;
  double y;
  if (year < kFirstModernYear) {
    a = kMeanAncient[season - 1];
    y = year / 1000.0;
  } else {
    a = kMeanModern[season - 1];
    y = (year - 2000) / 1000.0;
  }
  const double jde0 = a[0] + y * (a[1] + y * (a[2] + y * (a[3] + y * a[4])));

  const double T = juliancenturies(jde0);
  double W = 35999.373 * T - 2.47;
  W -= 360.0 * std::floor(W / 360.0);
  const double w = W * kDegToRad;
  const double dl = 1.0 + 0.0334 * std::cos(w) + 0.0007 * std::cos(2.0 * w);

  const double jde = jde0 + 0.00001 * periodic_sum(T) / dl;
  return ttut(jde, to_universal);
}
