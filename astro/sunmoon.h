// SPDX-License-Identifier: MIT
// Low-precision Sun and Moon (Montenbruck and Pfleger, Astronomy on the
// Personal Computer, 4th ed., 2000, ch. 3) and the rise, set
// and twilight search over one day.
#ifndef NACHTBLICK_SUNMOON_H
#define NACHTBLICK_SUNMOON_H

// Event types of riseset and sinaltitude: the body, and the altitude h0 of
// its centre that counts as rising or setting. Types above 1 count as the
// Moon, below -3 as astronomical twilight.
enum RiseSetEvent {
  kEventMoon = 1,           // the Moon, h0 = +8'
  kEventSun = 0,            // the Sun, h0 = -50' (refraction and semidiameter)
  kEventCivil = -1,         // civil twilight, the Sun at -6 degrees
  kEventNautical = -2,      // nautical twilight, -12 degrees
  kEventAstronomical = -3,  // astronomical twilight, -18 degrees
};

// Result flags of riseset.
enum RiseSetFlag {
  kRiseFound = 1,    // a rising was found
  kSetFound = 2,     // a setting was found
  kAboveAtStart = 4  // above h0 at 0h zone time
};

// Apparent right ascension (hours, 0..24) and declination (degrees) of the
// Moon (body > 0) or the Sun (body <= 0); T in Julian centuries from J2000.
void sunmoonposition(double T, double *ra, double *dec, int body);

// Parabola through (-1, ym), (0, y0), (+1, yp): writes the extremum value ye
// and, when the discriminant is not negative, the roots; returns the number
// of roots in [-1, 1].
int quadinterp(double ym, double y0, double yp, double *ye, double *root1, double *root2);

// Sine of the altitude of the body of the event type at MJD0 + hour/24 (UT).
double sinaltitude(int type, double mjd0, double hour, double longitude, double coslat,
                   double sinlat);

// Searches the day (MJD of the date, zone offset in hours) for the rising
// and setting of the event type; hours of zone time 0..24. Returns flags.
int riseset(int mjd, double zone, double longitude, double latitude, int type, double *rise,
            double *set);

#endif
