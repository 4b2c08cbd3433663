// SPDX-License-Identifier: MIT
// Building nachtblick's window: a menu bar, and below it sixteen buttons,
// three date entries and the read-only text area; and the input help the
// layout leaves out (typing over the hints, the wheel).
#include <cstring>
#include <string>

#include "nachtblick/window/app.h"

// ---------------------------------------------------------------------------
// Input help: typing replaces a hint text, and the wheel scrolls the text
// area, which has no scroll bars.

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
static gboolean wheel_cb(GtkWidget *widget, GdkEventScroll *event, gpointer data) {
  const int kWheelLines = 3;
  const App *app = static_cast<const App *>(data);
  const int sign = event->direction == GDK_SCROLL_DOWN ? 1
                   : event->direction == GDK_SCROLL_UP ? -1
                                                       : 0;
  if (sign == 0) return FALSE;
  GdkFont *font = app->shown_font ? app->shown_font : gtk_style_get_font(widget->style);
  GtkAdjustment *adj = GTK_TEXT(widget)->vadj;
  const gdouble step = sign * kWheelLines * (font->ascent + font->descent);
  gtk_adjustment_set_value(adj, CLAMP(adj->value + step, adj->lower, adj->upper - adj->page_size));
  return TRUE;
}

// ---------------------------------------------------------------------------
// The layout

enum Grid { kDateTable, kButtonTable };

// The buttons in creation order and where each one sits. A view's button
// takes its label from the table of views.
struct ButtonDef {
  const char *label;  // or null: the view's button label
  const char *view;   // the view it shows, or null
  AppCallback callback;
  Grid grid;
  int column;
  int row;
};

static const ButtonDef kButtonDefs[kNbButtons] = {
    {"Programm beenden", nullptr, quit_cb, kButtonTable, 0, 4},
    {"Programm Information", nullptr, info_text_cb, kButtonTable, 1, 4},
    {nullptr, "calendar", view_cb, kButtonTable, 0, 0},
    {"Aktuelles Datum", nullptr, today_cb, kButtonTable, 0, 1},
    {nullptr, "moonphase", view_cb, kButtonTable, 1, 0},
    {nullptr, "seasons", view_cb, kButtonTable, 1, 1},
    {nullptr, "pi", view_cb, kButtonTable, 0, 2},
    {nullptr, "riseset", view_cb, kButtonTable, 1, 2},
    {"Naechster Ort", nullptr, next_place_cb, kButtonTable, 1, 3},
    {"Voriger Ort", nullptr, prev_place_cb, kButtonTable, 0, 3},
    {"Jahr plus", nullptr, plus_year, kDateTable, 0, 0},
    {"Jahr minus", nullptr, minus_year, kDateTable, 0, 1},
    {"Monat plus", nullptr, plus_month, kDateTable, 1, 0},
    {"Monat minus", nullptr, minus_month, kDateTable, 1, 1},
    {"Tag plus", nullptr, plus_day, kDateTable, 2, 0},
    {"Tag minus", nullptr, minus_day, kDateTable, 2, 1},
};
// The place buttons' rows of the table, whose tooltip names the place file.
static const int kPlaceButtonRows[] = {8, 9};

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

// A button of the table, its view (if any) as its "nb-view".
static GtkWidget *new_button(const ButtonDef &def) {
  const ViewDef *view = def.view ? find_view(def.view) : nullptr;
  GtkWidget *button = gtk_button_new_with_label(view ? view->button : def.label);
  g_object_set_data(G_OBJECT(button), "nb-view", const_cast<ViewDef *>(view));
  return button;
}

// Swapped form, before the default handler, with the state as data.
static void connect_clicked(App *app, GtkWidget *button, AppCallback callback) {
  gtk_signal_connect_full(GTK_OBJECT(button), "clicked", GTK_SIGNAL_FUNC(callback), NULL, app, NULL,
                          TRUE, FALSE);
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

// The widgets of the window, its buttons connected: the quit button first,
// then the window's destroy, then the rest.
static void make_widgets(App *app) {
  app->window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  for (int i = 0; i < kNbButtons; ++i) app->buttons[i] = new_button(kButtonDefs[i]);
  for (int k = 0; k < 2; ++k) app->place_buttons[k] = app->buttons[kPlaceButtonRows[k]];
  app->year = new_entry(kEntryHints[0]);
  app->month = new_entry(kEntryHints[1]);
  app->day = new_entry(kEntryHints[2]);
  app->output = gtk_text_new(NULL, NULL);
  gtk_text_set_editable(GTK_TEXT(app->output), FALSE);
  gtk_text_set_word_wrap(GTK_TEXT(app->output), FALSE);
  g_signal_connect(app->output, "scroll-event", G_CALLBACK(wheel_cb), app);
  connect_clicked(app, app->buttons[0], kButtonDefs[0].callback);
  gtk_signal_connect(GTK_OBJECT(app->window), "destroy", GTK_SIGNAL_FUNC(quit_cb), NULL);
  for (int i = 1; i < kNbButtons; ++i)
    connect_clicked(app, app->buttons[i], kButtonDefs[i].callback);
}

// The menu bar across the top; below it the layout, its border moved from
// the window to its box.
static void lay_out(App *app) {
  GtkWidget *outer = gtk_vbox_new(FALSE, 0);
  app->menubar = build_menu_bar(app);
  GtkWidget *vbox = gtk_vbox_new(FALSE, 0);
  GtkWidget *date_table = gtk_table_new(2, 3, FALSE);
  GtkWidget *entry_table = gtk_table_new(1, 3, FALSE);
  GtkWidget *button_table = gtk_table_new(5, 2, FALSE);
  gtk_window_set_position(GTK_WINDOW(app->window), GTK_WIN_POS_CENTER);
  gtk_window_set_default_size(GTK_WINDOW(app->window), kWindowWidth, kWindowHeight);
  gtk_container_set_border_width(GTK_CONTAINER(vbox), kWindowBorder);
  for (int i = 0; i < kNbButtons; ++i) {
    const ButtonDef &def = kButtonDefs[i];
    attach_cell(def.grid == kDateTable ? date_table : button_table, app->buttons[i], def.column,
                def.row);
  }
  attach_cell(entry_table, app->year, 0, 0);
  attach_cell(entry_table, app->month, 1, 0);
  attach_cell(entry_table, app->day, 2, 0);
  gtk_box_pack_start(GTK_BOX(vbox), date_table, FALSE, FALSE, kTablePadding);
  gtk_box_pack_start(GTK_BOX(vbox), entry_table, FALSE, FALSE, kTablePadding);
  gtk_box_pack_start(GTK_BOX(vbox), app->output, FALSE, FALSE, kOutputPadding);
  gtk_box_pack_start(GTK_BOX(vbox), button_table, FALSE, FALSE, kTablePadding);
  gtk_box_pack_start(GTK_BOX(outer), app->menubar, FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(outer), vbox, TRUE, TRUE, 0);
  gtk_container_add(GTK_CONTAINER(app->window), outer);
  gtk_widget_set_usize(app->output, kOutputWidth, kOutputHeight);
}

void build_window(App *app) {
  set_desktop_identity();
  make_widgets(app);
  lay_out(app);
  gtk_window_set_title(GTK_WINDOW(app->window), "Kalender & Nachtblick light");
  name_place_file(app);
  // The area is empty yet: no freeze and no clearing.
  show_greeting(app);
}
