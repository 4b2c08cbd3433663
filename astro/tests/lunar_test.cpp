// SPDX-License-Identifier: MIT
// Lunar phases and illuminated fraction: Meeus's worked examples, a known
// lunation in UT, the 2000..2020 adjustment, bad phase codes and sweeps
// over the lunations of the years 1000..3000.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "astro/constants.h"
#include "astro/lunar.h"
#include "astro/timescales.h"
#include "calendar/calendar.h"

namespace {

// What ttut adds when no Delta T is applied: 0.499 s in days.

struct Split {
  int year, month, day, hour, minute, second;
};

Split split(double jd) {
  Split s;
  mjdtodatetime(jd - 2400000.5, &s.year, &s.month, &s.day, &s.hour, &s.minute, &s.second);
  return s;
}

// "YYYY-MM-DD hh:mm:ss" of a Julian Date.
std::string text(double jd) {
  const Split s = split(jd);
  char buf[64];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", s.year, s.month, s.day, s.hour,
                s.minute, s.second);
  return buf;
}

// JDE of a phase before any conversion: the dynamical-time result minus the
// 0.499 s that ttut adds for flag 0.
double jdeofphase(int n, int phase) { return moonphase(n, phase, 0) - kHalfSecondDays; }

// Seconds that step 5 added to a phase with flag 1: undo Delta T of the
// phase's month and the 0.499 s of flag 0.
double adjustmentseconds(int n, int phase) {
  const double dyn = moonphase(n, phase, 0);
  const Split s = split(dyn);
  return (moonphase(n, phase, 1) - dyn) * 86400.0 + 0.499 + deltatseconds(s.year, s.month);
}

}  // namespace

TEST(PhaseArguments, EccentricityStoresTAndMeeusExample49a) {
  double T = -1.0;
  EXPECT_DOUBLE_EQ(eccentricityfactor(&T, 1236.85), 1.0 - 0.002516 - 0.0000074);
  EXPECT_DOUBLE_EQ(T, 1.0);
  // Meeus example 49.a, k = -283: the quantities he lists.
  const double k = -283.0;
  const double E = eccentricityfactor(&T, k);
  EXPECT_NEAR(T, -0.22881, 1e-5);
  EXPECT_NEAR(E, 1.0005753, 1e-7);
  EXPECT_NEAR(phasejde(T, k), 2443192.94102, 1e-5);
  // Angles are not reduced to 0..360.
  EXPECT_NEAR(sunanomaly(T, k), -8234.2625, 1e-4);
  EXPECT_NEAR(moonanomaly(T, k), -108984.6278, 1e-4);
  EXPECT_NEAR(moonlatitudearg(T, k), -110399.0416, 1e-4);
  EXPECT_NEAR(moonnodelongitude(T, k), 567.3176, 1e-4);
}

TEST(MoonPhase, MeeusExamplesInDynamicalTimeAndLunation297InUniversalTime) {
  // Example 49.a: new moon of 1977 February; example 49.b: last quarter of
  // 2044 January; lunation 0: the new moon of 2000 January 6.
  const struct {
    int n, phase;
    double jde;
    const char *td;
  } examples[] = {{-283, 0, 2443192.65118, "1977-02-18 03:37:42"},
                  {544, 3, 2467636.49186, "2044-01-21 23:48"},
                  {0, 0, 2451550.26026, "2000-01-06 18:14"}};
  for (const auto &e : examples) {
    EXPECT_NEAR(jdeofphase(e.n, e.phase), e.jde, 1e-5) << e.n;
    EXPECT_EQ(text(jdeofphase(e.n, e.phase)).substr(0, std::strlen(e.td)), e.td);
  }
  // 2024 lies outside 2000..2020: only Delta T separates UT from TD.
  const char *const ut297[4] = {"2024-01-11 11:57", "2024-01-18 03:52", "2024-01-25 17:53",
                                "2024-02-02 23:17"};
  for (int p = 0; p < 4; ++p) EXPECT_EQ(text(moonphase(297, p, 1)).substr(0, 16), ut297[p]) << p;
}

TEST(MoonPhase, YearAdjustmentOnlyFor2000To2020) {
  // Lunation 0, new moon, 2000 January 6: 0.536 (2000 - 2001.6) + 0.5.
  EXPECT_NEAR(adjustmentseconds(0, 0), -0.3576, 2e-3);
  // Lunation 250, 2020 March 9 full moon: +10.3624 s.
  ASSERT_EQ(split(moonphase(250, 2, 0)).year, 2020);
  EXPECT_NEAR(adjustmentseconds(250, 2), 10.3624, 2e-3);
  // 2021 May 26 full moon, 2019 and 2001: the linear rule, and nothing
  // outside the range.
  ASSERT_EQ(split(moonphase(264, 2, 0)).year, 2021);
  EXPECT_NEAR(adjustmentseconds(264, 2), 0.0, 2e-3);
  ASSERT_EQ(split(moonphase(-1, 0, 0)).year, 1999);
  EXPECT_NEAR(adjustmentseconds(-1, 0), 0.0, 2e-3);
  ASSERT_EQ(split(moonphase(240, 1, 0)).year, 2019);
  EXPECT_NEAR(adjustmentseconds(240, 1), 0.536 * (2019 - 2001.6) + 0.5, 2e-3);
  // Flag 0 gets neither the adjustment nor Delta T, only the 0.499 s.
  EXPECT_NEAR((moonphase(250, 2, 0) - jdeofphase(250, 2)) * 86400.0, 0.499, 1e-3);
}

TEST(MoonPhase, PhaseCodeOutsideRangeGivesZero) {
  for (int flag = 0; flag < 2; ++flag)
    EXPECT_TRUE(moonphase(297, 4, flag) == 0.0 && moonphase(297, -1, flag) == 0.0 &&
                moonphase(0, 100, flag) == 0.0);
}

TEST(MoonPhase, PhasesInOrderNearTheirMeanOverYears1000To3000) {
  // Lunations from the year 999 to the year 3001.
  const int first = static_cast<int>(std::floor(-1001.0 * 12.3685));
  const int last = static_cast<int>(std::ceil(1001.0 * 12.3685));
  double worst = 0.0;
  double previous = moonphase(first - 1, 3, 1);
  for (int n = first; n <= last; ++n) {
    for (int p = 0; p < 4; ++p) {
      const double h = moonphase(n, p, 1);
      const double k = n + p / 4.0;
      double T;
      eccentricityfactor(&T, k);
      const double off = std::fabs(h - phasejde(T, k));
      if (off > worst) worst = off;
      ASSERT_LT(off, 1.0) << "lunation " << n << " phase " << p;
      // In order, successive phases between about 5.8 and 9.2 days apart.
      ASSERT_TRUE(h - previous > 5.5 && h - previous < 9.5) << "lunation " << n << " phase " << p;
      previous = h;
    }
  }
  EXPECT_GT(worst, 0.5);  // the periodic terms are really there
}

TEST(MoonIllumination, MeeusDateAndExtremes) {
  // 1992 April 12, 0:00 (Meeus example 48.a, low-precision method).
  EXPECT_NEAR(moonillumination(2448724.5), 0.6801, 5e-5);
  for (int n = -12370; n <= 12370; n += 37) {
    const double full = moonillumination(moonphase(n, 2, 1));
    const double fresh = moonillumination(moonphase(n, 0, 1));
    const double first = moonillumination(moonphase(n, 1, 1));
    ASSERT_TRUE(full > 0.995 && fresh < 0.005 && std::fabs(first - 0.5) < 0.05) << "lunation " << n;
  }
  for (double jd = 2086302.5; jd < 2817152.5; jd += 0.7) {
    const double f = moonillumination(jd);
    ASSERT_TRUE(f >= 0.0 && f <= 1.0) << jd;
  }
}
