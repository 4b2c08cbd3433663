// SPDX-License-Identifier: MIT
// The place file from the Orte menu: which file is in use, and the dialog
// that adds a place to it.
#include <cstring>
#include <string>

#include "nachtblick/place/placeadd.h"
#include "nachtblick/text/textbuf.h"
#include "nachtblick/text/utf8.h"
#include "nachtblick/window/app.h"

// The place file in use, how many places it gave, and its lines that are
// no place, as nachtblick-report places names them; in a window of its own
// when the text area would cut it off.
void place_file_cb(App *app, GtkWidget *) {
  reload_places(app);
  std::string text = "\n " + place_file_text(app) + "\n";
  append_format(text, " Orte: %d\n", place_count(app->places.table));
  if (!app->places.notes.empty()) text += "\n Zeilen, die kein Ort sind:\n" + app->places.notes;
  const ReportText report{text, kFontReport};
  if (fits_text_area(app, report)) return show_report(app, report);
  gchar *name = g_path_get_basename(app->places.path.c_str());
  show_text_window(app, "places", "Ortsdatei " + std::string(app->places.path.empty() ? "" : name),
                   text);
  g_free(name);
}

// The dialog that adds a place: a row for each field, a line on how the
// coordinates are written, and one for what was wrong. So that the dialog
// does not grow when a message comes, the message line is wrapped at the
// hint's width and always holds kMessageLines lines, filled up with empty
// ones: a sentence of place_add_message takes two lines at most, or one
// when the reason a file was not written follows in two at most.
enum { kAddBorder = 10, kAddSpacing = 6, kMessageLines = 3 };
static const char *const kAddLabels[kAddFields] = {"_Name", "_Breite", "_Laenge", "_Zeitzone"};
static const char kAddHint[] =
    "Breite und Laenge in Grad (-33.8667, 151.2167; Sued und West negativ)\n"
    "oder in Grad und Minuten (33S52, 151E13). Zeitzone MEZ/MESZ: keine.";
static const char kNoZone[] = "MEZ/MESZ";

// The message line shows a message, in kMessageLines lines as it wraps.
static void show_message(App *app, const std::string &message) {
  GtkLabel *label = GTK_LABEL(app->add_message);
  gtk_label_set_text(label, message.c_str());
  const int lines = pango_layout_get_line_count(gtk_label_get_layout(label));
  if (lines < kMessageLines)
    gtk_label_set_text(label, (message + std::string(kMessageLines - lines, '\n')).c_str());
}

// Adds the place and shows its rise and set report, or says in the dialog
// what is wrong and keeps it open.
static void add_response_cb(GtkDialog *dialog, gint response, gpointer data) {
  App *app = static_cast<App *>(data);
  if (response != GTK_RESPONSE_ACCEPT) {
    gtk_widget_destroy(GTK_WIDGET(dialog));
    return;
  }
  const char *text[kAddFields];
  for (int i = 0; i < kAddFields; ++i) text[i] = gtk_entry_get_text(GTK_ENTRY(app->add_entries[i]));
  const char *zone = std::strcmp(text[kFieldZone], kNoZone) == 0 ? "" : text[kFieldZone];
  std::string path, detail;
  int index;
  const PlaceAddStatus status = add_place(text[kFieldName], text[kFieldLat], text[kFieldLon], zone,
                                          app->system_dir, &path, &index, &detail);
  if (status != kPlaceAdded)
    return show_message(app, dialog_message(place_add_message(status, true), detail));
  gtk_widget_destroy(GTK_WIDGET(dialog));
  reload_places(app);
  app->current_place = index;
  riseset_cb(app, NULL);
}

// The time zones to choose from, "MEZ/MESZ" (none) first.
static GtkWidget *zone_choice(void) {
  GtkWidget *zones = gtk_combo_box_text_new_with_entry();
  gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(zones), kNoZone);
  for (const std::string &zone : zone_choices())
    gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(zones), zone.c_str());
  gtk_combo_box_set_active(GTK_COMBO_BOX(zones), 0);
  return zones;
}

// A field changed: the message on the input before goes.
static void field_changed_cb(GtkEditable *, gpointer data) {
  show_message(static_cast<App *>(data), "");
}

// The message line, wrapped at as many characters as the hint is wide, a
// character counted as GtkLabel counts it for a width in characters: the
// wider of the font's mean letter and mean digit.
static GtkWidget *message_line(GtkWidget *hint) {
  GtkWidget *label = gtk_label_new("");
  GtkRequisition hint_size;
  gtk_widget_size_request(hint, &hint_size);
  PangoContext *context = gtk_widget_get_pango_context(label);
  PangoFontMetrics *metrics = pango_context_get_metrics(
      context, pango_context_get_font_description(context), pango_context_get_language(context));
  const int char_width = MAX(pango_font_metrics_get_approximate_char_width(metrics),
                             pango_font_metrics_get_approximate_digit_width(metrics));
  pango_font_metrics_unref(metrics);
  const int chars = hint_size.width * PANGO_SCALE / char_width;
  gtk_label_set_line_wrap(GTK_LABEL(label), TRUE);
  gtk_label_set_width_chars(GTK_LABEL(label), chars);
  gtk_label_set_max_width_chars(GTK_LABEL(label), chars);
  return label;
}

// The table of the dialog: a labelled row for each field, then the hint
// and the message line.
static GtkWidget *add_fields(App *app) {
  GtkWidget *table = gtk_table_new(kAddFields + 2, 2, FALSE);
  gtk_container_set_border_width(GTK_CONTAINER(table), kAddBorder);
  gtk_table_set_row_spacings(GTK_TABLE(table), kAddSpacing);
  gtk_table_set_col_spacings(GTK_TABLE(table), kAddSpacing);
  GtkWidget *zones = zone_choice(), *hint = gtk_label_new(kAddHint);
  app->add_message = message_line(hint);
  show_message(app, "");
  for (int i = 0; i < kAddFields; ++i) {
    GtkWidget *label = gtk_label_new_with_mnemonic(kAddLabels[i]);
    GtkWidget *field = i == kFieldZone ? zones : gtk_entry_new();
    app->add_entries[i] = i == kFieldZone ? gtk_bin_get_child(GTK_BIN(zones)) : field;
    gtk_entry_set_activates_default(GTK_ENTRY(app->add_entries[i]), TRUE);
    g_signal_connect(app->add_entries[i], "changed", G_CALLBACK(field_changed_cb), app);
    gtk_label_set_mnemonic_widget(GTK_LABEL(label), app->add_entries[i]);
    gtk_misc_set_alignment(GTK_MISC(label), 0, 0.5);
    gtk_table_attach_defaults(GTK_TABLE(table), label, 0, 1, i, i + 1);
    gtk_table_attach_defaults(GTK_TABLE(table), field, 1, 2, i, i + 1);
  }
  for (GtkWidget *line : {hint, app->add_message}) {
    const int row = line == app->add_message ? kAddFields + 1 : kAddFields;
    gtk_misc_set_alignment(GTK_MISC(line), 0, line == hint ? 0.5 : 0);
    gtk_table_attach_defaults(GTK_TABLE(table), line, 0, 2, row, row + 1);
  }
  return table;
}

void add_place_cb(App *app, GtkWidget *) {
  if (app->add_dialog) return gtk_window_present(GTK_WINDOW(app->add_dialog));
  app->add_dialog = gtk_dialog_new_with_buttons(
      "Ort hinzufuegen", GTK_WINDOW(app->window),
      GtkDialogFlags(GTK_DIALOG_MODAL | GTK_DIALOG_DESTROY_WITH_PARENT), kCancelLabel,
      GTK_RESPONSE_CANCEL, kAddLabel, GTK_RESPONSE_ACCEPT, NULL);
  g_signal_connect(app->add_dialog, "destroy", G_CALLBACK(gtk_widget_destroyed), &app->add_dialog);
  gtk_box_pack_start(GTK_BOX(gtk_dialog_get_content_area(GTK_DIALOG(app->add_dialog))),
                     add_fields(app), TRUE, TRUE, 0);
  gtk_dialog_set_default_response(GTK_DIALOG(app->add_dialog), GTK_RESPONSE_ACCEPT);
  g_signal_connect(app->add_dialog, "response", G_CALLBACK(add_response_cb), app);
  gtk_widget_show_all(app->add_dialog);
}
