// Tests of the five calendar functions of kalender: published edge cases,
// bad input, and whole-range sweeps that check the functions against each
// other and against the structure of the calendar.
#include <climits>

#include <gtest/gtest.h>

#include "kalcal.h"

namespace {

constexpr int kSunday = 1, kMonday = 2, kTuesday = 3, kWednesday = 4,
              kThursday = 5, kFriday = 6, kSaturday = 7;

// Steps (d, m, y) to the next existing day, jumping 5..14 October 1582.
void next_day(int& d, int& m, int& y) {
    if (y == 1582 && m == 10 && d == 4) { d = 15; return; }
    if (++d <= lastdayofmonth(m, y)) return;
    d = 1;
    if (++m <= 12) return;
    m = 1;
    ++y;
}

// Values around every boundary of the int arguments.
const int kBadInts[] = {INT_MIN, INT_MIN + 1, -10000, -1, 0, INT_MAX - 1, INT_MAX};

}  // namespace

TEST(Dayofweek, KnownDates) {
    EXPECT_EQ(dayofweek(1, 1, 2000), kSaturday);
    EXPECT_EQ(dayofweek(4, 10, 1582), kThursday);  // last Julian day
    EXPECT_EQ(dayofweek(15, 10, 1582), kFriday);   // first Gregorian day
    EXPECT_EQ(dayofweek(1, 1, 1), kSaturday);
    EXPECT_EQ(dayofweek(29, 2, 1500), kSaturday);  // Julian leap day
    EXPECT_EQ(dayofweek(31, 12, 10000), kSunday);
    // The Gregorian correction in the March-based year 1582: November and
    // December 1582, January and February 1583.
    EXPECT_EQ(dayofweek(1, 11, 1582), kMonday);
    EXPECT_EQ(dayofweek(31, 12, 1582), kFriday);
    EXPECT_EQ(dayofweek(1, 1, 1583), kSaturday);
    EXPECT_EQ(dayofweek(28, 2, 1583), kMonday);
    EXPECT_EQ(dayofweek(1, 3, 1583), kTuesday);
    // Julian side of the same year.
    EXPECT_EQ(dayofweek(1, 1, 1582), kMonday);
    EXPECT_EQ(dayofweek(30, 9, 1582), kSunday);
    EXPECT_EQ(dayofweek(24, 12, 2023), kSunday);
    EXPECT_EQ(dayofweek(29, 2, 2024), kThursday);
    EXPECT_EQ(dayofweek(14, 2, 2024), kWednesday);
}

TEST(Dayofweek, InvalidDates) {
    for (int d = 5; d <= 14; ++d) EXPECT_EQ(dayofweek(d, 10, 1582), 0) << d;
    EXPECT_EQ(dayofweek(29, 2, 1900), 0);  // Gregorian common year
    EXPECT_EQ(dayofweek(29, 2, 1700), 0);
    EXPECT_EQ(dayofweek(29, 2, 1600), kTuesday);
    EXPECT_EQ(dayofweek(1, 1, 10001), 0);
    EXPECT_EQ(dayofweek(31, 12, 0), 0);
    EXPECT_EQ(dayofweek(31, 4, 2024), 0);
    EXPECT_EQ(dayofweek(32, 1, 2024), 0);
    EXPECT_EQ(dayofweek(0, 1, 2024), 0);
    EXPECT_EQ(dayofweek(1, 0, 2024), 0);
    EXPECT_EQ(dayofweek(1, 13, 2024), 0);
    for (int bad : kBadInts) {
        EXPECT_EQ(dayofweek(bad, 1, 2024), 0) << bad;
        EXPECT_EQ(dayofweek(1, bad, 2024), 0) << bad;
        EXPECT_EQ(dayofweek(1, 1, bad), 0) << bad;
    }
}

TEST(Dayofyear, KnownDates) {
    EXPECT_EQ(dayofyear(1, 1, 9), 0);
    EXPECT_EQ(dayofyear(1, 1, 10), 1);
    EXPECT_EQ(dayofyear(4, 10, 1582), 277);
    EXPECT_EQ(dayofyear(5, 10, 1582), 268);  // a day that never was
    EXPECT_EQ(dayofyear(14, 10, 1582), 277);
    EXPECT_EQ(dayofyear(15, 10, 1582), 278);
    EXPECT_EQ(dayofyear(31, 10, 1582), 294);
    EXPECT_EQ(dayofyear(1, 11, 1582), 295);
    EXPECT_EQ(dayofyear(31, 12, 1582), 355);
    EXPECT_EQ(dayofyear(31, 12, 2000), 366);
    EXPECT_EQ(dayofyear(31, 12, 1900), 365);
    EXPECT_EQ(dayofyear(31, 12, 1500), 366);
    EXPECT_EQ(dayofyear(1, 3, 2024), 61);
    EXPECT_EQ(dayofyear(31, 12, 10000), 366);
}

TEST(Dayofyear, InvalidDates) {
    EXPECT_EQ(dayofyear(29, 2, 1900), 0);
    EXPECT_EQ(dayofyear(32, 10, 1582), 0);
    EXPECT_EQ(dayofyear(1, 1, 10001), 0);
    EXPECT_EQ(dayofyear(31, 6, 2024), 0);
    for (int bad : kBadInts) {
        EXPECT_EQ(dayofyear(bad, 1, 2024), 0) << bad;
        EXPECT_EQ(dayofyear(1, bad, 2024), 0) << bad;
        EXPECT_EQ(dayofyear(1, 1, bad), 0) << bad;
    }
}

TEST(Lastdayofmonth, LengthsAndLeapRules) {
    EXPECT_EQ(lastdayofmonth(2, 1500), 29);  // Julian: every fourth year
    EXPECT_EQ(lastdayofmonth(2, 1700), 28);
    EXPECT_EQ(lastdayofmonth(2, 2000), 29);
    EXPECT_EQ(lastdayofmonth(2, 1582), 28);
    EXPECT_EQ(lastdayofmonth(2, 1584), 29);
    EXPECT_EQ(lastdayofmonth(2, 4), 29);
    EXPECT_EQ(lastdayofmonth(2, 100), 29);
    EXPECT_EQ(lastdayofmonth(10, 1582), 31);  // the full length, not 21
    EXPECT_EQ(lastdayofmonth(2, 10001), 0);
    const int lengths[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int m = 1; m <= 12; ++m) EXPECT_EQ(lastdayofmonth(m, 2023), lengths[m]) << m;
    for (int bad : kBadInts) {
        EXPECT_EQ(lastdayofmonth(bad, 2024), 0) << bad;
        EXPECT_EQ(lastdayofmonth(1, bad), 0) << bad;
    }
    EXPECT_EQ(lastdayofmonth(13, 2024), 0);
}

TEST(Weekofyear, KnownDates) {
    EXPECT_EQ(weekofyear(1, 1, 2021), 53);
    EXPECT_EQ(weekofyear(3, 1, 2021), 53);
    EXPECT_EQ(weekofyear(4, 1, 2021), 1);
    EXPECT_EQ(weekofyear(29, 12, 2025), 1);
    EXPECT_EQ(weekofyear(31, 12, 2026), 53);
    EXPECT_EQ(weekofyear(31, 12, 2020), 53);  // leap year starting Wednesday
    EXPECT_EQ(weekofyear(31, 12, 10000), 52);
    EXPECT_EQ(weekofyear(1, 1, 1583), 51);  // last week of the short 1582
    EXPECT_EQ(weekofyear(2, 1, 1583), 51);
    EXPECT_EQ(weekofyear(3, 1, 1583), 1);
    EXPECT_EQ(weekofyear(1, 3, 2024), 9);
    EXPECT_EQ(weekofyear(1, 1, 2022), 52);
    EXPECT_EQ(weekofyear(1, 1, 2016), 53);
}

TEST(Weekofyear, InvalidDates) {
    EXPECT_EQ(weekofyear(29, 2, 2023), 0);
    EXPECT_EQ(weekofyear(31, 12, 1582), 0);  // no week numbers before 1583
    EXPECT_EQ(weekofyear(1, 1, 10001), 0);
    EXPECT_EQ(weekofyear(32, 3, 2024), 0);
    for (int bad : kBadInts) {
        EXPECT_EQ(weekofyear(bad, 1, 2024), 0) << bad;
        EXPECT_EQ(weekofyear(1, bad, 2024), 0) << bad;
        EXPECT_EQ(weekofyear(1, 1, bad), 0) << bad;
    }
}

TEST(Eastersunday, KnownYears) {
    EXPECT_EQ(eastersunday(2024), 31);
    EXPECT_EQ(eastersunday(1954), 49);  // 18 April, the d = 28 exception
    EXPECT_EQ(eastersunday(1981), 50);  // 19 April, the r = 57 exception
    EXPECT_EQ(eastersunday(1583), 41);
    EXPECT_EQ(eastersunday(1582), 46);  // Julian computus
    EXPECT_EQ(eastersunday(1), 27);
    EXPECT_EQ(eastersunday(10000), 47);
    EXPECT_EQ(eastersunday(2000), 54);
    EXPECT_EQ(eastersunday(2285), 22);  // earliest possible date
    EXPECT_EQ(eastersunday(2038), 56);  // latest possible date
    for (int bad : kBadInts) EXPECT_EQ(eastersunday(bad), -1) << bad;
    EXPECT_EQ(eastersunday(10001), -1);
}

// Walks every day of 1..10000: weekdays follow each other without a gap
// (also across the reform, Thursday 4 to Friday 15 October 1582), the
// ordinal day counts up by one and restarts at 1 on 1 January, and the month
// lengths sum to the length of the year.
TEST(Sweep, WeekdayAndOrdinalDayOverAllDays) {
    int d = 1, m = 1, y = 1;
    int prev_w = dayofweek(d, m, y);
    int prev_n = 0;
    long long days = 0;
    while (y <= 10000) {
        const int w = dayofweek(d, m, y);
        ASSERT_NE(w, 0) << d << "." << m << "." << y;
        if (days > 0) {
            ASSERT_EQ(w, prev_w % 7 + 1) << d << "." << m << "." << y;
        }
        if (y >= 10) {
            const int n = dayofyear(d, m, y);
            ASSERT_EQ(n, (d == 1 && m == 1) ? 1 : prev_n + 1) << d << "." << m << "." << y;
            prev_n = n;
            if (d == 31 && m == 12) {
                const int len = y == 1582 ? 355 : 365 + (lastdayofmonth(2, y) - 28);
                ASSERT_EQ(n, len) << y;
            }
        } else {
            ASSERT_EQ(dayofyear(d, m, y), 0);
        }
        prev_w = w;
        ++days;
        next_day(d, m, y);
    }
    // 10000 Julian years of 365.25 days, less the 63 century leap days the
    // Gregorian rule drops (1700..10000 except 2000, 2400, .., 10000) and
    // the ten days of October 1582.
    EXPECT_EQ(days, 3652500LL - 63 - 10);
}

// Every day of 1583..10000: the week number only changes on a Monday, where
// it goes up by one or restarts at 1; a restart happens exactly when that
// Monday's Thursday is in the first days of January, and the highest week
// of a year is 53 only for years that start on a Thursday, or leap years
// that start on a Wednesday.
TEST(Sweep, IsoWeeksOverAllDays) {
    int d = 1, m = 1, y = 1583;
    int prev = weekofyear(d, m, y);
    ASSERT_EQ(prev, 51);
    next_day(d, m, y);
    while (y <= 10000) {
        const int k = weekofyear(d, m, y);
        ASSERT_GE(k, 1);
        ASSERT_LE(k, 53);
        if (dayofweek(d, m, y) != kMonday) {
            ASSERT_EQ(k, prev) << d << "." << m << "." << y;
        } else {
            // Thursday of this week: three days on; restart if it lies in
            // January 1..7.
            const bool restart = (m == 12 && d >= 29) || (m == 1 && d <= 4);
            ASSERT_EQ(k, restart ? 1 : prev + 1) << d << "." << m << "." << y;
            if (restart && prev >= 52) {
                // prev is the last week of the year the old week belongs to.
                const int wy = m == 1 ? y - 1 : y;
                const int g = dayofweek(1, 1, wy);
                const bool leap = lastdayofmonth(2, wy) == 29;
                const bool long_year =
                    g == kThursday || (g == kWednesday && leap);
                ASSERT_EQ(prev, long_year ? 53 : 52) << wy;
            }
        }
        prev = k;
        next_day(d, m, y);
    }
}

// Easter falls on a Sunday between 22 March and 25 April in every year.
TEST(Sweep, EasterIsASundayInRange) {
    for (int y = 1; y <= 10000; ++y) {
        const int e = eastersunday(y);
        ASSERT_GE(e, 22) << y;
        ASSERT_LE(e, 56) << y;
        const int w = e > 31 ? dayofweek(e - 31, 4, y) : dayofweek(e, 3, y);
        ASSERT_EQ(w, kSunday) << y;
    }
}
