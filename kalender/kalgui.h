// SPDX-License-Identifier: MIT
// kalgui.h - the window of the kalender program and its callbacks.
#ifndef KALENDER_KALGUI_H
#define KALENDER_KALGUI_H

#include <gtk/gtk.h>

// The eight buttons, in the order they are created.
enum KalButton {
  KAL_BTN_ENDE,         // "Programm beenden"
  KAL_BTN_INFO,         // "Programm Information"
  KAL_BTN_BERECHNEN,    // "Datum berechnen"
  KAL_BTN_AKTUELL,      // "Aktuelles Jahr / Monat"
  KAL_BTN_JAHR_PLUS,    // "Jahr plus"
  KAL_BTN_JAHR_MINUS,   // "Jahr minus"
  KAL_BTN_MONAT_PLUS,   // "Monat plus"
  KAL_BTN_MONAT_MINUS,  // "Monat minus"
  KAL_BTN_COUNT
};

struct KalWindow {
  GtkWidget *window;
  GtkWidget *year;    // entry, at most 25 characters
  GtkWidget *month;   // entry, at most 25 characters
  GtkWidget *output;  // read-only GtkText
  GtkWidget *buttons[KAL_BTN_COUNT];
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
