// SPDX-License-Identifier: MIT
// Coordinate transformations (Meeus, Astronomical Algorithms, 2nd ed.,
// 1998, chs. 11, 12, 13, 16 and 40).
#include "astro/coordinates.h"

#include <cmath>

#include "astro/constants.h"
#include "astro/timescales.h"

namespace {

constexpr double kFlattening = 1.0 / 298.257;
constexpr double kRadToDeg = 1.0 / kDegToRad;

double wrap360(double deg) { return 360.0 * fracpart(deg / 360.0); }

}  // namespace

void eclipticequatorial(double lambda, double beta, double eps, double *ra, double *dec) {
  *ra = wrap360(
      std::atan2(sind(lambda) * cosd(eps) - std::tan(beta * kDegToRad) * sind(eps), cosd(lambda)) *
      kRadToDeg);
  *dec = std::asin(sind(beta) * cosd(eps) + cosd(beta) * sind(eps) * sind(lambda)) * kRadToDeg;
}

// theta0 = 280.46061837 + 360.98564736629 (JD - 2451545.0)
//          + 0.000387933 T^2 - T^3 / 38710000.
double apparentsiderealtime(double jd, double dpsi, double eps) {
  const double T = juliancenturies(jd);
  const double mean =
      280.46061837 + 360.98564736629 * (jd - kJ2000) + T * T * (0.000387933 - T / 38710000.0);
  return wrap360(mean + dpsi * cosd(eps));
}

// u = atan(b/a tan phi); rho sin phi' = b/a sin u + H/a sin phi,
// rho cos phi' = cos u + H/a cos phi.
void observerterms(double latitude, double height, double *rhosin, double *rhocos) {
  const double ba = 1.0 - kFlattening;
  const double u = std::atan(ba * std::tan(latitude * kDegToRad));
  const double h = height / (kEarthRadiusKm * 1000.0);
  *rhosin = ba * std::sin(u) + h * sind(latitude);
  *rhocos = std::cos(u) + h * cosd(latitude);
}

// In the equatorial frame that turns with the Earth, x toward the local
// meridian and y toward the west: body (d cos dec cos ha, d cos dec sin ha,
// d sin dec), observer (rho cos phi', 0, rho sin phi').
void topocentric(double ra, double dec, double distance, double ha, double rhosin, double rhocos,
                 double *tra, double *tdec, double *tdistance) {
  const double x = distance * cosd(dec) * cosd(ha) - rhocos;
  const double y = distance * cosd(dec) * sind(ha);
  const double z = distance * sind(dec) - rhosin;
  *tdistance = std::sqrt(x * x + y * y + z * z);
  *tra = wrap360(ra - (std::atan2(y, x) * kRadToDeg - ha));
  *tdec = std::atan2(z, std::hypot(x, y)) * kRadToDeg;
}

// tan A = sin H / (cos H sin phi - tan dec cos phi), A from the south;
// sin h = sin phi sin dec + cos phi cos dec cos H.
void equatorialhorizontal(double ha, double dec, double latitude, double *altitude,
                          double *azimuth) {
  const double south = std::atan2(
      cosd(dec) * sind(ha), cosd(ha) * cosd(dec) * sind(latitude) - sind(dec) * cosd(latitude));
  *azimuth = wrap360(south * kRadToDeg + 180.0);
  *altitude =
      std::asin(sind(latitude) * sind(dec) + cosd(latitude) * cosd(dec) * cosd(ha)) * kRadToDeg;
}

double refraction(double h) {
  const double hd = (h < -1.0) ? -1.0 : h;
  const double r = (1.02 / std::tan((hd + 10.3 / (hd + 5.11)) * kDegToRad) + 0.0019279) / 60.0;
  return (h < -1.0) ? r * (h + 90.0) / 89.0 : r;
}
