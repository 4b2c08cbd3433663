// SPDX-License-Identifier: MIT
// Low-precision apparent places of the Sun and the Moon (the short series of
// Montenbruck and Pfleger, Astronomy on the Personal Computer, 4th ed.,
// 2000, ch. 3) and the
// rise, set and twilight search over one day by three-point parabolas.
#include "astro/sunmoon.h"

#include <cmath>

#include "astro/constants.h"
#include "astro/timescales.h"

namespace {

const double kArcsecPerRadian = 206264.80624709636;
const double kArcsecPerRevolution = 1296000.0;

// Altitude h0 in degrees that counts as rising or setting for an event type:
// Moon +8', Sun -50' (refraction and semidiameter), civil -6, nautical -12,
// astronomical -18 degrees. Types above 1 count as the Moon, below -3 as
// astronomical twilight.
double horizon_altitude(int type) {
  if (type >= kEventMoon) return 0.13333333333333333;
  switch (type) {
    case kEventSun: return kSunHorizonAltitude;
    case kEventCivil: return -6.0;
    case kEventNautical: return -12.0;
    default: return -18.0;
  }
}

// Ecliptic longitude lambda and latitude beta (radians) of the Sun for T
// (Julian centuries since J2000); M is the Sun's mean anomaly in radians.
void sun_ecliptic(double T, double M, double *lambda, double *beta) {
  *lambda = kTwoPi * fracpart(0.7859453 + M / kTwoPi +
                              (6191.2 * T + 6893.0 * std::sin(M) + 72.0 * std::sin(2.0 * M)) /
                                  kArcsecPerRevolution);
  *beta = 0.0;
}

// Ecliptic longitude lambda and latitude beta (radians) of the Moon for T
// (Julian centuries since J2000); M is the Sun's mean anomaly in radians.
// Periodic terms in arcseconds.
void moon_ecliptic(double T, double M, double *lambda, double *beta) {
  const double L0 = fracpart(0.606433 + 1336.855225 * T);  // revolutions
  const double l = kTwoPi * fracpart(0.374897 + 1325.55241 * T);
  const double D = kTwoPi * fracpart(0.827361 + 1236.853086 * T);
  const double F = kTwoPi * fracpart(0.259086 + 1342.227825 * T);

  double dL = 22640.0 * std::sin(l);
  dL += -4586.0 * std::sin(l - 2.0 * D);
  dL += 2370.0 * std::sin(2.0 * D);
  dL += 769.0 * std::sin(2.0 * l);
  dL += -668.0 * std::sin(M);
  dL += -412.0 * std::sin(2.0 * F);
  dL += -212.0 * std::sin(2.0 * l - 2.0 * D);
  dL += -206.0 * std::sin(l + M - 2.0 * D);
  dL += 192.0 * std::sin(l + 2.0 * D);
  dL += -165.0 * std::sin(M - 2.0 * D);
  dL += 148.0 * std::sin(l - M);
  dL += -125.0 * std::sin(D);
  dL += -110.0 * std::sin(l + M);
  dL += -55.0 * std::sin(2.0 * F - 2.0 * D);

  const double S = F + (dL + 412.0 * std::sin(2.0 * F) + 541.0 * std::sin(M)) / kArcsecPerRadian;
  const double h = F - 2.0 * D;
  double N = -526.0 * std::sin(h);
  N += 44.0 * std::sin(l + h);
  N += -31.0 * std::sin(h - l);
  N += -25.0 * std::sin(F - 2.0 * l);
  N += -23.0 * std::sin(M + h);
  N += 21.0 * std::sin(F - l);
  N += 11.0 * std::sin(h - M);

  *lambda = kTwoPi * fracpart(L0 + dL / kArcsecPerRevolution);
  *beta = (18520.0 * std::sin(S) + N) / kArcsecPerRadian;
}

}  // namespace

// Right ascension (hours, 0 <= ra < 24) and declination (degrees) of the
// Sun (body <= 0) or the Moon (body > 0). T: Julian centuries since J2000.0
// of the instant, used unchanged as the argument of the series; only the
// mean obliquity is taken in dynamical time. Geocentric. Against Meeus's
// examples 25.a and 47.a the Sun is within 0.001 h in right ascension and
// 0.01 degree in declination, the Moon within 0.002 h and 0.02 degree; rise
// and set from these positions lie within 19 s of astronomy-engine for 95 %
// of the events of 1900..2100 (docs/accuracy.md).
void sunmoonposition(double T, double *ra, double *dec, int body) {
  const double jd = T * kDaysPerCentury + kJ2000;
  const double eps = obliquity(jd + deltatdays(jd));
  const double M = kTwoPi * fracpart(0.993133 + 99.997361 * T);

  double lambda = 0.0, beta = 0.0;
  if (body > 0) {
    moon_ecliptic(T, M, &lambda, &beta);
  } else {
    sun_ecliptic(T, M, &lambda, &beta);
  }

  // Ecliptic to equatorial coordinates.
  const double cb = std::cos(beta);
  const double y0 = std::sin(lambda) * cb;
  const double x = std::cos(lambda) * cb;
  const double y = std::cos(eps) * y0 - std::sin(eps) * std::sin(beta);
  const double z = std::sin(eps) * y0 + std::cos(eps) * std::sin(beta);
  const double rho = safesqrt(1.0 - z * z);

  *dec = safeatan2(z, rho) * 360.0 / kTwoPi;
  // Half-angle form: 2 atan(y / (x + rho)), -12 .. +12 hours.
  double r = safeatan2(y, x + rho) * 48.0 / kTwoPi;
  r -= 24.0 * std::floor(r / 24.0);
  if (r >= 24.0) r = 0.0;  // a tiny negative r rounds up to 24
  *ra = r;
}

// Parabola y = a x^2 + b x + y0 through (-1, ym), (0, y0), (+1, yp):
// extremum value ye and the zeros. Returns the number of zeros in [-1, 1];
// root1 is the inner one when there is just one. The roots are written only
// when they exist. Three collinear samples (a = 0) are solved as the line
// b x + y0 = 0 (ye = y0); a constant line has no root.
int quadinterp(double ym, double y0, double yp, double *ye, double *root1, double *root2) {
  const double a = 0.5 * (ym + yp) - y0;
  const double b = 0.5 * (yp - ym);

  const double xe = (a != 0.0) ? -b / (2.0 * a) : 0.0;
  const double dis = b * b - 4.0 * a * y0;
  const double dx = (a != 0.0) ? 0.5 * safesqrt(dis) / std::fabs(a) : 0.0;  // 0 when dis < 0
  if (a == 0.0 || !std::isfinite(xe) || !std::isfinite(dx)) {
    // Straight line (or a parabola too flat to tell from one).
    *ye = y0;
    if (b == 0.0) return 0;
    const double x = -y0 / b;
    if (!std::isfinite(x)) return 0;
    *root1 = x;
    *root2 = x;
    return (std::fabs(x) <= 1.0) ? 1 : 0;
  }

  *ye = (a * xe + b) * xe + y0;
  if (dis < 0.0) return 0;

  *root1 = xe - dx;
  *root2 = xe + dx;
  int n = 0;
  if (std::fabs(*root1) <= 1.0) ++n;
  if (std::fabs(*root2) <= 1.0) ++n;
  if (*root1 < -1.0) *root1 = *root2;
  return n;
}

// Sine of the geocentric altitude of the Sun or Moon of the event type at
// the universal time MJD0 + hour / 24, seen from the east longitude
// (degrees) with the given cosine and sine of the latitude.
double sinaltitude(int type, double mjd0, double hour, double longitude, double coslat,
                   double sinlat) {
  const double mjd = mjd0 + hour / 24.0;
  const double T = (mjd - kMjdJ2000) / kDaysPerCentury;
  double ra = 0.0, dec = 0.0;
  sunmoonposition(T, &ra, &dec, type);
  const double tau = 15.0 * (localsiderealtime(mjd, longitude) - ra) * kDegToRad;
  const double d = dec * kDegToRad;
  return sinlat * std::sin(d) + coslat * std::cos(d) * std::cos(tau);
}

// Rising and setting of the event type on the date (MJD of 0h, zone offset
// in hours east of UT, east longitude and north latitude in degrees):
// samples the altitude on every whole hour 0..24 of zone time and fits a
// parabola to each two-hour window (Montenbruck and Pfleger, 4th ed., ch. 3).
// Rise and set are hours 0..24 of zone time, written only when found.
// Returns the RiseSetFlag bits.
int riseset(int mjd, double zone, double longitude, double latitude, int type, double *rise,
            double *set) {
  const double coslat = std::cos(latitude * kDegToRad);
  const double sinlat = std::sin(latitude * kDegToRad);
  const double mjd0 = mjd - zone / 24.0;
  const double s0 = std::sin(horizon_altitude(type) * kDegToRad);

  double hour = 1.0;
  double ym = sinaltitude(type, mjd0, hour - 1.0, longitude, coslat, sinlat) - s0;
  const bool above = ym > 0.0;
  bool rises = false, sets = false;

  for (int window = 0; window < 12 && !(rises && sets); ++window) {
    const double y0 = sinaltitude(type, mjd0, hour, longitude, coslat, sinlat) - s0;
    const double yp = sinaltitude(type, mjd0, hour + 1.0, longitude, coslat, sinlat) - s0;
    double ye = 0.0, root1 = 0.0, root2 = 0.0;
    const int n = quadinterp(ym, y0, yp, &ye, &root1, &root2);
    if (n == 1) {
      if (ym < 0.0) {
        *rise = hour + root1;
        rises = true;
      } else {
        *set = hour + root1;
        sets = true;
      }
    } else if (n == 2) {
      if (ye < 0.0) {
        *rise = hour + root2;
        *set = hour + root1;
      } else {
        *rise = hour + root1;
        *set = hour + root2;
      }
      rises = true;
      sets = true;
    }
    ym = yp;
    hour += 2.0;
  }
  return (rises ? kRiseFound : 0) | (sets ? kSetFound : 0) | (above ? kAboveAtStart : 0);
}
