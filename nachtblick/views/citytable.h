// SPDX-License-Identifier: MIT
// The cities of a search (cities.h) as text: a German table for reading
// and tab-separated values for other programs.
#ifndef NACHTBLICK_CITYTABLE_H
#define NACHTBLICK_CITYTABLE_H

#include <string>
#include <vector>

#include "nachtblick/place/cities.h"

// The cities as a table with a German header line, a line each: name,
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

#endif
