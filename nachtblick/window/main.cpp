// SPDX-License-Identifier: MIT
// nachtblick: calendar and astronomy in one window.
#include <cstdio>
#include <cstring>

#include <gtk/gtk.h>

#include "nachtblick/place/places.h"
#include "nachtblick/window/app.h"

namespace {

const char kUsage[] =
    "Usage: nachtblick [GTK-OPTION...]\n"
    "\n"
    "Calendar and astronomy in one window: month sheets, feasts, Moon phases\n"
    "and eclipses, seasons, rise and set of the Sun and the Moon, pi.\n" NB_PLACE_SEARCH_HELP
    "\n"
    "Options:\n"
    "  --help       print this help and exit\n"
    "  --version    print the version and exit\n"
    "The options of GTK+ (such as --display DISPLAY) are passed to GTK+.\n";

const char kVersion[] = "nachtblick " NB_VERSION "\n";

// --help and --version are answered before GTK+ sees the command line, so
// they need no display. Returns -1 when neither is given, else the exit
// status.
int answer_info_options(int argc, char **argv) {
  for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
    const char *text = nullptr;
    if (std::strcmp(argv[i], "--help") == 0) text = kUsage;
    if (std::strcmp(argv[i], "--version") == 0) text = kVersion;
    if (!text) continue;
    if (std::fputs(text, stdout) >= 0 && std::fflush(stdout) == 0) return 0;
    std::perror("nachtblick: write error");
    return 1;
  }
  return -1;
}

}  // namespace

int main(int argc, char **argv) {
  const int info_status = answer_info_options(argc, argv);
  if (info_status >= 0) return info_status;
  // The one state of the window; the place table and the January variant
  // are set before any widget.
  App app{};
  app.system_dir = system_place_dir();
  app.places = load_places(app.system_dir);
  if (!gtk_init_check(&argc, &argv)) {
    std::fprintf(stderr,
                 "nachtblick: no X display; nachtblick needs an X display "
                 "(without one, run it as: xvfb-run -a nachtblick)\n");
    return 1;
  }
  build_window(&app);
  gtk_widget_show_all(app.window);
  gtk_main();
  return 0;
}
