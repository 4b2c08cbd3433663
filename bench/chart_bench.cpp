// SPDX-License-Identifier: MIT
// The chart of a year, 366 days of four searches each, five bands and the
// marks (target: under 50 ms): Berlin in MEZ/MESZ and Tromsoe in its time
// zone, each in the three formats. The counter gives the file's size.
#include <benchmark/benchmark.h>

#include <string>

#include "nachtblick/place/places.h"
#include "nachtblick/views/chart.h"

namespace {

const char kPlaces[] =
    "52 N 31  013 E 24 Berlin (Germany)\n"
    "69 N 39  018 E 57 Tromsoe (Norway) [Europe/Oslo]\n";

void BM_Chart(benchmark::State &state) {
  Place table[kPlaceSlots];
  reset_places(table);
  int jan = 1;
  parse_places(kPlaces, sizeof kPlaces - 1, table, &jan);
  const Place &place = table[state.range(0)];
  const ChartFormat format = static_cast<ChartFormat>(state.range(1));
  std::string out, err;
  for (auto _ : state) {
    chart_report(2024, place, jan, format, CivilDate{2024, 6, 21}, out, err);
    benchmark::DoNotOptimize(out.data());
  }
  state.counters["bytes"] = static_cast<double>(out.size());
}
BENCHMARK(BM_Chart)
    ->ArgNames({"place", "format"})
    ->ArgsProduct({{0, 1}, {kChartSvg, kChartPdf, kChartPng}})
    ->Unit(benchmark::kMillisecond);

}  // namespace
