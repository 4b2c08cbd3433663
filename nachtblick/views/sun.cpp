// SPDX-License-Identifier: MIT
// The Sun's view of a day: the rise and set report's sunrise and sunset,
// the precise Sun (astro/sunevents.h) for its transit, directions and the
// edges of the golden and blue hours.
#include "nachtblick/views/sun.h"

#include <algorithm>
#include <numeric>

#include "astro/localposition.h"
#include "astro/sunmoon.h"
#include "calendar/calendar.h"
#include "nachtblick/events/sunday.h"
#include "nachtblick/text/textbuf.h"
#include "nachtblick/views/eventnames.h"
#include "nachtblick/views/instanttext.h"
#include "nachtblick/views/reports.h"
#include "nachtblick/views/zoneline.h"

const char *const kSunTsvHeader = "date\tevent\tlocal\tutc\talt\taz\n";

namespace {

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
void append_clock(std::string &text, const Place &place, const std::optional<Instant> &at) {
  if (!at) {
    text += "-----";
    return;
  }
  append_minute(text, (at->local(place).seconds + 30) / 60);
}

void append_tsv(std::string &out, const Place &place, const SunDay &sun, const char *date) {
  out = kSunTsvHeader;
  int order[kSunEvents];
  std::iota(order, order + kSunEvents, 0);
  const auto jd = [&](int e) { return sun.at[e] ? sun.at[e]->ut_jd() : 0.0; };
  std::stable_sort(order, order + kSunEvents, [&](int a, int b) { return jd(a) < jd(b); });
  for (const int e : order) {
    if (!sun.at[e]) continue;
    TopocentricPosition p{};
    suntopocentric(jd(e), place.longitude, place.latitude, &p);
    out += std::string(date) + "\t" + kSunEventNames[e].word + "\t" + iso_local(place, *sun.at[e]) +
           "\t" + iso_utc(*sun.at[e]) + "\t";
    append_format(out, "%.3f\t%.3f\n", p.altitude, p.azimuth);
  }
}

// A row of sunrise or sunset: the report's minute and the Sun's azimuth.
void append_horizon(std::string &text, const char *name, bool found, const ClockEvent &e,
                    const std::optional<Instant> &at, const Place &place) {
  append_format(text, "\n  %-16s", name);
  if (!found) {
    text += "-----";
    return;
  }
  append_minute(text, clock_minutes(e.hour));
  TopocentricPosition p{};
  suntopocentric(at->ut_jd(), place.longitude, place.latitude, &p);
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
    append_horizon(out, kSunEventNames[kSunRise].text, rose, sun.rise, sun.at[kSunRise], place);
  }
  if (sun.at[kSunTransit]) {
    TopocentricPosition p{};
    suntopocentric(sun.at[kSunTransit]->ut_jd(), place.longitude, place.latitude, &p);
    append_format(out, "\n  %-16s", kSunEventNames[kSunTransit].text);
    append_clock(out, place, sun.at[kSunTransit]);
    append_format(out, "   Hoehe  %5.1f Grad", p.altitude);
  }
  if (rose || set)
    append_horizon(out, kSunEventNames[kSunSet].text, set, sun.set, sun.at[kSunSet], place);
  const int mjd = datetomjd(year, month, day);
  const long long length =
      event_minute(mjd, sun.set).ut_seconds() - event_minute(mjd, sun.rise).ut_seconds();
  if (rose && set && length > 0) {
    out += "\n  Tageslaenge     ";
    append_minute(out, static_cast<int>(length / 60));
  }
  append_format(out, "\n\n  %-16s%-16s%s", "", "morgens", "abends");
  for (const Hour &h : kHours) {
    append_format(out, "\n  %-16s", h.name);
    const bool none = std::all_of(h.edges, h.edges + 4, [&](SunEvent e) { return !sun.at[e]; });
    if (none && sun.highest < h.low) {
      append_format(out, "die Sonne bleibt unter %.0f Grad", h.low);
    } else if (none && sun.lowest > h.high) {
      append_format(out, "die Sonne bleibt ueber %.0f Grad", h.high);
    } else if (none) {
      out += "den ganzen Tag";
    } else {
      for (int k = 0; k < 4; ++k) {
        append_clock(out, place, sun.at[h.edges[k]]);
        out += k % 2 ? "   " : " - ";
      }
      out.erase(out.find_last_not_of(' ') + 1);
    }
  }
}

}  // namespace

ViewResult sun_view(int year, int month, int day, const Place &place, int jan_variant,
                    ViewFormat format) {
  std::string out;
  if (year < kFirstReportYear || year > kLastReportYear || weekday(day, month, year) == 0) {
    append_format(out, "%d-%02d-%02d is no date of the years %d..%d", year, month, day,
                  kFirstReportYear, kLastReportYear);
    return view_error(kViewBadInput, out);
  }
  const SunDay sun = sun_day(year, month, day, place);
  if (format == kFormatTsv) {
    std::string date;
    append_format(date, "%04d-%02d-%02d", year, month, day);
    append_tsv(out, place, sun, date.c_str());
    return view_output(out);
  }
  append_text(out, year, month, day, place, jan_variant, sun);
  return view_output(out + "\n");
}
