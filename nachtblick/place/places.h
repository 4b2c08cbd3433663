// SPDX-License-Identifier: MIT
// The place table and the place file gtknblick.conf.
#ifndef NACHTBLICK_PLACES_H
#define NACHTBLICK_PLACES_H

#include <string>

#include "nachtblick/place/zone.h"

// Slots of the place table; bytes of a name with its terminator, and its
// longest text.
enum { kPlaceSlots = 32, kPlaceNameSize = 40, kPlaceNameMax = kPlaceNameSize - 1 };

// One place of the table. The four whole-number fields are unsigned
// magnitudes for printing; the hemisphere is in north/east and in the signs
// of latitude and longitude.
struct Place {
  int lat_deg;                // 0..90
  int lat_min;                // 0..59 (0 when lat_deg is 90)
  int lon_deg;                // 0..180
  int lon_min;                // 0..59 (0 when lon_deg is 180)
  int north;                  // 1 north, 0 south
  int east;                   // 1 east, 0 west
  int used;                   // 0 for an empty slot
  char name[kPlaceNameSize];  // at most kPlaceNameMax characters
  double longitude;           // degrees, east positive, -180..180
  double latitude;            // degrees, north positive, -90..90
  char zone[kZoneNameSize];   // IANA time zone of the place; empty: MEZ/MESZ
};

// The hemispheres the reports name: south of the equator, west of Greenwich.
inline bool place_south(const Place &p) { return p.latitude < 0; }
inline bool place_west(const Place &p) { return p.longitude < 0; }

// Name of the place file.
extern const char *const kPlaceFileName;

// The places of a place file as the programs hold them: the table, how
// January is printed (2: "Jaenner", else "Januar"), the file read (empty:
// none was found, or it could not be read, and then error says why, a line
// "path: cannot read: reason"), and its notes as load_places_from writes
// them.
struct PlaceBook {
  Place table[kPlaceSlots];
  int january_variant;
  std::string path;
  std::string error;
  std::string notes;
};

// The folder of the system's place file of the installed programs
// (system_place_folder of installpaths.h).
std::string system_place_dir(void);

// Where the place file is looked for, as the programs' --help says it.
#define NB_PLACE_SEARCH_HELP                                                 \
  "The place file is the first of ./gtknblick.conf,\n"                       \
  "$XDG_CONFIG_HOME/nachtblick/gtknblick.conf (default ~/.config) and the\n" \
  "system's nachtblick/gtknblick.conf (in /etc for the Debian package).\n"

// The user's own place file: nachtblick/gtknblick.conf in the user's
// configuration directory ($XDG_CONFIG_HOME when it is an absolute path,
// else ~/.config).
std::string user_place_file(void);

// The place file to read: the first readable regular file of
// gtknblick.conf in the working directory, nachtblick/gtknblick.conf in the
// user's configuration directory ($XDG_CONFIG_HOME, else ~/.config) and in
// system_dir. Empty when there is none.
std::string find_place_file(const std::string &system_dir);

// The places of the place file find_place_file names, with January as the
// file sets it (1 when it does not) and the file's notes. status: 1 when
// the file was read and processed, 0 when there is none or it is empty, -1
// when reading it failed (then path is empty and error names the file and
// the reason); the table always holds at least the built-in place.
PlaceBook load_places(const std::string &system_dir, int *status = nullptr);

// The same for any file and table (load_places calls this).
// With notes, appends a line "path:N: reason" for every line N of the file
// that is neither blank, a comment, an option line nor a place taken into
// the table, and for every place whose time zone is unknown (the window
// keeps them in place_file_notes and shows them only when asked). A read error leaves the table
// with the built-in place alone, returns -1 and, with error, sets it to "path: cannot read:
// reason".
int load_places_from(const char *path, Place table[kPlaceSlots], int *jan_variant,
                     std::string *notes = nullptr, std::string *error = nullptr);

// The same for a file's contents already in memory.
// Notes as above, each line headed by name.
void parse_places(const char *data, long length, Place table[kPlaceSlots], int *jan_variant,
                  std::string *notes = nullptr, const char *name = "");

// Resets the table to the built-in place alone.
void reset_places(Place table[kPlaceSlots]);

// Number of places in use (slots in use form a run from index 0).
int place_count(const Place table[kPlaceSlots]);

// 1 when index is a slot of the table that holds a place, else 0.
int place_in_use(const Place table[kPlaceSlots], int index);

#endif
