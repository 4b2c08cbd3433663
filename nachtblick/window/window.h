// SPDX-License-Identifier: MIT
// The window of nachtblick: a menu bar, and below it sixteen buttons, three
// date entries and the read-only text area; the callbacks behind them.
#ifndef NACHTBLICK_WINDOW_H
#define NACHTBLICK_WINDOW_H

#include <gtk/gtk.h>

#include "nachtblick/views/reports.h"

enum { kNbButtons = 16 };

struct NbWindow {
  GtkWidget *window;
  GtkWidget *year;  // entries, at most kEntryMaxChars characters
  GtkWidget *month;
  GtkWidget *day;
  GtkWidget *output;               // GtkText, not editable
  GtkWidget *buttons[kNbButtons];  // in creation order
  GtkWidget *menubar;
};

// Builds the window after gtk_init (and load_places) and shows the greeting;
// the caller shows it with gtk_widget_show_all. One window per process.
NbWindow *build_window(void);

// Current view (kView* of reports.h) and the today toggle.
extern int current_view;
extern int today_toggle;

// What the report callbacks hand to the reports: the entry texts, today's
// date and the place state. The texts belong to the entries and stay valid
// until they change.
ReportInput window_report_input(void);

// Empties the text area.
void clear_output_window(void);
// Runs the report of the current view again.
void rerun_view(void);

#endif
