// SPDX-License-Identifier: MIT
// The cities of a search (cities.h) as text: a German table for reading
// and tab-separated values for other programs; the view of a search.
#ifndef NACHTBLICK_CITYTABLE_H
#define NACHTBLICK_CITYTABLE_H

#include <string>
#include <vector>

#include "nachtblick/place/cities.h"
#include "nachtblick/views/viewformat.h"
#include "nachtblick/views/viewresult.h"

// The German titles of the table's columns, which the window's list of
// cities shows too: name, state, country, zone, latitude, longitude,
// population.
enum { kCityColumns = 7 };
extern const char *const kCityColumnTitles[kCityColumns];

// The cities as a table with a German header line (kCityColumnTitles), a line each: name,
// state, country and zone left-aligned, latitude and longitude (degrees,
// north and east positive, 4 decimals, a decimal point as in the place
// table) and population right-aligned, the columns two blanks apart and as
// wide as their widest entry in characters, so that UTF-8 names line up;
// no blanks at a line's end. Control characters show as '?'.
std::string city_table_text(const std::vector<City> &cities);

// The cities as tab-separated values: the header line
// "name\tstate\tcountry\tzone\tlat\tlon\tpopulation", then a line each,
// latitude and longitude with 4 decimals. Control characters (a tab among
// them) show as '?', so that every line has seven fields.
std::string city_table_tsv(const std::vector<City> &cities);

// The city with its state and country, as messages name it: "Graz
// (Steiermark, Österreich)", "Name (Country)" without a state. Control
// characters show as '?'.
std::string city_title(const City &city);

// The cities of a search for query (search_cities with max_bytes) as a
// table in the format. No city is kViewNotFound with kNoCityFound, a
// refused query kViewBadInput and a search that is unavailable
// kViewFailed, each with the search's message.
ViewResult city_search_view(const char *query, size_t max_bytes, ViewFormat format);

#endif
