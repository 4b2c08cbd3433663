// SPDX-License-Identifier: MIT
// The window of nachtblick and the callbacks behind its buttons.
//
// The layer is thin: every report is a pure function of reports.h. A report
// callback reads the three entries, stores its view, calls the report and
// writes the text into the output area by the same steps every time:
// font, freeze, clear, one insert, thaw.
#include "nachtblick/window/window.h"

#include <cstdio>
#include <cstring>
#include <ctime>
#include <map>
#include <string>

#include "calendar/calendar.h"
#include "nachtblick/place/places.h"
#include "nachtblick/views/reports.h"

int current_view = kViewCalendar;
int today_toggle = 0;

// The widgets live for the whole run; one window per process.
static NbWindow nb;

// ---------------------------------------------------------------------------
// Report output

// X core font by name. Loaded once per name and kept for the whole run (the
// load result is not checked: a NULL font makes the text use the widget's).
static GdkFont *report_font(const char *name) {
  static std::map<std::string, GdkFont *> fonts;
  const auto known = fonts.find(name);
  if (known != fonts.end()) return known->second;
  return fonts[name] = gdk_font_load(name);
}

void clear_output_window(void) {
  GtkText *text = GTK_TEXT(nb.output);
  while (gtk_text_backward_delete(text, 1)) {
  }
  while (gtk_text_forward_delete(text, 1)) {
  }
}

// The font of the text shown; the wheel steps by its lines.
static GdkFont *shown_font = NULL;
static const int kWheelLines = 3;

// Replaces the whole contents of the output area with a report.
static void show_report(const ReportText &report) {
  GdkFont *font = report_font(report.font);
  shown_font = font;
  GtkText *text = GTK_TEXT(nb.output);
  gtk_text_freeze(text);
  clear_output_window();
  gtk_text_insert(text, font, NULL, NULL, report.text.c_str(),
                  static_cast<gint>(report.text.size()));
  gtk_text_thaw(text);
}

// The entry texts, today's date and the place state as one report input.
// The texts belong to the entries and stay valid until they change.
ReportInput window_report_input(void) {
  ReportInput in;
  in.year_text = gtk_entry_get_text(GTK_ENTRY(nb.year));
  in.month_text = gtk_entry_get_text(GTK_ENTRY(nb.month));
  in.day_text = gtk_entry_get_text(GTK_ENTRY(nb.day));
  todaydate(&in.today.day, &in.today.month, &in.today.year);
  in.places = place_table;
  in.current_place = current_place;
  in.january_variant = january_variant;
  return in;
}

// ---------------------------------------------------------------------------
// Report callbacks. All callbacks ignore their arguments.

static void quit_cb(GtkWidget *, gpointer) { gtk_main_quit(); }

static void info_text_cb(GtkWidget *, gpointer) { show_report(info_report()); }

static void calendar_cb(GtkWidget *, gpointer) {
  current_view = kViewCalendar;
  show_report(calendar_report(window_report_input()));
}

static void moonphase_cb(GtkWidget *, gpointer) {
  current_view = kViewMoonphase;
  show_report(moonphase_report(window_report_input()));
}

static void seasons_cb(GtkWidget *, gpointer) {
  current_view = kViewSeasons;
  show_report(seasons_report(window_report_input()));
}

// The two place buttons: where their places come from, as a tooltip.
enum { kNextPlaceButton = 8, kPrevPlaceButton = 9 };

// Names the place file last read in the place buttons' tooltip.
static void show_place_file(void) {
  std::string tip = "Keine Ortsdatei gefunden, nur der eingebaute Ort";
  if (!place_file_error.empty()) tip = place_file_error + "; nur der eingebaute Ort";
  if (!place_file.empty()) {
    gchar *path = g_canonicalize_filename(place_file.c_str(), NULL);
    tip = std::string("Orte aus ") + path;
    g_free(path);
  }
  for (int i : {kNextPlaceButton, kPrevPlaceButton})
    gtk_widget_set_tooltip_text(nb.buttons[i], tip.c_str());
}

// Reads the place file again and names it in the tooltip.
static void reload_places(void) {
  load_places();
  show_place_file();
}

// The place file is read again first, so that edits show at once. A reload
// that leaves current_place on a slot no longer in use goes back to the
// first place rather than show an empty one.
static void riseset_cb(GtkWidget *, gpointer) {
  reload_places();
  if (!place_in_use(place_table, current_place)) current_place = 0;
  current_view = kViewRiseset;
  show_report(riseset_report(window_report_input()));
}

// Leaves current_view as it is: a date button then repeats the report shown
// before.
static void pi_cb(GtkWidget *, gpointer) { show_report(pi_report()); }

void rerun_view(void) {
  switch (current_view) {
    case kViewRiseset: riseset_cb(NULL, NULL); break;
    case kViewSeasons: seasons_cb(NULL, NULL); break;
    case kViewMoonphase: moonphase_cb(NULL, NULL); break;
    default: calendar_cb(NULL, NULL); break;
  }
}

// ---------------------------------------------------------------------------
// Date buttons: step one entry, wrap at the ends of its cycle, run the view
// again. The step is taken in a wider type because entrytoint saturates at
// the ends of int; every wrapped result fits an int again.

static void set_entry_number(GtkWidget *entry, long long value) {
  gtk_entry_set_text(GTK_ENTRY(entry), std::to_string(static_cast<int>(value)).c_str());
}

// Current local year from the system clock.
static int local_year(void) {
  std::time_t now = std::time(NULL);
  return std::localtime(&now)->tm_year + 1900;
}

// Steps an entry by one (step +1 or -1). Only the end the step moves
// towards is corrected: past last it wraps to first, below first to last.
// A year entry that holds no number steps to the current year.
static void step_entry(GtkWidget *entry, int step, long long first, long long last) {
  long long value = entrytoint(gtk_entry_get_text(GTK_ENTRY(entry)));
  if (entry == nb.year && value == 0) value = local_year() - step;
  value += step;
  if (step > 0 && value > last) value = first;
  if (step < 0 && value < first) value = last;
  set_entry_number(entry, value);
  rerun_view();
}

static void plus_year(GtkWidget *, gpointer) {
  step_entry(nb.year, +1, kFirstCalendarYear, kLastCalendarYear);
}
static void minus_year(GtkWidget *, gpointer) {
  step_entry(nb.year, -1, kFirstCalendarYear, kLastCalendarYear);
}
static void plus_month(GtkWidget *, gpointer) { step_entry(nb.month, +1, 0, 12); }
static void minus_month(GtkWidget *, gpointer) { step_entry(nb.month, -1, 0, 12); }
static void plus_day(GtkWidget *, gpointer) { step_entry(nb.day, +1, 0, 31); }
static void minus_day(GtkWidget *, gpointer) { step_entry(nb.day, -1, 0, 31); }

// Today's date; in the calendar view every other click asks for month 0
// (the feast list of the year).
static void today_cb(GtkWidget *, gpointer) {
  int day, month, year;
  todaydate(&day, &month, &year);
  today_toggle = 1 - today_toggle;
  set_entry_number(nb.day, day);
  set_entry_number(nb.year, year);
  set_entry_number(nb.month, (today_toggle == 1 && current_view == kViewCalendar) ? 0 : month);
  rerun_view();
}

// ---------------------------------------------------------------------------
// Place buttons: reload the place file, step over the places now in it,
// show the rise and set report.

static void next_place_cb(GtkWidget *, gpointer) {
  reload_places();
  int place = current_place + 1;
  if (!place_in_use(place_table, place)) place = 0;
  current_place = place;
  riseset_cb(NULL, NULL);
}

// From the first place to the last one in use. Slots not in use are passed
// over downwards in every case, also when a shorter file left current_place
// beyond its last place.
static void prev_place_cb(GtkWidget *, gpointer) {
  reload_places();
  int place = current_place - 1;
  if (place < 0) place = kPlaceSlots - 1;
  while (!place_table[place].used) --place;  // slot 0 is always in use
  current_place = place;
  riseset_cb(NULL, NULL);
}

// ---------------------------------------------------------------------------
// Input help the layout leaves out: typing replaces a hint text, and the
// wheel scrolls the text area, which has no scroll bars.

// While an entry still shows its hint (the handler's data), taking the
// focus by Tab or by a click selects all of it. The click is handled here,
// before the entry would move the cursor and drop the selection.
static gboolean hint_event_cb(GtkWidget *entry, GdkEvent *event, gpointer hint) {
  if (std::strcmp(gtk_entry_get_text(GTK_ENTRY(entry)), static_cast<const char *>(hint)) != 0)
    return FALSE;
  const bool click =
      event->type == GDK_BUTTON_PRESS && event->button.button == 1 && !GTK_WIDGET_HAS_FOCUS(entry);
  if (click) gtk_widget_grab_focus(entry);
  if (click || (event->type == GDK_FOCUS_CHANGE && event->focus_change.in))
    gtk_editable_select_region(GTK_EDITABLE(entry), 0, -1);
  return click;
}

// A notch of the wheel moves the text area by kWheelLines lines of the
// text shown, inside the scroll range.
static gboolean wheel_cb(GtkWidget *widget, GdkEventScroll *event, gpointer) {
  const int sign = event->direction == GDK_SCROLL_DOWN ? 1
                   : event->direction == GDK_SCROLL_UP ? -1
                                                       : 0;
  if (sign == 0) return FALSE;
  GdkFont *font = shown_font ? shown_font : gtk_style_get_font(widget->style);
  GtkAdjustment *adj = GTK_TEXT(widget)->vadj;
  const gdouble step = sign * kWheelLines * (font->ascent + font->descent);
  gtk_adjustment_set_value(adj, CLAMP(adj->value + step, adj->lower, adj->upper - adj->page_size));
  return TRUE;
}

// ---------------------------------------------------------------------------
// Building the window

typedef void (*ButtonCallback)(GtkWidget *, gpointer);

enum Grid { kDateTable, kButtonTable };

// The buttons in creation order and where each one sits.
struct ButtonDef {
  const char *label;
  ButtonCallback callback;
  Grid grid;
  int column;
  int row;
};

static const ButtonDef kButtonDefs[kNbButtons] = {
    {"Programm beenden", quit_cb, kButtonTable, 0, 4},
    {"Programm Information", info_text_cb, kButtonTable, 1, 4},
    {"Kalender anzeigen", calendar_cb, kButtonTable, 0, 0},
    {"Aktuelles Datum", today_cb, kButtonTable, 0, 1},
    {"Mondphasen u. Eclipses", moonphase_cb, kButtonTable, 1, 0},
    {"Beginn der Jahreszeiten", seasons_cb, kButtonTable, 1, 1},
    {"Kreiszahl PI berechnen", pi_cb, kButtonTable, 0, 2},
    {"Auf- und Untergaenge", riseset_cb, kButtonTable, 1, 2},
    {"Naechster Ort", next_place_cb, kButtonTable, 1, 3},
    {"Voriger Ort", prev_place_cb, kButtonTable, 0, 3},
    {"Jahr plus", plus_year, kDateTable, 0, 0},
    {"Jahr minus", minus_year, kDateTable, 0, 1},
    {"Monat plus", plus_month, kDateTable, 1, 0},
    {"Monat minus", minus_month, kDateTable, 1, 1},
    {"Tag plus", plus_day, kDateTable, 2, 0},
    {"Tag minus", minus_day, kDateTable, 2, 1},
};

enum {
  kWindowWidth = 600,
  kWindowHeight = 250,
  kWindowBorder = 45,
  kOutputWidth = 580,
  kOutputHeight = 280,
  kTablePadding = 10,
  kOutputPadding = 15
};

static const GtkAttachOptions kCellOptions =
    static_cast<GtkAttachOptions>(GTK_EXPAND | GTK_SHRINK | GTK_FILL);

static void attach_cell(GtkWidget *table, GtkWidget *child, int column, int row) {
  gtk_table_attach(GTK_TABLE(table), child, column, column + 1, row, row + 1, kCellOptions,
                   kCellOptions, 0, 0);
}

// An entry that starts with a hint text.
static GtkWidget *new_entry(const char *hint) {
  GtkWidget *entry = gtk_entry_new_with_max_length(kEntryMaxChars);
  gtk_entry_set_text(GTK_ENTRY(entry), hint);
  g_signal_connect(entry, "event", G_CALLBACK(hint_event_cb), const_cast<char *>(hint));
  return entry;
}

// Swapped form, before the default handler; no data.
static void connect_clicked(GtkWidget *button, ButtonCallback callback) {
  gtk_signal_connect_full(GTK_OBJECT(button), "clicked", GTK_SIGNAL_FUNC(callback), NULL, NULL,
                          NULL, TRUE, FALSE);
}

// The desktop identity: WM_CLASS class equal to the desktop entry's
// StartupWMClass (its desktop ID), and the icon by the name the entry gives;
// where the icon theme has none, the installed PNG, or the one that the
// build copies into the build tree's data/icons beside the program's folder.
static void set_desktop_identity(void) {
  gdk_set_program_class("org.example.nachtblick");
  if (gtk_icon_theme_has_icon(gtk_icon_theme_get_default(), "nachtblick")) {
    gtk_window_set_default_icon_name("nachtblick");
    return;
  }
  gchar *exe = g_file_read_link("/proc/self/exe", NULL);
  gchar *dir = g_path_get_dirname(exe ? exe : ".");
  gchar *built = g_build_filename(dir, "..", "data", "icons", "nachtblick-128.png", NULL);
  for (const char *png : {NB_ICON_FILE, static_cast<const char *>(built)}) {
    GError *error = NULL;
    if (gtk_window_set_default_icon_from_file(png, &error)) break;
    g_error_free(error);
  }
  g_free(built), g_free(dir), g_free(exe);
}

NbWindow *build_window(void) {
  set_desktop_identity();
  nb.window = gtk_window_new(GTK_WINDOW_TOPLEVEL);

  for (int i = 0; i < kNbButtons; ++i)
    nb.buttons[i] = gtk_button_new_with_label(kButtonDefs[i].label);

  nb.year = new_entry(kEntryHints[0]);
  nb.month = new_entry(kEntryHints[1]);
  nb.day = new_entry(kEntryHints[2]);

  nb.output = gtk_text_new(NULL, NULL);
  gtk_text_set_editable(GTK_TEXT(nb.output), FALSE);
  gtk_text_set_word_wrap(GTK_TEXT(nb.output), FALSE);
  g_signal_connect(nb.output, "scroll-event", G_CALLBACK(wheel_cb), NULL);

  GtkWidget *vbox = gtk_vbox_new(FALSE, 0);
  GtkWidget *date_table = gtk_table_new(2, 3, FALSE);
  GtkWidget *entry_table = gtk_table_new(1, 3, FALSE);
  GtkWidget *button_table = gtk_table_new(5, 2, FALSE);

  // The quit button first, then the window's destroy, then the rest.
  connect_clicked(nb.buttons[0], kButtonDefs[0].callback);
  gtk_signal_connect(GTK_OBJECT(nb.window), "destroy", GTK_SIGNAL_FUNC(quit_cb), NULL);
  for (int i = 1; i < kNbButtons; ++i) connect_clicked(nb.buttons[i], kButtonDefs[i].callback);

  gtk_window_set_position(GTK_WINDOW(nb.window), GTK_WIN_POS_CENTER);
  gtk_window_set_default_size(GTK_WINDOW(nb.window), kWindowWidth, kWindowHeight);
  gtk_container_set_border_width(GTK_CONTAINER(nb.window), kWindowBorder);

  for (int i = 0; i < kNbButtons; ++i) {
    const ButtonDef &def = kButtonDefs[i];
    attach_cell(def.grid == kDateTable ? date_table : button_table, nb.buttons[i], def.column,
                def.row);
  }
  attach_cell(entry_table, nb.year, 0, 0);
  attach_cell(entry_table, nb.month, 1, 0);
  attach_cell(entry_table, nb.day, 2, 0);

  gtk_box_pack_start(GTK_BOX(vbox), date_table, FALSE, FALSE, kTablePadding);
  gtk_box_pack_start(GTK_BOX(vbox), entry_table, FALSE, FALSE, kTablePadding);
  gtk_box_pack_start(GTK_BOX(vbox), nb.output, FALSE, FALSE, kOutputPadding);
  gtk_box_pack_start(GTK_BOX(vbox), button_table, FALSE, FALSE, kTablePadding);
  gtk_container_add(GTK_CONTAINER(nb.window), vbox);

  gtk_widget_set_usize(nb.output, kOutputWidth, kOutputHeight);
  gtk_window_set_title(GTK_WINDOW(nb.window), "Kalender & Nachtblick light");

  show_place_file();

  // The area is empty yet: no freeze and no clearing.
  shown_font = report_font(kFontGreeting);
  gtk_text_insert(GTK_TEXT(nb.output), shown_font, NULL, NULL, kGreetingText, -1);
  return &nb;
}
