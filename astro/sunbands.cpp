// SPDX-License-Identifier: MIT
// The Sun's intervals within a band of altitudes: the crossings of the
// band's edges in the span, and outward from it day by day for an interval
// in progress at either end.
#include "astro/sunbands.h"

#include <cmath>
#include <vector>

#include "astro/constants.h"
#include "astro/levelcrossings.h"
#include "astro/localposition.h"

namespace {

// The least obliquity of the ecliptic in the years 1000..3000 (Laskar's
// mean obliquity, 23.31 deg in 3000, less the nutation), degrees, and the
// Sun's least motion in longitude (at aphelion, 0.953), degrees per day.
constexpr double kLeastObliquity = 23.29;
constexpr double kLeastLongitudeRate = 0.95;

// kAltitudeSearch, bisected to 1 ms: the views cut the edges to the
// second, which the midpoint of a bracket of 0.05 s gets wrong where the
// instant lies within 0.025 s of a whole second.
constexpr LevelSearch kBandSearch = {kAltitudeSearch.step, kAltitudeSearch.margin, 0.001 / 86400.0};

struct Place {
  double longitude, latitude;
};

double altitude(double jd, const void *place) {
  const Place &p = *static_cast<const Place *>(place);
  TopocentricPosition sun{};
  suntopocentric(jd, p.longitude, p.latitude, &sun);
  return sun.altitude;
}

// How many days the Sun can stay in the band [low, high] of width w, at
// most. While it stays in the band for a whole day, both its altitudes at
// the upper and the lower culmination of that day, 90 - |lat - dec| and
// |lat + dec| - 90, lie in the band, within the 0.2 deg that its
// declination moves in half a day (and the parallax's 0.002 deg). Their
// difference, 180 - 2 max(|lat|, |dec|), is then at most w + 0.4
// <= 40.4 deg, so |lat| >= 69.8 deg > |dec|, and their mean, sign(lat) dec,
// lies in [low - 0.2, high + 0.2]. So wherever the Sun stays in the band
// from b to e, its declination stays within [low - 1, high + 1] (or its
// negative) from b to e - 1 day. There, from sin dec = sin eps sin lambda,
// it changes by d dec/dt = sin eps cos lambda / cos dec d lambda/dt >=
// sqrt(sin^2 eps - sin^2 d) d lambda/dt with d = max(|low|, |high|) + 1;
// so e - b <= 1 + (w + 2) / that rate. One day more for the search's
// steps of a day.
double reachdays(double low, double high) {
  const double d = std::fmax(std::fabs(low), std::fabs(high)) + 1.0;
  const double s = sind(kLeastObliquity), sd = sind(d);
  const double rate = std::sqrt(s * s - sd * sd) * kLeastLongitudeRate;
  return std::ceil(2.0 + (high - low + 2.0) / rate);
}

// The band is entered at a crossing of its low edge upwards or of its high
// edge downwards (levels: 0 the low edge, 1 the high one).
bool enters(const LevelCrossing &c) { return (c.level == 0) == (c.rising != 0); }

// The crossings of the band's edges within [t1, t2], in time order.
std::vector<LevelCrossing> crossings(const Place &p, const double levels[2], double t1, double t2) {
  std::vector<LevelCrossing> c(4 * static_cast<size_t>(std::ceil(t2 - t1)) + 8);
  const int n = levelcrossings(altitude, &p, t1, t2, levels, 2, kBandSearch, c.data(),
                               static_cast<int>(c.size()));
  if (static_cast<size_t>(n) > c.size()) {
    c.resize(n);
    levelcrossings(altitude, &p, t1, t2, levels, 2, kBandSearch, c.data(), n);
  }
  c.resize(n);
  return c;
}

// The crossing of an edge nearest to jd outward (backward when direction
// is -1, forward when 1), searched a day at a time up to days: 1 with *c,
// or 0 when there is none within reach, with *t the instant the search
// stopped.
int outward(const Place &p, const double levels[2], double jd, int direction, double days,
            LevelCrossing *c, double *t) {
  for (double k = 1.0; k <= days; k += 1.0) {
    const double near = jd + direction * (k - 1.0), far = jd + direction * k;
    const std::vector<LevelCrossing> x =
        direction < 0 ? crossings(p, levels, far, near) : crossings(p, levels, near, far);
    if (!x.empty()) {
      *c = direction < 0 ? x.back() : x.front();
      return 1;
    }
  }
  *t = jd + direction * days;
  return 0;
}

}  // namespace

int sunbands(double longitude, double latitude, double low, double high, double jd1, double jd2,
             SunBand *out, int capacity) {
  if (!(-kSunBandLimit <= low && low < high && high <= kSunBandLimit)) return -1;
  if (jd2 < jd1) return 0;
  const Place p{longitude, latitude};
  const double levels[2] = {low, high};
  const double days = reachdays(low, high);
  int found = 0;
  const auto emit = [&](const SunBand &b) {
    if (found < capacity) out[found] = b;
    ++found;
  };
  const double h1 = altitude(jd1, &p);
  bool in = h1 > low && h1 <= high;
  SunBand band{};
  if (in) {
    LevelCrossing c{};
    if (outward(p, levels, jd1, -1, days, &c, &band.begin))
      band.begin = c.t, band.beginrising = c.rising;
    else
      band.flags |= kSunBandBeginUnknown;
  }
  for (const LevelCrossing &c : crossings(p, levels, jd1, jd2)) {
    if (enters(c) == in) continue;  // a crossing that changes nothing (not seen)
    in = !in;
    if (in) {
      band = SunBand{c.t, 0.0, c.rising, 0, 0};
    } else {
      band.end = c.t, band.endrising = c.rising;
      emit(band);
    }
  }
  if (in) {
    LevelCrossing c{};
    if (outward(p, levels, jd2, 1, days, &c, &band.end))
      band.end = c.t, band.endrising = c.rising;
    else
      band.flags |= kSunBandEndUnknown;
    emit(band);
  }
  return found;
}
