// SPDX-License-Identifier: MIT
// What the golden texts (tests/data) cannot show: the folding of lines
// longer than any export holds, the fields of the place table, the place
// fallbacks, the file-size bound and devices as place files, and that the
// moon searches find the earliest event from every start.
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <string>

#include "astro/eclipse.h"
#include "astro/lunar.h"
#include "calendar/calendar.h"
#include "nachtblick/ical.h"
#include "nachtblick/moonsearch.h"
#include "nachtblick/places.h"
#include "nachtblick/reports.h"

namespace {

ReportInput input(const char *y, const char *m, const char *d, const Place *places = nullptr,
                  int place = 0) {
  return ReportInput{y, m, d, {2024, 6, 21}, places, place, 1};
}

}  // namespace

// A line of 200 octets, longer than any the export writes, is folded into
// lines of at most 75 octets, none of them starting inside an umlaut, that
// unfold to it. (The golden export folds its one long line once;
// tests/ical_check.sh checks the line form of whole exports.)
TEST(App, IcalFolding) {
  std::string line = "LOCATION:x", out;
  for (int i = 0; i < 95; ++i) line += "\xc3\xa4";
  ical_fold(out, line);
  EXPECT_EQ(out, line.substr(0, 74) + "\r\n " + line.substr(74, 74) + "\r\n " + line.substr(148) +
                     "\r\n");
}

// No report asks for a month outside 1..12.
TEST(App, MonthNameOutOfRange) {
  for (int month : {0, 13}) EXPECT_STREQ(month_name(month, 2), "") << month;
}

// The whole-number fields and the hemispheres of two place lines, and of
// the empty slots after them. (The golden place lists show the names and
// the signed degrees.)
TEST(App, PlaceFields) {
  const auto fields = [](const Place &p) {
    return std::array<int, 7>{p.lat_deg, p.lat_min, p.north, p.lon_deg, p.lon_min, p.east, p.used};
  };
  Place table[kPlaceSlots];
  reset_places(table);
  int jan = 1;
  const char text[] = "52 N 31  013 E 24 Berlin\n34 s 36  058 W 22   Buenos Aires  \n";
  parse_places(text, sizeof text - 1, table, &jan);
  EXPECT_EQ(fields(table[0]), (std::array<int, 7>{52, 31, 1, 13, 24, 1, 2}));  // used: 1 + 1
  EXPECT_EQ(fields(table[1]), (std::array<int, 7>{34, 36, 0, 58, 22, 0, 1}));
  for (int i = 2; i < kPlaceSlots; ++i) {
    EXPECT_EQ(fields(table[i]), (std::array<int, 7>{0, 0, 1, 0, 0, 1, 0})) << i;
    EXPECT_STREQ(table[i].name, "");
  }
}

// A slot not in use, or out of range, shows slot 0; without a table the
// built-in place.
TEST(App, PlaceFallbacks) {
  Place table[kPlaceSlots];
  reset_places(table);
  const std::string builtin = riseset_report(input("2024", "6", "21")).text;
  EXPECT_NE(builtin.find("Sankt Poelten (Austria)"), std::string::npos);
  for (int slot : {-1, 1, 31, 32})
    EXPECT_EQ(riseset_report(input("2024", "6", "21", table, slot)).text, builtin) << slot;
}

TEST(App, PlaceFileBoundsAndDevices) {
  char dir[] = "/tmp/nbappXXXXXX";
  ASSERT_TRUE(mkdtemp(dir));
  const std::string path = std::string(dir) + "/gtknblick.conf";
  Place table[kPlaceSlots];
  int jan = 1;
  // Of a long file only the first 200001 bytes (without '%') are read: the
  // place line is whole, cut after 16 characters, or too short.
  const struct {
    long filler;
    const char *name;
    int lon_min;
  } cuts[] = {{199960, "Berlin", 24}, {199984, "", 2}, {199990, "Sankt Poelten (Austria)", 37}};
  for (const auto &c : cuts) {
    FILE *f = std::fopen(path.c_str(), "wb");
    std::fputs(std::string(c.filler, ';').c_str(), f);
    std::fputs("%%%%\n52 N 31  013 E 24 Berlin\n", f);
    std::fclose(f);
    EXPECT_EQ(load_places_from(path.c_str(), table, &jan), 1);
    EXPECT_STREQ(table[0].name, c.name);
    EXPECT_EQ(table[0].lon_min, c.lon_min);
  }
  // A NUL ends a line's text; a device is no place file (a missing file, a
  // FIFO and a directory are golden cases, tests/data/places.txt).
  FILE *f = std::fopen(path.c_str(), "wb");
  std::fwrite("52 N 31  013 E 24 Ber\0lin\n", 1, 26, f);
  std::fclose(f);
  EXPECT_EQ(load_places_from(path.c_str(), table, &jan), 1);
  EXPECT_STREQ(table[0].name, "Ber");
  std::remove(path.c_str());
  ASSERT_EQ(symlink("/dev/zero", path.c_str()), 0);
  EXPECT_EQ(load_places_from(path.c_str(), table, &jan), 0);
  std::remove(path.c_str());
  rmdir(dir);
}

// From every 19th day of 1000..3000 (every day of 1582) each search ends
// on the first event at or after 0h, well inside its cap.
TEST(App, MoonSearchesFindTheEarliestEvent) {
  for (int mjd = datetomjd(1000, 1, 1); mjd <= datetomjd(3000, 12, 31);
       mjd += (mjd >= datetomjd(1582, 1, 1) && mjd <= datetomjd(1582, 12, 31)) ? 1 : 19) {
    int y, m, d, hh, mm, ss, n, saros;
    double h, gamma;
    mjdtodatetime(mjd, &y, &m, &d, &hh, &mm, &ss);
    const int N = report_lunation(y, m);
    const double jd0 = datetojd(y, m, d);
    for (int p = 0; p < 4; ++p) {
      ASSERT_EQ(find_moon_phase(N, p, jd0, &n, &h), 1);
      ASSERT_TRUE(h >= jd0 && moonphase(n - 1, p, 1) < jd0) << y << "-" << m << "-" << d;
    }
    for (int i = 0; i < 5; ++i) {
      ASSERT_EQ(find_eclipse(N, i, jd0, &n, &h, &gamma, &saros), 1);
      ASSERT_TRUE(h >= jd0 && n - N < 77) << y << "-" << m << "-" << d;
      for (int k = N - 2; k < n; ++k)
        ASSERT_LT(eclipse(k, i / 3, i % 3, &gamma, &saros, 1), jd0) << y << "-" << m << "-" << d;
    }
  }
  // Beyond the cap the searches give up; an instant exactly at the start
  // counts.
  int n, saros;
  double h, gamma;
  EXPECT_EQ(find_moon_phase(0, 0, 1e9, &n, &h), 0);
  EXPECT_EQ(find_eclipse(0, 0, 1e9, &n, &h, &gamma, &saros), 0);
  const double full = moonphase(297, 2, 1);  // the full moon of 22 June 2024
  ASSERT_EQ(find_moon_phase(297, 2, full, &n, &h), 1);
  EXPECT_EQ(h, full);
}
