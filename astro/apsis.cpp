// SPDX-License-Identifier: MIT
// The Moon's perigee and apogee (Meeus, Astronomical Algorithms, 2nd ed.,
// 1998, ch. 50).
#include "astro/apsis.h"

#include <cmath>
#include <cstddef>

#include "astro/apsisterms.h"
#include "astro/constants.h"
#include "astro/coordinates.h"
#include "astro/timescales.h"

namespace {

constexpr double kApsisEpoch = 2451534.6698;       // JDE of the mean perigee k = 0
constexpr double kAnomalisticMonth = 27.55454989;  // days
constexpr double kApsesPerCentury = 1325.55;       // T = k / 1325.55 (eq. 50.3)

// Sum of (c + ct T) sin or cos of d D + m M + f F.
template <std::size_t N>
double terms(const ApsisTerm (&table)[N], double T, double D, double M, double F, bool cosine) {
  double sum = 0.0;
  for (const ApsisTerm &t : table) {
    const double arg = t.d * D + t.m * M + t.f * F;
    sum += (t.c + t.ct * T) * (cosine ? cosd(arg) : sind(arg));
  }
  return sum;
}

}  // namespace

double moonapsis(double k, double *distance) {
  const double T = k / kApsesPerCentury;
  const double T2 = T * T;
  const double jde = kApsisEpoch + kAnomalisticMonth * k +
                     T2 * (-0.0006691 + T * (-0.000001098 + T * 0.0000000052));
  const double D = 171.9179 + 335.9106046 * k + T2 * (-0.0100383 + T * (-0.00001156 + T * 5.5e-8));
  const double M = 347.3477 + 27.1577721 * k + T2 * (-0.0008130 - 0.0000010 * T);
  const double F = 316.6109 + 364.5287911 * k + T2 * (-0.0125053 - 0.0000148 * T);
  const bool apogee = std::fabs(k - std::floor(k) - 0.5) < 0.25;
  const double correction =
      apogee ? terms(kApogeeTerms, T, D, M, F, false) : terms(kPerigeeTerms, T, D, M, F, false);
  const double parallax = apogee
                              ? kApogeeParallax + terms(kApogeeParallaxTerms, T, D, M, F, true)
                              : kPerigeeParallax + terms(kPerigeeParallaxTerms, T, D, M, F, true);
  *distance = kEarthRadiusKm / std::sin(parallax / 3600.0 * kDegToRad);
  return jde + correction;
}

// The corrections stay below 3 days, far less than the 13.8 days between
// apsides, so the order of k is the order in time.
int moonapsides(double jd1, double jd2, MoonApsis *out, int capacity) {
  int count = 0;
  double k = std::floor(2.0 * (jd1 - kApsisEpoch) / kAnomalisticMonth) / 2.0 - 0.5;
  for (;; k += 0.5) {
    double distance = 0.0;
    const double jde = moonapsis(k, &distance);
    const double jd = jde - deltatdays(jde);
    if (jd >= jd2) break;
    if (jd < jd1) continue;
    if (count < capacity) out[count] = MoonApsis{jd, k != std::floor(k), distance};
    ++count;
  }
  return count;
}
