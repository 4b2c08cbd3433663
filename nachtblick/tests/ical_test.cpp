// SPDX-License-Identifier: MIT
// Calendar export: its phases, eclipses and seasons are exactly those the
// moon and seasons reports print for the days of the year, its sunrises and
// sunsets those of the rise and set report; feasts; the RFC 5545 form.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <set>
#include <string>

#include "calendar/calendar.h"
#include "nachtblick/ical.h"
#include "nachtblick/reports.h"

namespace {

const CivilDate kStamp{2026, 2, 6};
// SUMMARY of the phases, eclipses (as szFinsternis) and seasons 1..4.
const char *const kPhases[4] = {"Neumond", "Erstes Viertel", "Vollmond", "Letztes Viertel"};
const char *const kEclipses[5] = {"Partielle Sonnenfinsternis", "Totale Sonnenfinsternis",
                                  "Ringförmige Sonnenfinsternis", "Partielle Mondfinsternis",
                                  "Totale Mondfinsternis"};
const char *const kSeasons[4] = {"Frühlingsanfang", "Sommeranfang", "Herbstanfang", "Winteranfang"};

std::string export_of(int year, const Place *place = nullptr) {
  std::string out, err;
  EXPECT_EQ(ical_report(year, place, kStamp, out, err), 0) << year << err;
  return out;
}

std::string unfolded(std::string ics) {
  for (size_t at; (at = ics.find("\r\n ")) != std::string::npos;) ics.erase(at, 3);
  return ics;
}

// The export's events as "DTSTART SUMMARY[ DESCRIPTION]".
std::set<std::string> events(const std::string &ics) {
  std::set<std::string> found;
  std::string start, summary, text;
  const std::string all = unfolded(ics);
  for (size_t at = 0, end; (end = all.find("\r\n", at)) != std::string::npos; at = end + 2) {
    const std::string line = all.substr(at, end - at);
    if (line.rfind("DTSTART", 0) == 0) start = line.substr(line.find(':') + 1);
    if (line.rfind("SUMMARY:", 0) == 0) summary = line.substr(8);
    if (line.rfind("DESCRIPTION:", 0) == 0) text = " " + line.substr(12);
    if (line == "END:VEVENT") found.insert(start + " " + summary + text), text.clear();
  }
  return found;
}

// "YYYYMMDDTHHMMSSZ" of a date of the reports' calendar and a UT time, in
// the C library's proleptic Gregorian calendar.
std::string gregorian(int y, int m, int d, int hh, int mm, int ss) {
  const time_t t = (datetomjd(y, m, d) - 40587L) * 86400 + hh * 3600 + mm * 60 + ss;
  struct tm tm;
  char s[40];
  std::strftime(s, sizeof s, "%Y%m%dT%H%M%SZ", gmtime_r(&t, &tm));
  return s;
}

// The season starts the seasons report prints for the year, and the phases
// and eclipses of the year the moon report prints for each of its days.
std::set<std::string> from_reports(int year) {
  std::set<std::string> found;
  char y[12], m[12], d[12];
  int yy, mm, dd, hh, mi, ss, saros;
  double gamma;
  std::snprintf(y, sizeof y, "%d", year);
  const std::string seasons = seasons_report({y, "1", "1", kStamp, nullptr, 0, 1}).text;
  for (int i = 0; i < 4; ++i) {
    const size_t at = seasons.find(szJahreszeit[i]) + 11;
    for (mm = 1; seasons.compare(at + 4, 5, szMonatKurz[mm]) != 0;) ++mm;
    std::sscanf(seasons.c_str() + at, "%d.", &dd);
    std::sscanf(seasons.c_str() + at + 10, "%d um %d:%d:%d", &yy, &hh, &mi, &ss);
    found.insert(gregorian(yy, mm, dd, hh, mi, ss) + " " + kSeasons[i]);
  }
  for (int mjd = datetomjd(year, 1, 1); mjd < datetomjd(year + 1, 1, 1); ++mjd) {
    jdtodate(mjd + 2400001, &yy, &mm, &dd);
    std::snprintf(m, sizeof m, "%d", mm);
    std::snprintf(d, sizeof d, "%d", dd);
    const std::string text = moonphase_report({y, m, d, kStamp, nullptr, 0, 1}).text;
    for (int i = 0; i < 9; ++i) {
      const char *label = i < 4 ? szMondphase[i] : szFinsternis[i - 4];
      const char *p = std::strstr(text.c_str(), label) + std::strlen(label);
      std::sscanf(p, "%d.%d.%d um %d:%d:%d", &dd, &mm, &yy, &hh, &mi, &ss);
      char note[48] = "";
      if (i >= 4 &&
          std::sscanf(std::strstr(p, "(Saros"), "(Saros = %d, Gamma = %lf", &saros, &gamma) == 2)
        std::snprintf(note, sizeof note, " Saros %d\\, Gamma %.4f", saros, gamma);
      if (yy == year)
        found.insert(gregorian(yy, mm, dd, hh, mi, ss) + " " +
                     (i < 4 ? kPhases[i] : kEclipses[i - 4]) + note);
    }
  }
  return found;
}

}  // namespace

TEST(Ical, PhasesEclipsesSeasonsAndFeasts) {
  for (int year : {1000, 1500, 1582, 1583, 2000, 2024, 2999}) {
    std::set<std::string> timed;  // all but the feasts, whose DTSTART is a date
    for (const std::string &e : events(export_of(year)))
      if (e[8] == 'T') timed.insert(e);
    EXPECT_EQ(timed, from_reports(year)) << year;
    EXPECT_GE(timed.size(), 4u * 12 + 4 + 2) << year;
  }
  EXPECT_EQ(events(export_of(2024)).count("20240622T010747Z Vollmond"), 1u);
  // The feasts of 1500 (Julian 19 April, 28 May, 7 June, 18 June, 4 March).
  const std::set<std::string> y1500 = events(export_of(1500));
  for (const char *e :
       {"15000429 Ostersonntag", "15000607 Christi Himmelfahrt", "15000617 Pfingstsonntag",
        "15000628 Fronleichnam", "15000314 Aschermittwoch"})
    EXPECT_EQ(y1500.count(e), 1u) << e;
}

TEST(Ical, SunriseAndSunsetAreTheMinutesOfTheRiseAndSetReport) {
  Place places[PLACE_SLOTS];
  reset_places(places);
  const std::set<std::string> sun = events(export_of(2024, &places[0]));
  for (int mjd = datetomjd(2024, 1, 1); mjd < datetomjd(2025, 1, 1); mjd += 5) {
    int y, mm, dd, h[2], m[2];
    jdtodate(mjd + 2400001, &y, &mm, &dd);
    char d[12], month[12];
    std::snprintf(d, sizeof d, "%d", dd);
    std::snprintf(month, sizeof month, "%d", mm);
    const std::string text = riseset_report({"2024", month, d, kStamp, places, 0, 1}).text;
    const int zone = text.find("MESZ") != std::string::npos ? 2 : 1;
    std::sscanf(text.c_str() + text.find("Mond\n  ") + 7, "%d:%d / %d:%d", &h[0], &m[0], &h[1],
                &m[1]);
    EXPECT_EQ(sun.count(gregorian(2024, mm, dd, h[0] - zone, m[0], 0) + " Sonnenaufgang"), 1u);
    EXPECT_EQ(sun.count(gregorian(2024, mm, dd, h[1] - zone, m[1], 0) + " Sonnenuntergang"), 1u);
  }
  EXPECT_EQ(sun.size(), events(export_of(2024)).size() + 2 * 366);  // a rise and a set a day
  places[0].latitude = 80.0;  // polar day and night: no rise, no set
  EXPECT_LT(events(export_of(2024, &places[0])).size(), sun.size() - 200);
}

TEST(Ical, Rfc5545Form) {
  Place places[PLACE_SLOTS];
  reset_places(places);
  // 39 bytes: Latin-1 umlauts, TEXT specials and a byte that is no UTF-8;
  // the fold at 75 octets falls inside an umlaut.
  std::strcpy(places[0].name, ("x" + std::string(34, '\xe4') + ";,\\\xff").c_str());
  const std::string ics = export_of(2024, &places[0]);
  EXPECT_EQ(ics.rfind("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//nachtblick//", 0), 0u);
  std::set<std::string> uids;
  size_t begins = 0, ends = 0, nuids = 0;
  for (size_t at = 0, end; at < ics.size(); at = end + 2) {
    end = ics.find("\r\n", at);
    ASSERT_NE(end, std::string::npos);
    const std::string line = ics.substr(at, end - at);
    EXPECT_LE(line.size(), 75u) << line;
    EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos);
    EXPECT_TRUE(line[0] != ' ' || (line[1] & 0xC0) != 0x80) << line;  // no split UTF-8
    if (line.rfind("UID:", 0) == 0) uids.insert(line), ++nuids;
    begins += line.rfind("BEGIN:", 0) == 0;
    ends += line.rfind("END:", 0) == 0;
  }
  EXPECT_EQ(begins, ends);
  EXPECT_EQ(nuids + 1, begins);
  EXPECT_EQ(uids.size(), nuids);
  std::string location = "LOCATION:x";
  for (int i = 0; i < 34; ++i) location += "\xc3\xa4";
  EXPECT_NE(unfolded(ics).find(location + "\\;\\,\\\\\xc3\xbf\r\n"), std::string::npos);
}
