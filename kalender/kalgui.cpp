// SPDX-License-Identifier: MIT
// kalgui.cpp - the window of the kalender program: two entries, a text area
// and eight buttons whose callbacks write the reports of kalreport.h.

#include "kalgui.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>

#include "kalreport.h"

GtkWidget *year = nullptr;
GtkWidget *month = nullptr;
GtkWidget *output = nullptr;

namespace {

constexpr gint kEntryMaxLength = 25;
constexpr int kWheelLines = 3;
// The window's default size and border, and the text area's size.
constexpr gint kWindowWidth = 500, kWindowHeight = 220, kWindowBorder = 45;
constexpr gint kOutputWidth = 400, kOutputHeight = 200;

struct ButtonDef {
  const char *label;
  void (*callback)(GtkWidget *, gpointer);
};

// Creation order; index = KalButton.
const ButtonDef kButtons[kKalButtonCount] = {
    {"Programm beenden", ende_cb},     {"Programm Information", info_text_cb},
    {"Datum berechnen", read_text_cb}, {"Aktuelles Jahr / Monat", copy_year},
    {"Jahr plus", plus_year},          {"Jahr minus", minus_year},
    {"Monat plus", plus_month},        {"Monat minus", minus_month},
};

KalWindow g_win;

// The font of the text shown; the wheel steps by its lines.
GdkFont *g_shown_font = nullptr;

// Today's local date.
void today(int *day, int *mon, int *yr) {
  const std::time_t now = std::time(nullptr);
  std::tm tm{};
  localtime_r(&now, &tm);
  *day = tm.tm_mday;
  *mon = tm.tm_mon + 1;
  *yr = tm.tm_year + 1900;
}

// Replaces the whole contents of the text area with text in the named font.
void show_text(const std::string &text, const char *font_name) {
  GdkFont *font = gdk_font_load(font_name);
  g_shown_font = font;
  GtkText *t = GTK_TEXT(output);
  gtk_text_freeze(t);
  clear_output_window();
  gtk_text_insert(t, font, nullptr, nullptr, text.c_str(), static_cast<gint>(text.size()));
  gtk_text_thaw(t);
}

void set_entry_number(GtkWidget *entry, int value) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%d", value);
  gtk_entry_set_text(GTK_ENTRY(entry), buf);
}

void connect_clicked(GtkWidget *button, void (*cb)(GtkWidget *, gpointer), GtkWidget *data) {
  // Swapped (object) form: the callback gets data first.
  gtk_signal_connect_full(GTK_OBJECT(button), "clicked", GTK_SIGNAL_FUNC(cb), nullptr, data,
                          nullptr, TRUE, FALSE);
}

// Typing replaces a hint text: while an entry still shows its hint (the
// handler's data), taking the focus by Tab or by a click selects all of it.
// The click is handled here, before the entry would move the cursor and
// drop the selection.
gboolean hint_event_cb(GtkWidget *entry, GdkEvent *event, gpointer hint) {
  if (std::strcmp(gtk_entry_get_text(GTK_ENTRY(entry)), static_cast<const char *>(hint)) != 0)
    return FALSE;
  const bool click =
      event->type == GDK_BUTTON_PRESS && event->button.button == 1 && !GTK_WIDGET_HAS_FOCUS(entry);
  if (click) gtk_widget_grab_focus(entry);
  if (click || (event->type == GDK_FOCUS_CHANGE && event->focus_change.in))
    gtk_editable_select_region(GTK_EDITABLE(entry), 0, -1);
  return click;
}

GtkWidget *new_hint_entry(const char *hint) {
  GtkWidget *entry = gtk_entry_new_with_max_length(kEntryMaxLength);
  gtk_entry_set_text(GTK_ENTRY(entry), hint);
  g_signal_connect(entry, "event", G_CALLBACK(hint_event_cb), const_cast<char *>(hint));
  return entry;
}

// The text area has no scroll bars: a notch of the wheel moves it by
// kWheelLines lines of the text shown, inside the scroll range.
gboolean wheel_cb(GtkWidget *widget, GdkEventScroll *event, gpointer) {
  const int sign = event->direction == GDK_SCROLL_DOWN ? 1
                   : event->direction == GDK_SCROLL_UP ? -1
                                                       : 0;
  if (sign == 0) return FALSE;
  GdkFont *font = g_shown_font ? g_shown_font : gtk_style_get_font(widget->style);
  GtkAdjustment *adj = GTK_TEXT(widget)->vadj;
  const gdouble step = sign * kWheelLines * (font->ascent + font->descent);
  gtk_adjustment_set_value(adj, CLAMP(adj->value + step, adj->lower, adj->upper - adj->page_size));
  return TRUE;
}

}  // namespace

void clear_output_window(void) {
  GtkText *t = GTK_TEXT(output);
  while (gtk_text_backward_delete(t, 1)) {
  }
  while (gtk_text_forward_delete(t, 1)) {
  }
}

void ende_cb(GtkWidget *, gpointer) { gtk_main_quit(); }

void info_text_cb(GtkWidget *, gpointer) { show_text(kalender_info_text(), kKalFontFixed); }

void read_text_cb(GtkWidget *, gpointer) {
  int d, m, y;
  today(&d, &m, &y);
  const KalReport r = kalender_report(gtk_entry_get_text(GTK_ENTRY(year)),
                                      gtk_entry_get_text(GTK_ENTRY(month)), d, m, y);
  show_text(r.text, r.font);
}

void copy_year(GtkWidget *widget, gpointer data) {
  static int status = 0;
  int d, m, y;
  today(&d, &m, &y);
  status = 1 - status;
  set_entry_number(year, y);
  set_entry_number(month, status == 1 ? 0 : m);
  read_text_cb(widget, data);
}

// The date buttons: the entry's text stepped by a rule of kalreport.h,
// written back, and the report shown.
static void step_entry(GtkWidget *entry, int (*step)(const char *)) {
  set_entry_number(entry, step(gtk_entry_get_text(GTK_ENTRY(entry))));
  read_text_cb(nullptr, nullptr);
}

void plus_year(GtkWidget *, gpointer) { step_entry(year, kalender_next_year); }
void minus_year(GtkWidget *, gpointer) { step_entry(year, kalender_prev_year); }
void plus_month(GtkWidget *, gpointer) { step_entry(month, kalender_next_month); }
void minus_month(GtkWidget *, gpointer) { step_entry(month, kalender_prev_month); }

// Year buttons in column 0, month buttons in column 1; every cell
// expands, shrinks and fills, without padding.
static void attach_date_buttons(GtkWidget *table, const KalWindow &w) {
  struct Cell {
    KalButton button;
    guint col, row;
  };
  const Cell cells[] = {{kKalButtonJahrPlus, 0, 0},
                        {kKalButtonJahrMinus, 0, 1},
                        {kKalButtonMonatPlus, 1, 0},
                        {kKalButtonMonatMinus, 1, 1}};
  const GtkAttachOptions all = static_cast<GtkAttachOptions>(GTK_EXPAND | GTK_SHRINK | GTK_FILL);
  for (const Cell &c : cells)
    gtk_table_attach(GTK_TABLE(table), w.buttons[c.button], c.col, c.col + 1, c.row, c.row + 1, all,
                     all, 0, 0);
}

// The column of the window from top to bottom, neither expanding nor
// filling, with these paddings.
static GtkWidget *pack_column(GtkWidget *table, const KalWindow &w) {
  struct Packed {
    GtkWidget *widget;
    guint padding;
  };
  const Packed packed[] = {{table, 10},
                           {w.year, 15},
                           {w.month, 25},
                           {w.output, 35},
                           {w.buttons[kKalButtonBerechnen], 0},
                           {w.buttons[kKalButtonAktuell], 0},
                           {w.buttons[kKalButtonInfo], 0},
                           {w.buttons[kKalButtonEnde], 0}};
  GtkWidget *vbox = gtk_vbox_new(FALSE, 0);
  for (const Packed &p : packed)
    gtk_box_pack_start(GTK_BOX(vbox), p.widget, FALSE, FALSE, p.padding);
  return vbox;
}

namespace {

// The desktop identity: WM_CLASS class equal to the desktop entry's
// StartupWMClass (its desktop ID), and the icon by the name the entry gives;
// where the icon theme has none, the installed PNG, or the one that the
// build copies into the build tree's data/icons beside the program's folder.
void set_desktop_identity() {
  gdk_set_program_class("org.example.kalender");
  if (gtk_icon_theme_has_icon(gtk_icon_theme_get_default(), "kalender")) {
    gtk_window_set_default_icon_name("kalender");
    return;
  }
  gchar *exe = g_file_read_link("/proc/self/exe", nullptr);
  gchar *dir = g_path_get_dirname(exe ? exe : ".");
  gchar *built = g_build_filename(dir, "..", "data", "icons", "kalender-128.png", nullptr);
  for (const char *png : {KALENDER_ICON_FILE, static_cast<const char *>(built)}) {
    GError *error = nullptr;
    if (gtk_window_set_default_icon_from_file(png, &error)) break;
    g_error_free(error);
  }
  g_free(built), g_free(dir), g_free(exe);
}

}  // namespace

KalWindow *kalender_build_window(void) {
  set_desktop_identity();
  KalWindow &w = g_win;
  w.window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  for (int i = 0; i < kKalButtonCount; ++i)
    w.buttons[i] = gtk_button_new_with_label(kButtons[i].label);
  year = w.year = new_hint_entry(kKalYearHint);
  month = w.month = new_hint_entry(kKalMonthHint);

  output = w.output = gtk_text_new(nullptr, nullptr);
  gtk_text_set_editable(GTK_TEXT(output), FALSE);
  gtk_text_set_word_wrap(GTK_TEXT(output), FALSE);
  g_signal_connect(output, "scroll-event", G_CALLBACK(wheel_cb), nullptr);
  GtkWidget *table = gtk_table_new(2, 2, FALSE);

  // The quit button first, then the window's "destroy", then the rest.
  connect_clicked(w.buttons[kKalButtonEnde], kButtons[kKalButtonEnde].callback, w.window);
  gtk_signal_connect_full(GTK_OBJECT(w.window), "destroy", GTK_SIGNAL_FUNC(ende_cb), nullptr,
                          nullptr, nullptr, FALSE, FALSE);
  for (int i = kKalButtonEnde + 1; i < kKalButtonCount; ++i)
    connect_clicked(w.buttons[i], kButtons[i].callback, w.window);

  gtk_window_set_position(GTK_WINDOW(w.window), GTK_WIN_POS_CENTER);
  gtk_window_set_default_size(GTK_WINDOW(w.window), kWindowWidth, kWindowHeight);
  gtk_container_set_border_width(GTK_CONTAINER(w.window), kWindowBorder);
  attach_date_buttons(table, w);
  gtk_container_add(GTK_CONTAINER(w.window), pack_column(table, w));
  gtk_widget_set_usize(output, kOutputWidth, kOutputHeight);
  gtk_window_set_title(GTK_WINDOW(w.window), "Kalender");
  return &w;
}
