// SPDX-License-Identifier: MIT
// nachtblick-report VIEW [YEAR [MONTH [DAY]]] [--place N] [--today YYYY-MM-DD]
// nachtblick-report ical YEAR [--place N] [--today YYYY-MM-DD]
// nachtblick-report chart YEAR [--place N] [--format svg|pdf|png] [--today YYYY-MM-DD]
//
// Three steps: the arguments are parsed into their texts, the texts are
// checked and turned into a report input, and the view's report is called.
#include "nachtblick/cli/cli.h"
#include "nachtblick/cli/places_add.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "calendar/calendar.h"
#include "nachtblick/place/places.h"
#include "nachtblick/text/textbuf.h"
#include "nachtblick/views/chart.h"
#include "nachtblick/views/ical.h"
#include "nachtblick/views/reports.h"

namespace {

const char kUsage[] =
    "Usage: nachtblick-report VIEW [YEAR [MONTH [DAY]]] [--place N] [--today YYYY-MM-DD]\n"
    "       nachtblick-report ical YEAR [--place N] [--today YYYY-MM-DD]\n"
    "       nachtblick-report chart YEAR [--place N] [--format svg|pdf|png] [--today YYYY-MM-DD]\n"
    "       nachtblick-report places --add NAME LAT LON [ZONE]\n"
    "\n"
    "Prints the text the nachtblick window shows for a report.\n"
    "\n"
    "VIEW is one of:\n"
    "  calendar    month sheet, or the feasts of the year for month 0\n"
    "  moonphase   Moon illumination, next phases and eclipses\n"
    "  seasons     equinoxes and solstices of three years\n"
    "  riseset     Sun and Moon rise and set with twilight at the current place\n"
    "  pi          pi to 2799 decimal places\n"
    "  places      the place table, and on stderr the place file it comes from;\n"
    "              with --add, first a place added to the user's place file:\n"
    "              LAT and LON as -33.8667 151.2167 or 33S52 151E13, ZONE e.g.\n"
    "              Australia/Sydney (none: MEZ/MESZ)\n"
    "  ical        iCalendar of the year YEAR (1000..3000): moon phases, eclipses,\n"
    "              seasons, feasts, and with --place sunrise and sunset there\n"
    "  chart       day, twilights and night over the year YEAR (1000..3000) at the\n"
    "              place, as a picture (SVG, PDF or PNG)\n"
    "\n"
    "YEAR, MONTH and DAY are read exactly as the window's entries read them\n"
    "(at most 8 characters each); an omitted one reads as 0. Year and month 0\n"
    "mean today.\n"
    "\n" NB_PLACE_SEARCH_HELP
    "\n"
    "Options:\n"
    "  --place N            show place N of the table (default 0; ical: its sunrise and sunset)\n"
    "  --today YYYY-MM-DD   use this date as today's date (ical: the DTSTAMP; chart:\n"
    "                       the creation date of a PDF)\n"
    "  --format F           chart: svg (default), pdf or png\n"
    "  -h, --help           print this help and exit\n"
    "  --version            print the version and exit\n";

const char kVersion[] = "nachtblick-report " NB_VERSION "\n";

// The view and at most three date texts.
const int kAllDates = 3;
const size_t kMaxPositional = 1 + kAllDates;
const char *const kEntryNames[] = {"year", "month", "day"};

// The command line split into its texts.
struct CliArgs {
  std::vector<const char *> positional;  // view, year, month, day
  const char *place_text;                // --place, or null
  const char *today_text;                // --today, or null
  const char *format_text;               // --format, or null
};

// A checked command line: the view's name and the report input.
struct CliInput {
  const char *view;
  ReportInput in;
  Place table[kPlaceSlots];
  std::string place_path;   // the place file read; empty for none
  std::string place_notes;  // what the place file holds that is no place
  int ndates;               // date texts given on the command line
  bool place_given;         // --place was given
  const char *format_text;  // --format, or null
};

int place_list(const CliInput &c, std::string &out, std::string &err);
int ical_view(const CliInput &c, std::string &out, std::string &err);
int chart_view(const CliInput &c, std::string &out, std::string &err);

// A view prints the text of a report, or runs a function of its own that
// writes out (0) or one line to err (2).
struct ViewDef {
  const char *name;
  int dates;  // how many date texts (YEAR, MONTH, DAY) it takes at most
  ReportText (*report)(const ReportInput &);
  int (*run)(const CliInput &c, std::string &out, std::string &err);
};

ReportText pi_view(const ReportInput &) { return pi_report(); }

const ViewDef kViews[] = {
    {"calendar", kAllDates, calendar_report, nullptr},
    {"moonphase", kAllDates, moonphase_report, nullptr},
    {"seasons", kAllDates, seasons_report, nullptr},
    {"riseset", kAllDates, riseset_report, nullptr},
    {"pi", 0, pi_view, nullptr},
    {"places", 0, nullptr, place_list},
    {"ical", 1, nullptr, ical_view},
    {"chart", 1, nullptr, chart_view},
};

// One line on err: control characters of the arguments it quotes show as '?'.
int fail(std::string &err, const std::string &message) {
  err = "nachtblick-report: " + message + " (see --help)";
  mask_controls(err);
  err += "\n";
  return 2;
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
  err = c.place_path.empty() ? "nachtblick-report: no place file found, only the built-in place\n"
                             : "nachtblick-report: places from " + c.place_path + "\n";
  err += c.place_notes;
  for (int i = 0; i < kPlaceSlots && c.table[i].used; ++i) {
    const Place &p = c.table[i];
    if (i) out += "\n";
    append_format(out, "%2d  %-*s  %9.5f  %10.5f", i, kPlaceNameMax, p.name, p.latitude,
                  p.longitude);
    if (p.zone[0]) append_format(out, "  %s", p.zone);
  }
  out += "\n";
  return 0;
}

// The YEAR of the views that take one, as a plain decimal number; 2 with
// the message on err when it is missing or no such number.
int view_year(const CliInput &c, int *year, std::string &err) {
  if (c.ndates != 1) return fail(err, std::string("the view '") + c.view + "' needs a YEAR");
  if (!parse_count(c.in.year_text, year))
    return fail(err, std::string("year '") + c.in.year_text + "' is not a decimal number");
  return 0;
}

// The iCalendar object of the year; the place only with --place.
int ical_view(const CliInput &c, std::string &out, std::string &err) {
  int year = 0;
  if (view_year(c, &year, err) != 0) return 2;
  std::string message;
  const Place *place = c.place_given ? &c.table[c.in.current_place] : nullptr;
  if (ical_report(year, place, c.in.today, out, message) != 0) return fail(err, message);
  return 0;
}

// The chart of the year at the place, in the format of --format.
int chart_view(const CliInput &c, std::string &out, std::string &err) {
  int year = 0;
  ChartFormat format = kChartSvg;
  if (view_year(c, &year, err) != 0) return 2;
  if (c.format_text && !chart_format(c.format_text, &format))
    return fail(err, std::string("--format '") + c.format_text + "' is not svg, pdf or png");
  std::string message;
  if (!chart_report(year, c.table[c.in.current_place], c.in.january_variant, format, c.in.today,
                    out, message))
    return fail(err, message);
  return 0;
}

// Takes the value of option `name` from "--name=value" or the next
// argument. 1 when arg is this option, 0 when not, 2 on an error.
int take_option(const char *name, const char *&target, int argc, const char *const argv[], int *i,
                std::string &err) {
  const char *arg = argv[*i];
  const size_t n = std::strlen(name);
  if (std::strncmp(arg, name, n) != 0 || (arg[n] != '\0' && arg[n] != '=')) return 0;
  if (target) return fail(err, std::string(name) + " given twice");
  if (arg[n] == '=') {
    target = arg + n + 1;
  } else if (*i + 1 < argc) {
    target = argv[++*i];
  } else {
    return fail(err, std::string(name) + " needs a value");
  }
  return 1;
}

// Splits the command line. Returns 0 to go on, 1 when --help or --version
// has written out, 2 on an error.
int parse_args(int argc, const char *const argv[], CliArgs *args, std::string &out,
               std::string &err) {
  *args = CliArgs{};
  bool options_done = false;
  for (int i = 1; i < argc; ++i) {
    const char *arg = argv[i];
    if (!options_done && std::strcmp(arg, "--") == 0) {
      options_done = true;
    } else if (!options_done && (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0)) {
      out = kUsage;
      return 1;
    } else if (!options_done && std::strcmp(arg, "--version") == 0) {
      out = kVersion;
      return 1;
    } else if (!options_done && std::strncmp(arg, "--", 2) == 0) {
      int r = take_option("--place", args->place_text, argc, argv, &i, err);
      if (r == 0) r = take_option("--today", args->today_text, argc, argv, &i, err);
      if (r == 0) r = take_option("--format", args->format_text, argc, argv, &i, err);
      if (r == 0) return fail(err, std::string("unknown option '") + arg + "'");
      if (r == 2) return 2;
    } else if (args->positional.size() == kMaxPositional) {
      return fail(err, std::string("too many arguments at '") + arg + "'");
    } else {
      args->positional.push_back(arg);
    }
  }
  return 0;
}

// Checks the texts of the command line and reads the place file into c.
// Returns 0, or 2 on an error.
int make_input(const CliArgs &args, const ViewDef &view, CliInput *c, std::string &err) {
  const int ndates = static_cast<int>(args.positional.size()) - 1;  // after the view
  if (ndates > view.dates)
    return fail(err, std::string("the view '") + view.name +
                         (view.dates ? "' takes only a YEAR" : "' takes no date"));
  if (args.format_text && view.run != chart_view)
    return fail(err, std::string("--format is only for the view 'chart', not '") + view.name + "'");
  const char *texts[kAllDates];
  for (int k = 0; k < kAllDates; ++k) {
    texts[k] = (k < ndates) ? args.positional[k + 1] : kEntryHints[k];
    if (characters(texts[k]) > static_cast<size_t>(kEntryMaxChars))
      return fail(err, std::string(kEntryNames[k]) + " '" + texts[k] + "' is longer than " +
                           std::to_string(kEntryMaxChars) + " characters");
  }
  CivilDate today{};
  if (!args.today_text) {
    todaydate(&today.day, &today.month, &today.year);
  } else if (!parse_today(args.today_text, &today)) {
    return fail(err, std::string("--today '") + args.today_text + "' is not a date YYYY-MM-DD");
  }
  int jan_variant = 1;
  c->place_notes.clear();
  c->place_path = find_place_file();
  load_places_from(c->place_path.c_str(), c->table, &jan_variant, &c->place_notes);
  int place = 0;
  if (args.place_text && (!parse_count(args.place_text, &place) || !place_in_use(c->table, place)))
    return fail(err, std::string("--place '") + args.place_text + "' is not a place in use (0.." +
                         std::to_string(place_count(c->table) - 1) + ")");
  c->view = view.name;
  c->ndates = ndates;
  c->place_given = args.place_text != nullptr;
  c->format_text = args.format_text;
  c->in = ReportInput{texts[0], texts[1], texts[2], today, c->table, place, jan_variant};
  return 0;
}

}  // namespace

int run_report_cli(int argc, const char *const argv[], std::string &out, std::string &err) {
  out.clear();
  err.clear();
  if (argc > 2 && std::strcmp(argv[1], "places") == 0 && std::strcmp(argv[2], "--add") == 0)
    return run_places_add(argc - 3, argv + 3, out, err);
  CliArgs args;
  const int parsed = parse_args(argc, argv, &args, out, err);
  if (parsed == 1) return 0;  // --help or --version
  if (parsed != 0) return parsed;
  if (args.positional.empty()) return fail(err, "no view given");
  const ViewDef *view = nullptr;
  for (const ViewDef &v : kViews)
    if (std::strcmp(args.positional[0], v.name) == 0) view = &v;
  if (!view) return fail(err, std::string("unknown view '") + args.positional[0] + "'");

  static CliInput input;
  if (make_input(args, *view, &input, err) != 0) return 2;
  if (view->run) {
    const int status = view->run(input, out, err);
    if (status != 0) out.clear();
    return status;
  }
  out = view->report(input.in).text + "\n";
  return 0;
}
