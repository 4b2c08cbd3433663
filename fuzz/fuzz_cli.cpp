// SPDX-License-Identifier: MIT
// The text front end on any command line and place file: the input is the
// arguments, separated by line feeds, then a NUL byte and the place file
// (none without a NUL). Every view, option and date text is reachable; so
// is the city search (`places --search`, `places --add NAME`, the zone
// guess of `places --add NAME LAT LON`), for names of at most
// kFuzzQueryBytes, as every search costs libgeonames a tenth of a second
// and more for a long name; and `places --add`, which writes only into the
// scratch directory: it is the working directory, HOME and the user's
// configuration directory, and the user's place file is removed before
// every input. The result is a report (or a chart's SVG, PDF or PNG) with
// status 0 or one line on stderr with status 2 (bad input) or 1 (a
// failure, or no city found), never both. (The line form of calendar
// objects is tests/ical_check.sh's.)
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "nachtblick/cli/cli.h"

// The longest name the city search takes here, in bytes.
const size_t kFuzzQueryBytes = 16;

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  char dir[] = "/tmp/nbfuzzXXXXXX";
  if (!mkdtemp(dir) || chdir(dir) != 0) return 1;  // the place file goes here
  setenv("HOME", dir, 1);
  setenv("XDG_CONFIG_HOME", dir, 1);  // before GLib reads it
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const std::string input(reinterpret_cast<const char *>(data), size);
  const size_t end = input.find('\0');  // npos: no place file
  std::remove("gtknblick.conf");
  std::filesystem::remove_all("nachtblick");  // the user's, places --add may write it
  if (end != std::string::npos)
    std::ofstream("gtknblick.conf", std::ios::binary) << input.substr(end + 1);
  std::vector<std::string> args{"nachtblick-report", ""};
  for (char c : input.substr(0, end)) c == '\n' ? args.push_back("") : args.back().push_back(c);
  std::vector<const char *> argv;
  for (const std::string &a : args) argv.push_back(a.c_str());
  std::string out, err;
  // The chart linked, not loaded as a module; no system place file; short
  // names for the city search.
  const CliSetting setting{"/nonexistent", chart_report, kFuzzQueryBytes};
  const int status = run_report_cli(static_cast<int>(argv.size()), argv.data(), out, err, setting);
  const bool picture =
      out.rfind("<?xml", 0) == 0 || out.rfind("%PDF-", 0) == 0 || out.rfind("\x89PNG\r\n", 0) == 0;
  const bool report = status == 0 && !out.empty() && (out.back() == '\n' || picture);
  const bool refusal =
      (status == 1 || status == 2) && out.empty() && err.find('\n') == err.size() - 1;
  if (!report && !refusal) std::abort();
  return 0;
}
