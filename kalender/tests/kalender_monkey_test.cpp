// SPDX-License-Identifier: MIT
// Monkey test of the kalender window: thousands of seeded random clicks on
// random buttons, with random texts typed into the two entries (digits,
// signs, white space, letters, non-ASCII characters, up to the entries' 25
// characters). After every click the text area must hold exactly the
// report or information text the entries ask for and a date button must
// have stepped its entry; any GLib or GTK warning or critical message
// aborts the run; memory must not keep growing. The environment variables
// are those of harness::Monkey.
#include <ctime>
#include <string>

#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include "../../tests/gtk_harness.h"
#include "kalgui.h"
#include "kalreport.h"

namespace {

KalWindow *win = nullptr;

// A plausible number, a hint text or a random mix; the entry cuts it to
// its 25 characters. atoi skips every kind of white space.
std::string entry_text(harness::Monkey &m, GtkWidget *e) {
  static const char *const others[] = {
      "\xc3\xa4", "\xc3\x9f", "\xe2\x82\xac", "\xf0\x9d\x84\x9e", "\xc2\xa0", "[", "]", "."};
  static const char *const blanks[] = {" ", "\t", "\n", "\v", "\f", "\r"};
  const int kind = m.below(10);
  if (kind < 4) return std::to_string(e == win->year ? 90 + m.below(10020) : m.below(15) - 1);
  if (kind == 4) return "";
  if (kind == 5) return e == win->year ? kKalYearHint : kKalMonthHint;
  if (kind == 6) return std::string(m.below(30), '9');
  std::string text;
  for (int n = m.below(30); n > 0; --n) text += m.character(others, m.pick(blanks));
  return text;
}

}  // namespace

TEST(Monkey, RandomClicksAlwaysShowTheReportAskedFor) {
  harness::Monkey monkey(win->buttons[KAL_BTN_ENDE], win->output);
  int current_clicks = 0;  // "Aktuelles Jahr / Monat" alternates month 0 and today's month
  int clicked[KAL_BTN_COUNT] = {0};

  while (monkey.next()) {
    for (int n = monkey.chance(40) ? 1 + monkey.below(2) : 0; n > 0; --n) {
      GtkWidget *e = monkey.below(2) ? win->year : win->month;
      monkey.type(e, entry_text(monkey, e), 5);
    }

    const int button = 1 + monkey.below(KAL_BTN_COUNT - 1);  // not "Programm beenden"
    const std::string year_before = harness::text_of(win->year);
    const std::string month_before = harness::text_of(win->month);
    monkey.note(std::string("click ") + gtk_button_get_label(GTK_BUTTON(win->buttons[button])));
    gtk_button_clicked(GTK_BUTTON(win->buttons[button]));
    ++clicked[button];
    if (monkey.step % 8 == 0) harness::settle();

    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    const std::string y = harness::text_of(win->year), m = harness::text_of(win->month);
    std::string want_y = year_before, want_m = month_before;
    const char *yb = year_before.c_str();
    const char *mb = month_before.c_str();
    if (button == KAL_BTN_JAHR_PLUS) want_y = std::to_string(kalender_next_year(yb));
    if (button == KAL_BTN_JAHR_MINUS) want_y = std::to_string(kalender_prev_year(yb));
    if (button == KAL_BTN_MONAT_PLUS) want_m = std::to_string(kalender_next_month(mb));
    if (button == KAL_BTN_MONAT_MINUS) want_m = std::to_string(kalender_prev_month(mb));
    if (button == KAL_BTN_AKTUELL) {
      want_y = std::to_string(tm.tm_year + 1900);
      want_m = ++current_clicks % 2 ? "0" : std::to_string(tm.tm_mon + 1);
    }
    ASSERT_EQ(y, want_y) << monkey.history();
    ASSERT_EQ(m, want_m) << monkey.history();
    const std::string expected =
        button == KAL_BTN_INFO
            ? kalender_info_text()
            : kalender_report(y.c_str(), m.c_str(), tm.tm_mday, tm.tm_mon + 1, tm.tm_year + 1900)
                  .text;
    ASSERT_EQ(harness::text_of(win->output), expected) << monkey.history();
  }
  harness::settle();
  for (int i = 1; i < KAL_BTN_COUNT; ++i) EXPECT_GT(clicked[i], 0) << "button " << i;
  monkey.check_memory();
}

int main(int argc, char **argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (!harness::init_toolkit(&argc, &argv)) return 1;
  win = kalender_build_window();
  gtk_widget_show_all(win->window);
  harness::settle();
  return RUN_ALL_TESTS();
}
