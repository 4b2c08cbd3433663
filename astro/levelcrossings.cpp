// SPDX-License-Identifier: MIT
// Level crossings over a span: one pass over the samples, cutting the span
// into monotonic pieces at the refined extrema and bisecting in each.
#include "astro/levelcrossings.h"

#include <algorithm>
#include <cmath>

namespace {

struct Point {
  double t, v;
};

// The search over one span, with the crossings counted and written.
struct Scan {
  TimeFunction f;
  const void *context;
  const double *levels;
  int nlevels;
  const LevelSearch &search;
  LevelCrossing *out;
  int capacity;
  int found;
};

// -f, for the golden-section search of a maximum.
struct Negated {
  TimeFunction f;
  const void *context;
};
double negated(double t, const void *n) {
  const Negated &g = *static_cast<const Negated *>(n);
  return -g.f(t, g.context);
}

// The level's crossing between a and b, where f is monotonic and lies at
// or below the level on one side and above it on the other.
double bisect(const Scan &s, double level, Point a, Point b) {
  const bool above = a.v > level;
  double lo = a.t, hi = b.t;
  while (hi - lo > s.search.tolerance) {
    const double m = 0.5 * (lo + hi);
    if ((s.f(m, s.context) > level) == above)
      lo = m;
    else
      hi = m;
  }
  return 0.5 * (lo + hi);
}

// The crossings on the monotonic piece from a to b, in time order: the
// levels upwards when f rises, downwards when it falls.
void piece(Scan &s, Point a, Point b) {
  const bool rising = b.v > a.v;
  for (int k = 0; k < s.nlevels; ++k) {
    const int i = rising ? k : s.nlevels - 1 - k;
    const double level = s.levels[i];
    if ((a.v > level) == (b.v > level)) continue;
    if (s.found < s.capacity) s.out[s.found] = LevelCrossing{bisect(s, level, a, b), i, rising};
    ++s.found;
  }
}

// Whether a sampled extremum v (a maximum when high) may hide a crossing:
// some level lies between it and the bound of the true extremum.
bool hides(const Scan &s, double v, bool high) {
  for (int i = 0; i < s.nlevels; ++i) {
    const double level = s.levels[i];
    if (high ? (v <= level && v + s.search.margin > level)
             : (v > level && v - s.search.margin <= level))
      return true;
  }
  return false;
}

// The extremum of f about the sample at t (h either side), a maximum when
// high.
Point extremum(const Scan &s, double t, double h, bool high) {
  const Negated g{s.f, s.context};
  const double tm = high ? minimumsearch(negated, &g, t, h, 0, s.search.tolerance)
                         : minimumsearch(s.f, s.context, t, h, 0, s.search.tolerance);
  return Point{tm, s.f(tm, s.context)};
}

}  // namespace

int levelcrossings(TimeFunction f, const void *context, double t1, double t2, const double *levels,
                   int count, const LevelSearch &search, LevelCrossing *out, int capacity) {
  if (!(t2 > t1)) return 0;
  Scan s{f, context, levels, count, search, out, capacity, 0};
  const int n = std::max(1, static_cast<int>(std::ceil((t2 - t1) / search.step)));
  const double h = (t2 - t1) / n;
  const auto at = [&](int i) {
    const double t = i == n ? t2 : t1 + i * h;
    return Point{t, f(t, context)};
  };
  Point prev = at(-1), cur = at(0), last = cur;
  bool pending = false;  // an extremum after the last sample, before the next
  Point later{};
  for (int i = 0; i <= n; ++i) {
    const Point next = at(i + 1);
    // The points up to this sample in time order: an extremum found at the
    // previous sample, one found here before this sample, the sample.
    Point here[3];
    int m = 0;
    if (pending) here[m++] = later;
    pending = false;
    const bool high = cur.v > prev.v && cur.v >= next.v, low = cur.v < prev.v && cur.v <= next.v;
    if ((high || low) && hides(s, cur.v, high)) {
      const Point e = extremum(s, cur.t, h, high);
      if (e.t > t1 && e.t < t2) {
        if (e.t < cur.t)
          here[m++] = e;
        else
          pending = true, later = e;
      }
    }
    here[m++] = cur;
    for (int k = 0; k < m; ++k) {
      if (here[k].t <= last.t) continue;  // out of order: only where two extrema merge
      piece(s, last, here[k]);
      last = here[k];
    }
    prev = cur;
    cur = next;
  }
  return s.found;
}
