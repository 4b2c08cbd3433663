// SPDX-License-Identifier: MIT
// Adding a place found by the city search, or with a guessed zone.
#include "nachtblick/place/cityadd.h"

#include "nachtblick/place/placeline.h"

PlaceAddStatus add_city(const City &city, const std::string &system_dir, std::string *path,
                        int *index, std::string *detail) {
  return add_place_at(int(degrees_to_minutes(city.latitude)),
                      int(degrees_to_minutes(city.longitude)), city.name.c_str(), city.zone.c_str(),
                      system_dir, path, index, detail);
}

PlaceAddStatus add_found_city(const char *query, size_t max_bytes, const std::string &system_dir,
                              CitySearch *search, std::string *path, int *index,
                              std::string *detail) {
  *search = search_cities(query, max_bytes);
  switch (search->status) {
    case kCitiesFound: return add_city(search->cities[0], system_dir, path, index, detail);
    case kCitiesNone: return kAddNoCity;
    case kCitiesBadInput: *detail = search->message; return kAddBadQuery;
    case kCitiesUnavailable: break;
  }
  *detail = search->message;
  return kAddNoSearch;
}

PlaceAddStatus add_place_guessing_zone(const char *name, const char *lat, const char *lon,
                                       const std::string &system_dir, ZoneGuess *guess,
                                       std::string *path, int *index, std::string *detail) {
  *guess = ZoneGuess{kCitiesNone, {}, 0, false, {}, 0, ""};
  int lat_minutes, lon_minutes;
  if (!coordinate_minutes(lat, true, &lat_minutes)) return kAddBadLatitude;
  if (!coordinate_minutes(lon, false, &lon_minutes)) return kAddBadLongitude;
  const PlaceAddStatus status =
      check_new_place(lat_minutes, lon_minutes, place_add_name(name), nullptr);
  if (status != kPlaceAdded) return status;
  *guess =
      guess_zone(lat_minutes / double(kMinutesPerDegree), lon_minutes / double(kMinutesPerDegree));
  const char *zone = guess->status == kCitiesFound ? guess->city.zone.c_str() : "";
  return add_place_at(lat_minutes, lon_minutes, name, zone, system_dir, path, index, detail);
}
