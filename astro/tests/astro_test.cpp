// SPDX-License-Identifier: MIT
// The astronomy engine against Meeus's worked examples (Astronomical
// Algorithms, 2nd ed., 1998) and published values, and at the edges the
// reports never reach. The reports themselves are golden data (tests/data);
// crosscheck.py holds those, in universal time, against some of the same
// examples (49.a, 49.b, 27.a), while here the engine's dynamical time is
// held to a second.
#include <gtest/gtest.h>

#include <cmath>
#include <utility>

#include "astro/constants.h"
#include "astro/eclipse.h"
#include "astro/lunar.h"
#include "astro/seasons.h"
#include "astro/sunmoon.h"
#include "astro/timescales.h"
#include "calendar/calendar.h"

TEST(Astro, MeeusExamples) {
  // 49.a new moon 1977 February, 49.b last quarter 2044 January, lunation 0
  // the new moon of 2000 January 6 (JDE; flag 0 adds only 0.499 s).
  const struct {
    int n, phase;
    double jde;
  } phases[] = {{-283, 0, 2443192.65118}, {544, 3, 2467636.49186}, {0, 0, 2451550.26026}};
  for (const auto &p : phases)
    EXPECT_NEAR(moonphase(p.n, p.phase, 0) - kHalfSecondDays, p.jde, 1e-5) << p.n;
  double T = 0;
  EXPECT_NEAR(eccentricityfactor(&T, -283.0), 1.0005753, 1e-7);
  EXPECT_NEAR(T, -0.22881, 1e-5);
  EXPECT_NEAR(moonnodelongitude(T, -283.0), 567.3176, 1e-4);
  EXPECT_NEAR(moonillumination(2448724.5), 0.6801, 5e-5);                                 // 48.a
  EXPECT_NEAR(seasonstart(1962, 2, 0) - kHalfSecondDays, 2437837.39245, 1e-5);            // 27.a
  EXPECT_NEAR(obliquity(2446895.5) / kDegToRad, 23.0 + 26.0 / 60 + 27.407 / 3600, 1e-6);  // 22.a
  for (double longitude : {0.0, -15.0})                                                   // 12.a
    EXPECT_NEAR(localsiderealtime(datetomjd(1987, 4, 10), longitude),
                13 + longitude / 15 + 10 / 60. + 46.3668 / 3600, 1e-6);
  // 25.a Sun 1992 October 13.0 TD, 47.a Moon 1992 April 12.0 TD (the short
  // series agree within about 1').
  double ra = 0, dec = 0;
  sunmoonposition((2448908.5 - kJ2000) / kDaysPerCentury, &ra, &dec, 0);
  EXPECT_NEAR(ra, 13.0 + 13.0 / 60 + 30.749 / 3600, 0.001);
  EXPECT_NEAR(dec, -(7.0 + 47.0 / 60 + 1.74 / 3600), 0.01);
  sunmoonposition((2448724.5 - kJ2000) / kDaysPerCentury, &ra, &dec, 1);
  EXPECT_NEAR(ra, 134.688470 / 15.0, 0.002);
  EXPECT_NEAR(dec, 13.768368, 0.02);
}

// Meeus ch. 54: example 54.a, the partial solar eclipse of 1993 May 21,
// and 54.b, the total lunar eclipse of 1997 September 16: gamma, and the
// umbral radius u, which no report prints. (Their instants, types and
// Saros series are golden moon cases, with the published eclipses whose
// type lies near a limit.) Any lunation has a Saros series.
TEST(Astro, EclipseExamples) {
  const struct {
    int n, kind, type;
    double gamma, u;
  } cases[] = {{-82, kKindSolar, kTypePartial, 1.1348, 0.0097},
               {-29, kKindLunar, kTypeTotal, -0.3791, -0.0131}};
  for (const auto &c : cases) {
    const double k = c.n + c.kind / 2.0;
    double T = 0, gamma = 0;
    const double E = eccentricityfactor(&T, k);
    EXPECT_NEAR(umbraradius(E, sunanomaly(T, k), moonanomaly(T, k)), c.u, 5e-5) << c.n;
    int saros;
    EXPECT_GT(eclipse(c.n, c.kind, c.type, &gamma, &saros, 0), kHalfSecondDays) << c.n;
    EXPECT_NEAR(gamma, c.gamma, 5e-5) << c.n;
  }
  for (int n : {2147483647, -2147483647 - 1, 56000000}) {
    double gamma;
    int saros;
    eclipse(n, kKindLunar, kTypePartial, &gamma, &saros, 0);
    EXPECT_TRUE(saros >= 0 && saros <= 222) << n;
  }
}

TEST(Astro, TimeScales) {
  // Espenak and Meeus's table of Delta T (s) at the start of the years; the
  // polynomials follow it within 5 s and 0.1 %. None before -750.
  const double table[][2] = {{-500, 17190}, {-200, 12790}, {0, 10580},   {300, 7680},
                             {500, 5710},   {700, 3810},   {1000, 1570}, {1300, 490},
                             {1600, 120},   {1700, 9},     {1800, 14},   {1850, 7},
                             {1900, -3},    {1950, 29},    {1980, 50.5}, {2000, 63.8}};
  for (const auto &c : table)
    EXPECT_NEAR(deltatseconds(int(c[0]), 1), c[1], 5 + 0.001 * std::fabs(c[1])) << c[0];
  EXPECT_EQ(deltatseconds(-751, 12), 0.0);
  EXPECT_NEAR((ttut(kJ2000, 0) - kJ2000) * kSecondsPerDay, 0.499, 1e-4);
  EXPECT_EQ(ttut(0.0, 1), 0.0);
  EXPECT_EQ(safesqrt(-4.0), 0.0);
  EXPECT_EQ(safeatan2(0.0, 0.0), 0.0);
  EXPECT_DOUBLE_EQ(safeatan2(1.0, 0.0), 0.5 * kPi);
  EXPECT_DOUBLE_EQ(safeatan2(0.0, -1.0), kPi);
  EXPECT_EQ(fracpart(-1e-20), 0.0);  // not the 1.0 the subtraction rounds to
}

TEST(Astro, OutOfRangeArguments) {
  for (int flag = 0; flag < 2; ++flag) {
    for (int phase : {-1, 4}) EXPECT_EQ(moonphase(297, phase, flag), 0.0) << phase;
    for (const auto &[year, season] : {std::pair(2024, 0), {2024, 5}, {-1501, 1}, {3501, 4}})
      EXPECT_EQ(seasonstart(year, season, flag), 0.0) << year << " " << season;
    for (const auto &[kind, type] : {std::pair(1, 2), {0, 3}, {0, -1}, {2, 0}, {-1, 0}}) {
      double gamma = 7;
      int saros = 7;
      EXPECT_EQ(eclipse(300, kind, type, &gamma, &saros, flag), 0.0) << kind << " " << type;
      EXPECT_EQ(std::pair(gamma, saros), std::pair(0.0, 0));
    }
  }
  EXPECT_NEAR(seasonstart(3500, 1, 0), 2451623.8 + 1500 * 365.2422, 4.0);
  EXPECT_NEAR(seasonstart(-1500, 1, 0), 2451623.8 - 3500 * 365.2422, 4.0);
}

// Samples at -1, 0 and +1, then the extremum, the roots (-1..1) and the
// two roots written (42 where nothing is written).
TEST(Astro, ParabolaThroughThreeSamples) {
  const double cases[][7] = {
      {1, -1, 1, 2, -1.0, -0.70710678, 0.70710678},
      {1, 2, 1, 0, 2.0, 1.41421356, 1.41421356},             // both roots outside
      {2, 1, 2, 0, 1.0, 42, 42},                             // negative discriminant
      {-0.75, -0.75, 1.25, 1, -1.0, 0.5, 0.5},               // the inner root first
      {-1.25, 0.75, 0.75, 1, 1.0, -0.5, 1.5},                // the outer one in root2
      {0, -1, 0, 2, -1.0, -1.0, 1.0},                        // roots at the ends count
      {-1, 0, 1, 1, 0.0, 0.0, 0.0},                          // a = 0: the line's root
      {1.5, 2, 2.5, 0, 2.0, -4.0, -4.0},                     // the line crosses outside
      {-3, -3, -3, 0, -3.0, 42, 42},                         // constant samples
      {-1e-3 + 5e-324, 0, 1e-3 + 5e-324, 1, 0.0, 0.0, 0.0},  // curvature underflows
  };
  for (const auto &c : cases) {
    double ye = 7, r1 = 42, r2 = 42;
    EXPECT_EQ(quadinterp(c[0], c[1], c[2], &ye, &r1, &r2), c[3]) << c[0] << " " << c[1];
    EXPECT_NEAR(ye, c[4], 1e-12) << c[0] << " " << c[1];
    EXPECT_NEAR(r1, c[5], 1e-8) << c[0] << " " << c[1];
    EXPECT_NEAR(r2, c[6], 1e-8) << c[0] << " " << c[1];
  }
}
