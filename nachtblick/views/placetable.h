// SPDX-License-Identifier: MIT
// The place table as the view `places` prints it, and where its places
// come from.
#ifndef NACHTBLICK_PLACETABLE_H
#define NACHTBLICK_PLACETABLE_H

#include <string>

#include "nachtblick/place/places.h"

// A line a place: index, name, latitude and longitude in degrees, and the
// time zone of a place that has one; with its final line end.
std::string place_table_text(const Place table[kPlaceSlots]);

// Lines for stderr: the place file the places are from (or that there is
// only the built-in place), then every line of it that is neither blank, a
// comment, an option nor a place.
std::string place_source_notes(const PlaceBook &book, const char *program);

#endif
