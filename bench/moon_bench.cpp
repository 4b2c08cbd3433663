// SPDX-License-Identifier: MIT
// Moon report for dates spread over the years 1000..3000 (target: well
// under 1 ms per report on one core), and its two building blocks.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "astro/eclipse.h"
#include "astro/lunar.h"
#include "nachtblick/views/reports.h"

namespace {

void BM_MoonReport(benchmark::State &state) {
  // 64 dates stepping 31 years, 5 months and 11 days through the range.
  char years[64][8], months[64][4], days[64][4];
  for (int i = 0; i < 64; ++i) {
    std::snprintf(years[i], sizeof years[i], "%d", 1000 + (i * 31) % 2001);
    std::snprintf(months[i], sizeof months[i], "%d", 1 + (i * 5) % 12);
    std::snprintf(days[i], sizeof days[i], "%d", 1 + (i * 11) % 28);
  }
  int i = 0;
  for (auto _ : state) {
    const ReportInput in{years[i], months[i], days[i], {2024, 1, 1}, nullptr, 0, 1};
    ReportText r = moonphase_report(in);
    benchmark::DoNotOptimize(r.text.data());
    i = (i + 1) % 64;
  }
}
BENCHMARK(BM_MoonReport)->Unit(benchmark::kMicrosecond);

void BM_MoonPhase(benchmark::State &state) {
  int n = -12000;
  for (auto _ : state) {
    benchmark::DoNotOptimize(moonphase(n, n & 3, 1));
    n = (n < 12000) ? n + 7 : -12000;
  }
}
BENCHMARK(BM_MoonPhase);

void BM_Eclipse(benchmark::State &state) {
  int n = -12000;
  double gamma;
  int saros;
  for (auto _ : state) {
    benchmark::DoNotOptimize(eclipse(n, 0, 1, &gamma, &saros, 1));
    n = (n < 12000) ? n + 1 : -12000;
  }
}
BENCHMARK(BM_Eclipse);

}  // namespace
