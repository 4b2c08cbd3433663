// SPDX-License-Identifier: MIT
// The cities of a search as text, and the view of a search.
#include "nachtblick/views/citytable.h"

#include <glib.h>

#include <algorithm>
#include <array>

#include "nachtblick/text/textbuf.h"

namespace {

enum { kFirstRightColumn = 4 };

// A line of the table: its fields, control characters masked.
typedef std::array<std::string, kCityColumns> Row;

// A number as the table and the tsv print it, whatever the locale.
std::string degrees(double value) {
  char buffer[G_ASCII_DTOSTR_BUF_SIZE];
  return g_ascii_formatd(buffer, sizeof buffer, "%.4f", value);
}

// The header and the cities' rows.
std::vector<Row> rows(const Row &header, const std::vector<City> &cities) {
  std::vector<Row> all{header};
  for (const City &c : cities) {
    std::string population;
    append_format(population, "%ld", c.population);
    all.push_back({c.name, c.state, c.country, c.zone, degrees(c.latitude), degrees(c.longitude),
                   population});
  }
  for (Row &row : all)
    for (std::string &field : row) mask_controls(field);
  return all;
}

// Characters of a UTF-8 field.
size_t characters(const std::string &field) {
  return size_t(g_utf8_strlen(field.c_str(), gssize(field.size())));
}

}  // namespace

const char *const kCityColumnTitles[kCityColumns] = {
    "Ort", "Bundesland/Region", "Staat", "Zeitzone", "Breite", "Laenge", "Einwohner"};

std::string city_table_text(const std::vector<City> &cities) {
  Row header;
  std::copy(kCityColumnTitles, kCityColumnTitles + kCityColumns, header.begin());
  const std::vector<Row> table = rows(header, cities);
  std::array<size_t, kCityColumns> width{};
  for (const Row &row : table)
    for (int i = 0; i < kCityColumns; ++i) width[i] = std::max(width[i], characters(row[i]));
  std::string text;
  for (const Row &row : table) {
    std::string line;
    for (int i = 0; i < kCityColumns; ++i) {
      const std::string pad(width[i] - characters(row[i]), ' ');
      if (i > 0) line += "  ";
      line += i < kFirstRightColumn ? row[i] + pad : pad + row[i];
    }
    text += line.substr(0, line.find_last_not_of(' ') + 1) + "\n";
  }
  return text;
}

std::string city_table_tsv(const std::vector<City> &cities) {
  std::string text;
  for (const Row &row :
       rows({"name", "state", "country", "zone", "lat", "lon", "population"}, cities)) {
    for (int i = 0; i < kCityColumns; ++i) text += (i ? "\t" : "") + row[i];
    text += "\n";
  }
  return text;
}

std::string city_title(const City &city) {
  std::string title =
      city.name + " (" + (city.state.empty() ? "" : city.state + ", ") + city.country + ")";
  mask_controls(title);
  return title;
}

ViewResult city_search_view(const char *query, size_t max_bytes, ViewFormat format) {
  const CitySearch search = search_cities(query, max_bytes);
  switch (search.status) {
    case kCitiesFound:
      return view_output(format == kFormatTsv ? city_table_tsv(search.cities)
                                              : city_table_text(search.cities));
    case kCitiesNone: return view_error(kViewNotFound, search.message);
    case kCitiesBadInput: return view_error(kViewBadInput, search.message);
    case kCitiesUnavailable: break;
  }
  return view_error(kViewFailed, search.message);
}
