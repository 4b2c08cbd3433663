// SPDX-License-Identifier: MIT
// Edge cases of the five calendar functions of kalender: the 1582 reform,
// Julian and Gregorian leap years, week 53 and the ends of the range, and
// bad input down to the int limits. kalcal_sweep_test.cpp compares every
// day of the range with nachtblick's calendar core.
#include <climits>

#include <gtest/gtest.h>

#include "kalcal.h"

namespace {

constexpr int kSunday = 1, kMonday = 2, kTuesday = 3, kWednesday = 4, kThursday = 5, kFriday = 6,
              kSaturday = 7;

}  // namespace

TEST(KnownDates, Dayofweek) {
  const int cases[][4] = {{1, 1, 2000, kSaturday},
                          {4, 10, 1582, kThursday},  // last Julian day
                          {15, 10, 1582, kFriday},
                          {1, 1, 1, kSaturday},
                          {29, 2, 1500, kSaturday},
                          {31, 12, 10000, kSunday},
                          {1, 1, 1582, kMonday},
                          {30, 9, 1582, kSunday},
                          // The Gregorian correction in the March-based year 1582.
                          {1, 11, 1582, kMonday},
                          {31, 12, 1582, kFriday},
                          {1, 1, 1583, kSaturday},
                          {28, 2, 1583, kMonday},
                          {1, 3, 1583, kTuesday},
                          {29, 2, 1600, kTuesday},
                          {24, 12, 2023, kSunday},
                          {29, 2, 2024, kThursday},
                          {14, 2, 2024, kWednesday},
                          // Days that do not exist.
                          {5, 10, 1582, 0},
                          {14, 10, 1582, 0},
                          {29, 2, 1900, 0},
                          {29, 2, 1700, 0},
                          {1, 1, 10001, 0},
                          {31, 12, 0, 0},
                          {31, 4, 2024, 0},
                          {32, 1, 2024, 0}};
  for (const auto &c : cases)
    EXPECT_EQ(dayofweek(c[0], c[1], c[2]), c[3]) << c[0] << "." << c[1] << "." << c[2];
}

TEST(KnownDates, DayofyearAndLastdayofmonth) {
  const int days[][4] = {{1, 1, 9, 0},        {1, 1, 10, 1},        {4, 10, 1582, 277},
                         {5, 10, 1582, 268},  {14, 10, 1582, 277},  {15, 10, 1582, 278},
                         {31, 10, 1582, 294}, {1, 11, 1582, 295},   {31, 12, 1582, 355},
                         {31, 12, 2000, 366}, {31, 12, 1900, 365},  {31, 12, 1500, 366},
                         {1, 3, 2024, 61},    {31, 12, 10000, 366}, {29, 2, 1900, 0},
                         {32, 10, 1582, 0},   {1, 1, 10001, 0},     {31, 6, 2024, 0}};
  for (const auto &c : days)
    EXPECT_EQ(dayofyear(c[0], c[1], c[2]), c[3]) << c[0] << "." << c[1] << "." << c[2];
  // February: Julian every fourth year, Gregorian without 1700; October
  // 1582 has its full length, not 21.
  const int months[][3] = {{2, 1500, 29}, {2, 1700, 28}, {2, 2000, 29}, {2, 1582, 28},
                           {2, 1584, 29}, {2, 4, 29},    {2, 100, 29},  {10, 1582, 31},
                           {2, 10001, 0}, {13, 2024, 0}, {4, 2023, 30}, {12, 2023, 31}};
  for (const auto &c : months) EXPECT_EQ(lastdayofmonth(c[0], c[1]), c[2]) << c[0] << "/" << c[1];
}

TEST(KnownDates, WeekofyearAndEastersunday) {
  const int weeks[][4] = {{1, 1, 2021, 53},
                          {3, 1, 2021, 53},
                          {4, 1, 2021, 1},
                          {29, 12, 2025, 1},
                          {31, 12, 2026, 53},
                          {31, 12, 2020, 53},
                          {31, 12, 10000, 52},
                          {1, 3, 2024, 9},
                          {1, 1, 2022, 52},
                          {1, 1, 2016, 53},
                          // The last week of the short 1582; no week numbers before 1583.
                          {1, 1, 1583, 51},
                          {2, 1, 1583, 51},
                          {3, 1, 1583, 1},
                          {31, 12, 1582, 0},
                          {29, 2, 2023, 0},
                          {1, 1, 10001, 0},
                          {32, 3, 2024, 0}};
  for (const auto &c : weeks)
    EXPECT_EQ(weekofyear(c[0], c[1], c[2]), c[3]) << c[0] << "." << c[1] << "." << c[2];
  // Day of March; 1954 and 1981 are the two exceptions of Gauss's rule,
  // 2285 and 2038 the earliest and the latest date; Julian up to 1582.
  const int easter[][2] = {{2024, 31},  {1954, 49}, {1981, 50}, {1583, 41}, {1582, 46}, {1, 27},
                           {10000, 47}, {2000, 54}, {2285, 22}, {2038, 56}, {10001, -1}};
  for (const auto &c : easter) EXPECT_EQ(eastersunday(c[0]), c[1]) << c[0];
}

TEST(BadInput, IntLimitsGiveTheSpecialResult) {
  for (int bad : {INT_MIN, INT_MIN + 1, -10000, -1, 0, INT_MAX - 1, INT_MAX}) {
    for (int (*f)(int, int, int) : {dayofweek, dayofyear, weekofyear}) {
      EXPECT_EQ(f(bad, 1, 2024), 0) << bad;
      EXPECT_EQ(f(1, bad, 2024), 0) << bad;
      EXPECT_EQ(f(1, 1, bad), 0) << bad;
    }
    EXPECT_EQ(lastdayofmonth(bad, 2024), 0) << bad;
    EXPECT_EQ(lastdayofmonth(1, bad), 0) << bad;
    EXPECT_EQ(eastersunday(bad), -1) << bad;
  }
}
