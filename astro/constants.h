// SPDX-License-Identifier: MIT
// Constants of the astronomy engine and the reports, each defined once.
// Angles are in degrees and become radians only inside sine and cosine.
#ifndef NACHTBLICK_CONSTANTS_H
#define NACHTBLICK_CONSTANTS_H

#include <cmath>

#include "calendar/calendar.h"  // kMjdOffset, kMjdToJdn, kSecondsPerDay

constexpr double kPi = 3.141592653589793;
constexpr double kTwoPi = 2.0 * kPi;
constexpr double kDegToRad = kPi / 180.0;

constexpr double kJ2000 = 2451545.0;               // JD of J2000.0 (2000 January 1, 12h)
constexpr double kMjdJ2000 = kJ2000 - kMjdOffset;  // MJD of J2000.0
constexpr double kDaysPerCentury = 36525.0;
// One second in days, the factor that turns Delta T into days: 1/86400
// as a product, so that the last bit is that of the multiplication.
constexpr double kDaysPerSecond = 1.1574074074074073e-05;
// 0.499 s in days: what ttut adds when it applies no Delta T.
constexpr double kHalfSecondDays = 0.499 / kSecondsPerDay;

// The altitude of the Sun's centre at sunrise and sunset, degrees: 50'
// below the geometric horizon (34' refraction, 16' semidiameter). The Sun
// counts as up above it.
constexpr double kSunHorizonAltitude = -50.0 / 60.0;

// The grid of the eclipse searches: steps of 10 minutes, 36 of them (six
// hours) on either side of the greatest eclipse, bisected to 0.01 s.
constexpr double kEclipseStep = 10.0 / 1440.0;  // days
constexpr int kEclipseSteps = 36;
constexpr double kEclipseTolerance = 0.01 / kSecondsPerDay;  // days

// Sine and cosine of an angle in degrees.
inline double sind(double deg) { return std::sin(deg * kDegToRad); }
inline double cosd(double deg) { return std::cos(deg * kDegToRad); }

#endif
