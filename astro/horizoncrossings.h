// SPDX-License-Identifier: MIT
// Whether the precise Sun or Moon (localposition.h) is up at some instant
// of a span, and when it rises or sets within it: for an eclipse seen
// from a place. Up means the body's centre above kSunHorizonAltitude
// (localeclipse.h), geometric and topocentric, as the eclipses at a place
// count it for both bodies. Instants are UT Julian Dates; east longitude
// and north latitude positive, degrees.
#ifndef NACHTBLICK_HORIZONCROSSINGS_H
#define NACHTBLICK_HORIZONCROSSINGS_H

enum HorizonBody { kHorizonSun = 0, kHorizonMoon = 1 };

struct HorizonSpan {
  int up;       // 1 when the body is up at some instant of the span, else 0
  int upfirst;  // 1 when it is up at the span's start
  int uplast;   // 1 when it is up at the span's end
  double rise;  // the first crossing upwards within the span, 0 for none
  double set;   // the first crossing downwards within the span, 0 for none
};

// The body over the span [jd1, jd2] at the place. The crossings are those
// of levelcrossings() with kAltitudeSearch (levelcrossings.h): bisected to
// 0.05 s, and also where the body barely rises above the horizon, or
// barely dips below it, between two samples: up is 1 when it peeps above
// it for a few seconds. A span with jd2 < jd1 is taken as the instant jd1.
void horizoncrossings(int body, double longitude, double latitude, double jd1, double jd2,
                      HorizonSpan *out);

#endif
