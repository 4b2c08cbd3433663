// SPDX-License-Identifier: MIT
// What the golden texts (tests/data) cannot show: the fields of the place
// table no report prints, the place fallbacks, the file-size bound and
// devices as place files, the lines an added place writes, Latin-1 for
// the window's font, the zone list,
// the moon searches at their bounds, and the export's sunrises and sunsets
// against the rise and set report.
// (tests/ical_check.sh checks the line form of whole exports.)
#include <glib.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <tuple>

#include "astro/lunar.h"
#include "astro/timescales.h"
#include "calendar/calendar.h"
#include "nachtblick/events/moonsearch.h"
#include "nachtblick/place/instant.h"
#include "nachtblick/place/placeadd.h"
#include "nachtblick/place/places.h"
#include "nachtblick/text/latin1.h"
#include "nachtblick/views/ical.h"
#include "nachtblick/views/reports.h"

// The hemisphere flags and the use counts of the place table, which no
// report prints (the reports show the degrees, minutes and signs); a NUL
// ends a line's text.
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
  // north, east and the use counts of the first two slots (slot 0 counts the
  // built-in place, which the file's first place replaced)
  EXPECT_EQ((std::array<int, 4>{table[0].north, table[0].east, table[0].used, table[1].used}),
            (std::array<int, 4>{1, 1, 2, 1}));
  EXPECT_STREQ(table[2].name, "Ber");
  const auto report = [](const Place *places, int slot) {
    return riseset_report({"2024", "6", "21", {2024, 6, 21}, places, slot, 1}).text;
  };
  for (int slot : {-1, 3, 31, 32}) EXPECT_EQ(report(table, slot), report(table, 0)) << slot;
  EXPECT_NE(report(nullptr, 0).find("Sankt Poelten (Austria)"), std::string::npos);
  for (const char *path : {"/dev/zero", "/"}) EXPECT_EQ(load_places_from(path, table, &jan), 0);
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

// Every minute of longitude, and of latitude (m / 2), written as an added
// place's line, is read back by the place file as that minute, with the
// name and zone (0 0', 0 0' is refused: it reads as 1' east).
TEST(App, PlaceLineReadsBack) {
  for (int m = -180 * 60; m <= 180 * 60; ++m) {
    const std::string line = place_line(m / 2, m, "Ort", "Asia/Tokyo") + "\n";
    Place table[kPlaceSlots] = {};
    int jan = 1;
    parse_places(line.data(), static_cast<long>(line.size()), table, &jan);
    ASSERT_EQ(
        std::make_tuple(std::lround(table[0].latitude * 60), std::lround(table[0].longitude * 60),
                        std::string(table[0].name), std::string(table[0].zone)),
        std::make_tuple(m / 2L, m + (m == 0L), std::string("Ort"), std::string("Asia/Tokyo")))
        << line;
  }
}

// A line is appended after a line end, LF or CR, that the text ends in, or
// after one added.
TEST(App, PlaceLineAppended) {
  for (const auto &[text, with] :
       {std::pair("", "L\n"), {"a", "a\nL\n"}, {"a\n", "a\nL\n"}, {"a\r", "a\rL\n"}})
    EXPECT_EQ(append_line(text, "L"), with) << text;
}

// Text for the window's Latin-1 font: Latin-1 characters as their byte,
// a stray Latin-1 byte as itself, a composed accent, others transliterated,
// C1 controls and untransliterable characters as '?'.
TEST(App, Latin1Text) {
  for (const auto &[utf8, latin1] : {std::pair("Ærø", "\306r\370"),
                                     {"Łódź", "L\363dz"},
                                     {"Z\374rich", "Z\374rich"},
                                     {"e\u0301", "\351"},
                                     {"5 €", "5 EUR"},
                                     {"東京 \u0085", "?? ?"}})
    EXPECT_EQ(latin1_text(utf8), latin1) << utf8;
}

// The zones to choose from: tzdata's list for users, sorted, every one known;
// a zone it does not hold has no days.
TEST(App, ZoneChoices) {
  const std::vector<std::string> zones = zone_choices();
  EXPECT_TRUE(std::is_sorted(zones.begin(), zones.end()));
  EXPECT_TRUE(std::binary_search(zones.begin(), zones.end(), "Europe/Berlin"));
  EXPECT_TRUE(std::all_of(zones.begin(), zones.end(),
                          [](const std::string &z) { return zone_known(z.c_str()); }));
  // A zone the tz database does not hold gives no days and no offset.
  ZoneDay day;
  int offset;
  char abbr[kZoneAbbrSize];
  EXPECT_EQ(
      zone_days("Europe/Nowhere", 0, 1, &day) + zone_offset("Europe/Nowhere", 0, &offset, abbr), 0);
}

// Started two lunations late, the phase search goes back to a phase
// exactly at its start, which counts. Beyond their cap the searches give up.
TEST(App, MoonSearchBounds) {
  const double full = moonphase(297, 2, 1);  // the full moon of 22 June 2024
  int n, saros;
  double h, gamma;
  ASSERT_EQ(find_moon_phase(299, 2, full, &n, &h), 1);
  EXPECT_EQ(h, full);
  EXPECT_EQ(find_moon_phase(0, 0, 1e9, &n, &h), 0);
  EXPECT_EQ(find_eclipse(0, 0, 1e9, &n, &h, &gamma, &saros), 0);
}

// The export's sunrises and sunsets are those of the rise and set report,
// to the minute, on the same local day, in zones of every kind (half and
// three-quarter hours, switches, the date line, polar day and night) and
// in MEZ/MESZ. The export's UTC instants are taken to the local clock by
// GLib here (Europe/Berlin for the place without a zone); every day of the
// year but its first and last must show exactly the export's cells.
TEST(App, ExportSunIsTheReports) {
  const char text[] =
      "21 N 18  157 W 51 Honolulu [Pacific/Honolulu]\n13 S 50  171 W 45 Apia [Pacific/Apia]\n"
      "27 N 43  085 E 19 Kathmandu [Asia/Kathmandu]\n47 N 34  052 W 43 St. John's "
      "[America/St_Johns]\n43 S 57  176 W 33 Waitangi [Pacific/Chatham]\n"
      "69 N 39  018 E 57 Tromsoe [Europe/Oslo]\n52 N 31  013 E 24 Berlin\n";
  Place table[kPlaceSlots];
  reset_places(table);
  int jan = 1;
  parse_places(text, sizeof text - 1, table, &jan);
  for (int p = 0; p < 7; ++p) {
    const ViewResult result = ical_report(2024, &table[p], {2026, 2, 6});
    ASSERT_EQ(result.error, kViewOk);
    const std::string &ics = result.text;
    GTimeZone *tz = g_time_zone_new_identifier(p == 6 ? "Europe/Berlin" : table[p].zone);
    std::map<int, std::array<std::string, 2>> cells;  // by local MJD: rise, set
    std::istringstream lines(ics);
    int y, m, d, hh, mm, ss, events = 0;
    for (std::string line, start; std::getline(lines, line);) {
      if (line.rfind("DTSTART:", 0) == 0) start = line;
      const int k = line.rfind("SUMMARY:Sonnenaufgang", 0) == 0     ? 0
                    : line.rfind("SUMMARY:Sonnenuntergang", 0) == 0 ? 1
                                                                    : -1;
      if (k < 0 || std::sscanf(start.c_str(), "DTSTART:%4d%2d%2dT%2d%2d%2dZ", &y, &m, &d, &hh, &mm,
                               &ss) != 6)
        continue;
      GDateTime *utc = g_date_time_new_utc(y, m, d, hh, mm, ss);
      GDateTime *local = g_date_time_to_timezone(utc, tz);
      g_date_time_get_ymd(local, &y, &m, &d);
      char clock[8];
      std::snprintf(clock, sizeof clock, "%02d:%02d", g_date_time_get_hour(local),
                    g_date_time_get_minute(local));
      cells[datetomjd(y, m, d)][k] = clock;
      ++events;
      g_date_time_unref(local), g_date_time_unref(utc);
    }
    g_time_zone_unref(tz);
    int wrong = 0;
    for (int mjd = datetomjd(2024, 1, 2); mjd < datetomjd(2024, 12, 31); ++mjd) {
      jdtodate(mjd + kMjdToJdn, &y, &m, &d);
      const std::string ymd[] = {std::to_string(y), std::to_string(m), std::to_string(d)};
      const std::string report =
          riseset_report({ymd[0].c_str(), ymd[1].c_str(), ymd[2].c_str(), {}, table, p, 1}).text;
      const std::string head = "Sonne          Mond\n  ";
      const std::string cell = report.substr(report.find(head) + head.size(), 13);
      std::array<std::string, 2> want = cells[mjd];
      for (std::string &c : want) c = c.empty() ? "-----" : c;
      const bool none = cells[mjd][0].empty() && cells[mjd][1].empty();
      if (cell != want[0] + " / " + want[1] && !(none && cell.find(" sicht") != cell.npos)) ++wrong;
    }
    EXPECT_EQ(wrong, 0) << table[p].name << ", " << events << " events";
  }
}

// The instant against the conversions it wraps, over the reports' years
// every 49999 minutes and a few seconds: the civil time of a UT Julian Date
// is mjdtodatetime's, its whole seconds give back that civil time exactly,
// TT and UT differ by Delta T of the month both ways, and the place clock
// is place_time's.
TEST(App, InstantSweep) {
  const Place tokyo{35, 41, 139, 41, 1, 1, 1, "Tokyo", 139.68, 35.68, "Asia/Tokyo"};
  for (double jd = datetojd(1000, 1, 1); jd < datetojd(3001, 1, 1); jd += 49999.0 / 1440 + 1e-5) {
    int y, m, d, hh, mm, ss;
    mjdtodatetime(jd - kMjdOffset, &y, &m, &d, &hh, &mm, &ss);
    const Instant ut = Instant::ut(jd);
    const CivilTime c = ut.utc();
    ASSERT_EQ(std::make_tuple(c.year, c.month, c.day, c.hour, c.minute, c.second),
              std::make_tuple(y, m, d, hh, mm, ss));
    const CivilTime back = Instant::seconds(ut.ut_seconds()).utc();
    ASSERT_EQ(std::make_tuple(back.year, back.month, back.day, back.hour, back.minute, back.second),
              std::make_tuple(y, m, d, hh, mm, ss));
    ASSERT_EQ(ut.tt_jd(), jd + deltatdays(jd));
    ASSERT_EQ(Instant::tt(jd).ut_jd(), ttut(jd, kToUniversal));
    LocalTime want{};
    place_time(tokyo, ut.ut_seconds(), &want);
    ASSERT_EQ(ut.local(tokyo).seconds, want.seconds);
    ASSERT_EQ(ut.local(tokyo).day, want.day);
  }
}

// Without a zone, the offset is that of the summer-time rule for the date
// the MEZ clock shows: on the switch days an hour before midnight UT
// falls on either side of it (30/31 March and 26/27 October 2024).
TEST(App, PlaceClockSwitchDays) {
  const Place berlin{52, 31, 13, 24, 1, 1, 1, "Berlin", 13.4, 52.5, ""};
  const std::tuple<int, int, int, int, int, const char *> cases[] = {
      {3, 30, 23, 31, 90, "MESZ"},
      {3, 30, 22, 30, 23 * 60 + 30, "MEZ"},
      {10, 26, 23, 27, 30, "MEZ"},
      {10, 26, 22, 27, 30, "MESZ"}};
  for (const auto &[month, day, hour, local_day, minutes, abbr] : cases) {
    const LocalTime l =
        Instant::seconds(datetomjd(2024, month, day) * kSecondsPerDay + hour * 3600 + 1800)
            .local(berlin);
    EXPECT_EQ(std::make_tuple(l.day, l.seconds / 60, std::string(l.abbr)),
              std::make_tuple(local_day, minutes, std::string(abbr)))
        << day << "." << month << " " << hour << ":30 UT";
  }
}
