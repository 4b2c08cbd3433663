// SPDX-License-Identifier: MIT
// What the golden texts (tests/data) cannot show: the fonts of the reports,
// the place fallbacks, the file-size bound and devices as place files, and
// that the moon searches find the earliest event from every start.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

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

TEST(App, Fonts) {
  const char *const kFixed = "-misc-fixed-medium-r-*-*-*-140-*-*-*-*-*-*";
  EXPECT_STREQ(kFontReport, kFixed);
  EXPECT_STREQ(kFontGreeting, "-misc-fixed-medium-r-*-*-*-145-*-*-*-*-*-*");
  EXPECT_STREQ(kFontFeasts, "-adobe-helvetica-medium-r-normal-*-16-*-*-*-*-*-*-*");
  EXPECT_STREQ(kGreetingText, "\n [Nachtblick Light Version for Linux] ");
  for (const char *year : {"2024", "10001"}) {  // feasts and the range message by the month
    EXPECT_STREQ(calendar_report(input(year, "0", "")).font, kFontFeasts);
    EXPECT_STREQ(calendar_report(input(year, "5", "")).font, kFixed);
  }
  for (const auto &r : {moonphase_report(input("", "", "")), seasons_report(input("", "", "")),
                        riseset_report(input("", "", "")), pi_report(), info_report()})
    EXPECT_STREQ(r.font, kFixed);
}

// A line of 200 octets is folded into lines of at most 75 octets, none of
// them starting inside an umlaut, that unfold to it.
TEST(App, IcalFolding) {
  std::string line = "LOCATION:x", out;
  for (int i = 0; i < 95; ++i) line += "\xc3\xa4";
  ical_fold(out, line);
  EXPECT_EQ(out, line.substr(0, 74) + "\r\n " + line.substr(74, 74) + "\r\n " + line.substr(148) +
                     "\r\n");
  EXPECT_EQ(month_name(0, 2) + std::string(month_name(13, 2)) + month_name(1, 2), "Jaenner");
}

// A slot not in use, or out of range, shows slot 0; without a table the
// built-in place.
TEST(App, PlaceFallbacks) {
  Place table[kPlaceSlots];
  reset_places(table);
  for (int i = 1; i < kPlaceSlots; ++i) {  // empty slots: zeros, north and east
    const Place &p = table[i];
    EXPECT_EQ(p.lat_deg + p.lat_min + p.lon_deg + p.lon_min + p.used + p.name[0], 0);
    EXPECT_TRUE(p.north == 1 && p.east == 1 && p.latitude == 0.0 && p.longitude == 0.0);
  }
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
  // A NUL ends a line's text; a device or a missing file is no place file.
  FILE *f = std::fopen(path.c_str(), "wb");
  std::fwrite("52 N 31  013 E 24 Ber\0lin\n", 1, 26, f);
  std::fclose(f);
  EXPECT_EQ(load_places_from(path.c_str(), table, &jan), 1);
  EXPECT_STREQ(table[0].name, "Ber");
  std::remove(path.c_str());
  ASSERT_EQ(symlink("/dev/zero", path.c_str()), 0);
  EXPECT_EQ(load_places_from(path.c_str(), table, &jan), 0);
  std::remove(path.c_str());
  EXPECT_EQ(load_places_from(path.c_str(), table, &jan) + place_count(table), 1);
  ASSERT_EQ(mkdir(path.c_str(), 0700), 0);
  EXPECT_EQ(load_places_from(path.c_str(), table, &jan), 0);
  rmdir(path.c_str());
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
  EXPECT_EQ(find_moon_phase(0, 0, 1e9, &n, &h) + find_eclipse(0, 0, 1e9, &n, &h, &gamma, &saros),
            0);
  const double full = moonphase(297, 2, 1);
  ASSERT_EQ(find_moon_phase(297, 2, full, &n, &h), 1);
  EXPECT_EQ(h, full);
}
