// SPDX-License-Identifier: MIT
// The Moon's distance view: the apsides of astro/apsis.h, the phases of
// the moon report and the precise Moon's distance at them.
#include "nachtblick/views/moondistance.h"

#include <algorithm>
#include <vector>

#include "astro/apsis.h"
#include "astro/lunar.h"
#include "astro/precisemoon.h"
#include "astro/timescales.h"
#include "calendar/calendar.h"
#include "nachtblick/text/textbuf.h"
#include "nachtblick/views/instants.h"
#include "nachtblick/views/moonsearch.h"
#include "nachtblick/views/yearcheck.h"

const char *const kMoonDistanceTsvHeader = "event\tutc\tdistance_km\tcloseness\n";

namespace {

// Apsides are looked for this many days beyond the year, so that every
// phase of it lies between two of them.
const double kApsisMargin = 20.0;
const int kMaxApsides = 64;

enum Kind { kPerigee, kApogee, kNewMoon, kFullMoon };
const char *const kKindWords[] = {"perigee", "apogee", "new", "full"};
const char *const kKindTexts[] = {"Erdnaehe", "Erdferne", "Neumond", "Vollmond"};

struct Row {
  double jd;  // UT
  Kind kind;
  double distance;   // km
  bool rated;        // a phase between a perigee and an apogee
  double closeness;  // of a rated phase
};

// Closeness of the distance at jd against the apsides on either side of
// it; false when they are not one perigee and one apogee.
bool closeness(const std::vector<MoonApsis> &apsides, double jd, double distance, double *c) {
  const auto after = std::upper_bound(apsides.begin(), apsides.end(), jd,
                                      [](double t, const MoonApsis &a) { return t < a.jd; });
  if (after == apsides.begin() || after == apsides.end()) return false;
  const MoonApsis &before = *(after - 1);
  if (before.apogee == after->apogee) return false;
  const double perigee = before.apogee ? after->distance : before.distance;
  const double apogee = before.apogee ? before.distance : after->distance;
  *c = (apogee - distance) / (apogee - perigee);
  return true;
}

std::vector<Row> year_rows(int year) {
  const double begin = datetojd(year, 1, 1), end = datetojd(year + 1, 1, 1);
  MoonApsis found[kMaxApsides];
  const int n = std::min(moonapsides(begin - kApsisMargin, end + kApsisMargin, found, kMaxApsides),
                         kMaxApsides);
  const std::vector<MoonApsis> apsides(found, found + n);
  std::vector<Row> rows;
  for (const MoonApsis &a : apsides)
    if (a.jd >= begin && a.jd < end)
      rows.push_back({a.jd, a.apogee ? kApogee : kPerigee, a.distance, false, 0.0});
  for (const Kind kind : {kNewMoon, kFullMoon}) {
    for (const double jd : year_phases(year, kind == kNewMoon ? 0 : 2)) {
      double lambda = 0.0, beta = 0.0, distance = 0.0;
      moongeocentric(jd + deltatdays(jd), &lambda, &beta, &distance);
      Row row{jd, kind, distance, false, 0.0};
      row.rated = closeness(apsides, jd, distance, &row.closeness);
      rows.push_back(row);
    }
  }
  std::sort(rows.begin(), rows.end(), [](const Row &a, const Row &b) { return a.jd < b.jd; });
  return rows;
}

const char *mark(const Row &r) {
  if (r.kind != kFullMoon || !r.rated) return "";
  if (r.closeness >= kSuperMoon) return "  Supermond";
  if (r.closeness <= kMiniMoon) return "  Minimond";
  return "";
}

}  // namespace

bool moon_distance_view(int year, ViewFormat format, std::string &out, std::string &err) {
  out.clear();
  if (!report_year_ok(year, err)) return false;
  const std::vector<Row> rows = year_rows(year);
  if (format == kFormatTsv) {
    out = kMoonDistanceTsvHeader;
    for (const Row &r : rows) {
      out += std::string(kKindWords[r.kind]) + "\t" + iso_utc(ut_seconds(r.jd)) + "\t";
      append_format(out, "%.0f\t", r.distance);
      if (r.rated) append_format(out, "%.3f", r.closeness);
      out += "\n";
    }
    return true;
  }
  append_format(out, "\n  Abstand des Mondes %d (Erdmitte bis Mondmitte)\n", year);
  append_format(out, "\n  %-30s%11s  %s", "Zeit (UTC)", "Abstand", "Naehe");
  for (const Row &r : rows) {
    int y, m, d, hh, mm, ss;
    mjdtodatetime(r.jd - kMjdOffset, &y, &m, &d, &hh, &mm, &ss);
    append_format(out, "\n  %2d.%2d.%4d um %02d:%02d  %-9s %7.0f km", d, m, y, hh, mm,
                  kKindTexts[r.kind], r.distance);
    if (r.rated) append_format(out, "  %4.2f%s", r.closeness, mark(r));
  }
  out += "\n";
  return true;
}
