// SPDX-License-Identifier: MIT
// nachtblick-report places --add NAME [LAT LON [ZONE]].
#include "nachtblick/cli/places_add.h"

#include "nachtblick/place/cityadd.h"
#include "nachtblick/place/places.h"
#include "nachtblick/text/textbuf.h"
#include "nachtblick/views/citytable.h"
#include "nachtblick/views/placetable.h"

namespace {

const char kProgram[] = "nachtblick-report: ";

// What a search by name added: the city, its zone, and of how many.
std::string found_note(const CitySearch &search) {
  const City &city = search.cities[0];
  std::string note = kProgram + std::string("found ") + city_title(city) + ", zone " + city.zone;
  const size_t n = search.cities.size();
  if (n == size_t(kMaxCities)) append_format(note, ", the first of %zu or more cities", n);
  if (n > 1 && n < size_t(kMaxCities)) append_format(note, ", the first of %zu cities", n);
  return note + "\n";
}

// Where the zone of a place without one came from; a warning when the
// city of another zone is nearly as near.
std::string guess_note(const ZoneGuess &guess) {
  std::string note = kProgram;
  if (guess.status != kCitiesFound) return note + guess.message + ": MEZ/MESZ\n";
  append_format(note, "zone %s of %s, %.0f km away\n", guess.city.zone.c_str(),
                city_title(guess.city).c_str(), guess.km);
  if (guess.uncertain)
    append_format(note, "%swarning: the zone is uncertain: %s, %.0f km away, has %s (give ZONE)\n",
                  kProgram, city_title(guess.other).c_str(), guess.other_km,
                  guess.other.zone.c_str());
  return note;
}

// The exit status of a refusal: 1 for what the words cannot help, 2 for
// bad words.
int refusal_status(PlaceAddStatus status) {
  return status == kAddNotWritten || status == kAddNoCity || status == kAddNoSearch ? 1 : 2;
}

}  // namespace

int run_places_add(int argc, const char *const argv[], const std::string &system_dir,
                   size_t query_bytes, std::string &out, std::string &err) {
  out.clear();
  std::string path, detail, note;
  int index;
  PlaceAddStatus status = kAddStatuses;  // a wrong number of words
  if (argc == 1) {
    CitySearch search;
    status = add_found_city(argv[0], query_bytes, system_dir, &search, &path, &index, &detail);
    if (status == kPlaceAdded) note = found_note(search);
  } else if (argc == 3) {
    ZoneGuess guess;
    status = add_place_guessing_zone(argv[0], argv[1], argv[2], system_dir, &guess, &path, &index,
                                     &detail);
    if (status == kPlaceAdded) note = guess_note(guess);
  } else if (argc == 4) {
    status = add_place(argv[0], argv[1], argv[2], argv[3], system_dir, &path, &index, &detail);
  }
  if (status != kPlaceAdded) {
    const int exit = status == kAddStatuses ? 2 : refusal_status(status);
    err = kProgram + std::string("places --add: ");
    err += status == kAddStatuses ? "needs NAME, or NAME LAT LON [ZONE]"
                                  : place_add_message(status, false);
    if (!detail.empty()) err += ": " + detail;
    if (exit == 2) err += " (see --help)";
    mask_controls(err);
    err += "\n";
    return exit;
  }
  out = place_table_text(load_places(system_dir).table);
  err = note + kProgram + "place " + std::to_string(index) + " added to " + path + "\n";
  return 0;
}
