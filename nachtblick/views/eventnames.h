// SPDX-License-Identifier: MIT
// The names of the events the export and the chart write (UTF-8), each
// with the word that stands for it in an export's UIDs.
#ifndef NACHTBLICK_EVENTNAMES_H
#define NACHTBLICK_EVENTNAMES_H

struct EventName {
  const char *name;  // as shown, e.g. "Frühlingsanfang"
  const char *id;    // ASCII, e.g. "fruehlingsanfang"
};

// By phase code 0..3 (new moon, first quarter, full moon, last quarter).
extern const EventName kPhaseNames[4];
// By eclipse index 0..4, as szFinsternis (partial, total, annular solar;
// partial, total lunar).
extern const EventName kEclipseNames[5];
// By season 1..4 less one: the starts of spring, summer, autumn and
// winter (in the northern hemisphere: March equinox, June solstice, ...).
extern const EventName kSeasonStartNames[4];
// By feast 1..5 as szFeiertag; entry 0 is empty.
extern const EventName kFeastNames[6];
// Sunrise, sunset.
extern const EventName kSunNames[2];
// The evening golden hour.
extern const EventName kGoldenHourName;
// The Moon's perigee, apogee.
extern const EventName kApsisNames[2];
// An eclipse seen at a place: solar, lunar.
extern const EventName kLocalEclipseNames[2];
// The kinds of eclipse by EclipseType (astro/eclipse.h): partial, total,
// annular.
extern const char *const kEclipseKindNames[3];

#endif
