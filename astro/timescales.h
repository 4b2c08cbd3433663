// SPDX-License-Identifier: MIT
// Time scales and basic quantities of the astronomy engine.
// Instants are Julian Dates (JD, days) or Modified Julian Dates
// (MJD = JD - 2400000.5); angles in degrees unless stated.
#ifndef NACHTBLICK_TIMESCALES_H
#define NACHTBLICK_TIMESCALES_H

// (jd - 2451545.0) / 36525: Julian centuries since J2000.0 in jd's scale.
double juliancenturies(double jd);

// Square root, 0 for x < 1e-35 (and so for every negative x).
double safesqrt(double x);

// atan2(y, x) in radians, 0 when both arguments are exactly 0.
double safeatan2(double y, double x);

// x - floor(x), in [0, 1) also for negative x.
double fracpart(double x);

// Local mean sidereal time in hours, 0 <= value < 24, for an MJD in UT and
// an east longitude in degrees (the IAU 1982 expression for GMST of Aoki et
// al., Astron. Astrophys. 105, 359, 1982; Meeus, Astronomical Algorithms,
// 2nd ed., 1998, ch. 12).
double localsiderealtime(double mjd, double longitude);

// Delta T = TT - UT in seconds for the middle of a calendar month
// (polynomials of Espenak and Meeus, Five Millennium Canon of Solar
// Eclipses, NASA/TP-2006-214141; 0 before the year -750).
double deltatseconds(int year, int month);

// Delta T in seconds for the calendar month in which jd falls. (It once
// kept the last value asked for; it is cheap enough to compute each time,
// and the engine keeps no state.)
double deltatcached(double jd);

// deltatcached(jd) in days.
double deltatdays(double jd);

// Dynamical to universal time: jde - Delta T when to_universal is nonzero;
// jde + 0.499 s otherwise.
double ttut(double jde, int to_universal);

// The to_universal flag that every report passes.
constexpr int kToUniversal = 1;

// Mean obliquity of the ecliptic in radians (Laskar; Meeus, 2nd ed., 1998,
// ch. 22, eq. 22.3) for a
// Julian Date in dynamical time.
double obliquity(double jd);

#endif
