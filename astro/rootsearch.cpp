// SPDX-License-Identifier: MIT
// Root and minimum searches in time.
#include "astro/rootsearch.h"

#include <cmath>

int steproot(TimeFunction f, const void *context, double t0, double step, int steps,
             double tolerance, double *root) {
  const double f0 = f(t0, context);
  if (f0 == 0.0) return kRootNotFound;
  double a = t0;
  for (int i = 1; i <= steps; ++i) {
    double b = t0 + i * step;
    if ((f(b, context) > 0.0) != (f0 > 0.0)) {
      // f has f0's sign at a and the other one at b.
      while (std::fabs(b - a) > tolerance) {
        const double m = 0.5 * (a + b);
        if ((f(m, context) > 0.0) == (f0 > 0.0))
          a = m;
        else
          b = m;
      }
      *root = 0.5 * (a + b);
      return kRootFound;
    }
    a = b;
  }
  return kRootNotFound;
}

double minimumsearch(TimeFunction f, const void *context, double t0, double step, int steps,
                     double tolerance) {
  double best = t0 - steps * step, fbest = f(best, context);
  for (int i = 1 - steps; i <= steps; ++i) {
    const double t = t0 + i * step;
    const double ft = f(t, context);
    if (ft < fbest) best = t, fbest = ft;
  }
  const double g = 0.5 * (std::sqrt(5.0) - 1.0);  // the golden ratio's inverse
  double a = best - step, b = best + step;
  double c = b - g * (b - a), d = a + g * (b - a);
  double fc = f(c, context), fd = f(d, context);
  while (b - a > tolerance) {
    if (fc < fd) {
      b = d, d = c, fd = fc;
      c = b - g * (b - a), fc = f(c, context);
    } else {
      a = c, c = d, fc = fd;
      d = a + g * (b - a), fd = f(d, context);
    }
  }
  return 0.5 * (a + b);
}
