// SPDX-License-Identifier: MIT
// Lunar phases and their mean arguments (Meeus, Astronomical Algorithms,
// 2nd ed., 1998, ch. 49) and the illuminated fraction (ch. 48); the
// eclipses are in eclipse.h. Lunation 0 is that of the new moon of
// 2000 January 6. Angles in degrees, instants as Julian Dates.
#ifndef NACHTBLICK_LUNAR_H
#define NACHTBLICK_LUNAR_H

// Mean phase JDE for lunation position k (Meeus eq. 49.1); T = k / 1236.85.
double phasejde(double T, double k);
// Stores T = k / 1236.85 through T; returns the eccentricity factor E
// (Meeus eq. 47.6).
double eccentricityfactor(double *T, double k);
// Sun's mean anomaly M (Meeus eq. 49.4).
double sunanomaly(double T, double k);
// Moon's mean anomaly M' (Meeus eq. 49.5).
double moonanomaly(double T, double k);
// Moon's argument of latitude F (Meeus eq. 49.6).
double moonlatitudearg(double T, double k);
// Longitude of the ascending node Omega (Meeus eq. 49.7).
double moonnodelongitude(double T, double k);

// Julian Date of phase 0..3 (new moon, first quarter, full moon, last
// quarter) of lunation n; universal time when to_universal is nonzero.
// 0 for a phase code outside 0..3.
double moonphase(int n, int phase, int to_universal);

// Illuminated fraction of the Moon's disk, 0..1, at the Julian Date jd.
double moonillumination(double jd);

#endif
