// SPDX-License-Identifier: MIT
// The command line of nachtblick-report split by GLib's option parser
// (GOptionContext) into option values and positional texts, and the help,
// built from the option table and the table of views.
#ifndef NACHTBLICK_OPTIONS_H
#define NACHTBLICK_OPTIONS_H

#include <string>
#include <vector>

// The options, in the order of the option table.
enum Option {
  kOptPlace,
  kOptToday,
  kOptFormat,
  kOptEvents,
  kOptAdd,
  kOptSearch,
  kOptHelp,
  kOptVersion,
  kOptions
};

// The command line split into its texts.
struct CliArgs {
  std::vector<std::string> positional;  // the view and the date texts
  bool given[kOptions];
  std::string value[kOptions];
};

// What parse_args found.
enum ParseResult {
  kParsed,       // go on with args
  kAnswered,     // --help or --version: out holds the answer
  kParseRefused  // message says why, one line without line end
};

// Splits argv (argv[0] is the program's name). "--" (once) ends the
// options; an argument that begins with '-' is an option unless it is a
// negative number ("-5", "-33.8667"), which is a positional; an option
// given twice, an unknown option, a value missing and too many positionals
// are refused.
ParseResult parse_args(int argc, const char *const argv[], CliArgs *args, std::string &out,
                       std::string &message);

// The value of an option, or null when it was not given.
const char *option_value(const CliArgs &args, Option option);

#endif
