// SPDX-License-Identifier: MIT
// Rise and set report and seasons report for dates spread over the years
// 1000..3000 (targets: under 1 ms each on one core), the pi spigot itself
// (target: under 20 ms) and the repeated pi report (under 1 ms).
#include <benchmark/benchmark.h>

#include <cstdio>

#include "astro/sunmoon.h"
#include "nachtblick/place/places.h"
#include "nachtblick/views/pi.h"
#include "nachtblick/views/reports.h"

namespace {

// 64 dates stepping 31 years, 5 months and 11 days through the range.
struct Dates {
  char years[64][8], months[64][4], days[64][4];
  Dates() {
    for (int i = 0; i < 64; ++i) {
      std::snprintf(years[i], sizeof years[i], "%d", 1000 + (i * 31) % 2001);
      std::snprintf(months[i], sizeof months[i], "%d", 1 + (i * 5) % 12);
      std::snprintf(days[i], sizeof days[i], "%d", 1 + (i * 11) % 28);
    }
  }
};

void BM_RiseSetReport(benchmark::State &state) {
  static const Dates dates;
  Place table[kPlaceSlots];
  reset_places(table);
  int i = 0;
  for (auto _ : state) {
    const ReportInput in{dates.years[i], dates.months[i], dates.days[i], {2024, 1, 1}, table, 0, 1};
    ReportText r = riseset_report(in);
    benchmark::DoNotOptimize(r.text.data());
    i = (i + 1) % 64;
  }
}
BENCHMARK(BM_RiseSetReport)->Unit(benchmark::kMicrosecond);

void BM_RiseSetSearch(benchmark::State &state) {
  int mjd = 60000;
  for (auto _ : state) {
    double rise = 0, set = 0;
    benchmark::DoNotOptimize(riseset(mjd, 1.0, 15.61667, 48.2, (mjd % 5) - 3, &rise, &set));
    mjd = (mjd < 61000) ? mjd + 1 : 60000;
  }
}
BENCHMARK(BM_RiseSetSearch)->Unit(benchmark::kMicrosecond);

void BM_SeasonsReport(benchmark::State &state) {
  static const Dates dates;
  int i = 0;
  for (auto _ : state) {
    const ReportInput in{
        dates.years[i], dates.months[i], dates.days[i], {2024, 1, 1}, nullptr, 0, 1};
    ReportText r = seasons_report(in);
    benchmark::DoNotOptimize(r.text.data());
    i = (i + 1) % 64;
  }
}
BENCHMARK(BM_SeasonsReport)->Unit(benchmark::kMicrosecond);

void BM_PiSpigot(benchmark::State &state) {
  for (auto _ : state) {
    std::string text = pi_digits_text();
    benchmark::DoNotOptimize(text.data());
  }
}
BENCHMARK(BM_PiSpigot)->Unit(benchmark::kMillisecond);

void BM_PiReportRepeated(benchmark::State &state) {
  benchmark::DoNotOptimize(pi_report().text.data());  // first call computes
  for (auto _ : state) {
    ReportText r = pi_report();
    benchmark::DoNotOptimize(r.text.data());
  }
}
BENCHMARK(BM_PiReportRepeated)->Unit(benchmark::kMicrosecond);

}  // namespace
