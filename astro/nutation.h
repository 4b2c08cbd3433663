// SPDX-License-Identifier: MIT
// Nutation in longitude and in obliquity and the true obliquity of the
// ecliptic (IAU 1980 theory; Meeus, Astronomical Algorithms, 2nd ed.,
// 1998, ch. 22). Instants are Julian Ephemeris Days (dynamical time),
// angles in degrees.
#ifndef NACHTBLICK_NUTATION_H
#define NACHTBLICK_NUTATION_H

// Nutation in longitude (dpsi) and in obliquity (deps), degrees, from the
// 63 terms of Meeus's table 22.A (all terms from 0.0003"), with the
// fundamental arguments D, M, M', F, Omega of Meeus's ch. 22. Within
// 0.001" of the complete IAU 1980 series for several millennia around
// J2000.0.
void nutation(double jde, double *dpsi, double *deps);

// True obliquity of the ecliptic in degrees: the mean obliquity of
// eq. 22.3 (obliquity() in timescales.h) plus deps.
double trueobliquity(double jde, double deps);

#endif
