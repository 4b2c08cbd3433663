// SPDX-License-Identifier: MIT
// kalender's calendar functions against nachtblick's calendar core over
// the whole common range.  The two are separate implementations with their
// own formulas; they must agree everywhere except where their documented
// limits differ.
#include <gtest/gtest.h>

#include "calendar/calendar.h"
#include "kalcal.h"

namespace {
// Out-of-range days and months around the valid ones.
constexpr int kDayLo = 0, kDayHi = 32, kMonthLo = 0, kMonthHi = 13;
}  // namespace

TEST(CompareWithCore, WeekdayMonthLengthOrdinalDay) {
  for (int y = -1; y <= 10002; ++y) {
    for (int m = kMonthLo; m <= kMonthHi; ++m) {
      ASSERT_EQ(lastdayofmonth(m, y), monthdays(m, y)) << m << "/" << y;
      for (int d = kDayLo; d <= kDayHi; ++d) {
        ASSERT_EQ(dayofweek(d, m, y), weekday(d, m, y)) << d << "." << m << "." << y;
        const int expected = (y >= 1 && y <= 9) ? 0 : yearday(d, m, y);
        ASSERT_EQ(dayofyear(d, m, y), expected) << d << "." << m << "." << y;
      }
    }
  }
}

TEST(CompareWithCore, IsoWeekNumber) {
  for (int y = 1; y <= 10001; ++y) {
    for (int m = kMonthLo; m <= kMonthHi; ++m) {
      for (int d = kDayLo; d <= kDayHi; ++d) {
        const int expected = y < 1583 ? 0 : weeknumber(d, m, y, 1);
        ASSERT_EQ(weekofyear(d, m, y), expected) << d << "." << m << "." << y;
      }
    }
  }
}

TEST(CompareWithCore, Easter) {
  for (int y = -2; y <= 10102; ++y) {
    const int expected = (y >= 1 && y <= 10000) ? easterdate(y) : -1;
    ASSERT_EQ(eastersunday(y), expected) << y;
  }
}
