// SPDX-License-Identifier: MIT
// Nutation (Meeus, Astronomical Algorithms, 2nd ed., 1998, ch. 22).
#include "astro/nutation.h"

#include <cmath>

#include "astro/constants.h"
#include "astro/nutationterms.h"
#include "astro/timescales.h"

// Fundamental arguments (degrees) of Meeus's ch. 22, T in Julian centuries
// of TD from J2000.0; the table's terms summed in arcseconds.
void nutation(double jde, double *dpsi, double *deps) {
  const double T = juliancenturies(jde);
  const double D = 297.85036 + T * (445267.111480 + T * (-0.0019142 + T / 189474.0));
  const double M = 357.52772 + T * (35999.050340 + T * (-0.0001603 - T / 300000.0));
  const double Mp = 134.96298 + T * (477198.867398 + T * (0.0086972 + T / 56250.0));
  const double F = 93.27191 + T * (483202.017538 + T * (-0.0036825 + T / 327270.0));
  const double Om = 125.04452 + T * (-1934.136261 + T * (0.0020708 + T / 450000.0));
  double psi = 0.0, eps = 0.0;
  for (const NutationTerm &t : kNutationTerms) {
    const double arg = (t.d * D + t.m * M + t.mp * Mp + t.f * F + t.om * Om) * kDegToRad;
    psi += (t.psi + t.psit * T) * std::sin(arg);
    eps += (t.eps + t.epst * T) * std::cos(arg);
  }
  *dpsi = psi / 3600.0;
  *deps = eps / 3600.0;
}

double trueobliquity(double jde, double deps) { return obliquity(jde) / kDegToRad + deps; }
