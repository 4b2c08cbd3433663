// SPDX-License-Identifier: MIT
// The real kalender window: the script tests/data/gui-kalender.txt
// (layout, every button, the steps, typing, the wheel), seeded random
// clicks, and the two ways to end the main loop.
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <ctime>
#include <string>

#include "../../tests/gtk_harness.h"
#include "kalgui.h"
#include "kalreport.h"

namespace {

KalWindow *win = nullptr;

std::string expected(const std::string &label) {
  if (label.empty()) return "";
  if (label == "Programm Information") return kalender_info_text();
  std::time_t now = std::time(nullptr);
  const std::tm *t = std::localtime(&now);
  return kalender_report(gtk_entry_get_text(GTK_ENTRY(year)), gtk_entry_get_text(GTK_ENTRY(month)),
                         t->tm_mday, t->tm_mon + 1, t->tm_year + 1900)
      .text;
}

harness::Window script_window() {
  return {win->window,
          win->output,
          [](const std::string &name) {
            return name == "year" ? win->year : name == "month" ? win->month : nullptr;
          },
          expected,
          [](const std::string &) { return 0; },
          kKalFontFixed};
}

}  // namespace

TEST(Kalender, Script) {
  harness::run_script(script_window(), NB_SOURCE_DIR "/tests/data/gui-kalender.txt");
}

TEST(Kalender, MonkeyClicks) {
  harness::Monkey m;
  for (long i = 0; i < m.clicks && !::testing::Test::HasFailure(); ++i) {
    if (m.below(3) == 0)
      gtk_entry_set_text(GTK_ENTRY(m.below(2) ? year : month), m.text(26).c_str());
    GtkWidget *button = win->buttons[1 + m.below(kKalButtonCount - 1)];
    const std::string label = gtk_button_get_label(GTK_BUTTON(button));
    gtk_button_clicked(GTK_BUTTON(button));
    ASSERT_EQ(harness::text_of(output), expected(label)) << "click " << i << ": " << label;
  }
}

TEST(Kalender, DesktopIdentity) {
  harness::expect_desktop_identity(win->window, NB_SOURCE_DIR "/data/org.example.kalender.desktop");
}

TEST(Kalender, QuitAndCloseEndTheMainLoop) {
  harness::expect_quit_and_close(win->buttons[kKalButtonEnde], win->window);
}

int main(int argc, char **argv) {
  ::testing::InitGoogleTest(&argc, argv);
  harness::init_toolkit(&argc, &argv);
  win = kalender_build_window();
  gtk_widget_show_all(win->window);
  return RUN_ALL_TESTS();
}
