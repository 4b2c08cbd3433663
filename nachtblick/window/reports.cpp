// SPDX-License-Identifier: MIT
// The text area and the callbacks behind nachtblick's buttons: the views,
// the date steps, today's date and the place steps.
#include <cstring>
#include <ctime>
#include <string>

#include "calendar/calendar.h"
#include "nachtblick/text/latin1.h"
#include "nachtblick/text/utf8.h"
#include "nachtblick/window/app.h"

// GtkText keeps this many pixels at the end of a line for the mark of a
// line it breaks.
enum { kLineWrapRoom = 8 };

// X core font by name, loaded once per name and kept for the whole run (the
// load result is not checked: a NULL font makes the text use the widget's).
static GdkFont *report_font(App *app, const char *name) {
  const auto known = app->fonts.find(name);
  if (known != app->fonts.end()) return known->second;
  return app->fonts[name] = gdk_font_load(name);
}

void clear_output_window(App *app) {
  GtkText *text = GTK_TEXT(app->output);
  while (gtk_text_backward_delete(text, 1)) {
  }
  while (gtk_text_forward_delete(text, 1)) {
  }
}

void show_report(App *app, const ReportText &report) {
  GdkFont *font = report_font(app, report.font);
  app->shown_font = font;
  const std::string shown = latin1_text(report.text.c_str());
  GtkText *text = GTK_TEXT(app->output);
  gtk_text_freeze(text);
  clear_output_window(app);
  gtk_text_insert(text, font, NULL, NULL, shown.c_str(), static_cast<gint>(shown.size()));
  gtk_text_thaw(text);
}

void show_greeting(App *app) {
  app->shown_font = report_font(app, kFontGreeting);
  gtk_text_insert(GTK_TEXT(app->output), app->shown_font, NULL, NULL,
                  latin1_text(kGreetingText).c_str(), -1);
}

// The lines of the report, in its font, against the area inside the
// widget's frame: their number times the font's line height, and the
// width of each.
bool fits_text_area(App *app, const ReportText &report) {
  GdkFont *font = report_font(app, report.font);
  gint width, height;
  gdk_window_get_size(GTK_TEXT(app->output)->text_area, &width, &height);
  const std::string shown = latin1_text(report.text.c_str());
  gchar **lines = g_strsplit(shown.c_str(), "\n", -1);
  int count = 0;
  bool narrow = true;
  for (gchar **line = lines; *line; ++line) {
    if (**line || line[1]) ++count;  // not the empty rest after a final line end
    narrow = narrow && gdk_text_width(font, *line, static_cast<gint>(std::strlen(*line))) <=
                           width - kLineWrapRoom;
  }
  g_strfreev(lines);
  return narrow && count * (font->ascent + font->descent) <= height;
}

ReportInput app_report_input(App *app) {
  ReportInput in;
  in.year_text = gtk_entry_get_text(GTK_ENTRY(app->year));
  in.month_text = gtk_entry_get_text(GTK_ENTRY(app->month));
  in.day_text = gtk_entry_get_text(GTK_ENTRY(app->day));
  todaydate(&in.today.day, &in.today.month, &in.today.year);
  in.places = app->places.table;
  in.current_place = app->current_place;
  in.january_variant = app->places.january_variant;
  return in;
}

std::string place_file_text(const App *app) {
  const PlaceBook &places = app->places;
  if (!places.error.empty()) return places.error + "; nur der eingebaute Ort";
  if (places.path.empty()) return "Keine Ortsdatei gefunden, nur der eingebaute Ort";
  gchar *path = g_canonicalize_filename(places.path.c_str(), NULL);
  const std::string text = std::string("Orte aus ") + path;
  g_free(path);
  return text;
}

void name_place_file(App *app) {
  const std::string tip = utf8_text(place_file_text(app).c_str());
  for (GtkWidget *button : app->place_buttons) gtk_widget_set_tooltip_text(button, tip.c_str());
}

void reload_places(App *app) {
  app->places = load_places(app->system_dir);
  name_place_file(app);
}

// A reload that leaves the current place on a slot no longer in use goes
// back to the first place rather than show an empty one.
const Place &current_place_now(App *app) {
  reload_places(app);
  if (!place_in_use(app->places.table, app->current_place)) app->current_place = 0;
  return app->places.table[app->current_place];
}

// The heading of a text: its first line that is not blank, without the
// blanks around it.
static std::string heading(const std::string &text) {
  size_t start = text.find_first_not_of(" \n");
  if (start == std::string::npos) return "";
  const size_t end = text.find('\n', start);
  std::string line = text.substr(start, end == std::string::npos ? end : end - start);
  return line.substr(0, line.find_last_not_of(' ') + 1);
}

// A view of the menus shows in its window, named by its heading.
void show_view(App *app, const ViewDef &view) {
  if (view.place) current_place_now(app);
  if (view.window_view != kWindowNone) app->current_view = view.window_view;
  const ReportText report = view.report(app_report_input(app));
  if (!view.menu) return show_report(app, report);
  show_text_window(app, view.name, heading(report.text), report.text);
}

void quit_cb(App *, GtkWidget *) { gtk_main_quit(); }

void info_text_cb(App *app, GtkWidget *) { show_report(app, info_report()); }

// A view's button or menu item: the view is the widget's "nb-view".
void view_cb(App *app, GtkWidget *widget) {
  show_view(app, *static_cast<const ViewDef *>(g_object_get_data(G_OBJECT(widget), "nb-view")));
}

void riseset_cb(App *app, GtkWidget *) { show_view(app, window_view(kWindowRiseset)); }

void rerun_view(App *app) { show_view(app, window_view(app->current_view)); }

// ---------------------------------------------------------------------------
// Date buttons: step one entry, wrap at the ends of its cycle, run the view
// again. The step is taken in a wider type because entrytoint saturates at
// the ends of int; every wrapped result fits an int again.

static void set_entry_number(GtkWidget *entry, long long value) {
  gtk_entry_set_text(GTK_ENTRY(entry), std::to_string(static_cast<int>(value)).c_str());
}

int local_year(void) {
  std::time_t now = std::time(NULL);
  return std::localtime(&now)->tm_year + 1900;
}

// Steps an entry by one (step +1 or -1). Only the end the step moves
// towards is corrected: past last it wraps to first, below first to last.
// A year entry that holds no number steps to the current year.
static void step_entry(App *app, GtkWidget *entry, int step, long long first, long long last) {
  long long value = entrytoint(gtk_entry_get_text(GTK_ENTRY(entry)));
  if (entry == app->year && value == 0) value = local_year() - step;
  value += step;
  if (step == 1 && value > last) value = first;
  if (step == -1 && value < first) value = last;
  set_entry_number(entry, value);
  rerun_view(app);
}

void plus_year(App *app, GtkWidget *) {
  step_entry(app, app->year, +1, kFirstCalendarYear, kLastCalendarYear);
}
void minus_year(App *app, GtkWidget *) {
  step_entry(app, app->year, -1, kFirstCalendarYear, kLastCalendarYear);
}
void plus_month(App *app, GtkWidget *) { step_entry(app, app->month, +1, 0, 12); }
void minus_month(App *app, GtkWidget *) { step_entry(app, app->month, -1, 0, 12); }
void plus_day(App *app, GtkWidget *) { step_entry(app, app->day, +1, 0, 31); }
void minus_day(App *app, GtkWidget *) { step_entry(app, app->day, -1, 0, 31); }

// Today's date; in the calendar view every other click asks for month 0
// (the feast list of the year).
void today_cb(App *app, GtkWidget *) {
  int day, month, year;
  todaydate(&day, &month, &year);
  app->today_toggle = 1 - app->today_toggle;
  set_entry_number(app->day, day);
  set_entry_number(app->year, year);
  const bool feasts = app->today_toggle == 1 && app->current_view == kWindowCalendar;
  set_entry_number(app->month, feasts ? 0 : month);
  rerun_view(app);
}

// ---------------------------------------------------------------------------
// Place buttons: reload the place file, step over the places now in it,
// show the rise and set report.

void next_place_cb(App *app, GtkWidget *) {
  reload_places(app);
  int place = app->current_place + 1;
  if (!place_in_use(app->places.table, place)) place = 0;
  app->current_place = place;
  riseset_cb(app, NULL);
}

// From the first place to the last one in use. Slots not in use are passed
// over downwards in every case, also when a shorter file left the current
// place beyond its last place.
void prev_place_cb(App *app, GtkWidget *) {
  reload_places(app);
  int place = app->current_place - 1;
  if (place < 0) place = kPlaceSlots - 1;
  while (!app->places.table[place].used) --place;  // slot 0 is always in use
  app->current_place = place;
  riseset_cb(app, NULL);
}
