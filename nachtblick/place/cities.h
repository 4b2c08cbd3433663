// SPDX-License-Identifier: MIT
// Cities by name, and a time zone for a point from its nearest city, out
// of the GeoNames city table that libgeonames keeps on the system (some
// 24000 cities of 15000 people or more; data CC-BY 4.0, geonames.org).
// The one module that talks to libgeonames. Built without it (CMake option
// NB_GEONAMES OFF), every function answers kCitiesUnavailable.
//
// Names, states and countries are German wherever GeoNames has a German
// form, whatever the user's locale. libgeonames translates through
// gettext (domain "geonames"), both the names it matches a query against
// and those it returns. A search therefore runs in a thread locale of its
// own, C.UTF-8 (uselocale: the process's locale stays as it is), for which
// glibc's gettext honours LANGUAGE (it ignores LANGUAGE only for a locale
// named "C" or "POSIX"), with LANGUAGE=de in the environment: the German
// catalogue is found without a German locale being generated. A search
// sets LANGUAGE for its own time and then restores it; since the
// environment is the process's, the window's searches, which run in worker
// threads, need a GermanCityNames that holds it while they may run.
// libgeonames folds "ue" to "ü" only under a German LC_CTYPE, so a search
// that finds nothing as typed also tries the umlaut forms.
#ifndef NACHTBLICK_CITIES_H
#define NACHTBLICK_CITIES_H

#include <gio/gio.h>

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

// Whether the program is built with libgeonames (CMake option NB_GEONAMES):
// then it is distributed under the GPL-3 as a whole and credits GeoNames.
bool cities_linked(void);

// Most cities a search gives; longest query, in bytes.
enum { kMaxCities = 20, kMaxCityQueryBytes = 100 };

// A city of the GeoNames table. Strings are UTF-8.
struct City {
  std::string name;     // German where GeoNames has it ("Wien", "Kapstadt")
  std::string state;    // state, province or region ("Steiermark"); may be empty
  std::string country;  // "Österreich"
  std::string zone;     // IANA time zone, e.g. "Europe/Vienna"
  double latitude;      // degrees, north positive
  double longitude;     // degrees, east positive
  long population;
};

// How a search or a zone guess ended.
enum CityStatus {
  kCitiesFound,        // at least one city
  kCitiesNone,         // no city matches; for a zone guess none within kZoneGuessKm
  kCitiesBadInput,     // refused before libgeonames saw it (message says why)
  kCitiesUnavailable,  // built without libgeonames, or the system lacks C.UTF-8
};

// The message of a search that found no city; the front end prints it as
// it is, in German.
constexpr char kNoCityFound[] = "kein Ort gefunden";

// The result of a search: for kCitiesFound 1..kMaxCities cities, best
// first; for the rest none, and message, one line without line end (empty
// for kCitiesFound): kNoCityFound for kCitiesNone, else English.
struct CitySearch {
  CityStatus status;
  std::vector<City> cities;
  std::string message;
};

// While one lives, LANGUAGE is "de" in the environment (a program's
// searches all read it); the value before comes back when it goes. They
// nest; one that finds LANGUAGE=de changes nothing. The window holds one
// while its searches may run (so that only its own thread writes the
// environment) and no longer: LANGUAGE steers the translations of every
// other library too, GTK+'s among them, under any locale but "C".
class GermanCityNames {
 public:
  GermanCityNames();
  ~GermanCityNames();
  GermanCityNames(const GermanCityNames &) = delete;
  GermanCityNames &operator=(const GermanCityNames &) = delete;

 private:
  bool changed_;  // LANGUAGE was not "de"
  bool had_;      // it was set, to old_
  std::string old_;
};

// The cities whose names match query, in libgeonames's order (how well
// and how many words match, then the city's weight), at most kMaxCities.
// Case and accents do not matter ("graz", "Zurich"); German and English
// names both match ("Wien", "Vienna"). When the query as typed finds
// nothing and holds "ae", "oe" or "ue" (any case; not a "ue" after a vowel
// or q, as in "Neue"), the umlaut forms of its first two such pairs are
// tried too, both replaced first, and their cities merged in that order
// without repeats ("Muenchen" finds München, "Sankt Poelten" St. Pölten;
// "ss" needs no retry, ß folds to ss). Only then: a name really written
// with "oe" (Soest, Itzehoe) is found as typed, without the umlaut forms'
// cities mixed in, and under a German LC_CTYPE, where libgeonames folds ü
// to ue itself, the query as typed already finds what they would. Refused
// as kCitiesBadInput: a null or empty query, blanks only, more than
// max_bytes bytes, ill-formed UTF-8. Runs in the calling thread (one query
// costs libgeonames about 0.1 s of CPU, the retries up to three more); no
// other thread may write LANGUAGE meanwhile.
CitySearch search_cities(const char *query, size_t max_bytes = kMaxCityQueryBytes);

// What an asynchronous search delivers, in the thread of the main context
// that started it.
typedef void (*CitySearchDone)(const CitySearch &search, void *data);

// search_cities in a worker thread; done(search, data) follows from the
// main loop of the calling thread, never from within this call. A search
// whose cancellable is cancelled (before or after it ran) delivers
// nothing, so that data may go once its owner has cancelled it. The search
// shares names until it has run and the main loop has taken its result
// (cancelled or not): the environment is written back only in the
// calling thread, and only once no worker reads it any more.
void search_cities_async(std::shared_ptr<const GermanCityNames> names, const char *query,
                         GCancellable *cancellable, CitySearchDone done, void *data);

// Radius of a zone guess, and how much farther than the nearest city one
// of another zone may be for the guess to count as uncertain, in km.
enum { kZoneGuessKm = 100, kZoneDoubtKm = 25 };

// The time zone of a point, from the nearest city of the table.
struct ZoneGuess {
  CityStatus status;    // kCitiesFound, kCitiesNone, kCitiesBadInput, kCitiesUnavailable
  City city;            // the nearest city (its zone is the guess)
  double km;            // its distance from the point
  bool uncertain;       // a city of another zone is nearly as near: other
  City other;           // when uncertain: the nearest city of another zone
  double other_km;      // and its distance (0 when not uncertain)
  std::string message;  // as in CitySearch
};

// The zone of the point at latitude and longitude (degrees, north and east
// positive; -90..90 and -180..180, else kCitiesBadInput) as its nearest
// city within kZoneGuessKm has it (kCitiesNone when there is none). The
// guess is uncertain when the nearest city of another zone is within
// kZoneGuessKm and at most max(d, kZoneDoubtKm) farther than the nearest
// city's distance d: twice as far, or for a point near a city up to 25 km
// farther, as a town across a border is (Kehl, Strasbourg). Zones differ by
// name (Europe/Vienna and Europe/Ljubljana differ). A scan of the whole
// table, some 20 ms of CPU; runs in the calling thread, as search_cities.
ZoneGuess guess_zone(double latitude, double longitude);

// The great-circle distance in km between two points (degrees, north and
// east positive) on a sphere of the Earth's mean radius R1 = 6371.0088 km
// (IUGG), by the haversine formula (Sinnott, Sky and Telescope 68, 159,
// 1984): hav(d/R) = hav(dlat) + cos(lat1) cos(lat2) hav(dlon), well
// conditioned for small distances. Within 0.5 % of the ellipsoid's.
double great_circle_km(double lat1, double lon1, double lat2, double lon2);

#endif
