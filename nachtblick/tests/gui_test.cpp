// SPDX-License-Identifier: MIT
// The real window of nachtblick under the tests of tests/gtk_harness.h: the
// script tests/data/gui-nachtblick.txt (layout, every button and menu item,
// the date and place stepping, typing, the wheel, the dialogs), seeded
// random clicks while the place file changes, the desktop identity and the
// three ways to end the main loop.
#include "nachtblick/place/places.h"
#include "nachtblick/text/latin1.h"
#include "nachtblick/window/app.h"
#include "tests/gtk_harness.h"

// The window's state.
static App app{};

// Pi and the information are reports of their own; every other button
// shows the report of the current view. The text area holds them in
// Latin-1.
static std::string report_text(const std::string &label) {
  if (label.empty()) return kGreetingText;
  if (label == "Kreiszahl PI berechnen") return pi_report().text;
  if (label == "Programm Information" || label == "Hilfe/Info") return info_report().text;
  return window_view(app.current_view).report(app_report_input(&app)).text;
}
std::string harness::expected(const std::string &label) {
  return latin1_text(report_text(label).c_str());
}

// The place shown is one in use; now and then the place file changes to up
// to 40 random lines, some of them malformed.
void harness::after_random_click() {
  EXPECT_TRUE(app.places.table[app.current_place].used);
  if (below(25) != 0) return;
  std::ofstream conf(kPlaceFile);
  for (int n = below(40); n > 0; --n)
    conf << 10 + below(90) << " N 00  0" << 10 + below(90) << " E " << random_text(2) << " "
         << random_text(30) << " [" << (below(2) ? "Asia/Tokyo]" : random_text(9)) << "\n";
}

harness::Window harness::open_window(const char *dir) {
  app.system_dir = dir;  // holds no place file
  app.places = load_places(app.system_dir);
  build_window(&app);
  return {
      "nachtblick",
      app.window,
      app.output,
      {app.buttons, app.buttons + kNbButtons},
      {{"year", app.year}, {"month", app.month}, {"day", app.day}},
      gdk_font_load(kFontReport),
      {{"view", &app.current_view}, {"place", &app.current_place}, {"toggle", &app.today_toggle}},
      app.menubar,
      NB_REPORT_PROGRAM};
}
