// SPDX-License-Identifier: MIT
// Orte, "Ort suchen…": a dialog whose list of cities fills while a name is
// typed, each keystroke starting a search in a worker thread and
// cancelling the one before, so that typing never waits for a search; the
// city chosen is added to the place file as `nachtblick-report places
// --add NAME` adds it, and shown.
#include <algorithm>
#include <cstring>
#include <string>

#include "nachtblick/place/cityadd.h"
#include "nachtblick/views/citytable.h"
#include "nachtblick/window/app.h"

namespace {

// The list's columns: the first four of the city table.
enum { kListName, kListState, kListCountry, kListZone, kListColumns };
enum { kSearchBorder = 10, kSearchSpacing = 6, kListWidth = 560, kListHeight = 240 };
const char kSearchHint[] = "Orte ab 15000 Einwohnern (GeoNames); Umlaute auch als ae, oe, ue.";
const char kNoChoice[] = "Bitte einen Ort der Liste waehlen.";

// The message line: a German sentence and, on a line of its own, why.
void show_message(App *app, const std::string &sentence, const std::string &why = "") {
  gtk_label_set_text(GTK_LABEL(app->search_message), dialog_message(sentence, why).c_str());
}

// Cancels the search running, if any; its result will not come.
void cancel_search(App *app) {
  if (!app->search_pending) return;
  g_cancellable_cancel(app->search_pending);
  g_clear_object(&app->search_pending);
}

// The result of the last search: its cities listed, the first chosen, or
// why there are none.
void search_done(const CitySearch &search, void *data) {
  App *app = static_cast<App *>(data);
  g_clear_object(&app->search_pending);
  app->search_cities = search.cities;
  GtkListStore *store = GTK_LIST_STORE(gtk_tree_view_get_model(GTK_TREE_VIEW(app->search_list)));
  for (const City &c : search.cities) {
    GtkTreeIter row;
    gtk_list_store_append(store, &row);
    gtk_list_store_set(store, &row, kListName, c.name.c_str(), kListState, c.state.c_str(),
                       kListCountry, c.country.c_str(), kListZone, c.zone.c_str(), -1);
  }
  if (!search.cities.empty()) {
    GtkTreePath *first = gtk_tree_path_new_first();
    gtk_tree_view_set_cursor(GTK_TREE_VIEW(app->search_list), first, nullptr, FALSE);
    gtk_tree_path_free(first);
  }
  switch (search.status) {
    case kCitiesFound: return show_message(app, "");
    case kCitiesNone: return show_message(app, place_add_message(kAddNoCity, true));
    case kCitiesBadInput:
      return show_message(app, place_add_message(kAddBadQuery, true), search.message);
    case kCitiesUnavailable: break;
  }
  show_message(app, place_add_message(kAddNoSearch, true), search.message);
}

// A keystroke: the list emptied, the search before cancelled and one for
// the name now started (none for blanks only).
void name_changed(GtkEditable *, gpointer data) {
  App *app = static_cast<App *>(data);
  cancel_search(app);
  app->search_cities.clear();
  gtk_list_store_clear(GTK_LIST_STORE(gtk_tree_view_get_model(GTK_TREE_VIEW(app->search_list))));
  show_message(app, "");
  const char *name = gtk_entry_get_text(GTK_ENTRY(app->search_entry));
  if (std::all_of(name, name + std::strlen(name), [](char c) { return g_ascii_isspace(c); }))
    return;
  app->search_pending = g_cancellable_new();
  search_cities_async(app->search_names, name, app->search_pending, search_done, app);
}

// Adds the city chosen and shows its rise and set report, or says in the
// dialog what is wrong and keeps it open.
void search_response(GtkDialog *dialog, gint response, gpointer data) {
  App *app = static_cast<App *>(data);
  if (response != GTK_RESPONSE_ACCEPT) {
    gtk_widget_destroy(GTK_WIDGET(dialog));
    return;
  }
  GtkTreePath *path = nullptr;
  gtk_tree_view_get_cursor(GTK_TREE_VIEW(app->search_list), &path, nullptr);
  const int chosen = path ? gtk_tree_path_get_indices(path)[0] : -1;
  gtk_tree_path_free(path);
  if (chosen < 0 || chosen >= static_cast<int>(app->search_cities.size()))
    return show_message(app, kNoChoice);
  std::string file, detail;
  int index;
  const PlaceAddStatus status =
      add_city(app->search_cities[chosen], app->system_dir, &file, &index, &detail);
  if (status != kPlaceAdded) return show_message(app, place_add_message(status, true), detail);
  gtk_widget_destroy(GTK_WIDGET(dialog));
  reload_places(app);
  app->current_place = index;
  riseset_cb(app, nullptr);
}

// A double click or Enter on a city adds it.
void city_activated(GtkTreeView *, GtkTreePath *, GtkTreeViewColumn *, gpointer data) {
  App *app = static_cast<App *>(data);
  gtk_dialog_response(GTK_DIALOG(app->search_dialog), GTK_RESPONSE_ACCEPT);
}

// The dialog goes: no search may deliver to it any more, and then the
// window's hold on the German names is let go (a search still running
// holds them until the main loop has taken its result).
void search_destroyed(GtkWidget *, gpointer data) {
  App *app = static_cast<App *>(data);
  cancel_search(app);
  app->search_names.reset();
  app->search_cities.clear();
  app->search_dialog = nullptr;
}

// The list of cities in a scrolled window.
GtkWidget *city_list(App *app) {
  GtkListStore *store =
      gtk_list_store_new(kListColumns, G_TYPE_STRING, G_TYPE_STRING, G_TYPE_STRING, G_TYPE_STRING);
  app->search_list = gtk_tree_view_new_with_model(GTK_TREE_MODEL(store));
  g_object_unref(store);
  for (int column = 0; column < kListColumns; ++column)
    gtk_tree_view_insert_column_with_attributes(
        GTK_TREE_VIEW(app->search_list), -1, kCityColumnTitles[column],
        gtk_cell_renderer_text_new(), "text", column, nullptr);
  g_signal_connect(app->search_list, "row-activated", G_CALLBACK(city_activated), app);
  GtkWidget *scrolled = gtk_scrolled_window_new(nullptr, nullptr);
  gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(scrolled), GTK_POLICY_AUTOMATIC,
                                 GTK_POLICY_AUTOMATIC);
  gtk_scrolled_window_set_shadow_type(GTK_SCROLLED_WINDOW(scrolled), GTK_SHADOW_IN);
  gtk_widget_set_size_request(scrolled, kListWidth, kListHeight);
  gtk_container_add(GTK_CONTAINER(scrolled), app->search_list);
  return scrolled;
}

// The dialog's body: the name's row, the hint, the list, the message line.
GtkWidget *search_fields(App *app) {
  GtkWidget *box = gtk_vbox_new(FALSE, kSearchSpacing);
  gtk_container_set_border_width(GTK_CONTAINER(box), kSearchBorder);
  GtkWidget *row = gtk_hbox_new(FALSE, kSearchSpacing);
  GtkWidget *label = gtk_label_new_with_mnemonic("_Name");
  app->search_entry = gtk_entry_new();
  gtk_entry_set_max_length(GTK_ENTRY(app->search_entry), kMaxCityQueryBytes);
  gtk_entry_set_activates_default(GTK_ENTRY(app->search_entry), TRUE);
  gtk_label_set_mnemonic_widget(GTK_LABEL(label), app->search_entry);
  gtk_box_pack_start(GTK_BOX(row), label, FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(row), app->search_entry, TRUE, TRUE, 0);
  gtk_box_pack_start(GTK_BOX(box), row, FALSE, FALSE, 0);
  GtkWidget *hint = gtk_label_new(kSearchHint);
  app->search_message = gtk_label_new("");
  for (GtkWidget *line : {hint, app->search_message})
    gtk_misc_set_alignment(GTK_MISC(line), 0, 0.5);
  gtk_box_pack_start(GTK_BOX(box), hint, FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(box), city_list(app), TRUE, TRUE, 0);
  gtk_box_pack_start(GTK_BOX(box), app->search_message, FALSE, FALSE, 0);
  g_signal_connect(app->search_entry, "changed", G_CALLBACK(name_changed), app);
  return box;
}

}  // namespace

void search_place_cb(App *app, GtkWidget *) {
  if (app->search_dialog) return gtk_window_present(GTK_WINDOW(app->search_dialog));
  app->search_names = std::make_shared<const GermanCityNames>();
  app->search_dialog = gtk_dialog_new_with_buttons(
      "Ort suchen", GTK_WINDOW(app->window),
      GtkDialogFlags(GTK_DIALOG_MODAL | GTK_DIALOG_DESTROY_WITH_PARENT), kCancelLabel,
      GTK_RESPONSE_CANCEL, kAddLabel, GTK_RESPONSE_ACCEPT, NULL);
  g_signal_connect(app->search_dialog, "destroy", G_CALLBACK(search_destroyed), app);
  gtk_box_pack_start(GTK_BOX(gtk_dialog_get_content_area(GTK_DIALOG(app->search_dialog))),
                     search_fields(app), TRUE, TRUE, 0);
  gtk_dialog_set_default_response(GTK_DIALOG(app->search_dialog), GTK_RESPONSE_ACCEPT);
  g_signal_connect(app->search_dialog, "response", G_CALLBACK(search_response), app);
  gtk_widget_show_all(app->search_dialog);
}
