// SPDX-License-Identifier: MIT
// The Sun's view of a day: the rise and set report's sunrise and sunset,
// the precise Sun (astro/sunevents.h) for its transit, directions and the
// edges of the golden and blue hours.
#include "nachtblick/views/sun.h"

#include <algorithm>
#include <numeric>

#include "astro/localposition.h"
#include "astro/sunevents.h"
#include "astro/sunmoon.h"
#include "calendar/calendar.h"
#include "nachtblick/text/textbuf.h"
#include "nachtblick/views/instants.h"
#include "nachtblick/views/reports.h"
#include "nachtblick/views/zoneline.h"

const char *const kSunTsvHeader = "date\tevent\tlocal\tutc\talt\taz\n";

namespace {

const char *const kEventNames[kSunEvents] = {"rise",          "transit",         "set",
                                             "blue_am_begin", "blue_am_end",     "golden_am_begin",
                                             "golden_am_end", "golden_pm_begin", "golden_pm_end",
                                             "blue_pm_begin", "blue_pm_end"};

// The edges of the hours: the altitude crossed, upwards or downwards.
struct Edge {
  SunEvent event;
  double altitude;
  bool rising;
};
const Edge kEdges[] = {
    {kBlueAmBegin, kBlueHourLow, true},       {kBlueAmEnd, kGoldenHourLow, true},
    {kGoldenAmBegin, kGoldenHourLow, true},   {kGoldenAmEnd, kGoldenHourHigh, true},
    {kGoldenPmBegin, kGoldenHourHigh, false}, {kGoldenPmEnd, kGoldenHourLow, false},
    {kBluePmBegin, kGoldenHourLow, false},    {kBluePmEnd, kBlueHourLow, false}};

// The two hours of the text: name, band, and the events of its morning and
// evening edges.
struct Hour {
  const char *name;
  double low, high;
  SunEvent edges[4];
};
const Hour kHours[] = {{"Blaue Stunde",
                        kBlueHourLow,
                        kGoldenHourLow,
                        {kBlueAmBegin, kBlueAmEnd, kBluePmBegin, kBluePmEnd}},
                       {"Goldene Stunde",
                        kGoldenHourLow,
                        kGoldenHourHigh,
                        {kGoldenAmBegin, kGoldenAmEnd, kGoldenPmBegin, kGoldenPmEnd}}};

// "hh:mm" of an instant at the place, rounded to the minute; "-----" for
// none.
void append_clock(std::string &text, const Place &place, double jd) {
  if (jd == 0.0) {
    text += "-----";
    return;
  }
  LocalTime local{};
  place_time(place, ut_seconds(jd), &local);
  append_minute(text, (local.seconds + 30) / 60);
}

void append_tsv(std::string &out, const Place &place, const SunDay &sun, const char *date) {
  out = kSunTsvHeader;
  int order[kSunEvents];
  std::iota(order, order + kSunEvents, 0);
  std::stable_sort(order, order + kSunEvents, [&](int a, int b) { return sun.jd[a] < sun.jd[b]; });
  for (const int e : order) {
    if (sun.jd[e] == 0.0) continue;
    TopocentricPosition p{};
    suntopocentric(sun.jd[e], place.longitude, place.latitude, &p);
    const long long t = ut_seconds(sun.jd[e]);
    out += std::string(date) + "\t" + kEventNames[e] + "\t" + iso_local(place, t) + "\t" +
           iso_utc(t) + "\t";
    append_format(out, "%.3f\t%.3f\n", p.altitude, p.azimuth);
  }
}

// A row of sunrise or sunset: the report's minute and the Sun's azimuth.
void append_horizon(std::string &text, const char *name, bool found, const ClockEvent &e, double jd,
                    const Place &place) {
  append_format(text, "\n  %-16s", name);
  if (!found) {
    text += "-----";
    return;
  }
  append_minute(text, clock_minutes(e.hour));
  TopocentricPosition p{};
  suntopocentric(jd, place.longitude, place.latitude, &p);
  append_format(text, "   Azimut %5.1f Grad", p.azimuth);
}

void append_text(std::string &out, int year, int month, int day, const Place &place,
                 int jan_variant, const SunDay &sun) {
  append_format(out, "\n  Sonne am %s, %d. %s %d\n  in %.*s\n  Uhrzeit in ",
                szWochentag[weekday(day, month, year)], day, month_name(month, jan_variant), year,
                kPlaceNameMax, place.name);
  ZoneDay local;
  place_day(place, year, month, day, &local);
  append_zone_line(out, place, local);
  if (sun.count == 0) return;
  out += "\n";
  const bool rose = sun.flags & kRiseFound, set = sun.flags & kSetFound;
  if (!rose && !set) {
    append_format(out, "\n  Die Sonne geht an diesem Tag nicht %s.",
                  (sun.flags & kAboveAtStart) ? "unter" : "auf");
  } else {
    append_horizon(out, "Aufgang", rose, sun.rise, sun.jd[kSunRise], place);
  }
  if (sun.jd[kSunTransit] != 0.0) {
    TopocentricPosition p{};
    suntopocentric(sun.jd[kSunTransit], place.longitude, place.latitude, &p);
    out += "\n  Hoechststand    ";
    append_clock(out, place, sun.jd[kSunTransit]);
    append_format(out, "   Hoehe  %5.1f Grad", p.altitude);
  }
  if (rose || set) append_horizon(out, "Untergang", set, sun.set, sun.jd[kSunSet], place);
  const int mjd = datetomjd(year, month, day);
  const long long length = event_minute(mjd, sun.set) - event_minute(mjd, sun.rise);
  if (rose && set && length > 0) {
    out += "\n  Tageslaenge     ";
    append_minute(out, static_cast<int>(length / 60));
  }
  append_format(out, "\n\n  %-16s%-16s%s", "", "morgens", "abends");
  for (const Hour &h : kHours) {
    append_format(out, "\n  %-16s", h.name);
    const bool none =
        std::all_of(h.edges, h.edges + 4, [&](SunEvent e) { return sun.jd[e] == 0.0; });
    if (none && sun.highest < h.low) {
      append_format(out, "die Sonne bleibt unter %.0f Grad", h.low);
    } else if (none && sun.lowest > h.high) {
      append_format(out, "die Sonne bleibt ueber %.0f Grad", h.high);
    } else if (none) {
      out += "den ganzen Tag";
    } else {
      for (int k = 0; k < 4; ++k) {
        append_clock(out, place, sun.jd[h.edges[k]]);
        out += k % 2 ? "   " : " - ";
      }
      out.erase(out.find_last_not_of(' ') + 1);
    }
  }
}

}  // namespace

void sun_day(int year, int month, int day, const Place &place, SunDay *sun) {
  *sun = SunDay{};
  ZoneDay local;
  place_day(place, year, month, day, &local);
  sun->count = local.count;
  if (local.count == 0) return;
  const int mjd = datetomjd(year, month, day);
  sun->flags =
      day_riseset(local, mjd, place.longitude, place.latitude, kEventSun, &sun->rise, &sun->set);
  if (sun->flags & kRiseFound) sun->jd[kSunRise] = event_instant(mjd, sun->rise);
  if (sun->flags & kSetFound) sun->jd[kSunSet] = event_instant(mjd, sun->set);
  const double jd1 = local.span[0].start / static_cast<double>(kSecondsPerDay) + kMjdOffset;
  const double jd2 = local.end / static_cast<double>(kSecondsPerDay) + kMjdOffset;
  suntransit(jd1, jd2, place.longitude, place.latitude, &sun->jd[kSunTransit]);
  SunSamples samples;
  sunsamples(jd1, jd2, place.longitude, place.latitude, &samples);
  for (const Edge &e : kEdges) suncrossing(samples, e.altitude, e.rising, &sun->jd[e.event]);
  const double *first = samples.altitude, *last = samples.altitude + samples.count;
  sun->lowest = *std::min_element(first, last);
  sun->highest = *std::max_element(first, last);
}

bool sun_view(int year, int month, int day, const Place &place, int jan_variant, ViewFormat format,
              std::string &out, std::string &err) {
  out.clear();
  err.clear();
  if (year < kFirstReportYear || year > kLastReportYear || weekday(day, month, year) == 0) {
    append_format(err, "%d-%02d-%02d is no date of the years %d..%d", year, month, day,
                  kFirstReportYear, kLastReportYear);
    return false;
  }
  SunDay sun;
  sun_day(year, month, day, place, &sun);
  if (format == kFormatTsv) {
    std::string date;
    append_format(date, "%04d-%02d-%02d", year, month, day);
    append_tsv(out, place, sun, date.c_str());
    return true;
  }
  append_text(out, year, month, day, place, jan_variant, sun);
  out += "\n";
  return true;
}
