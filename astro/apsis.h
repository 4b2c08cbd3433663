// SPDX-License-Identifier: MIT
// The Moon's perigee and apogee (Meeus, Astronomical Algorithms, 2nd ed.,
// 1998, ch. 50). Apsis k: an integer k is a perigee, k + 0.5 an apogee;
// k = 0 is the perigee of 1999 December 22. Instants are Julian Dates.
#ifndef NACHTBLICK_APSIS_H
#define NACHTBLICK_APSIS_H

// JDE (dynamical time) of apsis k, from the mean apsis (eq. 50.1) and the
// periodic terms of table 50.A; writes the distance between the centres
// of the Earth and the Moon, km, from the equatorial horizontal parallax
// of table 50.A: 6378.14 km / sin(parallax). Errors: up to 31 minutes
// (perigee) and 3 minutes (apogee) in time, 12 km (perigee) and 6 km
// (apogee) in distance, against ELP-2000/82 (Meeus).
double moonapsis(double k, double *distance);

struct MoonApsis {
  double jd;        // instant, UT Julian Date
  int apogee;       // 1 apogee, 0 perigee
  double distance;  // km
};

// The apsides whose UT instants lie in [jd1, jd2), in time order: writes
// at most capacity of them to out and returns how many there are (which
// may exceed capacity; none when jd2 <= jd1).
int moonapsides(double jd1, double jd2, MoonApsis *out, int capacity);

#endif
