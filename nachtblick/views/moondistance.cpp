// SPDX-License-Identifier: MIT
// The Moon's distance view: the rows of the year as German text and tsv.
#include "nachtblick/views/moondistance.h"

#include <vector>

#include "nachtblick/events/moondistances.h"
#include "nachtblick/text/textbuf.h"
#include "nachtblick/views/eventnames.h"
#include "nachtblick/views/instanttext.h"
#include "nachtblick/views/yearcheck.h"

const char *const kMoonDistanceTsvHeader = "event\tutc\tdistance_km\tcloseness\n";

namespace {

// By MoonDistanceKind.
const EventName *const kKindNames[] = {&kApsisNames[0], &kApsisNames[1], &kPhaseNames[0],
                                       &kPhaseNames[2]};

const char *mark(const MoonDistanceRow &r) {
  if (r.kind != kFullMoon || !r.rated) return "";
  if (r.closeness >= kSuperMoon) return "  Supermond";
  if (r.closeness <= kMiniMoon) return "  Minimond";
  return "";
}

}  // namespace

ViewResult moon_distance_view(int year, ViewFormat format) {
  std::string out;
  if (!report_year_ok(year, out)) return view_error(kViewBadInput, out);
  const std::vector<MoonDistanceRow> rows = moon_distance_rows(year);
  if (format == kFormatTsv) {
    out = kMoonDistanceTsvHeader;
    for (const MoonDistanceRow &r : rows) {
      out += std::string(kKindNames[r.kind]->word) + "\t" + iso_utc(r.at) + "\t";
      append_format(out, "%.0f\t", r.distance);
      if (r.rated) append_format(out, "%.3f", r.closeness);
      out += "\n";
    }
    return view_output(out);
  }
  append_format(out, "\n  Abstand des Mondes %d (Erdmitte bis Mondmitte)\n", year);
  append_format(out, "\n  %-30s%11s  %s", "Zeit (UTC)", "Abstand", "Naehe");
  for (const MoonDistanceRow &r : rows) {
    const CivilTime c = r.at.utc();
    append_format(out, "\n  %2d.%2d.%4d um %02d:%02d  %-9s %7.0f km", c.day, c.month, c.year,
                  c.hour, c.minute, kKindNames[r.kind]->text, r.distance);
    if (r.rated) append_format(out, "  %4.2f%s", r.closeness, mark(r));
  }
  return view_output(out + "\n");
}
