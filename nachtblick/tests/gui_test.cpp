// SPDX-License-Identifier: MIT
// The real window of nachtblick: the script tests/data/gui-nachtblick.txt
// (layout, every button, the date and place stepping, typing, the wheel),
// seeded random clicks, and the two ways to end the main loop.
#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "nachtblick/places.h"
#include "nachtblick/reports.h"
#include "nachtblick/window.h"
#include "tests/gtk_harness.h"

namespace {

NbWindow *win = nullptr;
const std::string kLabelPi = "Kreiszahl PI berechnen", kLabelInfo = "Programm Information";

// The text the window should show after a click on `label`.
std::string expected(const std::string &label) {
  if (label.empty()) return kGreetingText;
  if (label == kLabelPi) return pi_report().text;
  if (label == kLabelInfo) return info_report().text;
  return view_report(current_view, window_report_input()).text;
}

harness::Window script_window() {
  return {win->window,
          win->output,
          [](const std::string &name) {
            return name == "year"    ? win->year
                   : name == "month" ? win->month
                   : name == "day"   ? win->day
                                     : nullptr;
          },
          expected,
          [](const std::string &key) {
            return key == "view" ? current_view : key == "place" ? current_place : today_toggle;
          },
          kFontReport};
}

}  // namespace

TEST(Window, Script) {
  harness::run_script(script_window(), NB_SOURCE_DIR "/tests/data/gui-nachtblick.txt");
}

// After every random click the text is the report asked for and the place
// shown is one in use; the file of places changes now and then.
TEST(Window, MonkeyClicks) {
  harness::Monkey m;
  GtkWidget *const entries[3] = {win->year, win->month, win->day};
  for (long i = 0; i < m.clicks && !::testing::Test::HasFailure(); ++i) {
    if (m.below(3) == 0) gtk_entry_set_text(GTK_ENTRY(entries[m.below(3)]), m.text(9).c_str());
    if (m.below(25) == 0) {
      std::string conf;
      for (int n = m.below(40); n > 0; --n)
        conf += std::to_string(10 + m.below(90)) + " N 00  0" + std::to_string(10 + m.below(90)) +
                " E " + m.text(2) + " " + m.text(30) + " [" +
                (m.below(2) ? "Asia/Tokyo]" : m.text(9)) + "\n";
      std::ofstream(harness::kPlaceFile) << conf;
    }
    GtkWidget *button = win->buttons[1 + m.below(kNbButtons - 1)];  // all but "Programm beenden"
    const std::string label = gtk_button_get_label(GTK_BUTTON(button));
    gtk_button_clicked(GTK_BUTTON(button));
    ASSERT_EQ(harness::text_of(win->output), expected(label)) << "click " << i << ": " << label;
    ASSERT_TRUE(place_table[current_place].used) << "click " << i;
  }
}

TEST(Window, DesktopIdentity) {
  harness::expect_desktop_identity(win->window,
                                   NB_SOURCE_DIR "/data/org.example.nachtblick.desktop");
}

TEST(Window, QuitAndCloseEndTheMainLoop) {
  harness::expect_quit_and_close(win->buttons[0], win->window);
}

int main(int argc, char **argv) {
  ::testing::InitGoogleTest(&argc, argv);
  char dir[] = "/tmp/nbguiXXXXXX";
  if (!mkdtemp(dir) || chdir(dir) != 0) return 1;
  // Only the working directory's place file: the user's and the system's
  // are looked for in the scratch directory, which holds none.
  setenv("HOME", dir, 1);
  setenv("XDG_CONFIG_HOME", dir, 1);
  place_system_dir = dir;
  harness::init_toolkit(&argc, &argv);
  load_places();
  win = build_window();
  gtk_widget_show_all(win->window);
  const int status = RUN_ALL_TESTS();
  return std::system((std::string("rm -rf ") + dir).c_str()) == 0 ? status : 1;
}
