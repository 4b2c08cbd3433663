// SPDX-License-Identifier: MIT
// Rise and set report: whole texts for the built-in place in winter and in
// summer and for a southern, western place; polar days and nights, one-event
// Moon days, the zone line, the January rule, the 1582 gap, the choice of
// the place slot, rounding to the minute at midnight, and a sweep of a year.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "astro/sunmoon.h"
#include "calendar/calendar.h"
#include "nachtblick/places.h"
#include "nachtblick/reports.h"

namespace {

const char kTestPlaces[] =
    "; test places\n"
    "34 s 36  058 W 22   Buenos Aires  \n"
    "69 N 39  018 E 57 Tromsoe\n"
    "80 N 00  015 E 00 Nordpolarmeer\n"
    "50 N 00  010 E 00 Fuenfzig Nord\n";

class RiseSetReport : public ::testing::Test {
 protected:
  void SetUp() override {
    reset_places(builtin_);
    reset_places(test_);
    int jan = 1;
    parse_places(kTestPlaces, static_cast<long>(std::strlen(kTestPlaces)), test_, &jan);
    ASSERT_EQ(place_count(test_), 4);
  }
  std::string run(const Place *table, int slot, const char *y, const char *m, const char *d,
                  int jan = 1) {
    ReportInput in{y, m, d, {2026, 2, 6}, table, slot, jan};
    ReportText r = riseset_report(in);
    EXPECT_STREQ(r.font, FONT_REPORT);
    return r.text;
  }
  std::string builtin(const char *y, const char *m, const char *d, int jan = 1) {
    return run(builtin_, 0, y, m, d, jan);
  }
  Place builtin_[PLACE_SLOTS];
  Place test_[PLACE_SLOTS];
};

std::vector<std::string> lines(const std::string &text) {
  std::vector<std::string> out(1);
  for (char c : text) c == '\n' ? out.emplace_back() : out.back() += c;
  return out;
}

// Line 10 holds the Sun and Moon cells, line 14 the twilight cells.
const int kBodyLine = 10;
const int kTwilightLine = 14;

}  // namespace

TEST_F(RiseSetReport, BuiltInPlaceInWinter) {
  EXPECT_EQ(builtin("2024", "12", "24"),
            "\n  Datum: Dienstag, 24. Dezember 2024 \n"
            "\n  Auf- und Untergaenge fuer Sankt Poelten (Austria): "
            "\n  Geogr. Breite:  48 Grad 12 Min. Nord "
            "\n  Geogr. Laenge:  15 Grad 37 Min. Ost  "
            "\n  Uhrzeit in MEZ (UTC+1)"
            "\n\n  Aufgang / Untergang\n  Sonne          Mond\n  "
            "07:47 / 16:08  01:07 / 12:12  "
            "\n\n  Daemmerungs-Beginn / Daemmerungs-Ende"
            "\n  buergerlich    nautisch       astronomisch\n  "
            "07:10 / 16:44  06:30 / 17:25  05:53 / 18:02  ");
}

TEST_F(RiseSetReport, BuiltInPlaceInSummer) {
  // Astronomical twilight ends at 00:27 after the night before and begins
  // at 01:32: a setting earlier than the rising of the same day.
  EXPECT_EQ(builtin("2024", "6", "21"),
            "\n  Datum: Freitag, 21. Juni 2024 \n"
            "\n  Auf- und Untergaenge fuer Sankt Poelten (Austria): "
            "\n  Geogr. Breite:  48 Grad 12 Min. Nord "
            "\n  Geogr. Laenge:  15 Grad 37 Min. Ost  "
            "\n  Uhrzeit in MESZ (UTC+2)"
            "\n\n  Aufgang / Untergang\n  Sonne          Mond\n  "
            "04:57 / 21:02  21:15 / 03:41  "
            "\n\n  Daemmerungs-Beginn / Daemmerungs-Ende"
            "\n  buergerlich    nautisch       astronomisch\n  "
            "04:15 / 21:44  03:17 / 22:42  01:32 / 00:27  ");
}

TEST_F(RiseSetReport, SouthernWesternPlace) {
  // Buenos Aires in July, Central European summer time: the nautical
  // twilight ends after midnight, so its end is missing from the day.
  EXPECT_EQ(run(test_, 0, "2024", "7", "15"),
            "\n  Datum: Montag, 15. Juli 2024 \n"
            "\n  Auf- und Untergaenge fuer Buenos Aires: "
            "\n  Geogr. Breite:  34 Grad 36 Min. Sued  "
            "\n  Geogr. Laenge:  58 Grad 22 Min. West "
            "\n  Uhrzeit in MESZ (UTC+2)"
            "\n\n  Aufgang / Untergang\n  Sonne          Mond\n  "
            "12:58 / 23:02  18:03 / 07:21  "
            "\n\n  Daemmerungs-Beginn / Daemmerungs-Ende"
            "\n  buergerlich    nautisch       astronomisch\n  "
            "12:30 / 23:29  11:59 / -----  11:29 / 00:30  ");
}

// Single lines or cells of the report: polar day and night, Moon days
// with one event, the zone line, the January rule and the date rules.
TEST_F(RiseSetReport, LinesAndCells) {
  const int kBuiltIn = -1;
  const struct {
    int place;  // slot of the test places, or the built-in place
    const char *y, *m, *d;
    int line;
    size_t column;
    const char *text;
  } cases[] = {
      {1, "2024", "6", "21", kBodyLine, 0, "  immer sichtbar "},
      {1, "2024", "6", "21", kTwilightLine, 0, "  immer hell     immer hell     immer hell     "},
      {1, "2024", "12", "21", kBodyLine, 0, "  nie sichtbar   "},
      {1, "2024", "12", "21", kTwilightLine, 0, "  09:32 / 13:54  07:47 / 15:38  06:28 / 16:56  "},
      {2, "2024", "12", "21", kBodyLine, 0, "  nie sichtbar   "},
      {2, "2024", "12", "21", kTwilightLine, 0, "  immer dunkel   immer dunkel   "},
      {3, "2024", "6", "21", kTwilightLine, 32, "immer hell     "},  // 50 N: no astronomical night
      {kBuiltIn, "2024", "6", "9", kBodyLine, 17, "07:11 / -----  "},   // the Moon only rises
      {kBuiltIn, "2024", "6", "26", kBodyLine, 17, "----- / 09:48  "},  // and only sets
      // Summer time from 1980 on; before that always MEZ.
      {kBuiltIn, "1979", "7", "1", 6, 0, "  Uhrzeit in MEZ (UTC+1)"},
      {kBuiltIn, "1980", "7", "1", 6, 0, "  Uhrzeit in MESZ (UTC+2)"},
      {kBuiltIn, "2024", "3", "30", 6, 0, "  Uhrzeit in MEZ (UTC+1)"},
      {kBuiltIn, "2024", "3", "31", 6, 0, "  Uhrzeit in MESZ (UTC+2)"},
      {kBuiltIn, "2024", "10", "26", 6, 0, "  Uhrzeit in MESZ (UTC+2)"},
      {kBuiltIn, "2024", "10", "27", 6, 0, "  Uhrzeit in MEZ (UTC+1)"},
      // The reform gap keeps weekday 0: the empty name before the comma.
      {kBuiltIn, "1582", "10", "10", 1, 0, "  Datum: , 10. Oktober 1582 "},
      {kBuiltIn, "1582", "10", "15", 1, 0, "  Datum: Freitag, 15. Oktober 1582 "},
      // Out-of-range values are clamped.
      {kBuiltIn, "2024", "2", "31", 1, 0, "  Datum: Donnerstag, 29. Februar 2024 "},
      {kBuiltIn, "999", "13", "0", 1, 0, "  Datum: Sonntag, 1. Dezember 1000 "},
      {kBuiltIn, "5000", "0", "40", 1, 0, "  Datum: Freitag, 31. Januar 3000 "},
  };
  for (const auto &c : cases) {
    const std::vector<std::string> l =
        lines(c.place == kBuiltIn ? builtin(c.y, c.m, c.d) : run(test_, c.place, c.y, c.m, c.d));
    ASSERT_GT(l.size(), size_t(kTwilightLine));
    EXPECT_EQ(l[c.line].substr(c.column, std::strlen(c.text)), c.text)
        << c.place << " " << c.d << "." << c.m << "." << c.y;
  }
  // 50 N at midsummer: only the astronomical twilight is missing.
  const std::vector<std::string> fifty = lines(run(test_, 3, "2024", "6", "21"));
  EXPECT_EQ(fifty[kTwilightLine].find("immer"), 32u);
  EXPECT_EQ(fifty[kBodyLine].find_first_not_of(" 0123456789:/"), std::string::npos);
  // The summer-time report shows the same instants one hour later.
  const std::string y79 = lines(builtin("1979", "7", "1"))[kBodyLine];
  const std::string y80 = lines(builtin("1980", "7", "1"))[kBodyLine];
  const int rise79 = std::stoi(y79.substr(2, 2)) * 60 + std::stoi(y79.substr(5, 2));
  EXPECT_NEAR(std::stoi(y80.substr(2, 2)) * 60 + std::stoi(y80.substr(5, 2)) - rise79, 60, 1);
  // The January rule changes the name and nothing else.
  const std::string a = builtin("2025", "1", "15", 1), b = builtin("2025", "1", "15", 2);
  EXPECT_EQ(lines(a)[1], "  Datum: Mittwoch, 15. Januar 2025 ");
  EXPECT_EQ(lines(b)[1], "  Datum: Mittwoch, 15. Jaenner 2025 ");
  EXPECT_EQ(a.substr(a.find("\n\n  Auf")), b.substr(b.find("\n\n  Auf")));
  // Year and month 0: today's date from the input, day included.
  EXPECT_EQ(builtin("0", "0", "17"), builtin("2026", "2", "6"));
  EXPECT_EQ(builtin(" [Jahr]", " [Monat]", " [Tag]"), builtin("2026", "2", "6"));
}

TEST_F(RiseSetReport, SlotNotInUseShowsSlotZeroAndNamesAreBounded) {
  const std::string first = run(test_, 0, "2024", "7", "15");
  for (int slot : {4, 31, -1, 32, 1000000})  // 4 and 31 not in use
    EXPECT_EQ(run(test_, slot, "2024", "7", "15"), first) << slot;
  EXPECT_NE(run(test_, 3, "2024", "7", "15"), first);
  // A name field filled to the last byte without a terminator prints 39
  // characters.
  std::memset(builtin_[0].name, 'x', sizeof builtin_[0].name);
  EXPECT_EQ(lines(builtin("2024", "12", "24"))[3],
            "  Auf- und Untergaenge fuer " + std::string(39, 'x') + ": ");
}

TEST_F(RiseSetReport, MinuteRoundingAtMidnight) {
  // Move a place west until its sunset falls at a chosen time just before
  // midnight: 23:59:29 prints 23:59, 23:59:30 and later print 00:00.
  // (January: the sunset gets later every day, so no earlier setting
  // crosses into the small hours of the same date.)
  Place p = builtin_[0];
  const int mjd = datetomjd(2024, 1, 15);
  auto longitude_for = [&](double target) {
    double west = -105.0, east = -80.0;
    for (int i = 0; i < 60; ++i) {
      const double mid = 0.5 * (west + east);
      double rise = 0, set = 0;
      const int f = riseset(mjd, 1, mid, p.latitude, 0, &rise, &set);
      if ((f & 2) && set > 12.0 && set < target)
        east = mid;
      else
        west = mid;
    }
    return east;
  };
  const struct {
    double seconds_before_midnight;
    const char *cell;
  } cases[] = {{31.0, "/ 23:59  "},
               {29.5, "/ 00:00  "},
               {5.0, "/ 00:00  "},
               {95.0, "/ 23:58  "},
               {88.0, "/ 23:59  "}};
  for (const auto &c : cases) {
    p.longitude = longitude_for(24.0 - c.seconds_before_midnight / 3600.0);
    std::vector<std::string> l = lines(run(&p, 0, "2024", "1", "15"));
    EXPECT_EQ(l[kBodyLine].substr(8, 9), c.cell) << c.seconds_before_midnight;
  }
}

TEST_F(RiseSetReport, WholeYearLayout) {
  // Every day of 2024 at the built-in place: the same 15 lines, the cells
  // in their columns, no hour 24, and the Sun row always with both times.
  const int first = datetomjd(2024, 1, 1);
  for (int mjd = first; mjd <= datetomjd(2024, 12, 31); ++mjd) {
    int y, m, d, hh, mm, ss;
    mjdtodatetime(mjd, &y, &m, &d, &hh, &mm, &ss);
    const std::string ys = std::to_string(y), ms = std::to_string(m), ds = std::to_string(d);
    std::vector<std::string> l = lines(builtin(ys.c_str(), ms.c_str(), ds.c_str()));
    ASSERT_EQ(l.size(), 15u) << mjd;
    ASSERT_EQ(l[kBodyLine].size(), 32u) << mjd;
    ASSERT_EQ(l[kTwilightLine].size(), 47u) << mjd;
    const std::string &sun = l[kBodyLine];
    ASSERT_TRUE(sun[4] == ':' && sun[7] == ' ' && sun[8] == '/' && sun[12] == ':') << sun;
    ASSERT_LT(sun.substr(2, 5), sun.substr(10, 5)) << sun;
    for (const std::string &row : {l[kBodyLine], l[kTwilightLine]}) {
      for (size_t col = 2; col + 15 <= row.size(); col += 15) {
        const std::string cell = row.substr(col, 15);
        if (cell.compare(0, 5, "immer") == 0 || cell.compare(0, 3, "nie") == 0) continue;
        ASSERT_EQ(cell.substr(5, 3), " / ") << row;
        ASSERT_EQ(cell.substr(13, 2), "  ") << row;
        for (size_t t : {0u, 8u}) {
          if (cell.compare(t, 5, "-----") == 0) continue;
          const int h = std::stoi(cell.substr(t, 2)), mi = std::stoi(cell.substr(t + 3, 2));
          ASSERT_TRUE(h >= 0 && h <= 23 && mi >= 0 && mi <= 59) << row;
        }
      }
    }
  }
}
