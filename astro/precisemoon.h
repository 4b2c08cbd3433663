// SPDX-License-Identifier: MIT
// The Moon after Meeus, Astronomical Algorithms, 2nd ed., 1998, ch. 47
// (the complete tables 47.A and 47.B of the main terms of Chapront's
// ELP-2000/82). Instants are Julian Ephemeris Days (dynamical time),
// angles in degrees, distances in km. About 10" in longitude and 4" in
// latitude near the present; the low-precision Moon of the reports is
// sunmoonposition() in sunmoon.h.
#ifndef NACHTBLICK_PRECISEMOON_H
#define NACHTBLICK_PRECISEMOON_H

// The Moon's geocentric ecliptic longitude lambda (0..360) and latitude
// beta referred to the mean equinox of date, and the distance between
// the centres of the Earth and the Moon, km (Meeus eqs. 47.1 to 47.6 and
// the additive terms of A1, A2, A3, L' - F, L' + M').
void moongeocentric(double jde, double *lambda, double *beta, double *distance);

// The Moon's apparent right ascension (0..360) and declination, degrees,
// with the nutation in longitude and the true obliquity, and its distance
// in km (Meeus example 47.a).
void moonapparent(double jde, double *ra, double *dec, double *distance);

#endif
