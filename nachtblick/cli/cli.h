// SPDX-License-Identifier: MIT
// The text front end nachtblick-report: prints exactly the text the window
// would show for a report, and the views beyond the window's reports.
#ifndef NACHTBLICK_CLI_H
#define NACHTBLICK_CLI_H

#include <cstddef>
#include <string>

#include "nachtblick/place/cities.h"
#include "nachtblick/views/chart.h"

// What the front end takes from where it is installed.
struct CliSetting {
  std::string system_dir;     // the folder of the system's place file
  ChartReportFunction chart;  // the chart's drawing function; null: load the module
  // The longest name a city search (--search, --add NAME) takes, in bytes;
  // a fuzzer sets it lower, as every search costs a tenth of a second.
  size_t query_bytes = kMaxCityQueryBytes;
};

// The setting of the installed program: the system's place folder, and the
// chart from its module.
CliSetting installed_setting(void);

// Runs the front end on its arguments (argv[0] is the program name). Writes
// the report and a newline (or the usage, or the version) to out and
// returns 0; on bad input writes one line naming the problem to err,
// nothing to out, and returns 2; when something cannot be read, written or
// drawn (the chart module not loaded, say) or a search finds nothing, the
// same with status 1. Reads
// the place file. Never prints and never exits itself.
int run_report_cli(int argc, const char *const argv[], std::string &out, std::string &err,
                   const CliSetting &setting = installed_setting());

#endif
