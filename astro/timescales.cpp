// SPDX-License-Identifier: MIT
// Time scales and basic quantities: Julian centuries, guarded square root
// and arc tangent, sidereal time, Delta T and the mean obliquity.
#include "astro/timescales.h"

#include <cmath>
#include <iterator>

#include "astro/constants.h"
#include "calendar/calendar.h"

double juliancenturies(double jd) { return (jd - kJ2000) / kDaysPerCentury; }

double safesqrt(double x) { return (x < 1e-35) ? 0.0 : std::sqrt(x); }

double safeatan2(double y, double x) { return (y == 0.0 && x == 0.0) ? 0.0 : std::atan2(y, x); }

double fracpart(double x) {
  double f = x - std::floor(x);
  // x slightly below an integer may round up to exactly 1.
  if (f >= 1.0) f = 0.0;
  return f;
}

// GMST (IAU 1982) in hours: 24110.54841 s + 8640184.812866 s T0
// + 0.093104 s T0^2 - 6.2e-6 s T0^3 with T0 at 0h UT of the day, plus the
// sidereal hours elapsed since 0h UT.
double localsiderealtime(double mjd, double longitude) {
  const double mjd0 = std::floor(mjd);
  const double ut = (mjd - mjd0) * 24.0;
  const double t0 = (mjd0 - kMjdJ2000) / kDaysPerCentury;
  const double gmst = 6.697374558333333 + 1.0027379093 * ut +
                      (8640184.812866 + (0.093104 + (-6.2e-6) * t0) * t0) * t0 / 3600.0;
  return 24.0 * fracpart((gmst + longitude / 15.0) / 24.0);
}

namespace {

// One era of the Delta T polynomials: up to its last year, in the variable
// (y - origin) / scale, the coefficients from the constant term up.
struct DeltaTEra {
  int last_year;
  double origin, scale;
  double c[8];  // the terms beyond an era's last are 0
};

const DeltaTEra kDeltaTEras[] = {
    {500,
     0.0,
     100.0,
     {10583.6, -1014.41, 33.78311, -5.952053, -0.1798452, 0.022174192, 0.0090316521}},
    {1600,
     1000.0,
     100.0,
     {1574.2, -556.01, 71.23472, 0.319781, -0.8503463, -0.005050998, 0.0083572073}},
    {1700, 1600.0, 1.0, {120.0, -0.9808, -0.01532, 1.0 / 7129.0}},
    {1800, 1700.0, 1.0, {8.83, 0.1603, -0.0059285, 0.00013336, -1.0 / 1174000.0}},
    {1860,
     1800.0,
     1.0,
     {13.72, -0.332447, 0.0068612, 0.0041116, -0.00037436, 0.0000121272, -0.0000001699,
      0.000000000875}},
    {1900, 1860.0, 1.0, {7.62, 0.5737, -0.251754, 0.01680668, -0.0004473624, 1.0 / 233174.0}},
    {1920, 1900.0, 1.0, {-2.79, 1.494119, -0.0598939, 0.0061966, -0.000197}},
    {1941, 1920.0, 1.0, {21.20, 0.84493, -0.0761, 0.0020936}},
    {1961, 1950.0, 1.0, {29.07, 0.407, -1.0 / 233.0, 1.0 / 2547.0}},
    {1986, 1975.0, 1.0, {45.45, 1.067, -1.0 / 260.0, -1.0 / 718.0}},
    {2005, 2000.0, 1.0, {63.86, 0.3345, -0.060374, 0.0017275, 0.000651814, 0.00002373599}},
    {2050, 2000.0, 1.0, {62.92, 0.32217, 0.005589}},
};

// The polynomial of the era at the decimal year y, in Horner form.
double era_polynomial(const DeltaTEra &era, double y) {
  const double t = era.scale == 1.0 ? y - era.origin : (y - era.origin) / era.scale;
  double sum = 0.0;
  for (int k = static_cast<int>(std::size(era.c)) - 1; k >= 0; --k) sum = era.c[k] + t * sum;
  return sum;
}

}  // namespace

// Delta T polynomials of Espenak and Meeus (Five Millennium Canon of Solar
// Eclipses: -1999 to +3000, NASA/TP-2006-214141, 2006), in Horner form.
// The range is chosen by the integer year; the variable by the decimal year
// of the middle of the month. Years before -750 give 0.
double deltatseconds(int year, int month) {
  const double y = year + (month - 0.5) / 12.0;
  if (year < -750) return 0.0;
  for (const DeltaTEra &era : kDeltaTEras)
    if (year <= era.last_year) return era_polynomial(era, y);
  const double u = (y - 1820.0) / 100.0;
  if (year <= 2150) return -20.0 + 32.0 * u * u - 0.5628 * (2150.0 - y);
  return -20.0 + 32.0 * u * u;
}

double deltatcached(double jd) {
  int year, month, day, hour, minute, second;
  mjdtodatetime(jd - kMjdOffset, &year, &month, &day, &hour, &minute, &second);
  return deltatseconds(year, month);
}

double deltatdays(double jd) { return deltatcached(jd) * kDaysPerSecond; }

double ttut(double jde, int to_universal) {
  if (to_universal) return jde - deltatdays(jde);
  return jde + kHalfSecondDays;
}

// Laskar's mean obliquity, Meeus, Astronomical Algorithms, 2nd ed., 1998,
// ch. 22, eq. 22.3: U in units of 10000 Julian years,
// the correction in arcseconds evaluated from the U^10 term down.
double obliquity(double jd) {
  const double u = juliancenturies(jd) / 100.0;
  const double s =
      u * (-4680.93 +
           u * (-1.55 +
                u * (1999.25 +
                     u * (-51.38 +
                          u * (-249.67 +
                               u * (-39.05 + u * (7.12 + u * (27.87 + u * (5.79 + u * 2.45)))))))));
  return (23.439291111 + s / 3600.0) * kDegToRad;
}
