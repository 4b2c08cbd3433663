// SPDX-License-Identifier: MIT
// Adding a place with what the city search (cities.h) knows: a city found
// by its name, or a place's time zone from its nearest city. The place
// goes into the place file as add_place_at (placeadd.h) puts it there,
// with the same checks and the same atomic write.
#ifndef NACHTBLICK_CITYADD_H
#define NACHTBLICK_CITYADD_H

#include <cstddef>
#include <string>

#include "nachtblick/place/cities.h"
#include "nachtblick/place/placeadd.h"

// Adds the city: its name, its coordinates rounded to the minute the place
// file holds (degrees_to_minutes) and its zone. The statuses, *path,
// *index and *detail as add_place_at gives them (a name of more than
// kPlaceNameMax bytes, which a few GeoNames cities have, is refused).
PlaceAddStatus add_city(const City &city, const std::string &system_dir, std::string *path,
                        int *index, std::string *detail);

// Adds the first city of a search for query (search_cities with
// max_bytes), as add_city does; *search is the search, for the message
// that says what was added and of how many cities. Without a city the file
// stays as it is: kAddNoCity when none matches, kAddBadQuery for a query
// the search refuses and kAddNoSearch when it is unavailable (*detail
// then holds the search's message).
PlaceAddStatus add_found_city(const char *query, size_t max_bytes, const std::string &system_dir,
                              CitySearch *search, std::string *path, int *index,
                              std::string *detail);

// Adds a place given without a zone: its words are checked as add_place
// checks them, and only then the zone is guessed (guess_zone, a scan of
// the whole city table) for the coordinates as the file will hold them.
// The place gets the zone of the nearest city within kZoneGuessKm, or
// none (MEZ/MESZ) when there is none or the search is unavailable; *guess
// is the guess (its status kCitiesNone when the words were refused).
PlaceAddStatus add_place_guessing_zone(const char *name, const char *lat, const char *lon,
                                       const std::string &system_dir, ZoneGuess *guess,
                                       std::string *path, int *index, std::string *detail);

#endif
