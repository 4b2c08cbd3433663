// SPDX-License-Identifier: MIT
// nachtblick-report: the reports of nachtblick as text, without a window.
#include <glib.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "nachtblick/cli/cli.h"

int main(int argc, char **argv) {
  g_set_prgname("nachtblick-report");  // the usage line's name, whatever argv[0] is
  std::string out, err;
  int status = run_report_cli(argc, argv, out, err);
  std::fwrite(err.data(), 1, err.size(), stderr);
  errno = 0;
  const bool written = std::fwrite(out.data(), 1, out.size(), stdout) == out.size();
  if (std::fflush(stdout) != 0 || !written || std::ferror(stdout)) {
    std::fprintf(stderr, "nachtblick-report: write error: %s\n",
                 errno ? std::strerror(errno) : "output failed");
    status = 1;
  }
  return status;
}
