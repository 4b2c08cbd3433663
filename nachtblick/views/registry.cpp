// SPDX-License-Identifier: MIT
// The table of views, and the writers that take a view's arguments from
// the command line: a YEAR (and MONTH and DAY) as plain decimal numbers,
// the --format of the view, for the export --events, and for the place
// table --search.
#include "nachtblick/views/registry.h"

#include <cstring>
#include <iterator>

#include "calendar/calendar.h"
#include "nachtblick/text/decimal.h"
#include "nachtblick/text/textbuf.h"
#include "nachtblick/views/citytable.h"
#include "nachtblick/views/eclipses.h"
#include "nachtblick/views/ical.h"
#include "nachtblick/views/moondistance.h"
#include "nachtblick/views/placetable.h"
#include "nachtblick/views/sun.h"
#include "nachtblick/views/viewformat.h"
#include "nachtblick/views/yearcheck.h"

namespace {

const char kDateTexts[] = "[YEAR [MONTH [DAY]]]";

ViewResult bad(const std::string &message) { return view_error(kViewBadInput, message); }

// The date texts of the arguments, in the order of the entries.
const char *date_text(const ViewArgs &a, int k) {
  const char *const texts[kDateEntries] = {a.in.year_text, a.in.month_text, a.in.day_text};
  return texts[k];
}

// The first `count` date texts as plain decimal numbers, all of them
// given; else the message.
bool view_dates(const ViewArgs &a, int count, int date[], std::string &message) {
  if (a.ndates != count) {
    message = std::string("the view '") + a.view->name +
              (count == 1 ? "' needs a YEAR" : "' needs a YEAR, MONTH and DAY");
    return false;
  }
  for (int k = 0; k < count; ++k)
    if (!parse_decimal(date_text(a, k), &date[k])) {
      message = std::string(kEntryNames[k]) + " '" + date_text(a, k) + "' is not a decimal number";
      return false;
    }
  return true;
}

// The format of the name given among the names, the first when none is
// given; else the message.
bool format_of(const char *given, const char *const *names, int count, int *format,
               std::string &message) {
  *format = given ? name_index(names, count, given) : 0;
  if (*format >= 0) return true;
  message = std::string("--format '") + given + "' is not " + joined_names(names, count);
  return false;
}

// The --format of the view; else the message.
bool view_format(const ViewArgs &a, int *format, std::string &message) {
  return format_of(a.format, a.view->formats, a.view->nformats, format, message);
}

const Place &args_place(const ViewArgs &a) { return a.in.places[a.in.current_place]; }

ReportText pi_view(const ReportInput &) { return pi_report(); }

// The cities of a search, as text or tsv.
ViewResult search_write(const ViewArgs &a) {
  int format = 0;
  std::string message;
  if (!format_of(a.format, kViewFormatNames, kViewFormats, &format, message)) return bad(message);
  ViewResult result = city_search_view(a.search, a.query_bytes, ViewFormat(format));
  if (result.error == kViewBadInput) result.message = "--search: " + result.message;
  return result;
}

// The place table; on stderr the place file in use and its notes. With
// --search the cities found instead.
ViewResult places_write(const ViewArgs &a) {
  if (a.search) return search_write(a);
  return view_output(place_table_text(a.places->table),
                     place_source_notes(*a.places, "nachtblick-report"));
}

// The iCalendar object of the year; the place only with --place.
ViewResult ical_write(const ViewArgs &a) {
  int year = 0;
  std::string message;
  if (!view_dates(a, 1, &year, message)) return bad(message);
  unsigned events = kIcalDefault;
  if (a.events && !ical_events(a.events, &events, message)) return bad("--events: " + message);
  return ical_report(year, a.place_given ? &args_place(a) : nullptr, a.in.today, events);
}

// The chart of the year at the place. The arguments are checked before the
// chart's drawing function is asked for; a chart that cannot be drawn is a
// failure, not bad input.
ViewResult chart_write(const ViewArgs &a) {
  int year = 0, format = 0;
  std::string message;
  if (!view_dates(a, 1, &year, message) || !view_format(a, &format, message) ||
      !report_year_ok(year, message) || !stamp_date_ok(a.in.today, message))
    return bad(message);
  const ChartReportFunction draw = a.chart(message);
  if (!draw) return view_error(kViewFailed, message);
  std::string out;
  if (!draw(year, args_place(a), a.in.january_variant, static_cast<ChartFormat>(format), a.in.today,
            out, message))
    return view_error(kViewFailed, message);
  return view_output(out);
}

// The views of a YEAR (or a date) as text or tsv: the dates and --format
// checked, then the view.
ViewResult eclipses_write(const ViewArgs &a) {
  int year = 0, format = 0;
  std::string message;
  if (!view_dates(a, 1, &year, message) || !view_format(a, &format, message)) return bad(message);
  return eclipses_view(year, args_place(a), a.in.january_variant, ViewFormat(format));
}

ViewResult sun_write(const ViewArgs &a) {
  int date[kDateEntries] = {}, format = 0;
  std::string message;
  if (!view_dates(a, kDateEntries, date, message) || !view_format(a, &format, message))
    return bad(message);
  return sun_view(date[0], date[1], date[2], args_place(a), a.in.january_variant,
                  ViewFormat(format));
}

ViewResult moon_distance_write(const ViewArgs &a) {
  int year = 0, format = 0;
  std::string message;
  if (!view_dates(a, 1, &year, message) || !view_format(a, &format, message)) return bad(message);
  return moon_distance_view(year, ViewFormat(format));
}

const ViewMenuEntry kEclipsesMenu = {"_Ansicht", "_Finsternisse am Ort"};

}  // namespace

const ViewDef kViews[] = {
    {"calendar", kDateEntries, kDateTexts, kFirstCalendarYear, kLastCalendarYear, nullptr, 0, 0,
     false, "Kalender anzeigen", nullptr, kWindowCalendar,
     "month sheet; month 0: the feasts of the year", calendar_report, nullptr},
    {"moonphase", kDateEntries, kDateTexts, kFirstReportYear, kLastReportYear, nullptr, 0, 0, false,
     "Mondphasen u. Eclipses", nullptr, kWindowMoonphase,
     "Moon illumination, next phases and eclipses", moonphase_report, nullptr},
    {"seasons", kDateEntries, kDateTexts, kFirstReportYear, kLastReportYear, nullptr, 0, 0, false,
     "Beginn der Jahreszeiten", nullptr, kWindowSeasons, "equinoxes and solstices of three years",
     seasons_report, nullptr},
    {"riseset", kDateEntries, kDateTexts, kFirstReportYear, kLastReportYear, nullptr, 0, 0, true,
     "Auf- und Untergaenge", nullptr, kWindowRiseset,
     "Sun and Moon rise and set, twilights at the place", riseset_report, nullptr},
    {"pi", 0, "", 0, 0, nullptr, 0, 0, false, "Kreiszahl PI berechnen", nullptr, kWindowNone,
     "pi to 2799 decimal places", pi_view, nullptr},
    {"places", 0, "", 0, 0, nullptr, 0, kTakesAdd | kTakesSearch, false, nullptr, nullptr,
     kWindowNone, "the place table; on stderr the file it is from", nullptr, places_write},
    {"ical", 1, "YEAR", kFirstReportYear, kLastReportYear, nullptr, 0, kTakesEvents, true, nullptr,
     nullptr, -1, "the year's events as an iCalendar file (RFC 5545)", nullptr, ical_write},
    {"chart", 1, "YEAR", kFirstReportYear, kLastReportYear, kChartFormatNames, kChartFormats, 0,
     true, nullptr, nullptr, kWindowNone, "day, twilights and night of the year, a picture",
     nullptr, chart_write},
    {"eclipses", 1, "YEAR", kFirstReportYear, kLastReportYear, kViewFormatNames, kViewFormats, 0,
     true, nullptr, &kEclipsesMenu, kWindowEclipses, "the year's eclipses as seen from the place",
     eclipses_report, eclipses_write},
    {"sun", kDateEntries, "YEAR MONTH DAY", kFirstReportYear, kLastReportYear, kViewFormatNames,
     kViewFormats, 0, true, nullptr, nullptr, kWindowNone,
     "the Sun's day: directions, golden and blue hours", nullptr, sun_write},
    {"moon-distance", 1, "YEAR", kFirstReportYear, kLastReportYear, kViewFormatNames, kViewFormats,
     0, false, nullptr, nullptr, kWindowNone, "perigees, apogees, the distance at the phases",
     nullptr, moon_distance_write},
};
const int kViewCount = static_cast<int>(std::size(kViews));

const ViewDef *find_view(const std::string &name) {
  for (const ViewDef &v : kViews)
    if (name == v.name) return &v;
  return nullptr;
}

const ViewDef *view_with(ViewOptions options) {
  for (const ViewDef &v : kViews)
    if (v.options & options) return &v;
  return nullptr;
}

const ViewDef &window_view(int value) {
  for (const ViewDef &v : kViews)
    if (v.window_view == value && v.window_view != kWindowNone) return v;
  return kViews[0];
}

ViewResult write_view(const ViewArgs &args) {
  if (args.view->write) return args.view->write(args);
  return view_output(args.view->report(args.in).text + "\n");
}
