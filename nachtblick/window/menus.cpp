// SPDX-License-Identifier: MIT
// nachtblick's menu bar: one row a menu item, the items of a menu in a run
// of rows; each view's menu entry (the table of views) after the window's
// own items of its menu.
#include <cstring>
#include <iterator>
#include <string>

#include "nachtblick/window/app.h"

namespace {

struct MenuDef {
  const char *menu;
  const char *label;
  const char *accelerator;  // as gtk_accelerator_parse reads it, or null
  AppCallback callback;
};

const MenuDef kMenuDefs[] = {
    {"_Datei", "Jahr als iCalendar _exportieren\u2026", "<Control>e", export_ical_cb},
    {"_Datei", "Jahres_grafik speichern\u2026", nullptr, save_chart_cb},
    {"_Datei", "_Beenden", "<Control>q", quit_cb},
    {"_Ansicht", "_Jahresgrafik", nullptr, chart_window_cb},
    {"_Orte", "Ort _suchen\u2026", nullptr, search_place_cb},
    {"_Orte", "Ort _hinzufuegen\u2026", nullptr, add_place_cb},
    {"_Orte", "Ortsdatei neu _laden", "<Control>r", riseset_cb},
    {"_Orte", "Ortsdatei _anzeigen", nullptr, place_file_cb},
    {"_Hilfe", "_Info", nullptr, info_text_cb},
};

// An item of the menu, its callback connected with the state as data.
void add_item(App *app, GtkWidget *menu, GtkAccelGroup *accels, const char *label,
              const char *accelerator, AppCallback callback, const ViewDef *view) {
  GtkWidget *item = gtk_menu_item_new_with_mnemonic(label);
  g_object_set_data(G_OBJECT(item), "nb-view", const_cast<ViewDef *>(view));
  g_signal_connect_swapped(item, "activate", G_CALLBACK(callback), app);
  guint key = 0;
  GdkModifierType modifiers = GdkModifierType(0);
  if (accelerator) gtk_accelerator_parse(accelerator, &key, &modifiers);
  if (key) gtk_widget_add_accelerator(item, "activate", accels, key, modifiers, GTK_ACCEL_VISIBLE);
  gtk_menu_shell_append(GTK_MENU_SHELL(menu), item);
}

// The views' entries of a menu, in the table of views.
void add_view_items(App *app, GtkWidget *menu, GtkAccelGroup *accels, const char *menu_name) {
  for (int i = 0; i < kViewCount; ++i) {
    const ViewMenuEntry *entry = kViews[i].menu;
    if (entry && std::strcmp(entry->menu, menu_name) == 0)
      add_item(app, menu, accels, entry->item, nullptr, view_cb, &kViews[i]);
  }
}

}  // namespace

GtkWidget *build_menu_bar(App *app) {
  GtkAccelGroup *accels = gtk_accel_group_new();
  gtk_window_add_accel_group(GTK_WINDOW(app->window), accels);
  GtkWidget *bar = gtk_menu_bar_new();
  const size_t count = std::size(kMenuDefs);
  GtkWidget *menu = nullptr;
  for (size_t i = 0; i < count; ++i) {
    const MenuDef &def = kMenuDefs[i];
    if (i == 0 || std::strcmp(def.menu, kMenuDefs[i - 1].menu) != 0) {
      GtkWidget *title = gtk_menu_item_new_with_mnemonic(def.menu);
      menu = gtk_menu_new();
      gtk_menu_set_accel_group(GTK_MENU(menu), accels);
      gtk_menu_item_set_submenu(GTK_MENU_ITEM(title), menu);
      gtk_menu_shell_append(GTK_MENU_SHELL(bar), title);
    }
    add_item(app, menu, accels, def.label, def.accelerator, def.callback, nullptr);
    if (i + 1 == count || std::strcmp(def.menu, kMenuDefs[i + 1].menu) != 0)
      add_view_items(app, menu, accels, def.menu);
  }
  g_object_unref(accels);
  return bar;
}
