// SPDX-License-Identifier: MIT
// The one state of nachtblick's window, which every callback gets as its
// data, and what the window's files share. The layer is thin: every report
// is a pure function of nachtblick/views; a callback gathers its input from
// the entries and this state and shows the text by the same steps every
// time (font, freeze, clear, one insert, thaw).
#ifndef NACHTBLICK_APP_H
#define NACHTBLICK_APP_H

#include <gtk/gtk.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "nachtblick/place/cities.h"
#include "nachtblick/place/places.h"
#include "nachtblick/views/chart.h"
#include "nachtblick/views/registry.h"

enum { kNbButtons = 16 };

// The fields of the dialog that adds a place.
enum { kFieldName, kFieldLat, kFieldLon, kFieldZone, kAddFields };

struct App {
  // The widgets, alive for the whole run.
  GtkWidget *window;
  GtkWidget *year;  // entries, at most kEntryMaxChars characters
  GtkWidget *month;
  GtkWidget *day;
  GtkWidget *output;               // GtkText, not editable
  GtkWidget *buttons[kNbButtons];  // in creation order
  GtkWidget *place_buttons[2];     // "Naechster Ort", "Voriger Ort"
  GtkWidget *menubar;

  // What the reports show: the current view (WindowView), the today
  // toggle, the current place, and the places of the place file last read.
  int current_view;
  int today_toggle;
  int current_place;
  PlaceBook places;
  std::string system_dir;  // the folder of the system's place file

  // The fonts loaded so far by name, and the one of the text shown.
  std::map<std::string, GdkFont *> fonts;
  GdkFont *shown_font;

  // The windows and dialogs made on demand; null while none is open.
  GtkWidget *add_dialog;
  GtkWidget *add_entries[kAddFields];
  GtkWidget *add_message;
  GtkWidget *chart_window;
  GtkWidget *chart_image;
  // The city search: its dialog, entry, list (a GtkTreeView) and message
  // line; the cities listed; the search running, cancelled by the next
  // keystroke (null: none); the German names, held while it is open and
  // by each search until its result is taken.
  GtkWidget *search_dialog;
  GtkWidget *search_entry;
  GtkWidget *search_list;
  GtkWidget *search_message;
  std::vector<City> search_cities;
  GCancellable *search_pending;
  std::shared_ptr<const GermanCityNames> search_names;

  // The windows of long texts (textwindow.cpp), one for each view by name.
  std::map<std::string, GtkWidget *> text_windows;
};

// The cancel button of the dialogs, German whatever the locale, and the
// button that adds a place.
constexpr char kCancelLabel[] = "_Abbrechen";
constexpr char kAddLabel[] = "_Hinzufuegen";

// A callback of a button or a menu item: the state, then the widget.
typedef void (*AppCallback)(App *app, GtkWidget *widget);

// window.cpp: building the window.
// Builds the window after gtk_init, with app's place state set, and shows
// the greeting; the caller shows it with gtk_widget_show_all.
void build_window(App *app);

// reports.cpp: the text area and the callbacks of the buttons.
// The entry texts, today's date and the place state as one report input.
// The texts belong to the entries and stay valid until they change.
ReportInput app_report_input(App *app);
// Replaces the whole contents of the output area with a report, its text
// converted from UTF-8 to the Latin-1 of the area's X font.
void show_report(App *app, const ReportText &report);
// Whether the text area shows all of a report: its lines fit the area's
// height and each one its width.
bool fits_text_area(App *app, const ReportText &report);
// Inserts the greeting into the empty text area.
void show_greeting(App *app);
// Empties the text area.
void clear_output_window(App *app);
// Runs the report of the current view again.
void rerun_view(App *app);
// Shows a view's report, storing its current view; a view at the place
// reads the place file again first. A view of the menus shows in a window
// of its own, a view of the buttons in the text area.
void show_view(App *app, const ViewDef &view);
// Names the place file last read in the place buttons' tooltip.
void name_place_file(App *app);
// Reads the place file again and names it.
void reload_places(App *app);
// The current place from the place file read again.
const Place &current_place_now(App *app);
// Where the places come from, in German.
std::string place_file_text(const App *app);
// The current local year from the system clock.
int local_year(void);
// The callbacks of the buttons and of the menu items of the same jobs.
void quit_cb(App *app, GtkWidget *);
void info_text_cb(App *app, GtkWidget *);
void view_cb(App *app, GtkWidget *widget);
void riseset_cb(App *app, GtkWidget *);
void today_cb(App *app, GtkWidget *);
void next_place_cb(App *app, GtkWidget *);
void prev_place_cb(App *app, GtkWidget *);
void plus_year(App *app, GtkWidget *);
void minus_year(App *app, GtkWidget *);
void plus_month(App *app, GtkWidget *);
void minus_month(App *app, GtkWidget *);
void plus_day(App *app, GtkWidget *);
void minus_day(App *app, GtkWidget *);

// menus.cpp: the menu bar from the window's menu table and the views'
// menu entries.
GtkWidget *build_menu_bar(App *app);

// textwindow.cpp: a text too long for the text area in a window of its
// own, one window for each name, made at the first request and showing the
// new text at every one after; its title is the given one.
void show_text_window(App *app, const std::string &name, const std::string &title,
                      const std::string &text);
// Escape closes the window (the chart's and the texts').
void close_on_escape(GtkWidget *window);

// dialogs.cpp, chartwindow.cpp, placedialog.cpp: the menus' dialogs and
// windows.
// An error message over the window, closed by its button: what failed, in
// German, and why, the message the text front end prints (if any).
void show_error(App *app, const std::string &what, const std::string &why = "");
// The year of the views of a whole year: the year entry, or the current
// year when it holds no number. false, with the error shown under what, for
// a year they do not cover.
bool whole_year(App *app, int *year, const char *what);
// A dialog's message line: a German sentence and, on a line of its own,
// why (a name or path in it read as utf8_text reads it).
std::string dialog_message(const std::string &sentence, const std::string &why);
// The chart of the year at the current place, the bytes nachtblick-report
// writes on the same day.
ViewResult make_chart(App *app, int year, ChartFormat format);
void export_ical_cb(App *app, GtkWidget *);
void save_chart_cb(App *app, GtkWidget *);
void chart_window_cb(App *app, GtkWidget *);
void place_file_cb(App *app, GtkWidget *);
void add_place_cb(App *app, GtkWidget *);
// searchdialog.cpp: Orte, "Ort suchen…".
void search_place_cb(App *app, GtkWidget *);

#endif
