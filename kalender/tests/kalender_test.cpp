// SPDX-License-Identifier: MIT
// kalender's calendar functions against nachtblick's calendar core over the
// whole range and beyond it: two separate implementations with formulas of
// their own (the core is checked against independent day counts). The
// reading of the entries (atoi, saturating) is in the golden cases of
// tests/data/kalender.txt, the steps of the date buttons in the window's
// script, tests/data/gui-kalender.txt.
#include <gtest/gtest.h>

#include <array>
#include <climits>

#include "calendar/calendar.h"
#include "kalcal.h"

TEST(Kalender, AgreesWithTheCalendarCore) {
  for (int y = -1; y <= 10002; ++y) {
    for (int m = 0; m <= 13; ++m) {
      ASSERT_EQ(lastdayofmonth(m, y), monthdays(m, y)) << m << "/" << y;
      for (int d = 0; d <= 32; ++d) {
        ASSERT_EQ(dayofweek(d, m, y), weekday(d, m, y)) << d << "." << m << "." << y;
        ASSERT_EQ(dayofyear(d, m, y), (y >= 1 && y <= 9) ? 0 : yearday(d, m, y));
        ASSERT_EQ(weekofyear(d, m, y), y < 1583 ? 0 : weeknumber(d, m, y, 1));
      }
    }
    ASSERT_EQ(eastersunday(y), (y >= 1 && y <= 10000) ? easterdate(y) : -1) << y;
  }
  // The first year past the range, and the ends of int.
  for (int v : {10001, INT_MIN, INT_MAX}) {
    const std::array<int, 5> results = {dayofweek(1, 1, v), dayofyear(1, 1, v),
                                        lastdayofmonth(1, v), weekofyear(1, 1, v), eastersunday(v)};
    EXPECT_EQ(results, (std::array<int, 5>{0, 0, 0, 0, -1})) << v;
    EXPECT_EQ(dayofweek(v, v, v) + dayofyear(v, v, v) + lastdayofmonth(v, v), 0) << v;
  }
}
