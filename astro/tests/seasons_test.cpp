// SPDX-License-Identifier: MIT
// Equinoxes and solstices: Meeus example 27.a, the 2024 instants to the
// second, the switch between the two mean-instant tables, range ends and a
// sweep over the years the report can show.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "astro/seasons.h"
#include "calendar/calendar.h"

namespace {

const double kNoDeltaT = 5.775462962962963e-6;  // what ttut(jde, 0) adds

struct Instant {
  int y, m, d, hh, mm, ss;
};

Instant split(double jd) {
  Instant t{};
  mjdtodatetime(jd - 2400000.5, &t.y, &t.m, &t.d, &t.hh, &t.mm, &t.ss);
  return t;
}

}  // namespace

TEST(Seasons, MeeusExample27a) {
  // 1962 June solstice: JDE 2437837.39245 (21 June 1962, 21h25m TD).
  const double jde = seasonstart(1962, 2, 0) - kNoDeltaT;
  EXPECT_NEAR(jde, 2437837.39245, 1e-5);
  // In universal time about 34 seconds earlier (Delta T of 1962).
  const double ut = seasonstart(1962, 2, 1);
  EXPECT_NEAR((jde - ut) * 86400.0, 34.0, 1.0);
}

TEST(Seasons, Instants2024ToTheSecond) {
  const char *const want[4] = {"2024-03-20 03:06:30", "2024-06-20 20:50:49", "2024-09-22 12:43:38",
                               "2024-12-21 09:20:20"};
  for (int s = 1; s <= 4; ++s) {
    const Instant t = split(seasonstart(2024, s, 1));
    char got[64];
    std::snprintf(got, sizeof got, "%04d-%02d-%02d %02d:%02d:%02d", t.y, t.m, t.d, t.hh, t.mm,
                  t.ss);
    EXPECT_STREQ(got, want[s - 1]);
  }
}

TEST(Seasons, RangeEnds) {
  const int outside[][3] = {{2024, 0, 1},  {2024, 5, 1}, {2024, -1, 1},
                            {-1501, 1, 1}, {3501, 4, 1}, {3501, 4, 0}};
  for (const auto &o : outside)
    EXPECT_EQ(seasonstart(o[0], o[1], o[2]), 0.0) << o[0] << " " << o[1];
  // The end years themselves are computed: about 365.2422 days per year
  // from J2000 (Julian Date 2451623.8 for the March equinox of 2000).
  const double offset[4] = {0.0, 92.8, 186.4, 276.2};  // days after spring
  for (int s = 1; s <= 4; ++s) {
    EXPECT_NEAR(seasonstart(-1500, s, 0), 2451623.8 - 3500 * 365.2422 + offset[s - 1], 4.0);
    EXPECT_NEAR(seasonstart(3500, s, 0), 2451623.8 + 1500 * 365.2422 + offset[s - 1], 4.0);
  }
}

TEST(Seasons, TablesMeetAtTheYear1000) {
  // Years up to 999 use the table for the early millennia, from 1000 the
  // one around 2000. The step across the switch must look like any other
  // year-to-year step nearby (the periodic terms make those scatter by up
  // to half an hour); a wrong table, argument or coefficient would stand
  // out by far more.
  for (int s = 1; s <= 4; ++s) {
    double lo = 1e9, hi = -1e9;
    for (int y = 960; y <= 1040; ++y) {
      if (y == 999) continue;
      const double step = seasonstart(y + 1, s, 0) - seasonstart(y, s, 0);
      lo = std::min(lo, step);
      hi = std::max(hi, step);
    }
    const double across = seasonstart(1000, s, 0) - seasonstart(999, s, 0);
    EXPECT_GE(across, lo) << s;
    EXPECT_LE(across, hi) << s;
  }
}

TEST(Seasons, SweepOfTheReportYears) {
  // 1000 .. 3002: the four instants follow each other in the order of the
  // seasons with the published lengths (spring 92.8, summer 93.6, autumn
  // 89.8, winter 89.0 days around 2000, changing slowly with perihelion),
  // and each falls into its month of the civil calendar (March, June,
  // September, December; the Julian calendar lets them drift before 1582).
  double prev = 0.0;
  for (int y = 1000; y <= 3002; ++y) {
    for (int s = 1; s <= 4; ++s) {
      const double jd = seasonstart(y, s, 1);
      ASSERT_TRUE(prev == 0.0 || (jd - prev > 87.0 && jd - prev < 95.5)) << y << " " << s;
      prev = jd;
      const Instant t = split(jd);
      ASSERT_TRUE(t.y == y && t.m == 3 * s) << y << " " << s;
      ASSERT_TRUE(y < 1900 || y > 2100 || (t.d >= 19 && t.d <= 24)) << y << " " << s;
    }
  }
  // A tropical year of 365.2422 days on average over the sweep.
  const double mean = (seasonstart(3000, 1, 0) - seasonstart(1000, 1, 0)) / 2000.0;
  EXPECT_NEAR(mean, 365.2422, 2e-4);
}
