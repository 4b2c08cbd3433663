// SPDX-License-Identifier: MIT
// The chart of a year in a window of its own: one for the run, made at the
// first request and brought up to the year and place of every one after.
// It opens as large as the chart and its frame (kChartFrame pixels); the
// window manager keeps it on the screen. Escape closes it.
#include <string>

#include "nachtblick/text/utf8.h"
#include "nachtblick/window/app.h"

enum { kChartFrame = 8 };

// The window for the chart, sized for it.
static void make_chart_window(App *app, GdkPixbuf *chart) {
  app->chart_window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  g_signal_connect(app->chart_window, "destroy", G_CALLBACK(gtk_widget_destroyed),
                   &app->chart_window);
  close_on_escape(app->chart_window);
  gtk_window_set_default_size(GTK_WINDOW(app->chart_window),
                              gdk_pixbuf_get_width(chart) + kChartFrame,
                              gdk_pixbuf_get_height(chart) + kChartFrame);
  GtkWidget *scrolled = gtk_scrolled_window_new(NULL, NULL);
  gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(scrolled), GTK_POLICY_AUTOMATIC,
                                 GTK_POLICY_AUTOMATIC);
  app->chart_image = gtk_image_new();
  gtk_scrolled_window_add_with_viewport(GTK_SCROLLED_WINDOW(scrolled), app->chart_image);
  gtk_container_add(GTK_CONTAINER(app->chart_window), scrolled);
}

void chart_window_cb(App *app, GtkWidget *) {
  const char kNotDrawn[] = "Die Jahresgrafik konnte nicht gezeichnet werden.";
  int year;
  if (!whole_year(app, &year, kNotDrawn)) return;
  const ViewResult chart = make_chart(app, year, kChartPng);
  if (chart.error != kViewOk) return show_error(app, kNotDrawn, chart.message);
  const std::string &png = chart.text;
  GdkPixbufLoader *loader = gdk_pixbuf_loader_new_with_type("png", NULL);
  gdk_pixbuf_loader_write(loader, reinterpret_cast<const guchar *>(png.data()), png.size(), NULL);
  gdk_pixbuf_loader_close(loader, NULL);
  if (!app->chart_window) make_chart_window(app, gdk_pixbuf_loader_get_pixbuf(loader));
  gtk_image_set_from_pixbuf(GTK_IMAGE(app->chart_image), gdk_pixbuf_loader_get_pixbuf(loader));
  g_object_unref(loader);
  const std::string title = "Jahresgrafik " + std::to_string(year) + ": " +
                            utf8_text(app->places.table[app->current_place].name);
  gtk_window_set_title(GTK_WINDOW(app->chart_window), title.c_str());
  gtk_widget_show_all(app->chart_window);
  gtk_window_present(GTK_WINDOW(app->chart_window));
}
