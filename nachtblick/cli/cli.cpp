// SPDX-License-Identifier: MIT
// nachtblick-report VIEW [YEAR [MONTH [DAY]]] [--place N] [--today YYYY-MM-DD] [--format F]
// nachtblick-report places --add NAME [LAT LON [ZONE]]
// nachtblick-report places --search TEXT [--format F]
//
// Three steps: the options split the arguments into option values and
// positional texts, the texts are checked and turned into the view's
// arguments, and the view's writer of the table of views is called. The
// front end alone turns the class of an error into an exit status.
#include "nachtblick/cli/cli.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "calendar/calendar.h"
#include "nachtblick/cli/chartmodule.h"
#include "nachtblick/cli/options.h"
#include "nachtblick/cli/places_add.h"
#include "nachtblick/place/places.h"
#include "nachtblick/text/decimal.h"
#include "nachtblick/text/textbuf.h"
#include "nachtblick/views/registry.h"

namespace {

// The exit statuses of the classes of errors.
int exit_status(ViewError error) {
  switch (error) {
    case kViewOk: return 0;
    case kViewBadInput: return 2;
    case kViewFailed:
    case kViewNotFound: break;
  }
  return 1;
}

// One line on err, the message with control characters of the arguments it
// quotes shown as '?', bad input pointing to --help; returns the status.
int report_error(std::string &err, ViewError error, const std::string &message) {
  err = "nachtblick-report: " + message + (error == kViewBadInput ? " (see --help)" : "");
  mask_controls(err);
  err += "\n";
  return exit_status(error);
}

int bad_input(std::string &err, const std::string &message) {
  return report_error(err, kViewBadInput, message);
}

// Characters of a UTF-8 text, as an entry counts them: every byte that does
// not continue a multi-byte sequence starts a character.
size_t characters(const char *text) {
  size_t n = 0;
  for (const unsigned char *p = reinterpret_cast<const unsigned char *>(text); *p; ++p)
    if ((*p & 0xC0) != 0x80) ++n;
  return n;
}

// YYYY-MM-DD of a real date of the years 1..10000.
bool parse_today(const char *text, CivilDate *date) {
  char y[6], m[3], d[3];  // the widths of the format
  char rest;
  if (std::sscanf(text, "%5[0-9]-%2[0-9]-%2[0-9]%c", y, m, d, &rest) != 3) return false;
  if (std::strlen(m) != 2 || std::strlen(d) != 2 || std::strlen(y) < 4) return false;
  CivilDate t{};
  if (!parse_decimal(y, &t.year) || !parse_decimal(m, &t.month) || !parse_decimal(d, &t.day))
    return false;
  if (weekday(t.day, t.month, t.year) == 0) return false;
  *date = t;
  return true;
}

// The refusal of an option the view does not take.
std::string option_not_for(const char *option, ViewOptions options, const ViewDef &view) {
  return std::string(option) + " is only for the view '" + view_with(options)->name + "', not '" +
         view.name + "'";
}

// Checks the texts of the command line against the view, reads the place
// file into places and makes the view's arguments; false with the message.
bool make_args(const CliArgs &args, const ViewDef &view, const CliSetting &setting,
               PlaceBook *places, ViewArgs *a, std::string &message) {
  const int ndates = static_cast<int>(args.positional.size()) - 1;  // after the view
  if (ndates > view.dates) {
    message = std::string("the view '") + view.name +
              (view.dates ? "' takes only a YEAR" : "' takes no date");
    return false;
  }
  if (args.given[kOptSearch] && !(view.options & kTakesSearch)) {
    message = option_not_for("--search", kTakesSearch, view);
    return false;
  }
  if (args.given[kOptFormat] && !view.formats && !args.given[kOptSearch]) {
    message = std::string("--format is not for the view '") + view.name + "'";
    return false;
  }
  if (args.given[kOptEvents] && !(view.options & kTakesEvents)) {
    message = option_not_for("--events", kTakesEvents, view);
    return false;
  }
  const char *texts[kDateEntries];
  for (int k = 0; k < kDateEntries; ++k) {
    texts[k] = (k < ndates) ? args.positional[k + 1].c_str() : kEntryHints[k];
    if (characters(texts[k]) > static_cast<size_t>(kEntryMaxChars)) {
      message = std::string(kEntryNames[k]) + " '" + texts[k] + "' is longer than " +
                std::to_string(kEntryMaxChars) + " characters";
      return false;
    }
  }
  CivilDate today{};
  const char *today_text = option_value(args, kOptToday);
  if (!today_text) {
    todaydate(&today.day, &today.month, &today.year);
  } else if (!parse_today(today_text, &today)) {
    message = std::string("--today '") + today_text + "' is not a date YYYY-MM-DD";
    return false;
  }
  *places = load_places(setting.system_dir);
  int place = 0;
  const char *place_text = option_value(args, kOptPlace);
  if (place_text && (!parse_decimal(place_text, &place) || !place_in_use(places->table, place))) {
    message = std::string("--place '") + place_text + "' is not a place in use (0.." +
              std::to_string(place_count(places->table) - 1) + ")";
    return false;
  }
  const ChartReportFunction linked = setting.chart;
  *a = ViewArgs{&view,
                ReportInput{texts[0], texts[1], texts[2], today, places->table, place,
                            places->january_variant},
                ndates,
                place_text != nullptr,
                option_value(args, kOptFormat),
                option_value(args, kOptEvents),
                option_value(args, kOptSearch),
                setting.query_bytes,
                places,
                [linked](std::string &err) { return linked ? linked : load_chart_module(err); }};
  return true;
}

// A place file that could not be read, as a line for stderr.
std::string place_file_error(const PlaceBook &places) {
  if (places.error.empty()) return "";
  std::string line = places.error;
  mask_controls(line);
  return line + "\n";
}

}  // namespace

CliSetting installed_setting(void) { return CliSetting{system_place_dir(), nullptr}; }

int run_report_cli(int argc, const char *const argv[], std::string &out, std::string &err,
                   const CliSetting &setting) {
  out.clear();
  err.clear();
  CliArgs args{};
  std::string message;
  switch (parse_args(argc, argv, &args, out, message)) {
    case kAnswered: return 0;  // --help or --version
    case kParseRefused: return bad_input(err, message);
    case kParsed: break;
  }
  if (args.positional.empty()) return bad_input(err, "no view given");
  const ViewDef *view = find_view(args.positional[0]);
  if (!view) return bad_input(err, "unknown view '" + args.positional[0] + "'");

  if (args.given[kOptAdd]) {  // the words after NAME are LAT, LON and ZONE
    if (!(view->options & kTakesAdd))
      return bad_input(err, option_not_for("--add", kTakesAdd, *view));
    if (args.given[kOptSearch]) return bad_input(err, "--add and --search do not go together");
    std::vector<const char *> words{args.value[kOptAdd].c_str()};
    for (size_t i = 1; i < args.positional.size(); ++i) words.push_back(args.positional[i].c_str());
    return run_places_add(static_cast<int>(words.size()), words.data(), setting.system_dir,
                          setting.query_bytes, out, err);
  }
  PlaceBook places{};
  ViewArgs a{};
  if (!make_args(args, *view, setting, &places, &a, message)) {
    const int status = bad_input(err, message);
    err = place_file_error(places) + err;
    return status;
  }
  const ViewResult result = write_view(a);
  int status = 0;
  if (result.error == kViewOk) {
    out = result.text;
    err = result.notes;
  } else {
    status = report_error(err, result.error, result.message);
  }
  err = place_file_error(places) + err;
  return status;
}
