// SPDX-License-Identifier: MIT
// The solar and lunar eclipses of a year as seen from a place: those the
// moon report names (partial, total and annular solar, partial and total
// lunar eclipses), with the local circumstances of the solar ones and
// the contacts of the lunar ones, and where the Sun or the Moon stands at
// each instant. The eclipses view and the export write them.
#ifndef NACHTBLICK_PLACEECLIPSES_H
#define NACHTBLICK_PLACEECLIPSES_H

#include <optional>
#include <vector>

#include "nachtblick/place/instant.h"

// The instants of an eclipse: the contacts of a solar eclipse and its local
// maximum; those of a lunar eclipse with the penumbra (P) and the umbra (U)
// and its maximum.
enum EclipseContact {
  kContactC1,
  kContactC2,
  kContactSolarMax,
  kContactC3,
  kContactC4,
  kContactP1,
  kContactU1,
  kContactU2,
  kContactLunarMax,
  kContactU3,
  kContactU4,
  kContactP4,
  kEclipseContacts
};

// One instant of an eclipse at the place.
struct EclipseMoment {
  EclipseContact contact;
  Instant at;
  double altitude;  // the body's apparent altitude (with refraction), degrees
  double azimuth;   // degrees from north through east
  bool up;          // the body above the horizon (its centre above -50')
};

struct PlaceEclipse {
  bool lunar;
  int kind_global;  // EclipseType (astro/eclipse.h)
  int kind_local;   // kLocalNone (astro/localeclipse.h) or an EclipseType
  int saros;
  double gamma;
  Instant greatest;                    // the greatest eclipse (eclipse())
  std::vector<EclipseMoment> moments;  // in time order; none when not seen
  double magnitude;                    // solar: at the local maximum
  double obscuration;                  // solar: at the local maximum
  std::optional<Instant> sunrise;      // solar: a sunrise during it
  std::optional<Instant> sunset;       // solar: a sunset during it
};

// The eclipses whose greatest eclipse lies in the year (UTC), in time
// order. year is one of the reports' years (kFirstReportYear..
// kLastReportYear).
std::vector<PlaceEclipse> place_eclipses(int year, const Place &place);

// Whether the body is above the horizon at one of the instants at least.
bool eclipse_seen(const PlaceEclipse &e);

// Whether the eclipse has an instant of the contact.
bool has_contact(const PlaceEclipse &e, EclipseContact contact);

#endif
