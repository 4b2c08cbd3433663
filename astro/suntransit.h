// SPDX-License-Identifier: MIT
// When the precise Sun (localposition.h) stands on the meridian within a
// span of time: local apparent noon. Instants are UT Julian Dates.
#ifndef NACHTBLICK_SUNTRANSIT_H
#define NACHTBLICK_SUNTRANSIT_H

// The Sun's upper transit (its topocentric hour angle 0, local apparent
// noon) in [jd1, jd2): 1 with its instant, or 0 when there is none (*jd
// untouched). East longitude and north latitude positive, degrees.
int suntransit(double jd1, double jd2, double longitude, double latitude, double *jd);

#endif
