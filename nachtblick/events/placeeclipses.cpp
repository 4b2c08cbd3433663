// SPDX-License-Identifier: MIT
// The eclipses of a year at a place, from the eclipses of the moon report
// and the local circumstances of astro/localeclipse.h and
// astro/lunareclipse.h.
#include "nachtblick/events/placeeclipses.h"

#include <algorithm>

#include "astro/constants.h"
#include "astro/coordinates.h"
#include "astro/eclipse.h"
#include "astro/horizoncrossings.h"
#include "astro/localeclipse.h"
#include "astro/localposition.h"
#include "astro/lunareclipse.h"
#include "astro/timescales.h"
#include "calendar/calendar.h"
#include "nachtblick/events/moonsearch.h"

namespace {

void add_solar(int n, const Place &place, PlaceEclipse &e) {
  LocalSolarEclipse s{};
  if (solareclipseat(n, place.longitude, place.latitude, &s) != kEclipseFound) return;
  e.kind_at_place = s.kind;
  if (s.kind == kLocalNone) return;
  e.kind_local = s.sunupduring ? s.kind : kLocalNone;
  for (int c = 0; c < kSolarContacts; ++c) {
    const EclipseInstant &i = s.contact[c];
    if (i.jd != 0.0)
      e.moments.push_back(
          {EclipseContact(kContactC1 + c), Instant::ut(i.jd), i.altitude, i.azimuth, i.sunup != 0});
  }
  e.magnitude = s.magnitude;
  e.obscuration = s.obscuration;
  if (s.sunrise != 0.0) e.rise = Instant::ut(s.sunrise);
  if (s.sunset != 0.0) e.set = Instant::ut(s.sunset);
}

// The Moon is seen when it is up at some instant of the umbral eclipse,
// U1 to U4, the part of a partial or total eclipse that the eye sees; an
// eclipse whose contacts have no umbral phase (near the limit of a
// partial one) is seen by its penumbral phase, P1 to P4. Its rise and set
// are those within P1 to P4, the whole span the view and the export give.
void add_lunar(int n, const Place &place, PlaceEclipse &e) {
  LunarEclipseContacts l{};
  e.kind_at_place = e.kind_global;
  e.kind_local = e.kind_global;  // without contacts (not seen in practice): as the moon report
  if (lunareclipsecontacts(n, &l) != kEclipseFound) return;
  for (int c = 0; c < kLunarContacts; ++c) {
    if (l.jd[c] == 0.0) continue;
    double altitude = 0.0, azimuth = 0.0;
    moonhorizontal(l.jd[c], place.longitude, place.latitude, &altitude, &azimuth);
    // The Moon counts as up as the Sun does: its centre above -50'.
    e.moments.push_back({EclipseContact(kContactP1 + c), Instant::ut(l.jd[c]),
                         altitude + refraction(altitude), azimuth, altitude > kSunHorizonAltitude});
  }
  const bool umbral = l.jd[kU1] != 0.0 && l.jd[kU4] != 0.0;
  HorizonSpan seen{}, whole{};
  horizoncrossings(kHorizonMoon, place.longitude, place.latitude, l.jd[umbral ? kU1 : kP1],
                   l.jd[umbral ? kU4 : kP4], &seen);
  horizoncrossings(kHorizonMoon, place.longitude, place.latitude, l.jd[kP1], l.jd[kP4], &whole);
  e.kind_local = seen.up ? e.kind_at_place : kLocalNone;
  if (whole.rise != 0.0) e.rise = Instant::ut(whole.rise);
  if (whole.set != 0.0) e.set = Instant::ut(whole.set);
}

}  // namespace

std::vector<PlaceEclipse> place_eclipses(int year, const Place &place) {
  const double begin = datetojd(year, 1, 1), end = datetojd(year + 1, 1, 1);
  // In time order: the solar eclipse of lunation n (its new moon) comes
  // before the lunar one (its full moon), and both before those of n + 1.
  std::vector<PlaceEclipse> list;
  for (int n = report_lunation(year, 1) - 2; n <= report_lunation(year + 1, 1) + 1; ++n) {
    for (int index = 0; index < kEclipseKinds; ++index) {
      PlaceEclipse e{};
      e.lunar = index / 3 == kKindLunar;
      e.kind_global = index % 3;
      const double greatest = eclipse(n, index / 3, index % 3, &e.gamma, &e.saros, kToUniversal);
      if (greatest < begin || greatest >= end) continue;
      e.greatest = Instant::ut(greatest);
      e.kind_at_place = e.kind_local = kLocalNone;
      (e.lunar ? add_lunar : add_solar)(n, place, e);
      list.push_back(e);
    }
  }
  return list;
}

bool eclipse_seen(const PlaceEclipse &e) { return e.kind_local != kLocalNone; }

bool has_contact(const PlaceEclipse &e, EclipseContact contact) {
  return std::any_of(e.moments.begin(), e.moments.end(),
                     [&](const EclipseMoment &m) { return m.contact == contact; });
}
