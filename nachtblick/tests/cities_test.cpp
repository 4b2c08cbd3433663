// SPDX-License-Identifier: MIT
// The city search against known answers (coordinates from atlases, not
// from GeoNames), its bad input, the search in a worker thread, the zone
// guess and the city tables. The process takes its locale from the
// environment as the window does (gtk_init); ctest runs Cities.Known
// again under LANG=C, C.UTF-8 and de_DE.UTF-8 (generated or not) and
// compares what they found, written to $NB_CITY_TSV.
#include <glib.h>
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <set>
#include <string>

#include "nachtblick/place/cities.h"
#include "nachtblick/views/citytable.h"

namespace {

const char *const kLocale = std::setlocale(LC_ALL, "");

}  // namespace

#if NB_GEONAMES

// Top hit in German, its zone, within 25 km of the atlas's coordinates; a
// user's LANGUAGE is back afterwards.
TEST(Cities, Known) {
  const struct {
    const char *query, *name, *zone;
    double lat, lon;
  } known[] = {
      {"Graz", "Graz", "Europe/Vienna", 47.0707, 15.4395},
      {"Vienna", "Wien", "Europe/Vienna", 48.2082, 16.3738},
      {"Wien", "Wien", "Europe/Vienna", 48.2082, 16.3738},
      {"München", "München", "Europe/Berlin", 48.1351, 11.5820},
      {"Muenchen", "München", "Europe/Berlin", 48.1351, 11.5820},
      {"Köln", "Köln", "Europe/Berlin", 50.9375, 6.9603},
      {"Koeln", "Köln", "Europe/Berlin", 50.9375, 6.9603},
      {"Zürich", "Zürich", "Europe/Zurich", 47.3769, 8.5417},
      {"Zuerich", "Zürich", "Europe/Zurich", 47.3769, 8.5417},
      {"Sankt Pölten", "St. Pölten", "Europe/Vienna", 48.2047, 15.6256},
      {"Sankt Poelten", "St. Pölten", "Europe/Vienna", 48.2047, 15.6256},
      {"Rom", "Rom", "Europe/Rome", 41.9028, 12.4964},
      {"Neu-Delhi", "Neu-Delhi", "Asia/Kolkata", 28.6139, 77.2090},
      {"Kapstadt", "Kapstadt", "Africa/Johannesburg", -33.9249, 18.4241},
  };
  g_setenv("LANGUAGE", "en", TRUE);
  std::string all;
  for (const auto &k : known) {
    const CitySearch s = search_cities(k.query);
    ASSERT_EQ(s.status, kCitiesFound) << k.query << " " << kLocale;
    const City &c = s.cities[0];
    EXPECT_EQ(c.name + " " + c.zone, std::string(k.name) + " " + k.zone) << k.query;
    EXPECT_LT(great_circle_km(c.latitude, c.longitude, k.lat, k.lon), 25) << k.query;
    all += city_table_tsv(s.cities);
  }
  EXPECT_STREQ(g_getenv("LANGUAGE"), "en");
  if (const char *file = std::getenv("NB_CITY_TSV")) std::ofstream(file) << all;
}

// Names that several cities share.
TEST(Cities, Ambiguous) {
  std::set<std::string> frankfurt, springfield;
  for (const City &c : search_cities("Frankfurt").cities) frankfurt.insert(c.name);
  for (const City &c : search_cities("Springfield").cities)
    if (c.country == "Vereinigte Staaten") springfield.insert(c.state);
  EXPECT_TRUE(frankfurt.count("Frankfurt am Main") && frankfurt.count("Frankfurt (Oder)"));
  EXPECT_GE(springfield.size(), 5u);
  EXPECT_EQ(search_cities("Rom").cities.size(), size_t(kMaxCities));
}

// Refused before the library sees it, with one line; no match.
TEST(Cities, BadInput) {
  const std::string over(kMaxCityQueryBytes + 1, 'a');
  for (const char *query :
       {(const char *)nullptr, "", " \t ", "Gr\xc3", "Gr\xff\xfez", over.c_str()}) {
    const CitySearch s = search_cities(query);
    EXPECT_EQ(s.status, kCitiesBadInput) << (query ? query : "null");
    EXPECT_TRUE(s.cities.empty() && !s.message.empty() && s.message.find('\n') == s.message.npos);
  }
  EXPECT_EQ(search_cities("Graz", 3).status, kCitiesBadInput);
  EXPECT_EQ(search_cities("Graz", 4).status, kCitiesFound);
  EXPECT_EQ(search_cities("Xyzzyq").status, kCitiesNone);
  EXPECT_EQ(search_cities("Aeoeue").status, kCitiesNone);
}

// In a worker thread: delivered in the main loop, the same cities; a
// cancelled search delivers nothing; LANGUAGE German while names lives.
TEST(Cities, Async) {
  struct Run {
    GMainLoop *loop;
    std::multiset<std::string> got;
    int pending;
  } run{g_main_loop_new(nullptr, FALSE), {}, 2};
  const CitySearchDone done = [](const CitySearch &s, void *data) {
    Run *r = static_cast<Run *>(data);
    r->got.insert(s.cities.empty() ? s.message : s.cities[0].name);
    if (--r->pending == 0) g_main_loop_quit(r->loop);
  };
  {
    const auto names = std::make_shared<const GermanCityNames>();
    EXPECT_STREQ(g_getenv("LANGUAGE"), "de");
    GCancellable *cancelled = g_cancellable_new();
    g_cancellable_cancel(cancelled);
    search_cities_async(names, "", cancelled, done, &run);
    search_cities_async(names, "", nullptr, done, &run);
    search_cities_async(names, "Kapstadt", nullptr, done, &run);
    g_main_loop_run(run.loop);
    g_object_unref(cancelled);
  }
  EXPECT_EQ(run.got, (std::multiset<std::string>{"Kapstadt", "empty city name"}));
  g_main_loop_unref(run.loop);
}

// A point in Graz; the Rhine between Kehl and Strasbourg; mid-Atlantic;
// beyond the poles and the date line.
TEST(Cities, ZoneGuess) {
  const ZoneGuess graz = guess_zone(47.0707, 15.4395);
  EXPECT_EQ(graz.status, kCitiesFound);
  EXPECT_EQ(graz.city.name + " " + graz.city.zone, "Graz Europe/Vienna");
  EXPECT_TRUE(graz.km < 2 && !graz.uncertain);
  const ZoneGuess rhine = guess_zone(48.575, 7.80);
  EXPECT_EQ(rhine.city.zone + " " + rhine.other.name + " " + rhine.other.zone,
            "Europe/Berlin Straßburg Europe/Paris");
  EXPECT_TRUE(rhine.uncertain && rhine.other_km > rhine.km && rhine.other_km < 10);
  EXPECT_EQ(guess_zone(0, -30).status, kCitiesNone);
  for (double lat : {91.0, -91.0, double(NAN)})
    EXPECT_EQ(guess_zone(lat, 0).status, kCitiesBadInput);
  EXPECT_EQ(guess_zone(0, 180.5).status, kCitiesBadInput);
}

#else

TEST(Cities, Unavailable) {
  EXPECT_EQ(search_cities("Graz").status, kCitiesUnavailable);
  EXPECT_EQ(guess_zone(47, 15).status, kCitiesUnavailable);
}

#endif

// A degree of a meridian, a quarter and a half of the great circle.
TEST(Cities, GreatCircle) {
  const double r = 6371.0088, pi = std::acos(-1.0);
  EXPECT_NEAR(great_circle_km(47, 15, 48, 15), r * pi / 180, 1e-9);
  EXPECT_NEAR(great_circle_km(0, 0, 0, 90), r * pi / 2, 1e-9);
  EXPECT_NEAR(great_circle_km(-30, 10, 30, -170), r * pi, 1e-6);
}

// Columns line up by characters; tsv has seven fields a line.
TEST(Cities, Tables) {
  const std::vector<City> cities{
      {"Zürich", "Kanton Zürich", "Schweiz", "Europe/Zurich", 47.36667, 8.55, 341730},
      {"St. Pölten", "Nieder\tösterreich", "Österreich", "Europe/Vienna", 48.2, 15.63333, 21911},
      {"Kapstadt", "Western Cape", "Republik Südafrika", "Africa/Johannesburg", -33.92584, 18.42322,
       3433441}};
  EXPECT_EQ(city_table_text(cities),
            "Ort         Bundesland/Region  Staat               Zeitzone               Breite   "
            "Laenge  Einwohner\n"
            "Zürich      Kanton Zürich      Schweiz             Europe/Zurich         47.3667   "
            "8.5500     341730\n"
            "St. Pölten  Nieder?österreich  Österreich          Europe/Vienna         48.2000  "
            "15.6333      21911\n"
            "Kapstadt    Western Cape       Republik Südafrika  Africa/Johannesburg  -33.9258  "
            "18.4232    3433441\n");
  EXPECT_EQ(city_table_tsv(cities),
            "name\tstate\tcountry\tzone\tlat\tlon\tpopulation\n"
            "Zürich\tKanton Zürich\tSchweiz\tEurope/Zurich\t47.3667\t8.5500\t341730\n"
            "St. Pölten\tNieder?österreich\tÖsterreich\tEurope/Vienna\t48.2000\t15.6333\t21911\n"
            "Kapstadt\tWestern Cape\tRepublik Südafrika\tAfrica/Johannesburg\t-33.9258\t18.4232\t"
            "3433441\n");
}
