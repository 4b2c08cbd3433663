// SPDX-License-Identifier: MIT
// Adding a place to the user's place file, for the window's dialog and for
// `nachtblick-report places --add`: a coordinate word read to the arc
// minute, the new place checked, its line in the file's fixed columns, and
// the line appended to the right file in one atomic write.
#ifndef NACHTBLICK_PLACEADD_H
#define NACHTBLICK_PLACEADD_H

#include <string>

// What became of a place to add; kPlaceAdded when it was written.
enum PlaceAddStatus {
  kPlaceAdded,
  kAddBadLatitude,   // no coordinate word, or beyond 90 degrees
  kAddBadLongitude,  // no coordinate word, or beyond 180 degrees
  kAddAtOrigin,      // 0 0' N, 0 0' E, which the place file reads as 0 1' E
  kAddNoName,        // empty, or blanks only
  kAddLongName,      // more than kPlaceNameMax bytes
  kAddBadName,       // a control character, '[', ']' or '%', or a leading ';', ':' or ','
  kAddUnknownZone,   // a zone that zone_known refuses
  kAddTableFull,     // the file already holds kPlaceSlots places
  kAddNotWritten,    // the file or its folder could not be read or written, or is
                     // write-protected (no write bit for its owner)
  kAddNoCity,        // a search for a city of the name found none
  kAddBadQuery,      // a name the city search refuses (detail says why)
  kAddNoSearch,      // the city search is unavailable (detail says why)
  kAddStatuses
};

// Reads one coordinate word as signed arc minutes, north and east positive:
// decimal degrees with an optional sign and at most three digits before
// the point ("-33.8667", "151.2167"), or whole
// degrees, a hemisphere letter and minutes 0..59 ("33S52", "151E13"; N or S
// for a latitude, E, O (Ost) or W for a longitude, in either case).
// Decimal degrees are rounded to the nearest minute, halves away from zero.
// false for any other word and for more than 90 degrees (latitude) or 180
// degrees (longitude) after rounding.
bool coordinate_minutes(const char *word, bool latitude, int *minutes);

// Signed arc minutes of signed degrees, rounded to the nearest minute,
// halves away from zero, as the place file holds a coordinate.
long degrees_to_minutes(double degrees);

// The name as the place file reads it back: blanks at both ends removed.
std::string place_add_name(const char *name);

// Checks a place to add: the coordinates in arc minutes (as
// coordinate_minutes gives them), the name as place_add_name gives it
// (bytes; UTF-8 umlauts count two) and the zone, empty for MEZ/MESZ.
PlaceAddStatus check_new_place(int lat_minutes, int lon_minutes, const std::string &name,
                               const char *zone);

// The place's line in the fixed columns of the place file, without line
// end: "DD H MM  DDD H MM NAME" (hemisphere letters N/S and E/W) and, with
// a zone, " [ZONE]" at the end.
std::string place_line(int lat_minutes, int lon_minutes, const std::string &name, const char *zone);

// text with line and a line feed appended; a line feed first when text is
// not empty and does not end in a line end (LF or CR).
std::string append_line(const std::string &text, const std::string &line);

// Adds a place from its words: checks them, then appends its line to the
// place file in use when that is the working directory's, else to the
// user's own file (user_place_file), made from the file in use (the
// system's example, or none) when there is none yet. A file that holds no
// place gets the built-in place's line first, so that the places seen so
// far stay. zone may be null or empty (MEZ/MESZ). Sets *path to the file
// written and *index to the new place's index in its table. For
// kAddNotWritten, *detail says why.
// The file in use is found as find_place_file finds it with system_dir.
PlaceAddStatus add_place(const char *name, const char *lat, const char *lon, const char *zone,
                         const std::string &system_dir, std::string *path, int *index,
                         std::string *detail);

// The same for a place in arc minutes (as coordinate_minutes gives them);
// add_place reads its words and calls this.
PlaceAddStatus add_place_at(int lat_minutes, int lon_minutes, const char *name, const char *zone,
                            const std::string &system_dir, std::string *path, int *index,
                            std::string *detail);

// The message of a status, in English (the text front end) or German (the
// window), one sentence without line end.
std::string place_add_message(PlaceAddStatus status, bool german);

#endif
