// SPDX-License-Identifier: MIT
// kalgui.h - the window of the kalender program and its callbacks.
#ifndef KALENDER_KALGUI_H
#define KALENDER_KALGUI_H

#include <gtk/gtk.h>

// The eight buttons, in the order they are created.
enum KalButton {
  kKalButtonEnde,        // "Programm beenden"
  kKalButtonInfo,        // "Programm Information"
  kKalButtonBerechnen,   // "Datum berechnen"
  kKalButtonAktuell,     // "Aktuelles Jahr / Monat"
  kKalButtonJahrPlus,    // "Jahr plus"
  kKalButtonJahrMinus,   // "Jahr minus"
  kKalButtonMonatPlus,   // "Monat plus"
  kKalButtonMonatMinus,  // "Monat minus"
  kKalButtonCount
};

struct KalWindow {
  GtkWidget *window;
  GtkWidget *year;    // entry, at most 25 characters
  GtkWidget *month;   // entry, at most 25 characters
  GtkWidget *output;  // read-only GtkText
  GtkWidget *buttons[kKalButtonCount];
};

// The entry widgets and the text area; set by kalender_build_window.
extern GtkWidget *year;
extern GtkWidget *month;
extern GtkWidget *output;

// Builds the window with its widgets and signals (not yet shown).  The
// toolkit must be initialised.  The returned structure is static.
KalWindow *kalender_build_window(void);

// Button callbacks.  They ignore their arguments and read the entries.
void ende_cb(GtkWidget *widget, gpointer data);
void info_text_cb(GtkWidget *widget, gpointer data);
void read_text_cb(GtkWidget *widget, gpointer data);
void copy_year(GtkWidget *widget, gpointer data);
void plus_year(GtkWidget *widget, gpointer data);
void minus_year(GtkWidget *widget, gpointer data);
void plus_month(GtkWidget *widget, gpointer data);
void minus_month(GtkWidget *widget, gpointer data);

// Empties the text area.
void clear_output_window(void);

#endif
