// SPDX-License-Identifier: MIT
// nachtblick-report VIEW [YEAR [MONTH [DAY]]] [--place N] [--today YYYY-MM-DD]
#include "nachtblick/cli.h"

#include <cstdio>
#include <cstring>

#include "calendar/calendar.h"
#include "nachtblick/places.h"
#include "nachtblick/reports.h"
#include "nachtblick/textbuf.h"

namespace {

const char kUsage[] =
    "Usage: nachtblick-report VIEW [YEAR [MONTH [DAY]]] [--place N] [--today YYYY-MM-DD]\n"
    "\n"
    "Prints the text the nachtblick window shows for a report.\n"
    "\n"
    "VIEW is one of:\n"
    "  calendar    month sheet, or the feasts of the year for month 0\n"
    "  moonphase   Moon illumination, next phases and eclipses\n"
    "  seasons     equinoxes and solstices of three years\n"
    "  riseset     Sun and Moon rise and set with twilight at the current place\n"
    "  pi          pi to 2799 decimal places\n"
    "  places      the place table read from ./gtknblick.conf\n"
    "\n"
    "YEAR, MONTH and DAY are read exactly as the window's entries read them\n"
    "(at most 8 characters each); an omitted one reads as 0. Year and month 0\n"
    "mean today.\n"
    "\n"
    "Options:\n"
    "  --place N            show place N of the table (default 0)\n"
    "  --today YYYY-MM-DD   use this date as today's date\n"
    "  --help               print this help\n";

// Entry texts are at most this long, as in the window.
const size_t kEntryMax = 8;

// Characters of a UTF-8 text, as an entry counts them: every byte that does
// not continue a multi-byte sequence starts a character.
size_t characters(const char *text) {
  size_t n = 0;
  for (const unsigned char *p = reinterpret_cast<const unsigned char *>(text); *p; ++p)
    if ((*p & 0xC0) != 0x80) ++n;
  return n;
}

enum CliView { CLI_CALENDAR, CLI_MOONPHASE, CLI_SEASONS, CLI_RISESET, CLI_PI, CLI_PLACES };

struct ViewName {
  const char *name;
  CliView view;
  bool takes_date;
};

const ViewName kViews[] = {
    {"calendar", CLI_CALENDAR, true},
    {"moonphase", CLI_MOONPHASE, true},
    {"seasons", CLI_SEASONS, true},
    {"riseset", CLI_RISESET, true},
    {"pi", CLI_PI, false},
    {"places", CLI_PLACES, false},
};

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
bool parse_today(const char *text, int *day, int *month, int *year) {
  char y[8], m[4], d[4];
  char rest;
  if (std::sscanf(text, "%5[0-9]-%2[0-9]-%2[0-9]%c", y, m, d, &rest) != 3) return false;
  if (std::strlen(m) != 2 || std::strlen(d) != 2 || std::strlen(y) < 4) return false;
  int yy = 0, mm = 0, dd = 0;
  if (!parse_count(y, &yy) || !parse_count(m, &mm) || !parse_count(d, &dd)) return false;
  if (weekday(dd, mm, yy) == 0) return false;
  *day = dd;
  *month = mm;
  *year = yy;
  return true;
}

std::string place_list(const Place table[PLACE_SLOTS]) {
  std::string text;
  for (int i = 0; i < PLACE_SLOTS && table[i].used; ++i) {
    if (i) text += "\n";
    appendf(text, "%2d  %-39s  %9.5f  %10.5f", i, table[i].name, table[i].latitude,
            table[i].longitude);
  }
  return text;
}

int fail(std::string &err, const std::string &message) {
  err = "nachtblick-report: " + message + " (see --help)\n";
  return 2;
}

}  // namespace

int run_report_cli(int argc, const char *const argv[], std::string &out, std::string &err) {
  out.clear();
  err.clear();
  const char *positional[4] = {nullptr, nullptr, nullptr, nullptr};
  int npositional = 0;
  const char *place_text = nullptr;
  const char *today_text = nullptr;
  bool options_done = false;

  for (int i = 1; i < argc; ++i) {
    const char *arg = argv[i];
    if (!options_done && std::strncmp(arg, "--", 2) == 0) {
      if (std::strcmp(arg, "--") == 0) {
        options_done = true;
        continue;
      }
      if (std::strcmp(arg, "--help") == 0) {
        out = kUsage;
        return 0;
      }
      const char **target = nullptr;
      const char *option = nullptr;
      for (const char *name : {"--place", "--today"}) {
        const size_t n = std::strlen(name);
        if (std::strncmp(arg, name, n) == 0 && (arg[n] == '\0' || arg[n] == '=')) {
          option = name;
          target = (name[2] == 'p') ? &place_text : &today_text;
          if (*target) return fail(err, std::string(name) + " given twice");
          if (arg[n] == '=') {
            *target = arg + n + 1;
          } else if (i + 1 < argc) {
            *target = argv[++i];
          } else {
            return fail(err, std::string(name) + " needs a value");
          }
        }
      }
      if (!option) return fail(err, std::string("unknown option '") + arg + "'");
      continue;
    }
    if (npositional == 4) return fail(err, std::string("too many arguments at '") + arg + "'");
    positional[npositional++] = arg;
  }

  if (npositional == 0) return fail(err, "no view given");
  const ViewName *view = nullptr;
  for (const ViewName &v : kViews)
    if (std::strcmp(positional[0], v.name) == 0) view = &v;
  if (!view) return fail(err, std::string("unknown view '") + positional[0] + "'");
  if (!view->takes_date && npositional > 1)
    return fail(err, std::string("the view '") + view->name + "' takes no date");

  static const char *const kInitial[3] = {" [Jahr]", " [Monat]", " [Tag]"};
  static const char *const kField[3] = {"year", "month", "day"};
  const char *texts[3];
  for (int k = 0; k < 3; ++k) {
    texts[k] = (k + 1 < npositional) ? positional[k + 1] : kInitial[k];
    if (characters(texts[k]) > kEntryMax)
      return fail(err, std::string(kField[k]) + " '" + texts[k] + "' is longer than 8 characters");
  }

  int td = 0, tm = 0, ty = 0;
  if (today_text) {
    if (!parse_today(today_text, &td, &tm, &ty))
      return fail(err, std::string("--today '") + today_text + "' is not a date YYYY-MM-DD");
  } else {
    todaydate(&td, &tm, &ty);
  }

  static Place table[PLACE_SLOTS];
  int jan_variant = 1;
  load_places_from(PLACE_FILE_NAME, table, &jan_variant);
  int place = 0;
  if (place_text) {
    if (!parse_count(place_text, &place) || place >= PLACE_SLOTS || !table[place].used)
      return fail(err, std::string("--place '") + place_text + "' is not a place in use (0.." +
                           std::to_string(place_count(table) - 1) + ")");
  }

  const ReportInput in{texts[0], texts[1], texts[2], td, tm, ty, table, place, jan_variant};
  switch (view->view) {
    case CLI_CALENDAR: out = calendar_report(in).text; break;
    case CLI_MOONPHASE: out = moonphase_report(in).text; break;
    case CLI_SEASONS: out = seasons_report(in).text; break;
    case CLI_RISESET: out = riseset_report(in).text; break;
    case CLI_PI: out = pi_report().text; break;
    case CLI_PLACES: out = place_list(table); break;
  }
  out += "\n";
  return 0;
}
