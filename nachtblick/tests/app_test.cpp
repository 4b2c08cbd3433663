// SPDX-License-Identifier: MIT
// What the golden texts (tests/data) cannot show: the fields of the place
// table no report prints, the place fallbacks, the file-size bound and
// devices as place files, and a moon phase exactly at the search's start.
// (tests/ical_check.sh checks the line form of whole exports.)
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <string>
#include <tuple>

#include "astro/lunar.h"
#include "nachtblick/moonsearch.h"
#include "nachtblick/places.h"
#include "nachtblick/reports.h"

// The hemisphere flags and the use counts of the place table, which no
// report prints (the reports show the degrees, minutes and signs), of three
// place lines and of the empty slots after them; a NUL ends a line's text.
// A slot not in use, or out of range, shows slot 0; without a table the
// built-in place. A device is no place file (a missing file, a FIFO and a
// directory are golden cases, tests/data/places.txt).
TEST(App, PlaceTable) {
  Place table[kPlaceSlots];
  reset_places(table);
  int jan = 1;
  const char text[] =
      "52 N 31  013 E 24 Berlin\n34 s 36  058 W 22   Buenos Aires  \n"
      "12 S 00  000 E 00 Ber\0lin\n";
  parse_places(text, sizeof text - 1, table, &jan);
  const std::array<int, 3> flags[] = {{1, 1, 2}, {0, 0, 1}, {0, 1, 1}};  // north, east, used
  for (int i = 0; i < kPlaceSlots; ++i) {
    const std::array<int, 3> expected = i < 3 ? flags[i] : std::array<int, 3>{1, 1, 0};
    EXPECT_EQ((std::array<int, 3>{table[i].north, table[i].east, table[i].used}), expected) << i;
  }
  EXPECT_STREQ(table[2].name, "Ber");
  const auto report = [](const Place *places, int slot) {
    return riseset_report({"2024", "6", "21", {2024, 6, 21}, places, slot, 1}).text;
  };
  for (int slot : {-1, 3, 31, 32}) EXPECT_EQ(report(table, slot), report(table, 0)) << slot;
  EXPECT_NE(report(nullptr, 0).find("Sankt Poelten (Austria)"), std::string::npos);
  EXPECT_EQ(load_places_from("/dev/zero", table, &jan), 0);
}

// Of a long file only the first 200001 bytes (without '%') are read: the
// place line is whole, cut after 16 characters, or too short.
TEST(App, PlaceFileBound) {
  const std::string path = testing::TempDir() + "nbapp" + std::to_string(getpid()) + ".conf";
  const std::tuple<long, const char *, int> cuts[] = {
      {199960, "Berlin", 24}, {199984, "", 2}, {199990, "Sankt Poelten (Austria)", 37}};
  for (const auto &[filler, name, lon_min] : cuts) {
    std::ofstream(path, std::ios::binary) << std::string(filler, ';') << "%%%%\n"
                                          << "52 N 31  013 E 24 Berlin\n";
    Place table[kPlaceSlots];
    int jan = 1;
    EXPECT_EQ(load_places_from(path.c_str(), table, &jan), 1);
    EXPECT_STREQ(table[0].name, name);
    EXPECT_EQ(table[0].lon_min, lon_min);
  }
  std::remove(path.c_str());
}

// A phase exactly at the start of the search counts.
TEST(App, MoonPhaseAtTheStart) {
  const double full = moonphase(297, 2, 1);  // the full moon of 22 June 2024
  int n;
  double h;
  ASSERT_EQ(find_moon_phase(297, 2, full, &n, &h), 1);
  EXPECT_EQ(h, full);
}
