// SPDX-License-Identifier: MIT
// The window of nachtblick and the callbacks behind its buttons and menus.
//
// The layer is thin: every report is a pure function of reports.h. A report
// callback reads the three entries, stores its view, calls the report and
// writes the text into the output area by the same steps every time:
// font, freeze, clear, one insert, thaw. The menus add the views of a whole
// year (the export, the chart) and the place file; their dialogs run no
// main loop of their own: each is shown, and its response handler does the
// work and closes it.
#include "nachtblick/window/window.h"

#include <cstdio>
#include <cstring>
#include <ctime>
#include <map>
#include <string>

#include "calendar/calendar.h"
#include "nachtblick/place/placeadd.h"
#include "nachtblick/place/places.h"
#include "nachtblick/text/textbuf.h"
#include "nachtblick/text/utf8.h"
#include "nachtblick/views/chart.h"
#include "nachtblick/views/eclipses.h"
#include "nachtblick/views/ical.h"
#include "nachtblick/views/reports.h"
#include "nachtblick/views/yearcheck.h"

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

typedef void (*ButtonCallback)(GtkWidget *, gpointer);

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

// Where the places come from: the place file last read, or none.
static std::string place_file_text(void) {
  if (!place_file_error.empty()) return place_file_error + "; nur der eingebaute Ort";
  if (place_file.empty()) return "Keine Ortsdatei gefunden, nur der eingebaute Ort";
  gchar *path = g_canonicalize_filename(place_file.c_str(), NULL);
  const std::string text = std::string("Orte aus ") + path;
  g_free(path);
  return text;
}

// Names the place file last read in the place buttons' tooltip.
static void show_place_file(void) {
  const std::string tip = place_file_text();
  for (int i : {kNextPlaceButton, kPrevPlaceButton})
    gtk_widget_set_tooltip_text(nb.buttons[i], tip.c_str());
}

// Reads the place file again and names it in the tooltip.
static void reload_places(void) {
  load_places();
  show_place_file();
}

// The current place from the place file read again, so that edits show at
// once. A reload that leaves current_place on a slot no longer in use goes
// back to the first place rather than show an empty one.
static const Place &current_place_now(void) {
  reload_places();
  if (!place_in_use(place_table, current_place)) current_place = 0;
  return place_table[current_place];
}

static void riseset_cb(GtkWidget *, gpointer) {
  current_place_now();
  current_view = kViewRiseset;
  show_report(riseset_report(window_report_input()));
}

// The eclipses of the entries' year at the current place.
static void eclipses_cb(GtkWidget *, gpointer) {
  current_place_now();
  current_view = kViewEclipses;
  show_report(eclipses_report(window_report_input()));
}

// Leaves current_view as it is: a date button then repeats the report shown
// before.
static void pi_cb(GtkWidget *, gpointer) { show_report(pi_report()); }

void rerun_view(void) {
  switch (current_view) {
    case kViewRiseset: riseset_cb(NULL, NULL); break;
    case kViewSeasons: seasons_cb(NULL, NULL); break;
    case kViewMoonphase: moonphase_cb(NULL, NULL); break;
    case kViewEclipses: eclipses_cb(NULL, NULL); break;
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
  if (step == 1 && value > last) value = first;
  if (step == -1 && value < first) value = last;
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
// Menu callbacks: the views of a whole year and the place file.

// The buttons of the dialogs, German whatever the locale.
static const char kCancelLabel[] = "_Abbrechen";

// An error message over the window, closed by its button.
static void show_error(const std::string &message) {
  GtkWidget *dialog = gtk_message_dialog_new(
      GTK_WINDOW(nb.window), GtkDialogFlags(GTK_DIALOG_MODAL | GTK_DIALOG_DESTROY_WITH_PARENT),
      GTK_MESSAGE_ERROR, GTK_BUTTONS_NONE, "%s", message.c_str());
  gtk_dialog_add_button(GTK_DIALOG(dialog), "_Schliessen", GTK_RESPONSE_CLOSE);
  g_signal_connect(dialog, "response", G_CALLBACK(gtk_widget_destroy), NULL);
  gtk_widget_show(dialog);
}

// The year of the views of a whole year: the year entry, or the current
// year when it holds no number. false, with the error shown, for a year
// they do not cover.
static bool whole_year(int *year) {
  *year = entrytoint(gtk_entry_get_text(GTK_ENTRY(nb.year)));
  if (*year == 0) *year = local_year();
  std::string message;
  if (report_year_ok(*year, message)) return true;
  message.clear();
  append_format(message, "Das Jahr muss im Bereich von %d bis %d sein!", kFirstReportYear,
                kLastReportYear);
  show_error(message);
  return false;
}

// The bytes of the export and of the chart of a year at the current place,
// as nachtblick-report writes them on the same day; false with the message.
static bool make_ical(int year, ChartFormat, std::string &out, std::string &err) {
  return ical_report(year, &current_place_now(), window_report_input().today, out, err) == 0;
}
static bool make_chart(int year, ChartFormat format, std::string &out, std::string &err) {
  return chart_report(year, current_place_now(), january_variant, format,
                      window_report_input().today, out, err);
}

// A file a save dialog writes: its title, the extension of its default
// name nachtblick-YEAR.EXT, and its bytes. The chart offers its file types.
struct SaveKind {
  const char *title;
  const char *extension;
  bool (*make)(int year, ChartFormat format, std::string &out, std::string &err);
  bool chart;
};
static const SaveKind kSaveIcal = {"Jahr als iCalendar exportieren", "ics", make_ical, false};
static const SaveKind kSaveChart = {"Jahresgrafik speichern", "png", make_chart, true};

// The chart's file types: the extension, which chart_format reads, and the
// filter's name.
struct ChartType {
  const char *extension, *name;
};
static const ChartType kChartTypes[] = {
    {"png", "PNG-Bild (*.png)"}, {"svg", "SVG-Bild (*.svg)"}, {"pdf", "PDF-Dokument (*.pdf)"}};

// The chart format of a file name's extension, else of the file type chosen.
static ChartFormat chosen_format(GtkFileChooser *chooser, const char *path) {
  ChartFormat format = kChartPng;
  GtkFileFilter *filter = gtk_file_chooser_get_filter(chooser);
  if (filter)
    chart_format(static_cast<const char *>(g_object_get_data(G_OBJECT(filter), "extension")),
                 &format);
  gchar *name = g_path_get_basename(path);
  const char *dot = std::strrchr(name, '.');
  std::string extension = dot ? dot + 1 : "";
  for (char &c : extension) c = g_ascii_tolower(c);
  chart_format(extension.c_str(), &format);
  g_free(name);
  return format;
}

// Writes the chosen file at once and whole (a temporary file in the same
// folder, then a rename), or shows why not.
static void save_response_cb(GtkDialog *dialog, gint response, gpointer data) {
  const SaveKind *kind = static_cast<const SaveKind *>(data);
  GtkFileChooser *chooser = GTK_FILE_CHOOSER(dialog);
  gchar *path = response == GTK_RESPONSE_ACCEPT ? gtk_file_chooser_get_filename(chooser) : NULL;
  const int year = GPOINTER_TO_INT(g_object_get_data(G_OBJECT(dialog), "year"));
  const ChartFormat format = path ? chosen_format(chooser, path) : kChartPng;
  gtk_widget_destroy(GTK_WIDGET(dialog));
  if (!path) return;
  std::string bytes, err;
  GError *error = NULL;
  if (!kind->make(year, format, bytes, err)) {
    show_error("Die Datei konnte nicht erstellt werden: " + err);
  } else if (!g_file_set_contents(path, bytes.data(), static_cast<gssize>(bytes.size()), &error)) {
    show_error(std::string("Die Datei wurde nicht geschrieben:\n") + error->message);
    g_error_free(error);
  }
  g_free(path);
}

// The save dialog of a file of the year in the year entry.
static void ask_save(const SaveKind &kind) {
  int year;
  if (!whole_year(&year)) return;
  GtkWidget *dialog = gtk_file_chooser_dialog_new(
      kind.title, GTK_WINDOW(nb.window), GTK_FILE_CHOOSER_ACTION_SAVE, kCancelLabel,
      GTK_RESPONSE_CANCEL, "_Speichern", GTK_RESPONSE_ACCEPT, NULL);
  GtkFileChooser *chooser = GTK_FILE_CHOOSER(dialog);
  gtk_file_chooser_set_do_overwrite_confirmation(chooser, TRUE);
  gchar *folder = g_get_current_dir();
  gtk_file_chooser_set_current_folder(chooser, folder);
  g_free(folder);
  const std::string name = "nachtblick-" + std::to_string(year) + "." + kind.extension;
  gtk_file_chooser_set_current_name(chooser, name.c_str());
  for (const auto &type : kChartTypes) {
    if (!kind.chart) break;
    GtkFileFilter *filter = gtk_file_filter_new();
    gtk_file_filter_set_name(filter, type.name);
    gtk_file_filter_add_pattern(filter, (std::string("*.") + type.extension).c_str());
    g_object_set_data(G_OBJECT(filter), "extension", const_cast<char *>(type.extension));
    gtk_file_chooser_add_filter(chooser, filter);
  }
  g_object_set_data(G_OBJECT(dialog), "year", GINT_TO_POINTER(year));
  gtk_window_set_modal(GTK_WINDOW(dialog), TRUE);
  gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_ACCEPT);
  g_signal_connect(dialog, "response", G_CALLBACK(save_response_cb), const_cast<SaveKind *>(&kind));
  gtk_widget_show(dialog);
}

static void export_ical_cb(GtkWidget *, gpointer) { ask_save(kSaveIcal); }
static void save_chart_cb(GtkWidget *, gpointer) { ask_save(kSaveChart); }

// The chart window: one for the run, made at the first request and
// brought up to the year and place of every one after. It opens as large as
// the chart and its frame (kChartFrame pixels); the window manager keeps it
// on the screen.
enum { kChartFrame = 8 };
static GtkWidget *chart_window = NULL;
static GtkWidget *chart_image = NULL;

static void chart_window_cb(GtkWidget *, gpointer) {
  int year;
  std::string png, err;
  if (!whole_year(&year) || !make_chart(year, kChartPng, png, err)) {
    if (!err.empty()) show_error("Die Jahresgrafik konnte nicht gezeichnet werden: " + err);
    return;
  }
  GdkPixbufLoader *loader = gdk_pixbuf_loader_new_with_type("png", NULL);
  gdk_pixbuf_loader_write(loader, reinterpret_cast<const guchar *>(png.data()), png.size(), NULL);
  gdk_pixbuf_loader_close(loader, NULL);
  if (!chart_window) {
    chart_window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    g_signal_connect(chart_window, "destroy", G_CALLBACK(gtk_widget_destroyed), &chart_window);
    GdkPixbuf *chart = gdk_pixbuf_loader_get_pixbuf(loader);
    gtk_window_set_default_size(GTK_WINDOW(chart_window), gdk_pixbuf_get_width(chart) + kChartFrame,
                                gdk_pixbuf_get_height(chart) + kChartFrame);
    GtkWidget *scrolled = gtk_scrolled_window_new(NULL, NULL);
    gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(scrolled), GTK_POLICY_AUTOMATIC,
                                   GTK_POLICY_AUTOMATIC);
    chart_image = gtk_image_new();
    gtk_scrolled_window_add_with_viewport(GTK_SCROLLED_WINDOW(scrolled), chart_image);
    gtk_container_add(GTK_CONTAINER(chart_window), scrolled);
  }
  gtk_image_set_from_pixbuf(GTK_IMAGE(chart_image), gdk_pixbuf_loader_get_pixbuf(loader));
  g_object_unref(loader);
  const std::string title =
      "Jahresgrafik " + std::to_string(year) + ": " + utf8_text(place_table[current_place].name);
  gtk_window_set_title(GTK_WINDOW(chart_window), title.c_str());
  gtk_widget_show_all(chart_window);
  gtk_window_present(GTK_WINDOW(chart_window));
}

// The place file in use, how many places it gave, and its lines that are
// no place, as nachtblick-report places names them.
static void place_file_cb(GtkWidget *, gpointer) {
  reload_places();
  std::string text = "\n " + place_file_text() + "\n";
  append_format(text, " Orte: %d\n", place_count(place_table));
  if (!place_file_notes.empty()) text += "\n Zeilen, die kein Ort sind:\n" + place_file_notes;
  show_report(ReportText{text, kFontReport});
}

// The dialog that adds a place: a row for each field, a line on how the
// coordinates are written, and one for what was wrong.
enum { kFieldName, kFieldLat, kFieldLon, kFieldZone, kAddFields };
enum { kAddBorder = 10, kAddSpacing = 6 };
static const char *const kAddLabels[kAddFields] = {"_Name", "_Breite", "_Laenge", "_Zeitzone"};
static const char kAddHint[] =
    "Breite und Laenge in Grad (-33.8667, 151.2167; Sued und West negativ)\n"
    "oder in Grad und Minuten (33S52, 151E13). Zeitzone MEZ/MESZ: keine.";
static const char kNoZone[] = "MEZ/MESZ";
static GtkWidget *add_dialog = NULL;
static GtkWidget *add_entries[kAddFields];
static GtkWidget *add_message = NULL;

// Adds the place and shows its rise and set report, or says in the dialog
// what is wrong and keeps it open.
static void add_response_cb(GtkDialog *dialog, gint response, gpointer) {
  if (response != GTK_RESPONSE_ACCEPT) {
    gtk_widget_destroy(GTK_WIDGET(dialog));
    return;
  }
  const char *text[kAddFields];
  for (int i = 0; i < kAddFields; ++i) text[i] = gtk_entry_get_text(GTK_ENTRY(add_entries[i]));
  const char *zone = std::strcmp(text[kFieldZone], kNoZone) == 0 ? "" : text[kFieldZone];
  std::string path, detail;
  int index;
  const PlaceAddStatus status =
      add_place(text[kFieldName], text[kFieldLat], text[kFieldLon], zone, &path, &index, &detail);
  if (status != kPlaceAdded) {
    gchar *why = g_utf8_make_valid(detail.c_str(), static_cast<gssize>(detail.size()));
    const std::string message = place_add_message(status, true) + (*why ? "\n" : "") + why;
    gtk_label_set_text(GTK_LABEL(add_message), message.c_str());
    g_free(why);
    return;
  }
  gtk_widget_destroy(GTK_WIDGET(dialog));
  reload_places();
  current_place = index;
  riseset_cb(NULL, NULL);
}

static void add_place_cb(GtkWidget *, gpointer) {
  if (add_dialog) return gtk_window_present(GTK_WINDOW(add_dialog));
  add_dialog = gtk_dialog_new_with_buttons(
      "Ort hinzufuegen", GTK_WINDOW(nb.window),
      GtkDialogFlags(GTK_DIALOG_MODAL | GTK_DIALOG_DESTROY_WITH_PARENT), kCancelLabel,
      GTK_RESPONSE_CANCEL, "_Hinzufuegen", GTK_RESPONSE_ACCEPT, NULL);
  g_signal_connect(add_dialog, "destroy", G_CALLBACK(gtk_widget_destroyed), &add_dialog);
  GtkWidget *table = gtk_table_new(kAddFields + 2, 2, FALSE);
  gtk_container_set_border_width(GTK_CONTAINER(table), kAddBorder);
  gtk_table_set_row_spacings(GTK_TABLE(table), kAddSpacing);
  gtk_table_set_col_spacings(GTK_TABLE(table), kAddSpacing);
  GtkWidget *zones = gtk_combo_box_text_new_with_entry();
  gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(zones), kNoZone);
  for (const std::string &zone : zone_choices())
    gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(zones), zone.c_str());
  gtk_combo_box_set_active(GTK_COMBO_BOX(zones), 0);
  for (int i = 0; i < kAddFields; ++i) {
    GtkWidget *label = gtk_label_new_with_mnemonic(kAddLabels[i]);
    GtkWidget *field = i == kFieldZone ? zones : gtk_entry_new();
    add_entries[i] = i == kFieldZone ? gtk_bin_get_child(GTK_BIN(zones)) : field;
    gtk_entry_set_activates_default(GTK_ENTRY(add_entries[i]), TRUE);
    gtk_label_set_mnemonic_widget(GTK_LABEL(label), add_entries[i]);
    gtk_misc_set_alignment(GTK_MISC(label), 0, 0.5);
    gtk_table_attach_defaults(GTK_TABLE(table), label, 0, 1, i, i + 1);
    gtk_table_attach_defaults(GTK_TABLE(table), field, 1, 2, i, i + 1);
  }
  add_message = gtk_label_new("");
  for (GtkWidget *line : {gtk_label_new(kAddHint), add_message}) {
    const int row = line == add_message ? kAddFields + 1 : kAddFields;
    gtk_misc_set_alignment(GTK_MISC(line), 0, 0.5);
    gtk_table_attach_defaults(GTK_TABLE(table), line, 0, 2, row, row + 1);
  }
  gtk_box_pack_start(GTK_BOX(gtk_dialog_get_content_area(GTK_DIALOG(add_dialog))), table, TRUE,
                     TRUE, 0);
  gtk_dialog_set_default_response(GTK_DIALOG(add_dialog), GTK_RESPONSE_ACCEPT);
  g_signal_connect(add_dialog, "response", G_CALLBACK(add_response_cb), NULL);
  gtk_widget_show_all(add_dialog);
}

// ---------------------------------------------------------------------------
// The menu bar: one row a menu item, the items of a menu in a run of rows.

struct MenuDef {
  const char *menu;
  const char *label;
  const char *accelerator;  // as gtk_accelerator_parse reads it, or null
  ButtonCallback callback;
};

static const MenuDef kMenuDefs[] = {
    {"_Datei", "Jahr als iCalendar _exportieren\u2026", "<Control>e", export_ical_cb},
    {"_Datei", "Jahres_grafik speichern\u2026", NULL, save_chart_cb},
    {"_Datei", "_Beenden", "<Control>q", quit_cb},
    {"_Ansicht", "_Jahresgrafik", NULL, chart_window_cb},
    {"_Ansicht", "_Finsternisse am Ort", NULL, eclipses_cb},
    {"_Orte", "Ort _hinzufuegen\u2026", NULL, add_place_cb},
    {"_Orte", "Ortsdatei neu _laden", "<Control>r", riseset_cb},
    {"_Orte", "Ortsdatei _anzeigen", NULL, place_file_cb},
    {"_Hilfe", "_Info", NULL, info_text_cb},
};

static GtkWidget *build_menu_bar(void) {
  GtkAccelGroup *accels = gtk_accel_group_new();
  gtk_window_add_accel_group(GTK_WINDOW(nb.window), accels);
  GtkWidget *bar = gtk_menu_bar_new();
  GtkWidget *menu = NULL;
  const char *menu_name = "";
  for (const MenuDef &def : kMenuDefs) {
    if (std::strcmp(def.menu, menu_name) != 0) {
      GtkWidget *title = gtk_menu_item_new_with_mnemonic(def.menu);
      menu = gtk_menu_new();
      gtk_menu_set_accel_group(GTK_MENU(menu), accels);
      gtk_menu_item_set_submenu(GTK_MENU_ITEM(title), menu);
      gtk_menu_shell_append(GTK_MENU_SHELL(bar), title);
      menu_name = def.menu;
    }
    GtkWidget *item = gtk_menu_item_new_with_mnemonic(def.label);
    g_signal_connect(item, "activate", G_CALLBACK(def.callback), NULL);
    guint key = 0;
    GdkModifierType modifiers = GdkModifierType(0);
    if (def.accelerator) gtk_accelerator_parse(def.accelerator, &key, &modifiers);
    if (key)
      gtk_widget_add_accelerator(item, "activate", accels, key, modifiers, GTK_ACCEL_VISIBLE);
    gtk_menu_shell_append(GTK_MENU_SHELL(menu), item);
  }
  g_object_unref(accels);
  return bar;
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
    gtk_editable_select_region(GTK_EDITABLE(entry), 0,
                               static_cast<gint>(std::strlen(static_cast<const char *>(hint))));
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

  // The menu bar across the top; below it the layout, its border moved
  // from the window to its box.
  GtkWidget *outer = gtk_vbox_new(FALSE, 0);
  nb.menubar = build_menu_bar();
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
  gtk_container_set_border_width(GTK_CONTAINER(vbox), kWindowBorder);

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
  gtk_box_pack_start(GTK_BOX(outer), nb.menubar, FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(outer), vbox, TRUE, TRUE, 0);
  gtk_container_add(GTK_CONTAINER(nb.window), outer);

  gtk_widget_set_usize(nb.output, kOutputWidth, kOutputHeight);
  gtk_window_set_title(GTK_WINDOW(nb.window), "Kalender & Nachtblick light");

  show_place_file();

  // The area is empty yet: no freeze and no clearing.
  shown_font = report_font(kFontGreeting);
  gtk_text_insert(GTK_TEXT(nb.output), shown_font, NULL, NULL, kGreetingText, -1);
  return &nb;
}
