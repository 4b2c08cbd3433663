// SPDX-License-Identifier: MIT
// The place table and the place file gtknblick.conf.
#ifndef NACHTBLICK_PLACES_H
#define NACHTBLICK_PLACES_H

#include <string>

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
};

// Name of the place file, read from the working directory.
extern const char *const kPlaceFileName;

// The program's place table, the index of the place the rise and set
// report shows, and how January is printed (2: "Jaenner", else "Januar").
extern Place place_table[kPlaceSlots];
extern int current_place;
extern int january_variant;

// Rebuilds place_table from gtknblick.conf in the working directory and may
// set january_variant. 1 when the file was read and processed, 0 when it is
// missing, not a regular file, empty or could not be buffered; the table
// always holds at least the built-in place.
int load_places(void);

// The same for any file and table (the program's load_places calls this).
// With notes, appends a line "path:N: reason" for every line N of the file
// that is neither blank, a comment, an option line nor a place taken into
// the table (the window passes none and stays silent).
int load_places_from(const char *path, Place table[kPlaceSlots], int *jan_variant,
                     std::string *notes = nullptr);

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
