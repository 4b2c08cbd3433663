// SPDX-License-Identifier: MIT
// nachtblick: calendar and astronomy in one window.
#include <cstdio>

#include <gtk/gtk.h>

#include "nachtblick/places.h"
#include "nachtblick/window.h"

int main(int argc, char **argv) {
  // The place table and the January variant are set before any widget.
  load_places();
  if (!gtk_init_check(&argc, &argv)) {
    std::fprintf(stderr,
                 "nachtblick: no X display; nachtblick needs an X display "
                 "(without one, run it as: xvfb-run -a nachtblick)\n");
    return 1;
  }
  NbWindow *window = build_window();
  gtk_widget_show_all(window->window);
  gtk_main();
  return 0;
}
