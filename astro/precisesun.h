// SPDX-License-Identifier: MIT
// The Sun from VSOP87 (Meeus, Astronomical Algorithms, 2nd ed., 1998,
// ch. 25 "higher accuracy" and ch. 32 with the Earth's series of
// Appendix III). Instants are Julian Ephemeris Days (dynamical time),
// angles in degrees, distances in astronomical units. Meeus's terms keep
// the Sun within about 1" of the complete VSOP87 near the present; the
// low-precision Sun of the reports is sunmoonposition() in sunmoon.h.
#ifndef NACHTBLICK_PRECISESUN_H
#define NACHTBLICK_PRECISESUN_H

// The Earth's heliocentric ecliptic longitude l (0..360) and latitude b,
// degrees, and radius vector r, au, referred to the mean ecliptic and
// equinox of date (VSOP87D; Meeus eq. 32.2 ff.).
void earthheliocentric(double jde, double *l, double *b, double *r);

// The Sun's apparent geocentric ecliptic longitude lambda (0..360) and
// latitude beta, degrees, referred to the true equinox of date, and its
// distance r, au: the geometric position from earthheliocentric(), the
// correction to the FK5 system (Meeus eq. 25.9), the nutation in
// longitude dpsi (degrees, from nutation()) and the aberration
// -20.4898"/r (eq. 25.10).
void sunapparentecliptic(double jde, double dpsi, double *lambda, double *beta, double *r);

// The Sun's apparent right ascension (0..360) and declination, degrees,
// and its distance r, au (Meeus example 25.b).
void sunapparent(double jde, double *ra, double *dec, double *r);

#endif
