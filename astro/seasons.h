// SPDX-License-Identifier: MIT
// Equinoxes and solstices (Meeus, Astronomical Algorithms, 2nd ed., 1998,
// ch. 27).
#ifndef NACHTBLICK_SEASONS_H
#define NACHTBLICK_SEASONS_H

// Julian Date of season 1..4 (March equinox, June solstice, September
// equinox, December solstice) of the year -1500..3500, in universal time
// when to_universal is nonzero; 0.0 outside those ranges.
double seasonstart(int year, int season, int to_universal);

#endif
