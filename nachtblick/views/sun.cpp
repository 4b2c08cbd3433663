// SPDX-License-Identifier: MIT
// The Sun's view of a day (events/sunday.h): the rise and set report's
// sunrise and sunset, the transit, the Sun's directions there, and the
// golden and blue hours as whole intervals.
#include "nachtblick/views/sun.h"

#include <algorithm>
#include <numeric>

#include "astro/localposition.h"
#include "astro/sunbands.h"
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

// "hh:mm" of an instant at the place, rounded to the minute, and
// " (d.m.)" after it when that minute falls on another local date than
// the day's.
std::string clock_minute(const Place &place, const Instant &at, const CivilDate &date) {
  const LocalTime l = Instant::seconds(at.ut_seconds() + 30).local(place);
  std::string text;
  append_minute(text, l.seconds / 60);
  if (l.year != date.year || l.month != date.month || l.day != date.day)
    append_format(text, " (%d.%d.)", l.day, l.month);
  return text;
}

// "begin - end" of an interval; "-----" for an edge not found.
std::string interval_text(const Place &place, const SunInterval &i, const CivilDate &date) {
  return ((i.flags & kSunBandBeginUnknown) ? "-----" : clock_minute(place, i.begin, date)) + " - " +
         ((i.flags & kSunBandEndUnknown) ? "-----" : clock_minute(place, i.end, date));
}

void append_tsv(std::string &out, const Place &place, const SunDay &sun, const char *date) {
  out = kSunTsvHeader;
  int order[kSunEvents];
  std::iota(order, order + kSunEvents, 0);
  std::optional<Instant> at[kSunEvents];
  for (int e = 0; e < kSunEvents; ++e) at[e] = sun_event(sun, SunEvent(e));
  const auto jd = [&](int e) { return at[e] ? at[e]->ut_jd() : 0.0; };
  std::stable_sort(order, order + kSunEvents, [&](int a, int b) { return jd(a) < jd(b); });
  for (const int e : order) {
    if (!at[e]) continue;
    TopocentricPosition p{};
    suntopocentric(jd(e), place.longitude, place.latitude, &p);
    out += std::string(date) + "\t" + kSunEventNames[e].word + "\t" + iso_local(place, *at[e]) +
           "\t" + iso_utc(*at[e]) + "\t";
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
    append_horizon(out, kSunEventNames[kSunRise].text, rose, sun.rise, sun.sunrise, place);
  }
  const CivilDate date{year, month, day};
  if (sun.transit) {
    TopocentricPosition p{};
    suntopocentric(sun.transit->ut_jd(), place.longitude, place.latitude, &p);
    append_format(out, "\n  %-16s%s   Hoehe  %5.1f Grad", kSunEventNames[kSunTransit].text,
                  clock_minute(place, *sun.transit, date).c_str(), p.altitude);
  }
  if (rose || set)
    append_horizon(out, kSunEventNames[kSunSet].text, set, sun.set, sun.sunset, place);
  const int mjd = datetomjd(year, month, day);
  const long long length =
      event_minute(mjd, sun.set).ut_seconds() - event_minute(mjd, sun.rise).ut_seconds();
  if (rose && set && length > 0) {
    out += "\n  Tageslaenge     ";
    append_minute(out, static_cast<int>(length / 60));
  }
  // The hours, blue then golden: the morning's
  // interval and the evening's ("dieselbe" when one holds the transit),
  // the evening's column after the widest morning's.
  std::string morning[kSunHours], evening[kSunHours];
  size_t width = 16;
  for (int k = 0; k < kSunHours; ++k) {
    const SunHour &h = sun.hours[k];
    morning[k] = h.morning ? interval_text(place, *h.morning, date) : "keine";
    evening[k] = !h.evening ? "keine"
                 : h.morning && h.morning->begin.ut_jd() == h.evening->begin.ut_jd()
                     ? "dieselbe"
                     : interval_text(place, *h.evening, date);
    if (h.morning || h.evening) width = std::max(width, morning[k].size() + 3);
  }
  append_format(out, "\n\n  %-16s%-*s%s", "", static_cast<int>(width), "morgens", "abends");
  for (int k = 0; k < kSunHours; ++k) {
    const SunHour &h = sun.hours[k];
    append_format(out, "\n  %-16s", kSunHourNames[k].text);
    if (h.morning || h.evening)
      append_format(out, "%-*s%s", static_cast<int>(width), morning[k].c_str(), evening[k].c_str());
    else
      append_format(out, "die Sonne bleibt %s %.0f Grad", h.above ? "ueber" : "unter",
                    h.above ? h.high : h.low);
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
