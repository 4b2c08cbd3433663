// SPDX-License-Identifier: MIT
// The text front end nachtblick-report: prints exactly the text the window
// would show for a report.
#ifndef NACHTBLICK_CLI_H
#define NACHTBLICK_CLI_H

#include <string>

// Runs the front end on its arguments (argv[0] is the program name). Writes
// the report and a newline (or the usage, or the version) to out and
// returns 0; on a bad argument writes one line naming the problem to err,
// nothing to out, and returns 2. Reads the place file from the working
// directory.
int run_report_cli(int argc, const char *const argv[], std::string &out, std::string &err);

#endif
