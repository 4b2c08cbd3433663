// SPDX-License-Identifier: MIT
// The Sun's or the Moon's crossings of the line of "up" within a span.
#include "astro/horizoncrossings.h"

#include <algorithm>

#include "astro/constants.h"  // kSunHorizonAltitude
#include "astro/levelcrossings.h"
#include "astro/localposition.h"

namespace {

// At most so many crossings are kept: a span of an eclipse holds one or
// two.
constexpr int kCrossings = 8;

struct Body {
  int body;
  double longitude, latitude;
};

// The body's centre above the horizon line of "up", degrees.
double above(double jd, const void *b) {
  const Body &body = *static_cast<const Body *>(b);
  double altitude = 0.0, azimuth = 0.0;
  (body.body == kHorizonMoon ? moonhorizontal : sunhorizontal)(jd, body.longitude, body.latitude,
                                                               &altitude, &azimuth);
  return altitude - kSunHorizonAltitude;
}

}  // namespace

void horizoncrossings(int body, double longitude, double latitude, double jd1, double jd2,
                      HorizonSpan *out) {
  const Body b{body, longitude, latitude};
  jd2 = std::max(jd1, jd2);
  HorizonSpan s{};
  s.upfirst = above(jd1, &b) > 0.0;
  s.uplast = above(jd2, &b) > 0.0;
  const double level = 0.0;
  LevelCrossing c[kCrossings];
  const int n = levelcrossings(above, &b, jd1, jd2, &level, 1, kAltitudeSearch, c, kCrossings);
  for (int i = 0; i < std::min(n, kCrossings); ++i) {
    double &slot = c[i].rising ? s.rise : s.set;
    if (slot == 0.0) slot = c[i].t;
  }
  s.up = s.upfirst || s.rise != 0.0;
  *out = s;
}
