// SPDX-License-Identifier: MIT
// nachtblick-report places --add NAME LAT LON [ZONE]: adds a place to the
// place file (nachtblick/place/placeadd.h).
#ifndef NACHTBLICK_PLACES_ADD_H
#define NACHTBLICK_PLACES_ADD_H

#include <string>

// Runs the command on the words after --add, the file in use found with
// system_dir. Writes the place table as the view `places` prints it to out,
// one line naming the new place and the file written to err, and returns
// 0. Bad words: one line on err, nothing on out, status 2; a file that
// cannot be read or written: status 1.
int run_places_add(int argc, const char *const argv[], const std::string &system_dir,
                   std::string &out, std::string &err);

#endif
