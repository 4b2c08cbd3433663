// SPDX-License-Identifier: MIT
// nachtblick-report places --add NAME [LAT LON [ZONE]]: adds a place to the
// place file (nachtblick/place/placeadd.h), a city found by NAME alone or
// a place without ZONE with the zone of its nearest city
// (nachtblick/place/cityadd.h).
#ifndef NACHTBLICK_PLACES_ADD_H
#define NACHTBLICK_PLACES_ADD_H

#include <cstddef>
#include <string>

// Runs the command on the words after --add, the file in use found with
// system_dir, a search taking names of at most query_bytes bytes. Writes
// the place table as the view `places` prints it to out and to err what
// was found or guessed (the city added and of how many found; the zone's
// city, and a warning when a city of another zone is nearly as near; no
// city near) and a line naming the new place and the file written, and
// returns 0. Bad words: one line on err, nothing on out, status 2; a file
// that cannot be read or written, no city found, or no city search: status
// 1, the file as it was.
int run_places_add(int argc, const char *const argv[], const std::string &system_dir,
                   size_t query_bytes, std::string &out, std::string &err);

#endif
