// SPDX-License-Identifier: MIT
// Coordinate transformations of the precise positions (Meeus,
// Astronomical Algorithms, 2nd ed., 1998): ecliptic to equatorial
// (ch. 13), apparent sidereal time (ch. 12), the observer's geocentric
// position (ch. 11), parallax (ch. 40), horizontal coordinates (ch. 13)
// and refraction (ch. 16). Angles in degrees, east longitude and north
// latitude positive; instants are Julian Dates.
#ifndef NACHTBLICK_COORDINATES_H
#define NACHTBLICK_COORDINATES_H

// The Earth's equatorial radius (IAU 1976) in km, as Meeus uses it for
// parallaxes and distances from parallaxes.
constexpr double kEarthRadiusKm = 6378.14;
// The astronomical unit in km (IAU 2012).
constexpr double kAuKm = 149597870.7;

// Ecliptic longitude and latitude to right ascension (0..360) and
// declination for the obliquity eps (Meeus eqs. 13.3 and 13.4).
void eclipticequatorial(double lambda, double beta, double eps, double *ra, double *dec);

// Apparent Greenwich sidereal time in degrees (0..360) at the UT Julian
// Date jd: the mean sidereal time of Meeus eq. 12.4 plus the equation of
// the equinoxes dpsi cos eps (nutation in longitude dpsi and true
// obliquity eps in degrees, from nutation() and trueobliquity()).
double apparentsiderealtime(double jd, double dpsi, double eps);

// rho sin phi' and rho cos phi' (Meeus ch. 11) for the geographic
// latitude (degrees) and the height above sea level (m), in units of the
// Earth's equatorial radius; IAU 1976 flattening 1/298.257.
void observerterms(double latitude, double height, double *rhosin, double *rhocos);

// Topocentric right ascension (0..360), declination and distance of a body
// at the geocentric ra, dec and distance (Earth radii), for the local hour
// angle ha (degrees) and the observer's rho sin phi' and rho cos phi'.
// Rigorous: the observer's vector is subtracted from the body's, which
// gives the values of Meeus eqs. 40.2 and 40.3 and, in addition, the
// topocentric distance (Earth radii).
void topocentric(double ra, double dec, double distance, double ha, double rhosin, double rhocos,
                 double *tra, double *tdec, double *tdistance);

// Altitude and azimuth (0..360, from north through east; Meeus counts
// from the south) for the local hour angle ha and declination dec at the
// latitude (Meeus eqs. 13.5 and 13.6).
void equatorialhorizontal(double ha, double dec, double latitude, double *altitude,
                          double *azimuth);

// Refraction in degrees for a true (geometric) altitude h in degrees, at
// 1010 mb and 10 deg C: Saemundsson's formula (Meeus eq. 16.4)
// R = 1.02' / tan(h + 10.3 / (h + 5.11)) plus 0.0019279' so that R is 0 at
// the zenith. Below -1 deg the formula is taken at -1 deg and scaled down
// linearly to 0 at the nadir, so that the apparent altitude h + R stays
// monotonic (the convention of Astronomy Engine's "normal" refraction).
double refraction(double h);

#endif
