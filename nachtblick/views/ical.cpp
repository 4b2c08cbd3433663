// SPDX-License-Identifier: MIT
// Calendar export (RFC 5545): the events of one year from the searches of
// the moon, seasons, calendar and rise and set reports.
#include "nachtblick/views/ical.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <iterator>
#include <optional>
#include <vector>

#include "astro/apsis.h"
#include "astro/constants.h"
#include "astro/lunar.h"
#include "astro/seasons.h"
#include "astro/sunbands.h"
#include "astro/sunmoon.h"
#include "astro/timescales.h"
#include "calendar/calendar.h"
#include "nachtblick/events/feasts.h"
#include "nachtblick/events/moonsearch.h"
#include "nachtblick/events/placeeclipses.h"
#include "nachtblick/events/sunday.h"
#include "nachtblick/place/placeclock.h"
#include "nachtblick/text/textbuf.h"
#include "nachtblick/text/utf8.h"
#include "nachtblick/views/eclipses.h"
#include "nachtblick/views/eventnames.h"
#include "nachtblick/views/instanttext.h"
#include "nachtblick/views/yearcheck.h"

namespace {

const size_t kLineOctets = 75;  // longest line without CRLF (RFC 5545 3.1)
const char kProdId[] = "PRODID:-//nachtblick//nachtblick-report " NB_VERSION "//DE";
const char kUidDomain[] = "@nachtblick";

// One event. start: UT seconds from 0h of MJD 0; for an all-day event the
// 0h of its day.
struct Event {
  long long start;
  bool all_day;
  bool at_place;                 // with LOCATION and GEO
  std::string summary;           // SUMMARY (UTF-8)
  const char *id;                // the UID's word
  unsigned kind;                 // an IcalEvents bit, for CATEGORIES
  std::string description;       // plain text; empty for none
  std::optional<long long> end;  // DTEND, as start; none for an event at an instant
};

// An event at an instant, of a kind, with a name of eventnames.h.
Event instant(long long start, unsigned kind, const EventName &what, std::string description = "",
              bool at_place = false) {
  return Event{start, false, at_place, what.name, what.id, kind, description, std::nullopt};
}

// The kinds: their names in --events and their CATEGORIES.
struct Kind {
  unsigned bit;
  const char *name, *category;
};
const Kind kKinds[] = {{kIcalPhases, "phases", "Mondphase"},
                       {kIcalEclipses, "eclipses", "Finsternis"},
                       {kIcalSeasons, "seasons", "Jahreszeit"},
                       {kIcalFeasts, "feasts", "Feiertag"},
                       {kIcalSun, "sun", "Sonnenaufgang und -untergang"},
                       {kIcalGolden, "golden", "Goldene Stunde"},
                       {kIcalApsides, "apsides", "Erdnähe und Erdferne"},
                       {kIcalLocalEclipses, "local-eclipses", "Finsternis am Ort"}};

// The year being exported, as UT seconds from 0h of MJD 0: [begin, end).
struct Export {
  int year;
  long long begin, end;
  std::vector<Event> events;
};

// Takes the event when it lies in the year; false once it lies past the
// year's end, where a search in time order stops.
bool add(Export &x, const Event &e) {
  if (e.start >= x.end) return false;
  if (e.start >= x.begin) x.events.push_back(e);
  return true;
}

// Every phase of each code in the year, searched as the moon report
// searches from 1 January.
void add_phases(Export &x) {
  for (int phase = 0; phase < 4; ++phase)
    for (const Instant &h : year_phases(x.year, phase))
      add(x, instant(h.ut_seconds(), kIcalPhases, kPhaseNames[phase]));
}

// Every eclipse of each of the five kinds, searched as the moon report
// searches from 1 January.
void add_eclipses(Export &x) {
  const int N = report_lunation(x.year, 1);
  const double jd0 = datetojd(x.year, 1, 1);
  for (int i = 0; i < kEclipseKinds; ++i) {
    int n, saros;
    double h = 0.0, gamma = 0.0;
    // find_eclipse tries the lunations from its second argument - 1 on.
    for (int from = N; find_eclipse(from, i, jd0, &n, &h, &gamma, &saros); from = n + 2) {
      std::string text;
      append_format(text, "Saros %d, Gamma %.4f", saros, gamma);
      if (!add(x, instant(Instant::ut(h).ut_seconds(), kIcalEclipses, kEclipseNames[i], text)))
        break;
    }
  }
}

// Equinoxes and solstices. All four of a year fall between 10 March and
// 23 December of it in either calendar over 1000..3000, so the year's own
// four are all there is.
void add_seasons(Export &x) {
  for (size_t i = 0; i < std::size(kSeasonStartNames); ++i)
    add(x, instant(
               Instant::ut(seasonstart(x.year, static_cast<int>(i) + 1, kToUniversal)).ut_seconds(),
               kIcalSeasons, kSeasonStartNames[i]));
}

void add_feasts(Export &x) {
  int month[kFeastSlots] = {}, day[kFeastSlots] = {};
  feast_dates(x.year, month, day);
  for (int i = 1; i < kFeastSlots; ++i)
    add(x, Event{datetomjd(x.year, month[i], day[i]) * kSecondsPerDay, true, false,
                 kFeastNames[i].name, kFeastNames[i].id, kIcalFeasts, "", std::nullopt});
}

// Sunrise and sunset of every local day around the year at the place, at
// the minute the rise and set report shows, taken back to UT by the offset
// in force then.
void add_sun(Export &x, const Place &place) {
  const int first = static_cast<int>(x.begin / kSecondsPerDay) - 2;
  const int n = static_cast<int>(x.end / kSecondsPerDay) + 2 - first;
  std::vector<ZoneDay> days(static_cast<size_t>(n));
  place_days(place, first, n, days.data());
  long long previous[] = {LLONG_MIN, LLONG_MIN};
  for (int k = 0; k < n; ++k) {
    ClockEvent events[2];
    const int flags = day_riseset(days[k], first + k, place.longitude, place.latitude, kEventSun,
                                  &events[0], &events[1]);
    for (int e : {0, 1}) {  // rise (flag kRiseFound), set (kSetFound)
      if (!(flags & (e ? kSetFound : kRiseFound))) continue;
      const long long start = event_minute(first + k, events[e]).ut_seconds();
      if (start == previous[e]) continue;  // found at 24:00 and again at 0:00 of the next day
      previous[e] = start;
      add(x, instant(start, kIcalSun, kRiseSetNames[0][e], "", true));
    }
  }
}

// The golden hours that the Sun enters or leaves going down (the evening's,
// and in winter at high latitudes the one from its rise through the low
// edge to its fall through it; not the morning's, entered and left rising),
// each once, from its begin to its end: the intervals of the year at the
// place (astro/sunbands.h), searched once for the whole year.
void add_golden(Export &x, const Place &place) {
  const double jd1 = x.begin / static_cast<double>(kSecondsPerDay) + kMjdOffset;
  const double jd2 = x.end / static_cast<double>(kSecondsPerDay) + kMjdOffset;
  std::vector<SunBand> bands(800);  // two a day, a few more where nights cross midnight
  int n = sunbands(place.longitude, place.latitude, kGoldenHourLow, kGoldenHourHigh, jd1, jd2,
                   bands.data(), static_cast<int>(bands.size()));
  if (n > static_cast<int>(bands.size())) {
    bands.resize(static_cast<size_t>(n));
    sunbands(place.longitude, place.latitude, kGoldenHourLow, kGoldenHourHigh, jd1, jd2,
             bands.data(), n);
  }
  for (int k = 0; k < n; ++k) {
    const SunBand &b = bands[k];
    // Not the morning's; nor one with an edge not found (not seen), which
    // has no instant to write.
    if ((b.beginrising && b.endrising) || b.flags) continue;
    Event e = instant(Instant::ut(b.begin).ut_seconds(), kIcalGolden, kSunHourNames[kGoldenHour],
                      "", true);
    e.end = Instant::ut(b.end).ut_seconds();
    if (!add(x, e)) break;
  }
}

// Perigees and apogees, with the distance.
void add_apsides(Export &x) {
  const int kMax = 40;  // a year has 27 or 28
  MoonApsis apsides[kMax];
  const int n =
      std::min(moonapsides(x.begin / static_cast<double>(kSecondsPerDay) + kMjdOffset,
                           x.end / static_cast<double>(kSecondsPerDay) + kMjdOffset, apsides, kMax),
               kMax);
  for (int i = 0; i < n; ++i) {
    std::string text;
    append_format(text, "Abstand %.0f km", apsides[i].distance);
    add(x, instant(Instant::ut(apsides[i].jd).ut_seconds(), kIcalApsides,
                   kApsisNames[apsides[i].apogee], text));
  }
}

// The eclipses seen at the place (eclipse_seen), from their first to their
// last contact, with the instants and whether the body rises or sets
// within them.
void add_local_eclipses(Export &x, const Place &place) {
  for (const PlaceEclipse &e : place_eclipses(x.year, place)) {
    if (!eclipse_seen(e)) continue;
    const EventName &what = kLocalEclipseNames[e.lunar];
    Event event = instant(e.moments.front().at.ut_seconds(), kIcalLocalEclipses, what, "", true);
    event.end = e.moments.back().at.ut_seconds();
    event.summary += std::string(" (") + kEclipseKindNames[e.kind_local].name;
    if (!e.lunar && e.obscuration < 0.005) event.summary += ", unter 1 %";
    if (!e.lunar && e.obscuration >= 0.005)
      append_format(event.summary, ", %.0f %%", 100.0 * e.obscuration);
    event.summary += ")";
    const char *body = e.lunar ? "Mond" : "Sonne";
    for (const EclipseMoment &m : e.moments) {
      if (!event.description.empty()) event.description += "\n";
      append_format(event.description, "%s %s, %s %.1f° hoch", kContactNames[m.contact].name,
                    clock_text(place, m.at).c_str(), body, m.altitude);
    }
    for (const std::string &note : eclipse_horizon_notes(place, e, true))
      event.description += "\n" + note;
    add(x, event);
  }
}

// Appends value (0 or more) as exactly `width` decimal digits, with leading
// zeros; the export's dates and times need no more than 4.
void append_digits(std::string &text, long long value, int width) {
  char digits[4];
  for (int i = width - 1; i >= 0; --i, value /= 10) digits[i] = static_cast<char>('0' + value % 10);
  text.append(digits, static_cast<size_t>(width));
}

// "YYYYMMDD" (all-day) or "YYYYMMDDTHHMMSSZ" of UT seconds from MJD 0.
std::string date_time(long long seconds, bool all_day) {
  long long day = seconds / kSecondsPerDay;
  long long rest = seconds % kSecondsPerDay;
  if (rest < 0) {
    rest += kSecondsPerDay;
    --day;
  }
  int y, m, d;
  jdtogregorian(static_cast<int>(day + kMjdToJdn), &y, &m, &d);
  std::string text;
  append_digits(text, y, 4);
  append_digits(text, m, 2);
  append_digits(text, d, 2);
  if (all_day) return text;
  text += 'T';
  append_digits(text, rest / kSecondsPerHour, 2);
  append_digits(text, rest / 60 % 60, 2);
  append_digits(text, rest % 60, 2);
  text += 'Z';
  return text;
}

// A TEXT value (RFC 5545 3.3.11): backslash, semicolon, comma and newline
// escaped; other control characters, which TEXT cannot hold, as blanks.
std::string escaped(const std::string &text) {
  std::string out;
  for (const char c : text) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (c == '\\' || c == ';' || c == ',') {
      out += '\\';
      out += c;
    } else if (c == '\n') {
      out += "\\n";
    } else if ((u < 0x20 && c != '\t') || u == 0x7F) {
      out += ' ';
    } else {
      out += c;
    }
  }
  return out;
}

// What the sunrise and sunset events add: a UID part, LOCATION and GEO.
struct PlaceLines {
  std::string id, location, geo;
};

PlaceLines place_lines(const Place &place) {
  PlaceLines p;
  const bool south = place_south(place), west = place_west(place);
  append_format(p.id, "-%.4f%c-%.4f%c", south ? -place.latitude : place.latitude, south ? 'S' : 'N',
                west ? -place.longitude : place.longitude, west ? 'W' : 'E');
  p.location = "LOCATION:" + escaped(utf8_text(place.name));
  append_format(p.geo, "GEO:%.6f;%.6f", place.latitude, place.longitude);
  return p;
}

void put_event(std::string &out, const Event &e, const std::string &stamp, const PlaceLines &at) {
  const std::string start = date_time(e.start, e.all_day);
  ical_fold(out, "BEGIN:VEVENT");
  ical_fold(out, "UID:" + start + "-" + e.id + (e.at_place ? at.id : "") + kUidDomain);
  ical_fold(out, "DTSTAMP:" + stamp);
  ical_fold(out, (e.all_day ? "DTSTART;VALUE=DATE:" : "DTSTART:") + start);
  // An event shorter than a second (a golden hour that only grazes its
  // band) has no DTEND: it ends where it starts (RFC 5545 3.6.1).
  if (e.end && *e.end > e.start) ical_fold(out, "DTEND:" + date_time(*e.end, false));
  ical_fold(out, "SUMMARY:" + escaped(e.summary));
  for (const Kind &k : kKinds)
    if (k.bit == e.kind) ical_fold(out, std::string("CATEGORIES:") + k.category);
  if (!e.description.empty()) ical_fold(out, "DESCRIPTION:" + escaped(e.description));
  if (e.at_place) {
    ical_fold(out, at.location);
    ical_fold(out, at.geo);
  }
  ical_fold(out, "TRANSP:TRANSPARENT");
  ical_fold(out, "END:VEVENT");
}

}  // namespace

// Appends a content line, folded at 75 octets (a CRLF and a blank before
// each continuation), never inside a UTF-8 sequence.
void ical_fold(std::string &out, const std::string &line) {
  size_t pos = 0, room = kLineOctets;
  while (line.size() - pos > room) {
    size_t cut = pos + room;
    while ((static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;
    out.append(line, pos, cut - pos);
    out += "\r\n ";
    pos = cut;
    room = kLineOctets - 1;
  }
  out.append(line, pos, std::string::npos);
  out += "\r\n";
}

std::string ical_event_names(void) {
  std::string names;
  for (const Kind &k : kKinds) names += std::string(names.empty() ? "" : ", ") + k.name;
  return names;
}

bool ical_events(const char *list, unsigned *events, std::string &err) {
  unsigned chosen = 0;
  for (const char *p = list;; ++p) {
    const char *comma = std::strchr(p, ',');
    const std::string name(p, comma ? static_cast<size_t>(comma - p) : std::strlen(p));
    const Kind *kind = nullptr;
    for (const Kind &k : kKinds)
      if (name == k.name) kind = &k;
    if (!kind) {
      err = "'" + name + "' is not one of " + ical_event_names();
      return false;
    }
    chosen |= kind->bit;
    if (!comma) break;
    p = comma;
  }
  *events = chosen;
  return true;
}

ViewResult ical_report(int year, const Place *place, CivilDate stamp, unsigned events) {
  std::string out;
  if (!report_year_ok(year, out) || !stamp_date_ok(stamp, out))
    return view_error(kViewBadInput, out);
  if (!place && (events & kIcalAtPlace) && events != kIcalDefault)
    return view_error(kViewBadInput,
                      "the events sun, golden and local-eclipses need a place (--place N)");
  Export x{
      year, datetomjd(year, 1, 1) * kSecondsPerDay, datetomjd(year + 1, 1, 1) * kSecondsPerDay, {}};
  if (events & kIcalPhases) add_phases(x);
  if (events & kIcalEclipses) add_eclipses(x);
  if (events & kIcalSeasons) add_seasons(x);
  if (events & kIcalFeasts) add_feasts(x);
  if (events & kIcalApsides) add_apsides(x);
  if (place && (events & kIcalSun)) add_sun(x, *place);
  if (place && (events & kIcalGolden)) add_golden(x, *place);
  if (place && (events & kIcalLocalEclipses)) add_local_eclipses(x, *place);
  std::stable_sort(x.events.begin(), x.events.end(),
                   [](const Event &a, const Event &b) { return a.start < b.start; });
  // A calendar program rejects an event that ends before it starts; such an
  // event would be a fault of a search here, and the file is not written.
  for (const Event &e : x.events)
    if (e.end && *e.end < e.start)
      return view_error(kViewFailed, "the event " + date_time(e.start, e.all_day) + "-" + e.id +
                                         " would end before it starts (" +
                                         date_time(*e.end, false) + ")");

  const std::string dtstamp =
      date_time(datetomjd(stamp.year, stamp.month, stamp.day) * kSecondsPerDay, false);
  const PlaceLines at = place ? place_lines(*place) : PlaceLines{};
  ical_fold(out, "BEGIN:VCALENDAR");
  ical_fold(out, "VERSION:2.0");
  ical_fold(out, kProdId);
  ical_fold(out, "CALSCALE:GREGORIAN");
  std::string name = "X-WR-CALNAME:" + escaped("nachtblick " + std::to_string(year));
  if (place) name += " " + escaped(utf8_text(place->name));
  ical_fold(out, name);
  for (const Event &e : x.events) put_event(out, e, dtstamp, at);
  ical_fold(out, "END:VCALENDAR");
  return view_output(out);
}
