// SPDX-License-Identifier: MIT
// Instants as the views write them (the conversions are the instant's,
// nachtblick/place/instant.h): in UTC and in the local time of a place, as
// text for people and as ISO 8601 for the tsv format.
#ifndef NACHTBLICK_INSTANTTEXT_H
#define NACHTBLICK_INSTANTTEXT_H

#include <string>

#include "nachtblick/place/instant.h"

// "YYYY-MM-DDTHH:MM:SSZ".
std::string iso_utc(const Instant &t);

// "YYYY-MM-DDTHH:MM:SS+HH:MM" in the local time at the place (seconds of
// the offset appended where it has them, as local mean times do).
std::string iso_local(const Place &place, const Instant &t);

// Appends "hh:mm" of a minute of the local day, 0..1440; 1440 (24:00)
// as 00:00, as the rise and set report prints it.
void append_minute(std::string &text, int minute);

// "dd.mm. hh:mm:ss ABBR" in the local time at the place.
std::string clock_text(const Place &place, const Instant &t);

// "hh:mm:ss ABBR" in the local time at the place.
std::string time_text(const Place &place, const Instant &t);

#endif
