// SPDX-License-Identifier: MIT
// The monotonic clock the benchmarks of whole processes time with.
#ifndef NACHTBLICK_BENCH_CLOCK_H
#define NACHTBLICK_BENCH_CLOCK_H

#include <ctime>

// Seconds of the monotonic clock.
inline double now_seconds() {
  timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return ts.tv_sec + ts.tv_nsec * 1e-9;
}

#endif
