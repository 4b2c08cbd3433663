// SPDX-License-Identifier: MIT
// The text front end nachtblick-report: prints exactly the text the window
// would show for a report.
#ifndef NACHTBLICK_CLI_H
#define NACHTBLICK_CLI_H

#include <string>

#include "nachtblick/views/chart.h"

// Runs the front end on its arguments (argv[0] is the program name). Writes
// the report and a newline (or the usage, or the version) to out and
// returns 0; on a bad argument writes one line naming the problem to err,
// nothing to out, and returns 2; when the chart module cannot be loaded,
// the same with status 1. Reads the place file from the working directory.
// Never prints and never exits itself.
int run_report_cli(int argc, const char *const argv[], std::string &out, std::string &err);

// The chart view's drawing function. A program that links the chart (the
// library nb_chart) may set it to chart_report; while it is null, the chart
// view loads it from the module nachtblick-chart when it first draws.
extern ChartReportFunction cli_chart_report;

#endif
