// SPDX-License-Identifier: MIT
// The contacts of a lunar eclipse with the Earth's penumbra and umbra,
// from the precise geocentric Sun and Moon, for the partial and total
// eclipses that eclipse() in eclipse.h finds. The shadow is that of
// Astronomy Engine: the cones that touch the Sun (radius 695700 km) and a
// sphere of the Earth's mean radius 6371 km enlarged by 88 km for the
// atmosphere, about the line from the Sun's apparent (aberrated) centre
// through the Earth's centre, sized at the Moon's distance along that
// line; the Moon's mean radius is 1737.4 km. Instants are UT Julian
// Dates (to 0.01 s of the model). The Moon's altitude at an instant for a
// place is moonhorizontal() in localposition.h.
#ifndef NACHTBLICK_LUNARECLIPSE_H
#define NACHTBLICK_LUNARECLIPSE_H

#include "astro/localeclipse.h"  // EclipseStatus

// The contacts: the Moon's limb touches the penumbra (P1), the umbra
// (U1), lies wholly in the umbra (U2), greatest eclipse (the Moon's centre
// nearest the shadow axis), leaves the umbra's inside (U3), the umbra
// (U4) and the penumbra (P4).
enum LunarContact { kP1, kU1, kU2, kLunarMax, kU3, kU4, kP4, kLunarContacts };

struct LunarEclipseContacts {
  int kind;                   // EclipseType from eclipse(): partial or total
  double jd[kLunarContacts];  // UT Julian Dates; 0 for a contact that does not occur
  double umbralmagnitude;     // at greatest eclipse, in Moon diameters (negative: none)
  double penumbralmagnitude;  // at greatest eclipse, in Moon diameters
};

// The lunar eclipse of lunation n (its full moon, as eclipse(n,
// kKindLunar, ...)). Returns an EclipseStatus (localeclipse.h); *e is
// filled in only for kEclipseFound.
int lunareclipsecontacts(int n, LunarEclipseContacts *e);

#endif
