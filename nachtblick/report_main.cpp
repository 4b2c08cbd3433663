// SPDX-License-Identifier: MIT
// nachtblick-report: the reports of nachtblick as text, without a window.
#include <cstdio>
#include <string>

#include "nachtblick/cli.h"

int main(int argc, char **argv) {
  std::string out, err;
  const int status = run_report_cli(argc, argv, out, err);
  std::fwrite(out.data(), 1, out.size(), stdout);
  std::fwrite(err.data(), 1, err.size(), stderr);
  return status;
}
