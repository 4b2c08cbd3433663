// SPDX-License-Identifier: MIT
// The names of the events the views write, one table per concept. Each
// name has the spellings its writers need: `text` for the views' German
// text, which spells umlauts ae, oe, ue as every text of the window does;
// `name`, UTF-8, for the files made for other programs (the export and the
// chart); `id`, the ASCII word that stands for it in an export's UIDs; and
// `word`, the English word of the tsv format. A spelling no writer needs is
// null.
#ifndef NACHTBLICK_EVENTNAMES_H
#define NACHTBLICK_EVENTNAMES_H

#include "nachtblick/events/placeeclipses.h"
#include "nachtblick/events/sunday.h"

struct EventName {
  const char *text;  // ASCII, e.g. "Fruehlingsanfang"
  const char *name;  // UTF-8, e.g. "Frühlingsanfang"
  const char *id;    // ASCII, e.g. "fruehlingsanfang"
  const char *word;  // English, e.g. "new"
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
// The rise and the set of a body, by body (the Sun, the Moon) and rise 0,
// set 1.
extern const EventName kRiseSetNames[2][2];
// The hours of the Sun's day, by SunHourKind: the blue hour, the golden
// hour.
extern const EventName kSunHourNames[kSunHours];
// By SunEvent: the events of the Sun's day.
extern const EventName kSunEventNames[kSunEvents];
// The Moon's perigee, apogee.
extern const EventName kApsisNames[2];
// An eclipse seen at a place, by body: solar, lunar.
extern const EventName kLocalEclipseNames[2];
// The kinds of eclipse by EclipseType (astro/eclipse.h): partial, total,
// annular.
extern const EventName kEclipseKindNames[3];
// The instants of an eclipse at a place, by EclipseContact.
extern const EventName kContactNames[kEclipseContacts];

#endif
