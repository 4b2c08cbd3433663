// SPDX-License-Identifier: MIT
// main.cpp - the kalender program: a month calendar and the Easter-dependent
// feast days of a year in one small window.
#include <cstdio>

#include <gtk/gtk.h>

#include "kalgui.h"

int main(int argc, char *argv[]) {
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
