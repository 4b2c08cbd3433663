// SPDX-License-Identifier: MIT
// main.cpp - the kalender program: a month calendar and the Easter-dependent
// feast days of a year in one small window.
#include <cerrno>
#include <cstdio>
#include <cstring>

#include <gtk/gtk.h>

#include "kalgui.h"

namespace {

const char kUsage[] =
    "Usage: kalender [GTK-OPTION...]\n"
    "\n"
    "A month sheet with ISO week numbers, or the Easter-dependent feast days\n"
    "of a year, in one small window.\n"
    "\n"
    "Options:\n"
    "  --help       print this help and exit\n"
    "  --version    print the version and exit\n"
    "The options of GTK+ (such as --display DISPLAY) are passed to GTK+.\n";

const char kVersion[] = "kalender " KALENDER_VERSION "\n";

// --help and --version are answered before GTK+ sees the command line, so
// they need no display. Returns -1 when neither is given, else the exit
// status.
int answer_info_options(int argc, char *argv[]) {
  for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
    const char *text = nullptr;
    if (std::strcmp(argv[i], "--help") == 0) text = kUsage;
    if (std::strcmp(argv[i], "--version") == 0) text = kVersion;
    if (!text) continue;
    errno = 0;
    if (std::fputs(text, stdout) >= 0 && std::fflush(stdout) == 0) return 0;
    std::fprintf(stderr, "kalender: write error: %s\n",
                 errno ? std::strerror(errno) : "output failed");
    return 1;
  }
  return -1;
}

}  // namespace

int main(int argc, char *argv[]) {
  const int info_status = answer_info_options(argc, argv);
  if (info_status >= 0) return info_status;
  if (!gtk_init_check(&argc, &argv)) {
    std::fprintf(stderr,
                 "kalender: cannot open an X display; it needs one "
                 "(without a screen run it as: xvfb-run -a kalender)\n");
    return 1;
  }
  KalWindow *w = kalender_build_window();
  gtk_widget_show_all(w->window);
  gtk_main();
  return 0;
}
