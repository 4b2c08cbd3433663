// SPDX-License-Identifier: MIT
// The eclipses view as German text and as tsv.
#include "nachtblick/views/eclipses.h"

#include <cstring>
#include <vector>

#include "astro/eclipse.h"
#include "astro/localeclipse.h"
#include "calendar/calendar.h"
#include "nachtblick/events/placeeclipses.h"
#include "nachtblick/text/textbuf.h"
#include "nachtblick/views/eventnames.h"
#include "nachtblick/views/instanttext.h"
#include "nachtblick/views/yearcheck.h"

const char *const kEclipsesTsvHeader =
    "date\tbody\tkind_global\tkind_local\tsaros\tgamma\tevent\tutc\tlocal\talt\taz\tmagnitude"
    "\tobscuration\n";

namespace {

void append_tsv(std::string &out, const Place &place, const PlaceEclipse &e) {
  std::string head;
  const CivilTime g = e.greatest.utc();
  append_format(head, "%04d-%02d-%02d\t%s\t%s\t%s\t%d\t%.4f\t", g.year, g.month, g.day,
                kLocalEclipseNames[e.lunar].word, kEclipseKindNames[e.kind_global].word,
                e.kind_local == kLocalNone ? "none" : kEclipseKindNames[e.kind_local].word, e.saros,
                e.gamma);
  if (e.moments.empty()) {
    out += head + "MAX\t\t\t\t\t\t\n";
    return;
  }
  for (const EclipseMoment &moment : e.moments) {
    out += head + kContactNames[moment.contact].word + "\t" + iso_utc(moment.at) + "\t" +
           iso_local(place, moment.at) + "\t";
    append_format(out, "%.2f\t%.2f\t", moment.altitude, moment.azimuth);
    if (moment.contact == kContactSolarMax)
      append_format(out, "%.4f\t%.4f", e.magnitude, e.obscuration);
    else
      out += "\t";
    out += "\n";
  }
}

// The kind of a lunar eclipse is the moon report's (Meeus ch. 54); its
// contacts come from the shadow itself and may, near a limit, say
// otherwise.
void append_text(std::string &out, const Place &place, const PlaceEclipse &e, int jan_variant) {
  const CivilTime g = e.greatest.utc();
  append_format(out, "\n\n  %s am %d. %s %d, %s\n  (Saros %d, Gamma %.4f)",
                kLocalEclipseNames[e.lunar].text, g.day, month_name(g.month, jan_variant), g.year,
                kEclipseKindNames[e.kind_global].text, e.saros, e.gamma);
  const char *body = e.lunar ? "Mond:" : "Sonne:";
  if (e.moments.empty()) {
    out += e.lunar ? ": ohne Kontaktzeiten" : ": hier nicht zu sehen";
    return;
  }
  if (!e.lunar)
    append_format(out, ", hier %s,\n  Groesse %.3f, Bedeckung %.1f %%",
                  kEclipseKindNames[e.kind_at_place].text, e.magnitude, 100.0 * e.obscuration);
  if (e.lunar && has_contact(e, kContactU2) != (e.kind_global == kTypeTotal))
    out += has_contact(e, kContactU2) ? ",\n  nach den Kontaktzeiten kurz total"
                                      : ",\n  nach den Kontaktzeiten nicht total";
  if (e.lunar && !has_contact(e, kContactU1))
    out += ",\n  nach den Kontaktzeiten nur im Halbschatten";
  // Not seen: the body below the horizon all the time, or (a lunar
  // eclipse) up only while the Moon is in the penumbra alone.
  if (!eclipse_seen(e))
    append_format(
        out, "\n  Nicht zu sehen: %s steht %s unter dem Horizont",
        e.lunar ? "der Mond" : "die Sonne",
        e.moments.front().up || e.rise ? "waehrend der Kernschattenphase" : "die ganze Zeit");
  append_format(out, "\n  %-19s  %-21s%7s%7s", body, "Ortszeit", "Hoehe", "Azimut");
  bool below = false;
  for (const EclipseMoment &moment : e.moments) {
    append_format(out, "\n  %-19s  %-21s%7.1f%7.1f%s", kContactNames[moment.contact].text,
                  clock_text(place, moment.at).c_str(), moment.altitude, moment.azimuth,
                  moment.up ? "" : " *");
    below = below || !moment.up;
  }
  if (below) append_format(out, "\n  * %s unter dem Horizont", e.lunar ? "der Mond" : "die Sonne");
  for (const std::string &note : eclipse_horizon_notes(place, e, false)) out += "\n  " + note;
}

}  // namespace

std::vector<std::string> eclipse_horizon_notes(const Place &place, const PlaceEclipse &e,
                                               bool utf8) {
  // The eclipse in progress at the body's rising, by body: solar, lunar.
  const char *const kAlready[2] = {") schon im Gange", ") bereits im Gange"};
  std::vector<std::string> notes;
  const std::optional<Instant> *at[2] = {&e.rise, &e.set};
  for (int k = 0; k < 2; ++k) {
    if (!*at[k]) continue;
    const EventName &name = kRiseSetNames[e.lunar][k];
    notes.push_back(std::string("Bei ") + (utf8 ? name.name : name.text) + " (" +
                    time_text(place, **at[k]) + (k ? ") noch im Gange" : kAlready[e.lunar]));
  }
  return notes;
}

ViewResult eclipses_view(int year, const Place &place, int jan_variant, ViewFormat format) {
  std::string out;
  if (!report_year_ok(year, out)) return view_error(kViewBadInput, out);
  const std::vector<PlaceEclipse> list = place_eclipses(year, place);
  if (format == kFormatTsv) {
    out = kEclipsesTsvHeader;
    for (const PlaceEclipse &e : list) append_tsv(out, place, e);
    return view_output(out);
  }
  append_format(out, "\n  Finsternisse %d in %.*s\n  ", year, kPlaceNameMax, place.name);
  append_format(out, "%d Grad %d Min. %s, %d Grad %d Min. %s", place.lat_deg, place.lat_min,
                place_south(place) ? "Sued" : "Nord", place.lon_deg, place.lon_min,
                place_west(place) ? "West" : "Ost");
  append_format(out, "\n  Uhrzeit in %s", place.zone[0] ? place.zone : "MEZ/MESZ");
  for (const PlaceEclipse &e : list) append_text(out, place, e, jan_variant);
  return view_output(out + "\n");
}

ReportText eclipses_report(const ReportInput &in) {
  Place fallback[kPlaceSlots];
  const Place &place = report_place(in, fallback);
  int day, month, year, wday;
  report_date(in, &day, &month, &year, &wday);
  std::string text = eclipses_view(year, place, in.january_variant, kFormatText).text;
  if (!text.empty() && text.back() == '\n') text.pop_back();
  return ReportText{text, kFontReport};
}
