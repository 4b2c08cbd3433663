// SPDX-License-Identifier: MIT
// The real kalender window under the tests of tests/gtk_harness.h: the
// script tests/data/gui-kalender.txt (layout, every button, the steps,
// typing, the wheel), seeded random clicks, the desktop identity and the
// two ways to end the main loop.
#include "kalgui.h"
#include "../../tests/gtk_harness.h"
#include "kalreport.h"

// Nothing before the first click, the information text, or the report of
// the entries.
std::string harness::expected(const std::string &label) {
  if (label.empty()) return "";
  if (label == "Programm Information") return kalender_info_text();
  g_autoptr(GDateTime) now = g_date_time_new_now_local();
  return kalender_report(gtk_entry_get_text(GTK_ENTRY(year)), gtk_entry_get_text(GTK_ENTRY(month)),
                         g_date_time_get_day_of_month(now), g_date_time_get_month(now),
                         g_date_time_get_year(now))
      .text;
}

void harness::after_random_click() {}

harness::Window harness::open_window(const char *) {
  KalWindow *w = kalender_build_window();
  return {"kalender",
          w->window,
          w->output,
          {w->buttons, w->buttons + kKalButtonCount},
          {{"year", w->year}, {"month", w->month}},
          gdk_font_load(kKalFontFixed)};
}
