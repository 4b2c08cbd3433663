// SPDX-License-Identifier: MIT
// Calendar report: the month sheet and the feast list, each over a spread
// of years, so that both calendars and every month length are met.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "nachtblick/views/reports.h"

namespace {

const int kDates = 64;

// Years 100..10000 stepping 157, month m (0 for the feast list).
void BM_CalendarReport(benchmark::State &state, bool feasts) {
  char years[kDates][8], months[kDates][4];
  for (int i = 0; i < kDates; ++i) {
    std::snprintf(years[i], sizeof years[i], "%d", 100 + (i * 157) % 9901);
    std::snprintf(months[i], sizeof months[i], "%d", feasts ? 0 : 1 + (i * 5) % 12);
  }
  int i = 0;
  for (auto _ : state) {
    const ReportInput in{years[i], months[i], " [Tag]", {2024, 6, 21}, nullptr, 0, 1};
    ReportText r = calendar_report(in);
    benchmark::DoNotOptimize(r.text.data());
    i = (i + 1) % kDates;
  }
}
BENCHMARK_CAPTURE(BM_CalendarReport, month_sheet, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_CalendarReport, feast_list, true)->Unit(benchmark::kMicrosecond);

}  // namespace
