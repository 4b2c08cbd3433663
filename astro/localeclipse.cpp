// SPDX-License-Identifier: MIT
// A solar eclipse seen from a place: contacts by stepping and bisection on
// the separation of the centres against the sum and the difference of
// the semidiameters.
#include "astro/localeclipse.h"

#include <cmath>
#include <initializer_list>

#include "astro/constants.h"
#include "astro/coordinates.h"
#include "astro/eclipse.h"
#include "astro/horizoncrossings.h"
#include "astro/localposition.h"
#include "astro/rootsearch.h"
#include "astro/timescales.h"

namespace {

constexpr double kMinute = 1.0 / 1440.0;
constexpr int kCentralSteps = 15;  // of a minute: the longest central phase lasts 12.5

struct Place {
  double longitude, latitude;
};

// The discs at one instant: separation of the centres and semidiameters,
// degrees.
struct Discs {
  double separation, sun, moon;
};

Discs discsat(double jd, const Place &p) {
  TopocentricPosition sun{}, moon{};
  sunmoontopocentric(jd, p.longitude, p.latitude, &sun, &moon);
  const double dra = (moon.ra - sun.ra) * kDegToRad;
  const double x = cosd(sun.dec) * sind(moon.dec) - sind(sun.dec) * cosd(moon.dec) * std::cos(dra);
  const double y = cosd(moon.dec) * std::sin(dra);
  const double z = sind(sun.dec) * sind(moon.dec) + cosd(sun.dec) * cosd(moon.dec) * std::cos(dra);
  return Discs{std::atan2(std::hypot(x, y), z) / kDegToRad, sun.semidiameter, moon.semidiameter};
}

double separation(double jd, const void *p) {
  return discsat(jd, *static_cast<const Place *>(p)).separation;
}

// Negative while the discs overlap.
double outercontact(double jd, const void *p) {
  const Discs d = discsat(jd, *static_cast<const Place *>(p));
  return d.separation - (d.sun + d.moon);
}

// Negative while one disc lies wholly within the other.
double innercontact(double jd, const void *p) {
  const Discs d = discsat(jd, *static_cast<const Place *>(p));
  return d.separation - std::fabs(d.sun - d.moon);
}

EclipseInstant instantat(double jd, const Place &p) {
  double altitude = 0.0, azimuth = 0.0;
  sunhorizontal(jd, p.longitude, p.latitude, &altitude, &azimuth);
  return EclipseInstant{jd, altitude + refraction(altitude), azimuth,
                        altitude > kSunHorizonAltitude ? 1 : 0};
}

}  // namespace

// Two circular segments: each the sector minus its triangle.
double discoverlap(double a, double b, double c) {
  if (c >= a + b) return 0.0;
  if (c <= std::fabs(a - b)) return (a <= b) ? 1.0 : (b * b) / (a * a);
  const double x = (a * a - b * b + c * c) / (2.0 * c);
  const double y = safesqrt(a * a - x * x);
  const double lens =
      a * a * std::acos(x / a) - x * y + b * b * std::acos((c - x) / b) - (c - x) * y;
  return lens / (kPi * a * a);
}

int solareclipseat(int n, double longitude, double latitude, LocalSolarEclipse *e) {
  double jd0 = 0.0;
  const int global = eclipsetype(n, kKindSolar, &jd0);
  if (global < 0) return kEclipseNone;
  const Place p{longitude, latitude};
  LocalSolarEclipse r{};
  r.kind_global = global;
  r.kind = kLocalNone;
  const double tmax =
      minimumsearch(separation, &p, jd0, kEclipseStep, kEclipseSteps, kEclipseTolerance);
  r.contact[kContactMax] = instantat(tmax, p);
  const Discs d = discsat(tmax, p);
  if (d.separation < d.sun + d.moon) {
    double c[kSolarContacts] = {};
    if (steproot(outercontact, &p, tmax, -kEclipseStep, kEclipseSteps, kEclipseTolerance,
                 &c[kContact1]) ||
        steproot(outercontact, &p, tmax, kEclipseStep, kEclipseSteps, kEclipseTolerance,
                 &c[kContact4]))
      return kEclipseNoContact;
    r.kind = kTypePartial;
    if (d.separation < std::fabs(d.sun - d.moon)) {
      r.kind = (d.moon > d.sun) ? kTypeTotal : kTypeAnnular;
      if (steproot(innercontact, &p, tmax, -kMinute, kCentralSteps, kEclipseTolerance,
                   &c[kContact2]) ||
          steproot(innercontact, &p, tmax, kMinute, kCentralSteps, kEclipseTolerance,
                   &c[kContact3]))
        return kEclipseNoContact;
    }
    for (int i : {kContact1, kContact2, kContact3, kContact4})
      if (c[i] != 0.0) r.contact[i] = instantat(c[i], p);
    r.magnitude = (d.sun + d.moon - d.separation) / (2.0 * d.sun);
    r.obscuration = discoverlap(d.sun, d.moon, d.separation);
    HorizonSpan h{};
    horizoncrossings(kHorizonSun, longitude, latitude, c[kContact1], c[kContact4], &h);
    r.sunrise = h.rise;
    r.sunset = h.set;
    r.sunupduring = h.up;
  }
  *e = r;
  return kEclipseFound;
}
