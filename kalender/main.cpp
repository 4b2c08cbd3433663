// SPDX-License-Identifier: MIT
// main.cpp - the kalender program: a month calendar and the Easter-dependent
// feast days of a year in one small window.
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

// True when the option stands before any "--". --help and --version are
// answered before GTK+ sees the command line, so they need no display.
bool given(int argc, char *argv[], const char *option) {
  for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; ++i)
    if (std::strcmp(argv[i], option) == 0) return true;
  return false;
}

// Writes text to stdout; 0, or 1 after a line on stderr when that fails.
int print(const char *text) {
  if (std::printf("%s", text) >= 0 && std::fflush(stdout) == 0) return 0;
  std::perror("kalender: write error");
  return 1;
}

}  // namespace

int main(int argc, char *argv[]) {
  if (given(argc, argv, "--help")) return print(kUsage);
  if (given(argc, argv, "--version")) return print(kVersion);
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
