// SPDX-License-Identifier: MIT
// The solar and lunar eclipses of a year as seen from a place: those the
// moon report names (partial, total and annular solar, partial and total
// lunar eclipses), with the local circumstances of the solar ones and
// the contacts of the lunar ones, and where the Sun or the Moon stands at
// each instant. The eclipses view and the export write them.
#ifndef NACHTBLICK_PLACEECLIPSES_H
#define NACHTBLICK_PLACEECLIPSES_H

#include <vector>

#include "nachtblick/place/places.h"

// One instant of an eclipse at the place.
struct EclipseMoment {
  const char *event;  // "C1", "C2", "MAX", "C3", "C4"; "P1", "U1", "U2", "MAX", "U3", "U4", "P4"
  const char *text;   // its German name, e.g. "Beginn Kernschatten" (ASCII)
  double jd;          // UT Julian Date
  double altitude;    // the body's apparent altitude (with refraction), degrees
  double azimuth;     // degrees from north through east
  bool up;            // the body above the horizon (its centre above -50')
};

struct PlaceEclipse {
  bool lunar;
  int kind_global;  // EclipseType (astro/eclipse.h)
  int kind_local;   // kLocalNone (astro/localeclipse.h) or an EclipseType
  int saros;
  double gamma;
  double greatest;                     // UT Julian Date of the greatest eclipse (eclipse())
  std::vector<EclipseMoment> moments;  // in time order; none when not seen
  double magnitude;                    // solar: at the local maximum
  double obscuration;                  // solar: at the local maximum
  double sunrise;                      // solar: UT Julian Date of a sunrise during it, else 0
  double sunset;                       // solar: UT Julian Date of a sunset during it, else 0
};

// The eclipses whose greatest eclipse lies in the year (UTC), in time
// order. year is one of the reports' years (kFirstReportYear..
// kLastReportYear).
std::vector<PlaceEclipse> place_eclipses(int year, const Place &place);

// Whether the body is above the horizon at one of the instants at least.
bool eclipse_seen(const PlaceEclipse &e);

#endif
