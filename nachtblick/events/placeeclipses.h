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

// An eclipse at the place. Its span is from C1 to C4 for a solar eclipse
// and from P1 to P4 for a lunar one. The body counts as up as in
// EclipseMoment: its centre above -50' (horizoncrossings.h), for the Moon
// as for the Sun.
struct PlaceEclipse {
  bool lunar;
  int kind_global;    // EclipseType (astro/eclipse.h)
  int kind_at_place;  // the horizon aside: kLocalNone (astro/localeclipse.h) or the EclipseType
                      // the discs show at the place (solar), kind_global (lunar)
  int kind_local;     // kind_at_place where the body is up at some instant of the eclipse
                      // (the Sun from C1 to C4, the Moon from U1 to U4, or from P1 to P4 for an
                      // eclipse without umbral contacts), else kLocalNone: not seen
  int saros;
  double gamma;
  Instant greatest;                    // the greatest eclipse (eclipse())
  std::vector<EclipseMoment> moments;  // in time order; none for a solar eclipse the place
                                       // does not have (kind_at_place kLocalNone)
  double magnitude;                    // solar: at the local maximum
  double obscuration;                  // solar: at the local maximum
  std::optional<Instant> rise;         // the body's rise within the span, if any
  std::optional<Instant> set;          // the body's set within the span, if any
};

// The eclipses whose greatest eclipse lies in the year (UTC), in time
// order. year is one of the reports' years (kFirstReportYear..
// kLastReportYear).
std::vector<PlaceEclipse> place_eclipses(int year, const Place &place);

// Whether the eclipse is seen at the place: kind_local is not kLocalNone.
bool eclipse_seen(const PlaceEclipse &e);

// Whether the eclipse has an instant of the contact.
bool has_contact(const PlaceEclipse &e, EclipseContact contact);

#endif
