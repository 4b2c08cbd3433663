// SPDX-License-Identifier: MIT
// Moon report: whole texts, the start lunation of the phase searches, the
// January rule, today's date for empty entries, clamping, and sweeps that
// show every search ends well inside its cap.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "astro/eclipse.h"
#include "astro/lunar.h"
#include "calendar/calendar.h"
#include "nachtblick/moonsearch.h"
#include "nachtblick/reports.h"

namespace {

ReportInput input(const char *year, const char *month, const char *day, int jan = 1) {
  return ReportInput{year, month, day, {2024, 1, 1}, nullptr, 0, jan};
}

std::string report(const char *year, const char *month, const char *day, int jan = 1) {
  return moonphase_report(input(year, month, day, jan)).text;
}

int estimatedlunation(int year, int month) {
  return static_cast<int>(std::floor((year - 2000 + month / 12.0) * 12.3685));
}

// Greatest-eclipse times checked against the published NASA values for
// these eclipses (all within a minute): 2025 Mar 29 10:47 UT, 2024 Apr 8
// 18:17, 2024 Oct 2 18:45, 2024 Sep 18 02:44, 2025 Mar 14 06:58/06:59.
const char kReport20240101[] =
    "\n Mondbeleuchtung am 1. Januar 2024 um 0:00 UTC: 78.15 %\n"
    "\n Naechster Neumond:          11. 1.2024 um 11:57:17 (UTC) [Do]"
    "\n Naechstes Erstes Viertel:   18. 1.2024 um 03:52:32 (UTC) [Do]"
    "\n Naechster Vollmond:         25. 1.2024 um 17:53:56 (UTC) [Do]"
    "\n Naechstes Letzes Viertel:    4. 1.2024 um 03:30:20 (UTC) [Do]"
    "\n"
    "\n Naechste SOFI partiell:     29. 3.2025 um 10:48:08 (UTC) [Sa]"
    "\n         (Saros = 149, Gamma =  1.0417)"
    "\n Naechste SOFI total:         8. 4.2024 um 18:17:41 (UTC) [Mo]"
    "\n         (Saros = 139, Gamma =  0.3437)"
    "\n Naechste SOFI ringfoermig:   2.10.2024 um 18:45:32 (UTC) [Mi]"
    "\n         (Saros = 144, Gamma = -0.3514)"
    "\n Naechste MOFI partiell:     18. 9.2024 um 02:44:40 (UTC) [Mi]"
    "\n         (Saros = 118, Gamma = -0.9828)"
    "\n Naechste MOFI total:        14. 3.2025 um 06:59:22 (UTC) [Fr]"
    "\n         (Saros = 123, Gamma =  0.3498)";

// 1 July 1975: the last quarter of that very afternoon comes first; its
// search starts one lunation below N - 1.
const char kReport19750701[] =
    "\n Mondbeleuchtung am 1. Juli 1975 um 0:00 UTC: 56.85 %\n"
    "\n Naechster Neumond:           9. 7.1975 um 04:10:02 (UTC) [Mi]"
    "\n Naechstes Erstes Viertel:   15. 7.1975 um 19:46:40 (UTC) [Di]"
    "\n Naechster Vollmond:         23. 7.1975 um 05:28:22 (UTC) [Mi]"
    "\n Naechstes Letzes Viertel:    1. 7.1975 um 16:37:02 (UTC) [Di]"
    "\n"
    "\n Naechste SOFI partiell:      3.11.1975 um 13:15:25 (UTC) [Mo]"
    "\n         (Saros = 123, Gamma = -1.0247)"
    "\n Naechste SOFI total:        23.10.1976 um 05:13:11 (UTC) [Sa]"
    "\n         (Saros = 133, Gamma = -0.3265)"
    "\n Naechste SOFI ringfoermig:  29. 4.1976 um 10:23:44 (UTC) [Do]"
    "\n         (Saros = 128, Gamma =  0.3375)"
    "\n Naechste MOFI partiell:     13. 5.1976 um 19:54:02 (UTC) [Do]"
    "\n         (Saros = 140, Gamma =  0.9615)"
    "\n Naechste MOFI total:        18.11.1975 um 22:23:48 (UTC) [Di]"
    "\n         (Saros = 135, Gamma = -0.4155)";

}  // namespace

TEST(MoonReport, WholeTexts) {
  const ReportText r = moonphase_report(input("2024", "1", "1"));
  EXPECT_EQ(r.text, kReport20240101);
  EXPECT_STREQ(r.font, FONT_REPORT);
  EXPECT_LT(r.text.size(), 1000u);
  EXPECT_EQ(report("1975", "7", "1"), kReport19750701);
  int n;
  double h;
  const double jd0 = datetojd(1975, 7, 1);
  const int N = estimatedlunation(1975, 7);
  ASSERT_EQ(findmoonphase(N, 3, jd0, &n, &h), 1);
  EXPECT_EQ(n, N - 2);
}

TEST(MoonReport, JanuaryRuleOnlyInTheIlluminationLine) {
  const std::string jaenner = report("2024", "1", "1", 2);
  std::string expected = kReport20240101;
  expected.replace(expected.find("Januar"), 6, "Jaenner");
  EXPECT_EQ(jaenner, expected);
  EXPECT_EQ(report("2024", "1", "1", 0), kReport20240101);
  EXPECT_NE(report("2024", "2", "1", 2).find(" Februar 2024 "), std::string::npos);
}

// Entries that give the same report: empty or zero year and month mean
// today (1.1.2024 in the input), whatever the day; out-of-range values are
// clamped.
TEST(MoonReport, TodayAndClampedDates) {
  const char *const same[][6] = {
      {"", "", "", "2024", "1", "1"},         {"0", "0", "17", "2024", "1", "1"},
      {"abc", " ", "x", "2024", "1", "1"},    {"2024", "1", "0", "2024", "1", "1"},
      {"0", "5", "2", "1000", "5", "2"},  // a year of 0 with a month is not today
      {"2024", "4", "31", "2024", "4", "30"}, {"999", "6", "15", "1000", "6", "15"},
      {"3500", "6", "15", "3000", "6", "15"}, {"2024", "13", "5", "2024", "12", "5"},
      {"2024", "-3", "5", "2024", "1", "5"},  {"2023", "2", "29", "2023", "2", "28"}};
  for (const auto &c : same)
    EXPECT_EQ(report(c[0], c[1], c[2]), report(c[3], c[4], c[5]))
        << c[0] << "." << c[1] << "." << c[2];
  EXPECT_EQ(report("2024", "1", "1"), kReport20240101);
  EXPECT_NE(report("0", "5", "2").find(" 2. Mai 1000 "), std::string::npos);
  EXPECT_NE(report("2024", "4", "31").find(" 30. April 2024 "), std::string::npos);
  ReportInput other{"", "", "", {2031, 9, 13}, nullptr, 0, 1};
  EXPECT_EQ(moonphase_report(other).text, report("2031", "9", "13"));
  // A day lost in the 1582 reform is kept as typed; the report still runs.
  EXPECT_NE(report("1582", "10", "10").find(" 10. Oktober 1582 "), std::string::npos);
}

TEST(MoonReport, SpecialSolarEclipsesListedAsTotal) {
  // 9 April 2043 (total, not central) and 20 April 2023 (annular-total).
  const std::string r2043 = report("2043", "3", "1");
  EXPECT_NE(r2043.find("Naechste SOFI total:         9. 4.2043"), std::string::npos);
  const std::string r2023 = report("2023", "4", "1");
  EXPECT_NE(r2023.find("Naechste SOFI total:        20. 4.2023"), std::string::npos);
  EXPECT_EQ(r2023.find("ringfoermig:  20. 4.2023"), std::string::npos);
}

TEST(MoonReport, PhaseAtExactlyMidnightIsReported) {
  int n, saros;
  double h, gamma;
  const double full = moonphase(297, 2, 1);
  ASSERT_EQ(findmoonphase(297, 2, full, &n, &h), 1);
  EXPECT_EQ(n, 297);
  EXPECT_EQ(h, full);
  ASSERT_EQ(findmoonphase(297, 2, std::nextafter(full, 1e9), &n, &h), 1);
  EXPECT_EQ(n, 298);
  const double total = eclipse(300, 0, 1, &gamma, &saros, 1);
  ASSERT_EQ(findeclipse(299, 1, total, &n, &h, &gamma, &saros), 1);
  EXPECT_EQ(n, 300);
}

TEST(MoonReport, SearchesEndWithinBoundFromEveryMonthStart) {
  int longest[5] = {0, 0, 0, 0, 0};
  for (int year = 1000; year <= 3000; ++year) {
    for (int month = 1; month <= 12; ++month) {
      const int N = estimatedlunation(year, month);
      const double jd0 = datetojd(year, month, 1);
      for (int i = 0; i < 5; ++i) {
        int n, saros;
        double h, gamma;
        ASSERT_EQ(findeclipse(N, i, jd0, &n, &h, &gamma, &saros), 1) << year << "-" << month;
        const int tried = n - (N - 1) + 1;
        ASSERT_TRUE(tried <= 77 && h >= jd0 && gamma != 0.0) << year << "-" << month << " " << i;
        longest[i] = std::max(longest[i], tried);
      }
      for (int p = 0; p < 4; ++p) {
        int n;
        double h;
        ASSERT_EQ(findmoonphase(N, p, jd0, &n, &h), 1) << year << "-" << month;
        ASSERT_TRUE(n >= N - 2 && n <= N + 1) << year << "-" << month;
      }
    }
  }
  // The partial eclipses have the longest gaps (77 and 64 lunations).
  // Counted from N - 1, at most 77 lunations are tried.
  EXPECT_EQ(longest[0], 77);
  EXPECT_EQ(longest[3], 65);
  EXPECT_LT(77, kMoonSearchCap);
}

TEST(MoonReport, SearchesFindTheEarliestEventForEveryFifthDay) {
  // For dates through the years 1000..3000 (every fifth day, and every day
  // of 1582 across the reform): each phase found is the first at or after
  // 0:00, and lunation N - 2 holds nothing at or after it, so the eclipse
  // searches that start at N - 1 miss nothing.
  const int mjd_first = datetomjd(1000, 1, 1), mjd_last = datetomjd(3000, 12, 31);
  const int reform_first = datetomjd(1582, 1, 1), reform_last = datetomjd(1582, 12, 31);
  for (int mjd = mjd_first; mjd <= mjd_last;
       mjd += (mjd >= reform_first && mjd <= reform_last) ? 1 : 5) {
    int year, month, day, hour, minute, second;
    mjdtodatetime(mjd, &year, &month, &day, &hour, &minute, &second);
    const int N = estimatedlunation(year, month);
    const double jd0 = datetojd(year, month, day);
    for (int p = 0; p < 4; ++p) {
      int n;
      double h;
      ASSERT_EQ(findmoonphase(N, p, jd0, &n, &h), 1);
      ASSERT_TRUE(h >= jd0 && moonphase(n - 1, p, 1) < jd0) << year << "-" << month << "-" << day;
    }
    for (int i = 0; i < 5; ++i) {
      double gamma;
      int saros;
      ASSERT_LT(eclipse(N - 2, i / 3, i % 3, &gamma, &saros, 1), jd0)
          << year << "-" << month << "-" << day;
    }
  }
}
