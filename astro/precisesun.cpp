// SPDX-License-Identifier: MIT
// The Sun from VSOP87D (Meeus, Astronomical Algorithms, 2nd ed., 1998,
// chs. 25 and 32).
#include "astro/precisesun.h"

#include <cmath>
#include <cstddef>

#include "astro/constants.h"
#include "astro/coordinates.h"
#include "astro/nutation.h"
#include "astro/timescales.h"
#include "astro/vsop87earthterms.h"

namespace {

constexpr double kDaysPerMillennium = 10.0 * kDaysPerCentury;

// One VSOP87 series: the sum of a cos(b + c tau).
template <std::size_t N>
double series(const Vsop87Term (&terms)[N], double tau) {
  double sum = 0.0;
  for (const Vsop87Term &t : terms) sum += t.a * std::cos(t.b + t.c * tau);
  return sum;
}

}  // namespace

// Each variable is the polynomial in tau (Julian millennia of TD from
// J2000.0) whose coefficients are the series 0..5.
void earthheliocentric(double jde, double *l, double *b, double *r) {
  const double tau = (jde - kJ2000) / kDaysPerMillennium;
  const double L =
      series(kEarthL0, tau) +
      tau * (series(kEarthL1, tau) +
             tau * (series(kEarthL2, tau) +
                    tau * (series(kEarthL3, tau) +
                           tau * (series(kEarthL4, tau) + tau * series(kEarthL5, tau)))));
  const double B = series(kEarthB0, tau) + tau * series(kEarthB1, tau);
  const double R = series(kEarthR0, tau) +
                   tau * (series(kEarthR1, tau) +
                          tau * (series(kEarthR2, tau) +
                                 tau * (series(kEarthR3, tau) + tau * series(kEarthR4, tau))));
  *l = 360.0 * fracpart(L / kTwoPi);
  *b = B / kDegToRad;
  *r = R;
}

// Meeus ch. 25: theta = L + 180 deg, beta = -B; FK5: lambda' = theta -
// 1.397 deg T - 0.00031 deg T^2, d theta = -0.09033", d beta = 0.03916"
// (cos lambda' - sin lambda').
void sunapparentecliptic(double jde, double dpsi, double *lambda, double *beta, double *r) {
  double l = 0.0, b = 0.0;
  earthheliocentric(jde, &l, &b, r);
  const double T = juliancenturies(jde);
  const double lp = l + 180.0 + T * (-1.397 - 0.00031 * T);
  const double theta = l + 180.0 - 0.09033 / 3600.0;
  *beta = -b + 0.03916 / 3600.0 * (cosd(lp) - sind(lp));
  *lambda = 360.0 * fracpart((theta + dpsi - 20.4898 / 3600.0 / *r) / 360.0);
}

void sunapparent(double jde, double *ra, double *dec, double *r) {
  double dpsi = 0.0, deps = 0.0, lambda = 0.0, beta = 0.0;
  nutation(jde, &dpsi, &deps);
  sunapparentecliptic(jde, dpsi, &lambda, &beta, r);
  eclipticequatorial(lambda, beta, trueobliquity(jde, deps), ra, dec);
}
