// SPDX-License-Identifier: MIT
// nachtblick-report VIEW [YEAR [MONTH [DAY]]] [--place N] [--today YYYY-MM-DD] [--format F]
// nachtblick-report places --add NAME LAT LON [ZONE]
//
// Three steps: GLib's option parser splits the arguments into the option
// values and the positional texts, the texts are checked and turned into a
// report input, and the view's report is called. The usage text is GLib's
// help of the option table, with the table of views before the options and
// how the dates are read after them.
#include "nachtblick/cli/cli.h"
#include "nachtblick/cli/places_add.h"

#include <glib.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "calendar/calendar.h"
#include "nachtblick/cli/chartmodule.h"
#include "nachtblick/place/places.h"
#include "nachtblick/text/padding.h"
#include "nachtblick/text/textbuf.h"
#include "nachtblick/views/eclipses.h"
#include "nachtblick/views/ical.h"
#include "nachtblick/views/moondistance.h"
#include "nachtblick/views/reports.h"
#include "nachtblick/views/sun.h"
#include "nachtblick/views/viewformat.h"
#include "nachtblick/views/yearcheck.h"

ChartReportFunction cli_chart_report = nullptr;

namespace {

const char kVersion[] = "nachtblick-report " NB_VERSION "\n";

// The view and at most three date texts.
const int kAllDates = 3;
const size_t kMaxPositional = 1 + kAllDates;
const char *const kEntryNames[] = {"year", "month", "day"};

// The options, in the order of the option table.
enum Option {
  kOptPlace,
  kOptToday,
  kOptFormat,
  kOptEvents,
  kOptAdd,
  kOptHelp,
  kOptVersion,
  kOptions
};

// The command line split into its texts.
struct CliArgs {
  std::vector<std::string> positional;  // view, year, month, day
  bool given[kOptions];
  std::string value[kOptions];
  std::string error;  // what the option callback refused
};

struct ViewDef;

// A checked command line: the view and the report input.
struct CliInput {
  const ViewDef *view;
  ReportInput in;
  Place table[kPlaceSlots];
  std::string place_path;   // the place file read; empty for none
  std::string place_notes;  // what the place file holds that is no place
  std::string place_error;  // why the place file could not be read, a line
  int ndates;               // date texts given on the command line
  bool place_given;         // --place was given
  const char *format_text;  // --format, or null
  const char *events_text;  // --events, or null
};

int place_list(const CliInput &c, std::string &out, std::string &err);
int ical_view(const CliInput &c, std::string &out, std::string &err);
int chart_view(const CliInput &c, std::string &out, std::string &err);
int eclipses_cli(const CliInput &c, std::string &out, std::string &err);
int sun_cli(const CliInput &c, std::string &out, std::string &err);
int moon_distance_cli(const CliInput &c, std::string &out, std::string &err);

// A view prints the text of a report, or runs a function of its own that
// writes out (0) or one line to err (2, or 1 for an installation fault).
// The help lists the views in this order, each with the dates it takes,
// the years it shows (none for 0) and its line.
struct ViewDef {
  const char *name;
  int dates;          // how many date texts (YEAR, MONTH, DAY) it takes at most
  const char *usage;  // how the help shows them
  int first_year, last_year;
  const char *const *formats;  // the names --format takes (the first the default); null: none
  int nformats;
  const char *help;
  ReportText (*report)(const ReportInput &);
  int (*run)(const CliInput &c, std::string &out, std::string &err);
};

const char kDateTexts[] = "[YEAR [MONTH [DAY]]]";

ReportText pi_view(const ReportInput &) { return pi_report(); }

const ViewDef kViews[] = {
    {"calendar", kAllDates, kDateTexts, kFirstCalendarYear, kLastCalendarYear, nullptr, 0,
     "month sheet; month 0: the feasts of the year", calendar_report, nullptr},
    {"moonphase", kAllDates, kDateTexts, kFirstReportYear, kLastReportYear, nullptr, 0,
     "Moon illumination, next phases and eclipses", moonphase_report, nullptr},
    {"seasons", kAllDates, kDateTexts, kFirstReportYear, kLastReportYear, nullptr, 0,
     "equinoxes and solstices of three years", seasons_report, nullptr},
    {"riseset", kAllDates, kDateTexts, kFirstReportYear, kLastReportYear, nullptr, 0,
     "Sun and Moon rise and set, twilights at the place", riseset_report, nullptr},
    {"pi", 0, "", 0, 0, nullptr, 0, "pi to 2799 decimal places", pi_view, nullptr},
    {"places", 0, "", 0, 0, nullptr, 0, "the place table; on stderr the file it is from", nullptr,
     place_list},
    {"ical", 1, "YEAR", kFirstReportYear, kLastReportYear, nullptr, 0,
     "the year's events as an iCalendar file (RFC 5545)", nullptr, ical_view},
    {"chart", 1, "YEAR", kFirstReportYear, kLastReportYear, kChartFormatNames, kChartFormats,
     "day, twilights and night of the year, a picture", nullptr, chart_view},
    {"eclipses", 1, "YEAR", kFirstReportYear, kLastReportYear, kViewFormatNames, kViewFormats,
     "the year's eclipses as seen from the place", nullptr, eclipses_cli},
    {"sun", kAllDates, "YEAR MONTH DAY", kFirstReportYear, kLastReportYear, kViewFormatNames,
     kViewFormats, "the Sun's day: directions, golden and blue hours", nullptr, sun_cli},
    {"moon-distance", 1, "YEAR", kFirstReportYear, kLastReportYear, kViewFormatNames, kViewFormats,
     "perigees, apogees, the distance at the phases", nullptr, moon_distance_cli},
};

// One line on err, the message with control characters of the arguments it
// quotes shown as '?'; returns status.
int report_fault(std::string &err, const std::string &message, int status) {
  err = "nachtblick-report: " + message;
  mask_controls(err);
  err += "\n";
  return status;
}

// A bad argument: one line on err that points to --help, status 2.
int fail(std::string &err, const std::string &message) {
  return report_fault(err, message + " (see --help)", 2);
}

// Characters of a UTF-8 text, as an entry counts them: every byte that does
// not continue a multi-byte sequence starts a character.
size_t characters(const char *text) {
  size_t n = 0;
  for (const unsigned char *p = reinterpret_cast<const unsigned char *>(text); *p; ++p)
    if ((*p & 0xC0) != 0x80) ++n;
  return n;
}

// A whole decimal number of at most 9 digits; false for anything else.
bool parse_count(const char *text, int *value) {
  if (!*text || std::strlen(text) > 9) return false;
  int v = 0;
  for (const char *p = text; *p; ++p) {
    if (*p < '0' || *p > '9') return false;
    v = v * 10 + (*p - '0');
  }
  *value = v;
  return true;
}

// YYYY-MM-DD of a real date of the years 1..10000.
bool parse_today(const char *text, CivilDate *date) {
  char y[6], m[3], d[3];  // the widths of the format
  char rest;
  if (std::sscanf(text, "%5[0-9]-%2[0-9]-%2[0-9]%c", y, m, d, &rest) != 3) return false;
  if (std::strlen(m) != 2 || std::strlen(d) != 2 || std::strlen(y) < 4) return false;
  CivilDate t{};
  if (!parse_count(y, &t.year) || !parse_count(m, &t.month) || !parse_count(d, &t.day))
    return false;
  if (weekday(t.day, t.month, t.year) == 0) return false;
  *date = t;
  return true;
}

// The place table on out, with the time zone where a place has one; on err
// the place file in use and a line for each line of it that is neither
// blank, a comment, an option nor a place.
int place_list(const CliInput &c, std::string &out, std::string &err) {
  err = !c.place_error.empty() ? "nachtblick-report: only the built-in place\n"
        : c.place_path.empty() ? "nachtblick-report: no place file found, only the built-in place\n"
                               : "nachtblick-report: places from " + c.place_path + "\n";
  err += c.place_notes;
  for (int i = 0; i < kPlaceSlots && c.table[i].used; ++i) {
    const Place &p = c.table[i];
    if (i) out += "\n";
    append_format(out, "%2d  ", i);
    out += pad_characters(p.name, kPlaceNameMax);
    append_format(out, "  %9.5f  %10.5f", p.latitude, p.longitude);
    if (p.zone[0]) append_format(out, "  %s", p.zone);
  }
  out += "\n";
  return 0;
}

// The YEAR of the views that take one, as a plain decimal number; 2 with
// the message on err when it is missing or no such number.
int view_year(const CliInput &c, int *year, std::string &err) {
  if (c.ndates != 1) return fail(err, std::string("the view '") + c.view->name + "' needs a YEAR");
  if (!parse_count(c.in.year_text, year))
    return fail(err, std::string("year '") + c.in.year_text + "' is not a decimal number");
  return 0;
}

// The iCalendar object of the year; the place only with --place.
int ical_view(const CliInput &c, std::string &out, std::string &err) {
  int year = 0;
  if (view_year(c, &year, err) != 0) return 2;
  std::string message;
  unsigned events = kIcalDefault;
  if (c.events_text && !ical_events(c.events_text, &events, message))
    return fail(err, std::string("--events: ") + message);
  const Place *place = c.place_given ? &c.table[c.in.current_place] : nullptr;
  if (ical_report(year, place, c.in.today, out, message, events) != 0) return fail(err, message);
  return 0;
}

// Names joined: "svg|pdf|png" with "|", "svg, pdf or png" with ", " and
// " or ".
std::string joined(const char *const *names, int n, const char *between, const char *before_last) {
  std::string text = names[0];
  for (int i = 1; i < n; ++i) text += std::string(i == n - 1 ? before_last : between) + names[i];
  return text;
}

// The --format of the view, its first format when none is given; 2 with
// the message on err for a name that is none of them.
int view_format_index(const CliInput &c, int *format, std::string &err) {
  const ViewDef &view = *c.view;
  *format = 0;
  if (!c.format_text) return 0;
  for (int f = 0; f < view.nformats; ++f)
    if (std::strcmp(c.format_text, view.formats[f]) == 0) {
      *format = f;
      return 0;
    }
  return fail(err, std::string("--format '") + c.format_text + "' is not " +
                       joined(view.formats, view.nformats, ", ", " or "));
}

// The chart of the year at the place, in the format of --format. The
// arguments are checked before the chart module is loaded.
int chart_view(const CliInput &c, std::string &out, std::string &err) {
  int year = 0, format = 0;
  if (view_year(c, &year, err) != 0 || view_format_index(c, &format, err) != 0) return 2;
  std::string message;
  if (!report_year_ok(year, message) || !stamp_date_ok(c.in.today, message))
    return fail(err, message);
  if (!cli_chart_report && !(cli_chart_report = load_chart_module(message)))
    return report_fault(err, message, 1);
  if (!cli_chart_report(year, c.table[c.in.current_place], c.in.january_variant,
                        static_cast<ChartFormat>(format), c.in.today, out, message))
    return fail(err, message);
  return 0;
}

// A view of a YEAR as text or tsv: the year and --format checked, then
// the view called with them.
using YearView = bool (*)(const CliInput &c, int year, ViewFormat format, std::string &out,
                          std::string &message);
int year_view(const CliInput &c, std::string &out, std::string &err, YearView view) {
  int year = 0, format = 0;
  if (view_year(c, &year, err) != 0 || view_format_index(c, &format, err) != 0) return 2;
  std::string message;
  if (!view(c, year, static_cast<ViewFormat>(format), out, message)) return fail(err, message);
  return 0;
}

// The eclipses of the year at the place.
int eclipses_cli(const CliInput &c, std::string &out, std::string &err) {
  return year_view(
      c, out, err,
      [](const CliInput &c, int year, ViewFormat f, std::string &text, std::string &message) {
        return eclipses_view(year, c.table[c.in.current_place], c.in.january_variant, f, text,
                             message);
      });
}

// The Sun's day at the place: YEAR, MONTH and DAY as plain numbers.
int sun_cli(const CliInput &c, std::string &out, std::string &err) {
  int date[kAllDates] = {}, format = 0;
  const char *texts[] = {c.in.year_text, c.in.month_text, c.in.day_text};
  if (c.ndates != kAllDates)
    return fail(err, std::string("the view '") + c.view->name + "' needs a YEAR, MONTH and DAY");
  for (int k = 0; k < kAllDates; ++k)
    if (!parse_count(texts[k], &date[k]))
      return fail(err, std::string(kEntryNames[k]) + " '" + texts[k] + "' is not a decimal number");
  if (view_format_index(c, &format, err) != 0) return 2;
  std::string message;
  if (!sun_view(date[0], date[1], date[2], c.table[c.in.current_place], c.in.january_variant,
                static_cast<ViewFormat>(format), out, message))
    return fail(err, message);
  return 0;
}

// The Moon's distance over the year.
int moon_distance_cli(const CliInput &c, std::string &out, std::string &err) {
  return year_view(c, out, err,
                   [](const CliInput &, int year, ViewFormat f, std::string &text,
                      std::string &message) { return moon_distance_view(year, f, text, message); });
}

gboolean take_option(const gchar *name, const gchar *value, gpointer data, GError **error);

// The options, in the order of Option: GOption parses them and writes the
// help from them. Values are taken as their bytes (FILENAME: not converted
// from the locale's encoding).
const GOptionEntry *option_table() {
  static const std::string format_help =
      "chart: " + joined(kChartFormatNames, kChartFormats, ", ", " or ") + "; eclipses, sun,\n" +
      "                             moon-distance: " +
      joined(kViewFormatNames, kViewFormats, ", ", " or ") + " (the first is the default)";
  static const std::string events_help =
      "ical: the events, a comma-separated list of\n" +
      std::string("                             ") + ical_event_names() + "\n" +
      "                             (default: all but golden and apsides)";
  const gpointer take = reinterpret_cast<gpointer>(take_option);
  static const GOptionEntry table[] = {
      {"place", 0, G_OPTION_FLAG_FILENAME, G_OPTION_ARG_CALLBACK, take,
       "place N of the place table (default 0); ical: the events there", "N"},
      {"today", 0, G_OPTION_FLAG_FILENAME, G_OPTION_ARG_CALLBACK, take,
       "today's date (ical: the DTSTAMP; chart: a PDF's creation date)", "YYYY-MM-DD"},
      {"format", 0, G_OPTION_FLAG_FILENAME, G_OPTION_ARG_CALLBACK, take, format_help.c_str(), "F"},
      {"events", 0, G_OPTION_FLAG_FILENAME, G_OPTION_ARG_CALLBACK, take, events_help.c_str(),
       "LIST"},
      {"add", 0, G_OPTION_FLAG_FILENAME, G_OPTION_ARG_CALLBACK, take,
       "places: first add the place NAME at LAT LON [ZONE] to ./gtknblick.conf\n"
       "                             when that is the place file in use, else to the user's file\n"
       "                             $XDG_CONFIG_HOME/nachtblick/gtknblick.conf (default\n"
       "                             ~/.config), made from the file in use when there is none;\n"
       "                             LAT and LON as -33.8667 151.2167 or 33S52 151E13,\n"
       "                             ZONE e.g. Australia/Sydney (none: MEZ/MESZ)",
       "NAME"},
      {"help", 'h', G_OPTION_FLAG_NO_ARG, G_OPTION_ARG_CALLBACK, take, "print this help and exit",
       nullptr},
      {"version", 0, G_OPTION_FLAG_NO_ARG, G_OPTION_ARG_CALLBACK, take,
       "print the version and exit", nullptr},
      {nullptr, 0, 0, G_OPTION_ARG_NONE, nullptr, nullptr, nullptr}};  // the end
  return table;
}

// GOption's callback for every option (the group's data is the CliArgs):
// notes the option and its value; an option given twice is refused, and
// --help and --version end the parse.
gboolean take_option(const gchar *name, const gchar *value, gpointer data, GError **) {
  CliArgs *args = static_cast<CliArgs *>(data);
  const GOptionEntry *table = option_table();
  int k = 0;  // name is "--" and the long name, or "-" and the short one
  while (name[1] == '-' ? std::strcmp(name + 2, table[k].long_name) != 0
                        : name[1] != table[k].short_name)
    ++k;
  if (args->given[k]) {
    args->error = std::string(name) + " given twice";
    return FALSE;
  }
  args->given[k] = true;
  if (value) args->value[k] = value;
  return k != kOptHelp && k != kOptVersion;
}

// The help: GLib's usage line and option list from the table, the table of
// views before them and how the dates are read and where the places come
// from after them.
std::string help_text(GOptionContext *context) {
  std::string summary =
      "Prints the text the nachtblick window shows for a report, the events of\n"
      "a year as iCalendar, or the chart of a year.\n"
      "\n"
      "VIEW is one of (with the dates it takes and the years it shows):";
  for (const ViewDef &v : kViews) {
    std::string years;
    if (v.last_year) append_format(years, "%d..%d", v.first_year, v.last_year);
    append_format(summary, "\n  %-13s %-20s  %-10s  %s", v.name, v.usage, years.c_str(), v.help);
  }
  std::string description;
  append_format(description,
                "YEAR, MONTH and DAY are read as the window's entries read them: at most %d\n"
                "characters each, an omitted one reads as 0, and year and month 0 mean\n",
                kEntryMaxChars);
  description +=
      "today. A date outside the view's years is clamped to them; the calendar\n"
      "shows a message instead, and a view that takes a YEAR alone, or sun,\n"
      "refuses it.\n"
      "\n" NB_PLACE_SEARCH_HELP;
  g_option_context_set_summary(context, summary.c_str());
  g_option_context_set_description(context, description.c_str());
  gchar *help = g_option_context_get_help(context, TRUE, nullptr);
  const std::string text = help;
  g_free(help);
  return text;
}

// "-" and then digits and points with at least one digit ("-5", "-33.8667"):
// a positional, though it begins with '-'. GOption leaves such an argument
// as it is, as it holds no letter of a short option.
bool negative_number(const char *arg) {
  bool digit = false;
  for (const char *p = arg + 1; *p; ++p) {
    if (*p >= '0' && *p <= '9') {
      digit = true;
    } else if (*p != '.') {
      return false;
    }
  }
  return digit;
}

// The arguments GOption left after the program name: "--" (once) ends the
// options, and an unknown option before it is refused; the rest are the
// view and the date texts. Returns 0, or 2 on an error.
int take_positionals(gchar **left, CliArgs *args, std::string &err) {
  bool options_done = false;
  for (gchar **p = left[0] ? left + 1 : left; *p; ++p) {
    const char *arg = *p;
    if (!options_done && std::strcmp(arg, "--") == 0) {
      options_done = true;
    } else if (!options_done && arg[0] == '-' && arg[1] && !negative_number(arg)) {
      return fail(err, std::string("unknown option '") + arg + "'");
    } else if (args->positional.size() == kMaxPositional) {
      return fail(err, std::string("too many arguments at '") + arg + "'");
    } else {
      args->positional.push_back(arg);
    }
  }
  return 0;
}

// Splits the command line with GOption. Returns 0 to go on, 1 when --help
// or --version has written out, 2 on an error.
int parse_args(int argc, const char *const argv[], CliArgs *args, std::string &out,
               std::string &err) {
  GOptionContext *context = g_option_context_new("VIEW [YEAR [MONTH [DAY]]]");
  GOptionGroup *group = g_option_group_new(nullptr, nullptr, nullptr, args, nullptr);
  g_option_group_add_entries(group, option_table());
  g_option_context_set_main_group(context, group);
  // -h and --help are entries of the table, which write to out, not GLib's.
  g_option_context_set_help_enabled(context, FALSE);
  // An unknown option stays among the arguments, so that a negative number
  // stays a positional; take_positionals refuses the others.
  g_option_context_set_ignore_unknown_options(context, TRUE);
  gchar **strv = g_new0(gchar *, argc + 1);
  for (int i = 0; i < argc; ++i) strv[i] = g_strdup(argv[i]);
  GError *error = nullptr;
  const bool parsed = g_option_context_parse_strv(context, &strv, &error);
  int status = 0;
  if (args->given[kOptHelp]) {
    out = help_text(context);
    status = 1;
  } else if (args->given[kOptVersion]) {
    out = kVersion;
    status = 1;
  } else if (!args->error.empty()) {
    status = fail(err, args->error);
  } else if (!parsed) {
    // The one error GOption finds itself: an option without its value at
    // the end of the arguments.
    status = fail(err, error->code == G_OPTION_ERROR_BAD_VALUE
                           ? std::string(argv[argc - 1]) + " needs a value"
                           : std::string(error->message));
  } else {
    status = take_positionals(strv, args, err);
  }
  g_clear_error(&error);
  g_strfreev(strv);
  g_option_context_free(context);
  return status;
}

// The value of an option, or null when it was not given.
const char *option_value(const CliArgs &args, Option k) {
  return args.given[k] ? args.value[k].c_str() : nullptr;
}

// Checks the texts of the command line and reads the place file into c.
// Returns 0, or 2 on an error.
int make_input(const CliArgs &args, const ViewDef &view, CliInput *c, std::string &err) {
  const int ndates = static_cast<int>(args.positional.size()) - 1;  // after the view
  if (ndates > view.dates)
    return fail(err, std::string("the view '") + view.name +
                         (view.dates ? "' takes only a YEAR" : "' takes no date"));
  if (args.given[kOptFormat] && !view.formats)
    return fail(err, std::string("--format is not for the view '") + view.name + "'");
  if (args.given[kOptEvents] && view.run != ical_view)
    return fail(err, std::string("--events is only for the view 'ical', not '") + view.name + "'");
  const char *texts[kAllDates];
  for (int k = 0; k < kAllDates; ++k) {
    texts[k] = (k < ndates) ? args.positional[k + 1].c_str() : kEntryHints[k];
    if (characters(texts[k]) > static_cast<size_t>(kEntryMaxChars))
      return fail(err, std::string(kEntryNames[k]) + " '" + texts[k] + "' is longer than " +
                           std::to_string(kEntryMaxChars) + " characters");
  }
  CivilDate today{};
  const char *today_text = option_value(args, kOptToday);
  if (!today_text) {
    todaydate(&today.day, &today.month, &today.year);
  } else if (!parse_today(today_text, &today)) {
    return fail(err, std::string("--today '") + today_text + "' is not a date YYYY-MM-DD");
  }
  int jan_variant = 1;
  c->place_notes.clear();
  c->place_path = find_place_file();
  if (load_places_from(c->place_path.c_str(), c->table, &jan_variant, &c->place_notes,
                       &c->place_error) < 0) {
    c->place_path.clear();
    mask_controls(c->place_error);
    c->place_error += "\n";
  }
  int place = 0;
  const char *place_text = option_value(args, kOptPlace);
  if (place_text && (!parse_count(place_text, &place) || !place_in_use(c->table, place)))
    return fail(err, std::string("--place '") + place_text + "' is not a place in use (0.." +
                         std::to_string(place_count(c->table) - 1) + ")");
  c->view = &view;
  c->ndates = ndates;
  c->place_given = place_text != nullptr;
  c->format_text = option_value(args, kOptFormat);
  c->events_text = option_value(args, kOptEvents);
  c->in = ReportInput{texts[0], texts[1], texts[2], today, c->table, place, jan_variant};
  return 0;
}

}  // namespace

int run_report_cli(int argc, const char *const argv[], std::string &out, std::string &err) {
  out.clear();
  err.clear();
  CliArgs args{};
  const int parsed = parse_args(argc, argv, &args, out, err);
  if (parsed == 1) return 0;  // --help or --version
  if (parsed != 0) return parsed;
  if (args.positional.empty()) return fail(err, "no view given");
  const ViewDef *view = nullptr;
  for (const ViewDef &v : kViews)
    if (args.positional[0] == v.name) view = &v;
  if (!view) return fail(err, "unknown view '" + args.positional[0] + "'");

  if (args.given[kOptAdd]) {  // the words after NAME are LAT, LON and ZONE
    if (view->run != place_list)
      return fail(err,
                  std::string("--add is only for the view 'places', not '") + view->name + "'");
    std::vector<const char *> words{args.value[kOptAdd].c_str()};
    for (size_t i = 1; i < args.positional.size(); ++i) words.push_back(args.positional[i].c_str());
    return run_places_add(static_cast<int>(words.size()), words.data(), out, err);
  }
  static CliInput input;
  input.place_error.clear();
  int status = make_input(args, *view, &input, err);
  if (status == 0 && view->run) status = view->run(input, out, err);
  if (status == 0 && !view->run) out = view->report(input.in).text + "\n";
  if (status != 0) out.clear();
  err = input.place_error + err;  // a place file that could not be read
  return status;
}
