// SPDX-License-Identifier: MIT
// The precise Sun and Moon as seen from a place.
#include "astro/localposition.h"

#include <cmath>

#include "astro/constants.h"
#include "astro/coordinates.h"
#include "astro/nutation.h"
#include "astro/precisemoon.h"
#include "astro/precisesun.h"
#include "astro/timescales.h"

namespace {

// The sky at one instant: what both bodies need.
struct Sky {
  double jde, dpsi, eps;  // dynamical time, nutation in longitude, true obliquity
  double lst;             // local apparent sidereal time, degrees
  double rhosin, rhocos;  // the observer at sea level
};

Sky skyat(double jd, double longitude, double latitude) {
  Sky s{};
  s.jde = jd + deltatdays(jd);
  double deps = 0.0;
  nutation(s.jde, &s.dpsi, &deps);
  s.eps = trueobliquity(s.jde, deps);
  s.lst = apparentsiderealtime(jd, s.dpsi, s.eps) + longitude;
  observerterms(latitude, 0.0, &s.rhosin, &s.rhocos);
  return s;
}

// A body at apparent ecliptic lambda, beta and geocentric distance (km)
// as seen from the place.
void place(const Sky &s, double latitude, double lambda, double beta, double km,
           TopocentricPosition *p) {
  double ra = 0.0, dec = 0.0, d = 0.0;
  eclipticequatorial(lambda, beta, s.eps, &ra, &dec);
  topocentric(ra, dec, km / kEarthRadiusKm, s.lst - ra, s.rhosin, s.rhocos, &p->ra, &p->dec, &d);
  p->distance = d * kEarthRadiusKm;
  p->hourangle = std::remainder(s.lst - p->ra, 360.0);
  equatorialhorizontal(p->hourangle, p->dec, latitude, &p->altitude, &p->azimuth);
}

void sunat(const Sky &s, double latitude, TopocentricPosition *sun) {
  double lambda = 0.0, beta = 0.0, r = 0.0;
  sunapparentecliptic(s.jde, s.dpsi, &lambda, &beta, &r);
  place(s, latitude, lambda, beta, r * kAuKm, sun);
  sun->semidiameter = kSunSemidiameter / 3600.0 * kAuKm / sun->distance;
}

void moonat(const Sky &s, double latitude, TopocentricPosition *moon) {
  double lambda = 0.0, beta = 0.0, km = 0.0;
  moongeocentric(s.jde, &lambda, &beta, &km);
  place(s, latitude, lambda + s.dpsi, beta, km, moon);
  moon->semidiameter = std::asin(kMoonRadiusRatio * kEarthRadiusKm / moon->distance) / kDegToRad;
}

}  // namespace

void sunmoontopocentric(double jd, double longitude, double latitude, TopocentricPosition *sun,
                        TopocentricPosition *moon) {
  const Sky s = skyat(jd, longitude, latitude);
  sunat(s, latitude, sun);
  moonat(s, latitude, moon);
}

void suntopocentric(double jd, double longitude, double latitude, TopocentricPosition *sun) {
  sunat(skyat(jd, longitude, latitude), latitude, sun);
}

void moontopocentric(double jd, double longitude, double latitude, TopocentricPosition *moon) {
  moonat(skyat(jd, longitude, latitude), latitude, moon);
}

void sunhorizontal(double jd, double longitude, double latitude, double *altitude,
                   double *azimuth) {
  TopocentricPosition sun{};
  suntopocentric(jd, longitude, latitude, &sun);
  *altitude = sun.altitude;
  *azimuth = sun.azimuth;
}

void moonhorizontal(double jd, double longitude, double latitude, double *altitude,
                    double *azimuth) {
  TopocentricPosition moon{};
  moontopocentric(jd, longitude, latitude, &moon);
  *altitude = moon.altitude;
  *azimuth = moon.azimuth;
}
