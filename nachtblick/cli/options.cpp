// SPDX-License-Identifier: MIT
// GLib's option parser on the table of options, and the help: GLib's usage
// line and option list, the table of views before them and how the dates
// are read and where the places come from after them.
#include "nachtblick/cli/options.h"

#include <glib.h>

#include <cstring>

#include "calendar/calendar.h"
#include "nachtblick/place/cities.h"
#include "nachtblick/place/places.h"
#include "nachtblick/text/textbuf.h"
#include "nachtblick/views/ical.h"
#include "nachtblick/views/registry.h"
#include "nachtblick/views/viewformat.h"

namespace {

const char kVersion[] = "nachtblick-report " NB_VERSION "\n";
// The view and at most three date texts.
const size_t kMaxPositional = 4;
// The help of an option is wrapped at these widths: on the option's line,
// and on the lines below it, which are indented by kHelpIndent.
const size_t kHelpFirstWidth = 50, kHelpWidth = 72;
const char kHelpIndent[] = "\n                             ";

// text wrapped at blanks into lines of kHelpFirstWidth, then kHelpWidth
// characters.
std::string wrapped(const std::string &text) {
  std::string out, line;
  size_t width = kHelpFirstWidth;
  for (size_t at = 0; at < text.size();) {
    size_t end = text.find(' ', at);
    if (end == std::string::npos) end = text.size();
    const std::string word = text.substr(at, end - at);
    if (!line.empty() && line.size() + 1 + word.size() > width) {
      out += line + kHelpIndent;
      line.clear();
      width = kHelpWidth;
    }
    line += (line.empty() ? "" : " ") + word;
    at = end + 1;
  }
  return out + line;
}

// The help of --format: the views by the formats they take.
std::string format_help() {
  std::string text;
  for (int i = 0; i < kViewCount; ++i) {
    const ViewDef &v = kViews[i];
    if (!v.formats) continue;
    const bool first = i == 0 || kViews[i - 1].formats != v.formats;
    const bool last = i + 1 == kViewCount || kViews[i + 1].formats != v.formats;
    text += std::string(first ? (text.empty() ? "" : "; ") : ", ") + v.name;
    if (last) text += ": " + joined_names(v.formats, v.nformats);
  }
  text += std::string("; ") + view_with(kTakesSearch)->name +
          " --search: " + joined_names(kViewFormatNames, kViewFormats);
  return wrapped(text + " (the first is the default)");
}

std::string search_help() {
  std::string text;
  append_format(text,
                "%s: instead of the table, the cities whose names match TEXT, at most %d, "
                "with German names (GeoNames's cities of 15000 people or more)",
                view_with(kTakesSearch)->name, int(kMaxCities));
  return wrapped(text);
}

std::string events_help() {
  return wrapped(std::string(view_with(kTakesEvents)->name) +
                 ": the events, a comma-separated list of " + ical_event_names() +
                 " (default: all but golden and apsides)");
}

// The option table, in the order of Option, and the texts of its help.
struct OptionTable {
  std::string format, events, search;
  GOptionEntry entries[kOptions + 1];
};

gboolean take_option(const gchar *name, const gchar *value, gpointer data, GError **error);

// Values are taken as their bytes (FILENAME: not converted from the
// locale's encoding).
void fill_table(OptionTable *t) {
  t->format = format_help();
  t->events = events_help();
  t->search = search_help();
  const gpointer take = reinterpret_cast<gpointer>(take_option);
  const GOptionFlags value = G_OPTION_FLAG_FILENAME, none = G_OPTION_FLAG_NO_ARG;
  const GOptionEntry entries[kOptions + 1] = {
      {"place", 0, value, G_OPTION_ARG_CALLBACK, take,
       "place N of the place table (default 0); ical: the events there", "N"},
      {"today", 0, value, G_OPTION_ARG_CALLBACK, take,
       "today's date (ical: the DTSTAMP; chart: a PDF's creation date)", "YYYY-MM-DD"},
      {"format", 0, value, G_OPTION_ARG_CALLBACK, take, t->format.c_str(), "F"},
      {"events", 0, value, G_OPTION_ARG_CALLBACK, take, t->events.c_str(), "LIST"},
      {"add", 0, value, G_OPTION_ARG_CALLBACK, take,
       "places: first add the place NAME at LAT LON [ZONE] to ./gtknblick.conf\n"
       "                             when that is the place file in use, else to the user's file\n"
       "                             $XDG_CONFIG_HOME/nachtblick/gtknblick.conf (default\n"
       "                             ~/.config), made from the file in use when there is none;\n"
       "                             LAT and LON as -33.8667 151.2167 or 33S52 151E13,\n"
       "                             ZONE e.g. Australia/Sydney (none: the zone of the nearest\n"
       "                             city within 100 km, else MEZ/MESZ); NAME alone: the first\n"
       "                             city --search NAME finds, with its coordinates and zone",
       "NAME"},
      {"search", 0, value, G_OPTION_ARG_CALLBACK, take, t->search.c_str(), "TEXT"},
      {"help", 'h', none, G_OPTION_ARG_CALLBACK, take, "print this help and exit", nullptr},
      {"version", 0, none, G_OPTION_ARG_CALLBACK, take, "print the version and exit", nullptr},
      {nullptr, 0, 0, G_OPTION_ARG_NONE, nullptr, nullptr, nullptr}};  // the end
  std::copy(entries, entries + kOptions + 1, t->entries);
}

// What the option callback works on: the table and the values found.
struct Parse {
  const OptionTable *table;
  CliArgs *args;
  std::string error;  // what the callback refused
};

// GOption's callback for every option: notes the option and its value; an
// option given twice is refused, and --help and --version end the parse.
gboolean take_option(const gchar *name, const gchar *value, gpointer data, GError **) {
  Parse *parse = static_cast<Parse *>(data);
  const GOptionEntry *entries = parse->table->entries;
  int k = 0;  // name is "--" and the long name, or "-" and the short one
  while (name[1] == '-' ? std::strcmp(name + 2, entries[k].long_name) != 0
                        : name[1] != entries[k].short_name)
    ++k;
  if (parse->args->given[k]) {
    parse->error = std::string(name) + " given twice";
    return FALSE;
  }
  parse->args->given[k] = true;
  if (value) parse->args->value[k] = value;
  return k != kOptHelp && k != kOptVersion;
}

std::string help_text(GOptionContext *context) {
  std::string summary =
      "Prints the text the nachtblick window shows for a report, the events of\n"
      "a year as iCalendar, or the chart of a year.\n"
      "\n"
      "VIEW is one of (with the dates it takes and the years it shows):";
  for (int i = 0; i < kViewCount; ++i) {
    const ViewDef &v = kViews[i];
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
// view and the date texts. false with the message on an error.
bool take_positionals(gchar **left, CliArgs *args, std::string &message) {
  bool options_done = false;
  for (gchar **p = left[0] ? left + 1 : left; *p; ++p) {
    const char *arg = *p;
    if (!options_done && std::strcmp(arg, "--") == 0) {
      options_done = true;
    } else if (!options_done && arg[0] == '-' && arg[1] && !negative_number(arg)) {
      message = std::string("unknown option '") + arg + "'";
      return false;
    } else if (args->positional.size() == kMaxPositional) {
      message = std::string("too many arguments at '") + arg + "'";
      return false;
    } else {
      args->positional.push_back(arg);
    }
  }
  return true;
}

}  // namespace

ParseResult parse_args(int argc, const char *const argv[], CliArgs *args, std::string &out,
                       std::string &message) {
  OptionTable table;
  fill_table(&table);
  Parse parse{&table, args, ""};
  GOptionContext *context = g_option_context_new("VIEW [YEAR [MONTH [DAY]]]");
  GOptionGroup *group = g_option_group_new(nullptr, nullptr, nullptr, &parse, nullptr);
  g_option_group_add_entries(group, table.entries);
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
  ParseResult result = kParseRefused;
  if (args->given[kOptHelp]) {
    out = help_text(context);
    result = kAnswered;
  } else if (args->given[kOptVersion]) {
    out = kVersion;
    result = kAnswered;
  } else if (!parse.error.empty()) {
    message = parse.error;
  } else if (!parsed) {
    // The one error GOption finds itself: an option without its value at
    // the end of the arguments.
    message = error->code == G_OPTION_ERROR_BAD_VALUE
                  ? std::string(argv[argc - 1]) + " needs a value"
                  : std::string(error->message);
  } else if (take_positionals(strv, args, message)) {
    result = kParsed;
  }
  g_clear_error(&error);
  g_strfreev(strv);
  g_option_context_free(context);
  return result;
}

const char *option_value(const CliArgs &args, Option option) {
  return args.given[option] ? args.value[option].c_str() : nullptr;
}
