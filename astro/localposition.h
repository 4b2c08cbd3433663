// SPDX-License-Identifier: MIT
// The precise Sun and Moon as seen from a place at sea level: apparent
// topocentric right ascension and declination, distance, semidiameter,
// geometric altitude and azimuth. Instants are UT Julian Dates, turned
// into dynamical time with the program's Delta T (deltatdays() in
// timescales.h); angles in degrees, east longitude and north latitude
// positive, azimuth from north through east.
#ifndef NACHTBLICK_LOCALPOSITION_H
#define NACHTBLICK_LOCALPOSITION_H

// Semidiameter of the Sun at 1 au, arcseconds (Meeus ch. 55).
constexpr double kSunSemidiameter = 959.63;
// The Moon's radius in Earth equatorial radii (Meeus ch. 55).
constexpr double kMoonRadiusRatio = 0.272481;

struct TopocentricPosition {
  double ra, dec;       // apparent topocentric right ascension (0..360) and declination
  double distance;      // from the observer, km
  double semidiameter;  // degrees
  double altitude;      // geometric (no refraction); add refraction() for the apparent one
  double azimuth;       // 0..360 from north through east
  double hourangle;     // local hour angle, -180..180 (0 at the upper transit)
};

// The Sun (precisesun.h) and the Moon (precisemoon.h) at the UT Julian
// Date jd from the place, with one nutation for both. The Sun's
// semidiameter is 959.63"/r (r in au), the Moon's asin(k a / d) with
// k = 0.272481, a the Earth's equatorial radius and d the topocentric
// distance (the topocentric semidiameter of Meeus ch. 55).
void sunmoontopocentric(double jd, double longitude, double latitude, TopocentricPosition *sun,
                        TopocentricPosition *moon);

// The Sun alone, and the Moon alone (each computes the nutation itself).
void suntopocentric(double jd, double longitude, double latitude, TopocentricPosition *sun);
void moontopocentric(double jd, double longitude, double latitude, TopocentricPosition *moon);

// Geometric topocentric altitude and azimuth of the Sun and of the Moon.
void sunhorizontal(double jd, double longitude, double latitude, double *altitude, double *azimuth);
void moonhorizontal(double jd, double longitude, double latitude, double *altitude,
                    double *azimuth);

#endif
