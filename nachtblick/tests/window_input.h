// SPDX-License-Identifier: MIT
// What the window's callbacks hand to the reports, read back from the
// window: the tests compute the expected text from it with the pure reports.
#ifndef NACHTBLICK_TESTS_WINDOW_INPUT_H
#define NACHTBLICK_TESTS_WINDOW_INPUT_H

#include <gtk/gtk.h>

#include "calendar/calendar.h"
#include "nachtblick/places.h"
#include "nachtblick/reports.h"
#include "nachtblick/window.h"

inline ReportInput window_report_input(const NbWindow *win) {
  ReportInput in{};
  in.year_text = gtk_entry_get_text(GTK_ENTRY(win->year));
  in.month_text = gtk_entry_get_text(GTK_ENTRY(win->month));
  in.day_text = gtk_entry_get_text(GTK_ENTRY(win->day));
  todaydate(&in.today_day, &in.today_month, &in.today_year);
  in.places = place_table;
  in.current_place = current_place;
  in.january_variant = january_variant;
  return in;
}

#endif
