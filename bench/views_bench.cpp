// SPDX-License-Identifier: MIT
// The views of a place and of the Moon's distance: a year of eclipses at
// one place as text and as tsv, a day of the sun view, a year of the
// Moon's distances, the calendar export of a year's golden hours, and
// those hours as whole intervals of a year (astro/sunbands.h), both at the
// first place and at Reykjavik (64 N). Years step by 37 through the reports' range, the sun
// view's days by 11 days and a month through it, so that both calendars and many kinds of eclipse
// and of day are met.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "astro/sunbands.h"

#include "calendar/calendar.h"
#include "nachtblick/place/places.h"
#include "nachtblick/views/eclipses.h"
#include "nachtblick/views/ical.h"
#include "nachtblick/views/moondistance.h"
#include "nachtblick/views/sun.h"

namespace {

int next_year(int year) { return year + 37 <= kLastReportYear ? year + 37 : kFirstReportYear; }

void BM_EclipsesView(benchmark::State &state) {
  Place places[kPlaceSlots];
  reset_places(places);
  const ViewFormat format = state.range(0) ? kFormatTsv : kFormatText;
  std::string out;
  int year = kFirstReportYear;
  for (auto _ : state) {
    out = eclipses_view(year, places[0], 1, format).text;
    benchmark::DoNotOptimize(out.data());
    year = next_year(year);
  }
}
BENCHMARK(BM_EclipsesView)->ArgName("tsv")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_SunView(benchmark::State &state) {
  Place places[kPlaceSlots];
  reset_places(places);
  std::string out;
  int year = kFirstReportYear, month = 1, day = 1;
  for (auto _ : state) {
    out = sun_view(year, month, day, places[0], 1, kFormatText).text;
    benchmark::DoNotOptimize(out.data());
    day = 1 + (day + 10) % 28;
    month = 1 + month % 12;
    if (month == 1) year = next_year(year);
  }
}
BENCHMARK(BM_SunView)->Unit(benchmark::kMicrosecond);

void BM_MoonDistanceView(benchmark::State &state) {
  std::string out;
  int year = kFirstReportYear;
  for (auto _ : state) {
    out = moon_distance_view(year, kFormatText).text;
    benchmark::DoNotOptimize(out.data());
    year = next_year(year);
  }
}
BENCHMARK(BM_MoonDistanceView)->Unit(benchmark::kMillisecond);

void BM_IcalGolden(benchmark::State &state) {
  Place places[kPlaceSlots];
  reset_places(places);
  if (state.range(0)) {  // Reykjavik, 64 09 N, 21 57 W, in MEZ/MESZ (no zone to look up)
    places[0].latitude = 64.15, places[0].longitude = -21.95;
    places[0].lat_deg = 64, places[0].lat_min = 9, places[0].lon_deg = 21, places[0].lon_min = 57;
    places[0].east = 0;
  }
  std::string out;
  int year = kFirstReportYear;
  for (auto _ : state) {
    out = ical_report(year, &places[0], CivilDate{2026, 2, 6}, kIcalGolden).text;
    benchmark::DoNotOptimize(out.data());
    year = next_year(year);
  }
}
BENCHMARK(BM_IcalGolden)->ArgName("north")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_SunBandsYear(benchmark::State &state) {
  Place places[kPlaceSlots];
  reset_places(places);
  const double latitude = state.range(0) ? 64.15 : places[0].latitude;
  const double longitude = state.range(0) ? -21.95 : places[0].longitude;
  std::vector<SunBand> bands(800);
  int year = kFirstReportYear;
  for (auto _ : state) {
    const double jd1 = datetojd(year, 1, 1), jd2 = datetojd(year + 1, 1, 1);
    benchmark::DoNotOptimize(sunbands(longitude, latitude, kGoldenHourLow, kGoldenHourHigh, jd1,
                                      jd2, bands.data(), 800));
    year = next_year(year);
  }
}
BENCHMARK(BM_SunBandsYear)->ArgName("north")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
