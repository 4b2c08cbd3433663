// SPDX-License-Identifier: MIT
// The text front end on any command line: the input is its arguments,
// separated by line feeds (a NUL byte ends the input). Every view, option
// and date text is reachable; the result is a report with status 0 or one
// line on stderr with status 2, never both.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "nachtblick/cli.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  std::vector<std::string> args{"nachtblick-report"};
  std::string arg;
  for (size_t i = 0; i <= size && (i == size || data[i] != 0); ++i) {
    if (i == size || data[i] == '\n') {
      args.push_back(arg);
      arg.clear();
    } else {
      arg += static_cast<char>(data[i]);
    }
  }
  std::vector<const char *> argv;
  for (const std::string &a : args) argv.push_back(a.c_str());
  std::string out, err;
  const int status = run_report_cli(static_cast<int>(argv.size()), argv.data(), out, err);
  const bool report = status == 0 && !out.empty() && out.back() == '\n';
  const bool refusal = status == 2 && out.empty() && err.find('\n') == err.size() - 1;
  if (!report && !refusal) std::abort();
  return 0;
}
