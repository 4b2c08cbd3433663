// SPDX-License-Identifier: MIT
// Monkey test of the nachtblick window: thousands of seeded random clicks on
// random buttons, with random texts typed into the entries (digits, signs,
// blanks, letters, non-ASCII characters) and random place files written
// between them. After every click the text area must hold exactly the
// report that the entries and the place table ask for; any GLib or GTK
// warning or critical message aborts the run; memory must not keep growing.
// The environment variables are those of harness::Monkey.
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <cstdio>
#include <string>

#include "calendar/calendar.h"
#include "nachtblick/places.h"
#include "nachtblick/reports.h"
#include "nachtblick/tests/scratch_dir.h"
#include "nachtblick/window.h"
#include "tests/gtk_harness.h"

namespace {

NbWindow *win = nullptr;

// Button indices, in creation order.
enum {
  B_QUIT,
  B_INFO,
  B_CALENDAR,
  B_TODAY,
  B_MOON,
  B_SEASONS,
  B_PI,
  B_RISESET,
  B_NEXT_PLACE,
  B_PREV_PLACE,
  B_YEAR_PLUS,
  B_YEAR_MINUS,
  B_MONTH_PLUS,
  B_MONTH_MINUS,
  B_DAY_PLUS,
  B_DAY_MINUS
};

ReportInput current_input() { return window_report_input(); }

// A text for an entry: a plausible number or a random mix of up to the
// entry's 8 characters (longer texts are cut by the entry itself).
std::string entry_text(harness::Monkey &m, GtkWidget *entry) {
  static const char *const others[] = {
      "\xc3\xa4", "\xc3\x9f", "\xc3\x9c", "\xe2\x82\xac", "\xf0\x9d\x84\x9e", "\xc2\xa0", "\t",
      "%",        "[",        "]"};
  const int kind = m.below(10);
  if (kind < 4) {
    if (entry == win->year) return std::to_string(90 + m.below(10020));
    return std::to_string(entry == win->month ? m.below(15) - 1 : m.below(34) - 1);
  }
  if (kind == 4) return "";
  if (kind == 5) return m.below(2) ? " [Jahr]" : "  0000012";
  std::string text;
  for (int n = m.below(10); n > 0; --n) text += m.character(others);
  return text;
}

// A random place file, or none: place lines with random fields and names
// of any bytes but NUL, option lines and comments with every line end, or
// random binary data.
void write_place_file(harness::Monkey &m, const ScratchDir &dir) {
  const int kind = m.below(10);
  if (kind == 0) {
    dir.remove();
    m.note("removed the place file");
    return;
  }
  std::string text;
  if (kind == 1) {
    for (int n = m.below(3000); n > 0; --n) text += static_cast<char>(m.below(256));
  } else if (kind != 2) {
    static const char *const ends[] = {"\n", "\r", "\r\n"};
    for (int n = m.below(40); n > 0; --n) {
      const int line = m.below(10);
      char fields[64];
      std::snprintf(fields, sizeof fields, "%02d %c %02d  %03d %c %02d ", m.below(100),
                    "NSns"[m.below(4)], m.below(70), m.below(200), "EOWewo"[m.below(6)],
                    m.below(70));
      if (line == 0) text += m.below(2) ? "A " : "D ";
      if (line == 1) text += "; comment";
      if (line >= 2) text += fields;
      if (line == 2) text += "Sch\xc3\xb6nbrunn \xe2\x82\xac";
      if (line == 3) text += "Ort " + std::to_string(m.below(1000));
      for (int i = line == 4 ? m.below(50) : 0; i > 0; --i)
        text += static_cast<char>(1 + m.below(255));
      text += m.pick(ends);
    }
  }
  dir.write(text);
  m.note("wrote a place file of " + std::to_string(text.size()) + " bytes");
}

}  // namespace

TEST(Monkey, RandomClicksAlwaysShowTheReportAskedFor) {
  ScratchDir dir(true);
  harness::Monkey monkey(win->buttons[B_QUIT], win->output);
  int view = current_view;  // the view the clicks so far ask for
  int clicked[NB_BUTTONS] = {0};
  long not_utf8 = 0;  // reports that showed a place name that is not UTF-8

  while (monkey.next()) {
    for (int n = monkey.chance(40) ? 1 + monkey.below(3) : 0; n > 0; --n) {
      GtkWidget *const entries[3] = {win->year, win->month, win->day};
      GtkWidget *entry = entries[monkey.below(3)];
      monkey.type(entry, entry_text(monkey, entry), 3);
    }
    if (monkey.chance(4)) write_place_file(monkey, dir);

    const int button = 1 + monkey.below(NB_BUTTONS - 1);  // not "Programm beenden"
    monkey.note(std::string("click ") + gtk_button_get_label(GTK_BUTTON(win->buttons[button])));
    gtk_button_clicked(GTK_BUTTON(win->buttons[button]));
    ++clicked[button];
    if (monkey.step % 8 == 0) harness::settle();

    if (button == B_CALENDAR) view = VIEW_CALENDAR;
    if (button == B_MOON) view = VIEW_MOONPHASE;
    if (button == B_SEASONS) view = VIEW_SEASONS;
    if (button == B_RISESET || button == B_NEXT_PLACE || button == B_PREV_PLACE)
      view = VIEW_RISESET;
    const std::string expected = button == B_INFO ? info_report().text
                                 : button == B_PI ? pi_report().text
                                                  : view_report(view, current_input()).text;
    ASSERT_EQ(current_view, view) << monkey.history();
    ASSERT_EQ(harness::text_of(win->output), expected) << monkey.history();
    not_utf8 += !g_utf8_validate(expected.data(), static_cast<gssize>(expected.size()), nullptr);
    if (view == VIEW_RISESET && button != B_INFO && button != B_PI) {
      ASSERT_TRUE(current_place >= 0 && current_place < PLACE_SLOTS &&
                  place_table[current_place].used)
          << "current place " << current_place << "\n"
          << monkey.history();
    }
    // A date button writes its entry back as a plain number.
    GtkWidget *stepped = nullptr;
    if (button == B_YEAR_PLUS || button == B_YEAR_MINUS) stepped = win->year;
    if (button == B_MONTH_PLUS || button == B_MONTH_MINUS || button == B_TODAY)
      stepped = win->month;
    if (button == B_DAY_PLUS || button == B_DAY_MINUS) stepped = win->day;
    if (stepped) {
      const char *text = gtk_entry_get_text(GTK_ENTRY(stepped));
      ASSERT_EQ(std::to_string(entrytoint(text)), text) << monkey.history();
    }
  }
  harness::settle();
  for (int i = 1; i < NB_BUTTONS; ++i) EXPECT_GT(clicked[i], 0) << "button " << i;
  std::printf("monkey: %ld reports showed a place name that is not UTF-8\n", not_utf8);
  monkey.check_memory();
}

int main(int argc, char **argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (!harness::init_toolkit(&argc, &argv)) return 1;
  load_places();
  win = build_window();
  gtk_widget_show_all(win->window);
  harness::settle();
  return RUN_ALL_TESTS();
}
