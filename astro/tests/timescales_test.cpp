// SPDX-License-Identifier: MIT
// Time scales: guarded helpers, sidereal time, Delta T and its cache,
// dynamical to universal time, obliquity.
#include <gtest/gtest.h>

#include <cmath>

#include "astro/timescales.h"
#include "calendar/calendar.h"

TEST(Guards, SafeSqrtAtan2Frac) {
  EXPECT_EQ(safesqrt(-4.0), 0.0);
  EXPECT_EQ(safesqrt(1e-36), 0.0);
  EXPECT_DOUBLE_EQ(safesqrt(1e-35), std::sqrt(1e-35));
  EXPECT_EQ(safeatan2(0.0, 0.0), 0.0);
  EXPECT_DOUBLE_EQ(safeatan2(0.0, -1.0), 3.141592653589793);
  EXPECT_DOUBLE_EQ(fracpart(-0.25), 0.75);
  EXPECT_LT(fracpart(-1e-17), 1.0);
}

TEST(SiderealTime, RangeAndLongitude) {
  // Meeus example 12.a: 1987 April 10, 0h UT, GMST 13h10m46.3668s.
  const double mjd = datetomjd(1987, 4, 10);
  EXPECT_NEAR(localsiderealtime(mjd, 0.0), 13.0 + 10.0 / 60 + 46.3668 / 3600, 1e-6);
  for (double m = 51544.0; m < 51544.0 + 400.0; m += 0.0137) {
    const double s0 = localsiderealtime(m, 0.0);
    const double s15 = localsiderealtime(m, 15.0);
    ASSERT_GE(s0, 0.0);
    ASSERT_LT(s0, 24.0);
    ASSERT_NEAR(std::fmod(s15 - s0 + 24.0, 24.0), 1.0, 1e-9);
  }
}

TEST(DeltaT, SamplesAndRangeBoundaries) {
  const double samples[][3] = {{2000, 1, 63.874},
                               {1000, 1, 1573.968},
                               {3000, 6, 4439.142},
                               {2050, 12, 93.850},
                               {2051, 1, 95.123}};
  for (const auto &c : samples)
    EXPECT_NEAR(deltatseconds(int(c[0]), int(c[1])), c[2], 5e-4) << c[0] << "/" << c[1];
  EXPECT_EQ(deltatseconds(-751, 12), 0.0);
  // 1941 still on the 1921..1941 polynomial, 1942 on the one around 1950
  // (each would be off by 0.09 s on the other side).
  EXPECT_NEAR(deltatseconds(1941, 12), 25.226469, 1e-6);
  EXPECT_NEAR(deltatseconds(1942, 1), 25.361238, 1e-6);
}

TEST(DeltaT, CacheConvertsOncePerDistinctDate) {
  const double jd = 2451545.0;
  deltatcached(jd + 1.0);
  const long before = deltatconversions();
  const double a = deltatcached(jd);
  const double b = deltatcached(jd);
  EXPECT_EQ(a, b);
  EXPECT_EQ(deltatconversions(), before + 1);
  deltatcached(jd + 0.25);  // same month, other date: recomputed
  EXPECT_EQ(deltatconversions(), before + 2);
}

TEST(Ttut, UniversalTimeAndZero) {
  const double jd = datetojd(2000, 1, 1);
  EXPECT_NEAR((jd - ttut(jd, 1)) * 86400.0, 63.87, 0.01);
  EXPECT_EQ(ttut(0.0, 1), 0.0);
  EXPECT_NEAR((ttut(jd, 0) - jd) * 86400.0, 0.499, 1e-4);
}

TEST(Obliquity, J2000) {
  EXPECT_NEAR(obliquity(2451545.0), 0.4090928042203897, 1e-15);
  // Meeus example 22.a: 1987 April 10, 0h TD, eps0 = 23 26' 27.407".
  EXPECT_NEAR(obliquity(2446895.5) * 180.0 / 3.141592653589793, 23.0 + 26.0 / 60 + 27.407 / 3600,
              1e-6);
}
