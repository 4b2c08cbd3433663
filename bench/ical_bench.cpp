// SPDX-License-Identifier: MIT
// Calendar export of one year, without and with a place (sunrise and sunset
// of every day); target: well under 10 ms with a place. The years step by
// 37 through 1000..3000.
#include <benchmark/benchmark.h>

#include <string>

#include "calendar/calendar.h"
#include "nachtblick/place/places.h"
#include "nachtblick/views/ical.h"

namespace {

void BM_IcalYear(benchmark::State &state) {
  Place places[kPlaceSlots];
  reset_places(places);
  const Place *place = state.range(0) ? &places[0] : nullptr;
  std::string out;
  int year = kFirstReportYear;
  for (auto _ : state) {
    out = ical_report(year, place, CivilDate{2026, 2, 6}).text;
    benchmark::DoNotOptimize(out.data());
    year = year + 37 <= kLastReportYear ? year + 37 : kFirstReportYear;
  }
}
BENCHMARK(BM_IcalYear)->ArgName("place")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
