// SPDX-License-Identifier: MIT
// A solar eclipse as seen from a place at sea level: the local kind, the
// contacts, magnitude and obscuration, and the Sun's position at each
// contact. Computed from the precise topocentric Sun and Moon
// (localposition.h) for the eclipses that eclipse() in eclipse.h finds.
// Instants are UT Julian Dates (to 0.01 s of the model), angles in
// degrees, east longitude and north latitude positive.
#ifndef NACHTBLICK_LOCALECLIPSE_H
#define NACHTBLICK_LOCALECLIPSE_H

#include "astro/eclipse.h"  // EclipseType

// The contacts: first (C1), second (C2), greatest eclipse (least
// separation of the centres), third (C3) and last (C4).
enum SolarContact { kContact1, kContact2, kContactMax, kContact3, kContact4, kSolarContacts };

// The local kind: none, or an EclipseType (eclipse.h) as seen there.
constexpr int kLocalNone = -1;

// Status of the eclipse searches.
enum EclipseStatus {
  kEclipseFound = 0,     // the lunation has such an eclipse; the result is filled in
  kEclipseNone = 1,      // the lunation has no eclipse of that kind
  kEclipseNoContact = 2  // a contact could not be bracketed (not seen in practice)
};

struct EclipseInstant {
  double jd;        // UT Julian Date; 0 when the contact does not occur
  double altitude;  // the Sun's apparent altitude (with refraction())
  double azimuth;   // from north through east
  int sunup;        // 1 when the Sun's geometric altitude is above kSunHorizonAltitude
};

struct LocalSolarEclipse {
  int kind_global;                         // EclipseType of the eclipse as a whole
  int kind;                                // kLocalNone or the EclipseType seen from the place
  EclipseInstant contact[kSolarContacts];  // kContactMax also when kind is kLocalNone
  double magnitude;    // at greatest eclipse: (sSun + sMoon - separation) / (2 sSun), or 0
  double obscuration;  // at greatest eclipse: covered fraction of the Sun's disc area, or 0
  double sunrise;      // UT JD of a sunrise between C1 and C4, else 0
  double sunset;       // UT JD of a sunset between C1 and C4, else 0
  int sunupduring;     // 1 when the Sun is up at some instant from C1 to C4 (horizoncrossings.h);
                       // 0 also when kind is kLocalNone
};

// The solar eclipse of lunation n (as eclipse(n, kKindSolar, ...)) seen
// from the place, ignoring the horizon: the Moon's and the Sun's discs
// from their apparent topocentric positions and semidiameters. C2 and C3
// occur only when the place sees the eclipse total or annular. Returns an
// EclipseStatus; *e is filled in only for kEclipseFound.
int solareclipseat(int n, double longitude, double latitude, LocalSolarEclipse *e);

// Fraction of the area of a disc of radius a covered by a disc of radius
// b whose centre lies at distance c (any one unit): the lens of the two
// circles, 0 when they do not overlap.
double discoverlap(double a, double b, double c);

#endif
