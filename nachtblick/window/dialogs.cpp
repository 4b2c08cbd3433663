// SPDX-License-Identifier: MIT
// The dialogs and windows of nachtblick's menus: saving the export and the
// chart of a year, the chart in a window of its own, the place file in use,
// and adding a place. No dialog runs a main loop of its own: each is shown,
// and its response handler does the work and closes it.
#include <cstring>
#include <string>

#include "calendar/calendar.h"
#include "nachtblick/place/placeadd.h"
#include "nachtblick/text/utf8.h"
#include "nachtblick/views/ical.h"
#include "nachtblick/views/yearcheck.h"
#include "nachtblick/window/app.h"

// GTK+ takes UTF-8: a name or path in the message is read as utf8_text
// reads it.
void show_error(App *app, const std::string &what, const std::string &why) {
  GtkWidget *dialog = gtk_message_dialog_new(
      GTK_WINDOW(app->window), GtkDialogFlags(GTK_DIALOG_MODAL | GTK_DIALOG_DESTROY_WITH_PARENT),
      GTK_MESSAGE_ERROR, GTK_BUTTONS_NONE, "%s", utf8_text(what.c_str()).c_str());
  if (!why.empty())
    gtk_message_dialog_format_secondary_text(GTK_MESSAGE_DIALOG(dialog), "%s",
                                             utf8_text(why.c_str()).c_str());
  gtk_dialog_add_button(GTK_DIALOG(dialog), "_Schliessen", GTK_RESPONSE_CLOSE);
  g_signal_connect(dialog, "response", G_CALLBACK(gtk_widget_destroy), NULL);
  gtk_widget_show(dialog);
}

std::string dialog_message(const std::string &sentence, const std::string &why) {
  const std::string reason = utf8_text(why.c_str());
  return sentence + (reason.empty() ? "" : "\n") + reason;
}

bool whole_year(App *app, int *year, const char *what) {
  *year = entrytoint(gtk_entry_get_text(GTK_ENTRY(app->year)));
  if (*year == 0) *year = local_year();
  std::string message;
  if (report_year_ok(*year, message)) return true;
  show_error(app, what, message);
  return false;
}

// The bytes of the export and of the chart of a year at the current place,
// as nachtblick-report writes them on the same day.
static ViewResult make_ical(App *app, int year, ChartFormat) {
  return ical_report(year, &current_place_now(app), app_report_input(app).today);
}
ViewResult make_chart(App *app, int year, ChartFormat format) {
  std::string out, err;
  if (!chart_report(year, current_place_now(app), app->places.january_variant, format,
                    app_report_input(app).today, out, err))
    return view_error(kViewFailed, err);
  return view_output(out);
}

// A file a save dialog writes: its title, the extension of its default
// name nachtblick-YEAR.EXT, and its bytes. The chart offers its file types.
struct SaveKind {
  const char *title;
  const char *extension;
  ViewResult (*make)(App *app, int year, ChartFormat format);
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

// What the window says when a file could not be made.
static const char kNotMade[] = "Die Datei konnte nicht erstellt werden.";

// Writes the chosen file at once and whole (a temporary file in the same
// folder, then a rename) and names it in the text area, or shows why not.
// The dialog holds its kind and year.
static void save_response_cb(GtkDialog *dialog, gint response, gpointer data) {
  App *app = static_cast<App *>(data);
  const SaveKind *kind = static_cast<const SaveKind *>(g_object_get_data(G_OBJECT(dialog), "kind"));
  GtkFileChooser *chooser = GTK_FILE_CHOOSER(dialog);
  gchar *path = response == GTK_RESPONSE_ACCEPT ? gtk_file_chooser_get_filename(chooser) : NULL;
  const int year = GPOINTER_TO_INT(g_object_get_data(G_OBJECT(dialog), "year"));
  const ChartFormat format = path ? chosen_format(chooser, path) : kChartPng;
  gtk_widget_destroy(GTK_WIDGET(dialog));
  if (!path) return;
  const ViewResult file = kind->make(app, year, format);
  GError *error = NULL;
  if (file.error != kViewOk) {
    show_error(app, kNotMade, file.message);
  } else if (!g_file_set_contents(path, file.text.data(), static_cast<gssize>(file.text.size()),
                                  &error)) {
    show_error(app, "Die Datei wurde nicht geschrieben.", error->message);
    g_error_free(error);
  } else {
    show_report(app, ReportText{std::string("\n Gespeichert:\n ") + path + "\n", kFontReport});
  }
  g_free(path);
}

// The file types of the chart as the chooser's filters.
static void add_chart_types(GtkFileChooser *chooser) {
  for (const auto &type : kChartTypes) {
    GtkFileFilter *filter = gtk_file_filter_new();
    gtk_file_filter_set_name(filter, type.name);
    gtk_file_filter_add_pattern(filter, (std::string("*.") + type.extension).c_str());
    g_object_set_data(G_OBJECT(filter), "extension", const_cast<char *>(type.extension));
    gtk_file_chooser_add_filter(chooser, filter);
  }
}

// The save dialog of a file of the year in the year entry.
static void ask_save(App *app, const SaveKind &kind) {
  int year;
  if (!whole_year(app, &year, kNotMade)) return;
  GtkWidget *dialog = gtk_file_chooser_dialog_new(
      kind.title, GTK_WINDOW(app->window), GTK_FILE_CHOOSER_ACTION_SAVE, kCancelLabel,
      GTK_RESPONSE_CANCEL, "_Speichern", GTK_RESPONSE_ACCEPT, NULL);
  GtkFileChooser *chooser = GTK_FILE_CHOOSER(dialog);
  gtk_file_chooser_set_do_overwrite_confirmation(chooser, TRUE);
  gchar *folder = g_get_current_dir();
  gtk_file_chooser_set_current_folder(chooser, folder);
  g_free(folder);
  const std::string name = "nachtblick-" + std::to_string(year) + "." + kind.extension;
  gtk_file_chooser_set_current_name(chooser, name.c_str());
  if (kind.chart) add_chart_types(chooser);
  g_object_set_data(G_OBJECT(dialog), "year", GINT_TO_POINTER(year));
  g_object_set_data(G_OBJECT(dialog), "kind", const_cast<SaveKind *>(&kind));
  gtk_window_set_modal(GTK_WINDOW(dialog), TRUE);
  gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_ACCEPT);
  g_signal_connect(dialog, "response", G_CALLBACK(save_response_cb), app);
  gtk_widget_show(dialog);
}

void export_ical_cb(App *app, GtkWidget *) { ask_save(app, kSaveIcal); }
void save_chart_cb(App *app, GtkWidget *) { ask_save(app, kSaveChart); }
