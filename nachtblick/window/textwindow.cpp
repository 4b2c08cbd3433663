// SPDX-License-Identifier: MIT
// Long texts in a window of their own: the views of the menus, and a text
// of the menus that the text area would cut off. A read-only text view in
// a monospace font, so that columns line up, with a vertical scroll bar;
// lines are never broken, and the window is never narrower than the
// longest one. It opens as tall as the text, at most kScreenShare of the
// screen's height, and grows when a new text needs more room. The text is
// UTF-8, as GTK+ takes it; a name of the place file in Latin-1 is read as
// utf8_text reads it.
#include <gdk/gdkkeysyms.h>

#include <string>

#include "nachtblick/text/utf8.h"
#include "nachtblick/window/app.h"

namespace {

constexpr char kTextFont[] = "Monospace";
constexpr double kScreenShare = 0.75;
enum { kTextMargin = 6 };

// Escape in the window destroys it.
gboolean escape_cb(GtkWidget *window, GdkEventKey *event, gpointer) {
  if (event->keyval != GDK_KEY_Escape) return FALSE;
  gtk_widget_destroy(window);
  return TRUE;
}

// The window of a name, its text view as its "nb-text-view"; the slot in
// the state goes back to null when the window is destroyed.
GtkWidget *make_text_window(GtkWidget **slot) {
  GtkWidget *window = *slot = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  g_signal_connect(window, "destroy", G_CALLBACK(gtk_widget_destroyed), slot);
  close_on_escape(window);
  GtkWidget *scrolled = gtk_scrolled_window_new(NULL, NULL);
  gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(scrolled), GTK_POLICY_NEVER,
                                 GTK_POLICY_AUTOMATIC);
  GtkWidget *view = gtk_text_view_new();
  gtk_text_view_set_editable(GTK_TEXT_VIEW(view), FALSE);
  gtk_text_view_set_cursor_visible(GTK_TEXT_VIEW(view), FALSE);
  gtk_text_view_set_wrap_mode(GTK_TEXT_VIEW(view), GTK_WRAP_NONE);
  gtk_text_view_set_left_margin(GTK_TEXT_VIEW(view), kTextMargin);
  gtk_text_view_set_right_margin(GTK_TEXT_VIEW(view), kTextMargin);
  PangoFontDescription *font = pango_font_description_from_string(kTextFont);
  gtk_widget_modify_font(view, font);
  pango_font_description_free(font);
  gtk_container_add(GTK_CONTAINER(scrolled), view);
  gtk_container_add(GTK_CONTAINER(window), scrolled);
  g_object_set_data(G_OBJECT(window), "nb-text-view", view);
  return window;
}

// Grows the window to show the whole text: its size in the view's font,
// the margins, and the vertical scroll bar beside it.
void fit_window(GtkWidget *window, GtkWidget *view, const std::string &text) {
  PangoLayout *layout = gtk_widget_create_pango_layout(view, text.c_str());
  int width, height;
  pango_layout_get_pixel_size(layout, &width, &height);
  g_object_unref(layout);
  GtkWidget *scrolled = gtk_widget_get_parent(view);
  GtkRequisition bar;
  gtk_widget_size_request(GTK_SCROLLED_WINDOW(scrolled)->vscrollbar, &bar);
  gint spacing = 0;
  gtk_widget_style_get(scrolled, "scrollbar-spacing", &spacing, NULL);
  width += 2 * kTextMargin + bar.width + spacing;
  height =
      MIN(height + 2 * kTextMargin,
          static_cast<int>(kScreenShare * gdk_screen_get_height(gtk_widget_get_screen(window))));
  int now_width, now_height;
  gtk_window_get_size(GTK_WINDOW(window), &now_width, &now_height);
  gtk_window_resize(GTK_WINDOW(window), MAX(width, now_width), MAX(height, now_height));
}

}  // namespace

void close_on_escape(GtkWidget *window) {
  g_signal_connect(window, "key-press-event", G_CALLBACK(escape_cb), NULL);
}

void show_text_window(App *app, const std::string &name, const std::string &title,
                      const std::string &text) {
  GtkWidget **slot = &app->text_windows[name];
  GtkWidget *window = *slot ? *slot : make_text_window(slot);
  GtkWidget *view = static_cast<GtkWidget *>(g_object_get_data(G_OBJECT(window), "nb-text-view"));
  const std::string utf8 = utf8_text(text.c_str());
  gtk_text_buffer_set_text(gtk_text_view_get_buffer(GTK_TEXT_VIEW(view)), utf8.c_str(), -1);
  gtk_window_set_title(GTK_WINDOW(window), utf8_text(title.c_str()).c_str());
  fit_window(window, view, utf8);
  gtk_widget_show_all(window);
  gtk_window_present(GTK_WINDOW(window));
}
