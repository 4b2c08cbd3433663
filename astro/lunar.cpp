// SPDX-License-Identifier: MIT
// Lunar phases (Meeus, Astronomical Algorithms, 2nd ed., 1998, ch. 49) and
// the illuminated fraction of the Moon's disk (ch. 48, low precision, with
// the mean arguments of ch. 47).
//
// Angles are in degrees and are not reduced before use; they become radians
// only at the sine or cosine. Instants are Julian Dates in days.
#include "astro/lunar.h"

#include <cmath>
#include <cstdint>

#include "astro/constants.h"
#include "astro/timescales.h"
#include "calendar/calendar.h"

namespace {

const double kLunationsPerCentury = 1236.85;  // k / T, Meeus ch. 49

// Additional corrections A1..A14 of the phases (Meeus, 2nd ed., ch. 49), in
// Meeus's order: coefficient in millionths of a day; the angle's base in
// hundredths of a degree, its rate in millionths of a degree per lunation
// and (A1 alone) its T^2 term in degrees.
const struct {
  std::int16_t coefficient;
  std::int32_t base, rate;
  double t2;
} kCorrections[] = {
    {325, 29977, 107408, -0.009173},  // A1
    {165, 25188, 16321, 0.0},         // A2
    {164, 25183, 26651886, 0.0},      // A3
    {126, 34942, 36412478, 0.0},      // A4
    {110, 8466, 18206239, 0.0},       // A5
    {62, 14174, 53303771, 0.0},       // A6
    {60, 20714, 2453732, 0.0},        // A7
    {56, 15484, 7306860, 0.0},        // A8
    {47, 3452, 27261239, 0.0},        // A9
    {42, 20719, 121824, 0.0},         // A10
    {40, 29134, 1844379, 0.0},        // A11
    {37, 16172, 24198154, 0.0},       // A12
    {35, 23956, 25513099, 0.0},       // A13
    {23, 33155, 3592518, 0.0},        // A14
};

// Mean arguments of one phase, Meeus eqs. 47.6 and 49.4 to 49.7.
struct PhaseArgs {
  double E, M, Mp, F, Om;
};

PhaseArgs phase_args(double k, double *T) {
  PhaseArgs a;
  a.E = eccentricityfactor(T, k);
  a.M = sunanomaly(*T, k);
  a.Mp = moonanomaly(*T, k);
  a.F = moonlatitudearg(*T, k);
  a.Om = moonnodelongitude(*T, k);
  return a;
}

// Periodic terms of the new moon (full = 0) or the full moon (full = 1), days.
// Rows 1 to 7 differ between the two; rows 8 to 25 are shared.
double new_full_terms(const PhaseArgs &a, int full) {
  const double E = a.E, M = a.M, Mp = a.Mp, F = a.F;
  double s;
  if (full) {
    s = -0.40614 * sind(Mp) + 0.17302 * E * sind(M) + 0.01614 * sind(2 * Mp) +
        0.01043 * sind(2 * F) + 0.00734 * E * sind(Mp - M) - 0.00515 * E * sind(Mp + M) +
        0.00209 * E * E * sind(2 * M);
  } else {
    s = -0.40720 * sind(Mp) + 0.17241 * E * sind(M) + 0.01608 * sind(2 * Mp) +
        0.01039 * sind(2 * F) + 0.00739 * E * sind(Mp - M) - 0.00514 * E * sind(Mp + M) +
        0.00208 * E * E * sind(2 * M);
  }
  s += -0.00111 * sind(Mp - 2 * F) - 0.00057 * sind(Mp + 2 * F) + 0.00056 * E * sind(2 * Mp + M) -
       0.00042 * sind(3 * Mp) + 0.00042 * E * sind(M + 2 * F) + 0.00038 * E * sind(M - 2 * F) -
       0.00024 * E * sind(2 * Mp - M) - 0.00017 * sind(a.Om) - 0.00007 * sind(Mp + 2 * M) +
       0.00004 * sind(2 * Mp - 2 * F) + 0.00004 * sind(3 * M) + 0.00003 * sind(Mp + M - 2 * F) +
       0.00003 * sind(2 * Mp + 2 * F) - 0.00003 * sind(Mp + M + 2 * F) +
       0.00003 * sind(Mp - M + 2 * F) - 0.00002 * sind(Mp - M - 2 * F) -
       0.00002 * sind(3 * Mp + M) + 0.00002 * sind(4 * Mp);
  return s;
}

// Periodic terms of the quarters, without W, in days.
double quarter_terms(const PhaseArgs &a) {
  const double E = a.E, M = a.M, Mp = a.Mp, F = a.F;
  return -0.62801 * sind(Mp) + 0.17172 * E * sind(M) - 0.01183 * E * sind(Mp + M) +
         0.00862 * sind(2 * Mp) + 0.00804 * sind(2 * F) + 0.00454 * E * sind(Mp - M) +
         0.00204 * E * E * sind(2 * M) - 0.00180 * sind(Mp - 2 * F) - 0.00070 * sind(Mp + 2 * F) -
         0.00040 * sind(3 * Mp) - 0.00034 * E * sind(2 * Mp - M) + 0.00032 * E * sind(M + 2 * F) +
         0.00032 * E * sind(M - 2 * F) - 0.00028 * E * E * sind(Mp + 2 * M) +
         0.00027 * E * sind(2 * Mp + M) - 0.00017 * sind(a.Om) - 0.00005 * sind(Mp - M - 2 * F) +
         0.00004 * sind(2 * Mp + 2 * F) - 0.00004 * sind(Mp + M + 2 * F) +
         0.00004 * sind(Mp - 2 * M) + 0.00003 * sind(Mp + M - 2 * F) + 0.00003 * sind(3 * M) +
         0.00002 * sind(2 * Mp - 2 * F) + 0.00002 * sind(Mp - M + 2 * F) -
         0.00002 * sind(3 * Mp + M);
}

// Quarter correction W (Meeus ch. 49), days: added for the first quarter,
// subtracted for the last.
double quarter_w(const PhaseArgs &a) {
  const double E = a.E, M = a.M, Mp = a.Mp, F = a.F;
  return 0.00306 - 0.00038 * E * cosd(M) + 0.00026 * cosd(Mp) - 0.00002 * cosd(Mp - M) +
         0.00002 * cosd(Mp + M) + 0.00002 * cosd(2 * F);
}

// Sum of the additional corrections A1..A14, days.
double phase_corrections(double T, double k) {
  double s = 0.0;
  for (const auto &c : kCorrections) {
    const double angle = c.base / 100.0 + c.rate * k / 1000000.0 + c.t2 * T * T;
    s += c.coefficient / 1000000.0 * sind(angle);
  }
  return s;
}

// Seconds added to a phase instant whose dynamical-time year lies in
// 2000..2020: 0.536 (year - 2001.6) + 0.5, -0.4 s to 10.4 s. This is the
// program's own empirical correction, published nowhere; the reports keep
// it. Against an independent ephemeris (docs/accuracy.md) it moves the
// phases of 2000..2020 away from the reference: mean error 6.7 s with it,
// 1.6 s without, largest 26.9 s against 18.6 s.
double year_adjustment(double jde) {
  int year, month, day, hour, minute, second;
  mjdtodatetime(jde - kMjdOffset, &year, &month, &day, &hour, &minute, &second);
  if (year < 2000 || year > 2020) return 0.0;
  return (0.536 * (year - 2001.6) + 0.5) / kSecondsPerDay;
}

}  // namespace

// Mean phase, Meeus eq. 49.1. T in Julian centuries from J2000.0, k in
// lunations from the new moon of 2000 January 6. Result JDE.
double phasejde(double T, double k) {
  return 2451550.09766 + 29.530588861 * k +
         T * T * (0.00015437 + T * (-0.00000015 + T * 0.00000000073));
}

// Stores T = k / 1236.85; returns E = 1 - 0.002516 T - 0.0000074 T^2
// (Meeus eq. 47.6).
double eccentricityfactor(double *T, double k) {
  const double t = k / kLunationsPerCentury;
  *T = t;
  return 1.0 + t * (-0.002516 - 0.0000074 * t);
}

// Sun's mean anomaly M at the phase, degrees (Meeus eq. 49.4).
double sunanomaly(double T, double k) {
  return 2.5534 + 29.1053567 * k + T * T * (-0.0000014 - 0.00000011 * T);
}

// Moon's mean anomaly M' at the phase, degrees (Meeus eq. 49.5).
double moonanomaly(double T, double k) {
  return 201.5643 + 385.81693528 * k + T * T * (0.0107582 + T * (0.00001238 - 0.000000058 * T));
}

// Moon's argument of latitude F at the phase, degrees (Meeus eq. 49.6).
double moonlatitudearg(double T, double k) {
  return 160.7108 + 390.67050284 * k + T * T * (-0.0016118 + T * (-0.00000227 + 0.000000011 * T));
}

// Longitude of the Moon's ascending node Omega at the phase, degrees
// (Meeus eq. 49.7).
double moonnodelongitude(double T, double k) {
  return 124.7746 - 1.56375588 * k + T * T * (0.0020672 + 0.00000215 * T);
}

// Instant of phase 0..3 (new moon, first quarter, full moon, last quarter)
// of lunation n by Meeus ch. 49: mean phase, periodic terms, W for the
// quarters and the additional corrections. With to_universal nonzero the
// 2000..2020 adjustment is added and Delta T subtracted. 0 for any other
// phase code.
double moonphase(int n, int phase, int to_universal) {
  if (phase < 0 || phase > 3) return 0.0;
  const double k = n + phase / 4.0;
  double T;
  const PhaseArgs a = phase_args(k, &T);
  double jde = phasejde(T, k);
  switch (phase) {
    case 0: jde += new_full_terms(a, 0); break;
    case 2: jde += new_full_terms(a, 1); break;
    case 1: jde += quarter_terms(a) + quarter_w(a); break;
    default: jde += quarter_terms(a) - quarter_w(a); break;
  }
  jde += phase_corrections(T, k);
  if (to_universal) jde += year_adjustment(jde);
  return ttut(jde, to_universal);
}

// Illuminated fraction (1 + cos i) / 2 of the Moon's disk at the Julian
// Date jd, taken as is. Mean elongation D and anomalies M, M' by Meeus
// eqs. 47.2 to 47.4, phase angle i by eq. 48.4.
double moonillumination(double jd) {
  const double T = juliancenturies(jd);
  const double D = 297.8501921 +
                   T * (445267.1114034 + T * (-0.0018819 + T * (1.0 / 545868.0 - T / 113065000.0)));
  const double M = 357.5291092 + T * (35999.0502909 + T * (-0.0001536 + T / 24490000.0));
  const double Mp =
      134.9633964 + T * (477198.8675055 + T * (0.0087414 + T * (1.0 / 69699.0 - T / 14712000.0)));
  const double i = 180.0 - D - 6.289 * sind(Mp) + 2.100 * sind(M) - 1.274 * sind(2 * D - Mp) -
                   0.658 * sind(2 * D) - 0.214 * sind(2 * Mp) - 0.110 * sind(D);
  return (1.0 + cosd(i)) / 2.0;
}
