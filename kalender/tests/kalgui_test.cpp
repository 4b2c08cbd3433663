// SPDX-License-Identifier: MIT
// The real kalender window: buttons are found by their labels and clicked,
// and the entries and the text area are checked after each click against
// the report functions, which are tested on their own.
#include <cstdio>
#include <ctime>
#include <string>

#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include "../../tests/gtk_harness.h"
#include "kalgui.h"
#include "kalreport.h"

namespace {

KalWindow *g_w = nullptr;
std::string g_initial_year, g_initial_month, g_initial_text;

void click(const char *label) { harness::click(g_w->window, label); }
std::string output_text() { return harness::text_of(g_w->output); }
std::string entry(GtkWidget *e) { return harness::text_of(e); }
void set_entry(GtkWidget *e, const std::string &t) { gtk_entry_set_text(GTK_ENTRY(e), t.c_str()); }

void today(int *d, int *m, int *y) {
  const std::time_t now = std::time(nullptr);
  std::tm tm{};
  localtime_r(&now, &tm);
  *d = tm.tm_mday;
  *m = tm.tm_mon + 1;
  *y = tm.tm_year + 1900;
}

// What the window must show for the current entries.
std::string expected_report() {
  int d, m, y;
  today(&d, &m, &y);
  return kalender_report(entry(g_w->year).c_str(), entry(g_w->month).c_str(), d, m, y).text;
}

}  // namespace

TEST(Window, StartStateButtonsAndFonts) {
  EXPECT_EQ(g_initial_year, "[Hier das Jahr eingeben]");
  EXPECT_EQ(g_initial_month, "[Hier das Monat eingeben]");
  EXPECT_EQ(g_initial_text, "");
  EXPECT_STREQ(gtk_window_get_title(GTK_WINDOW(g_w->window)), "Kalender");
  EXPECT_EQ(gtk_entry_get_max_length(GTK_ENTRY(g_w->year)), 25);
  EXPECT_EQ(gtk_entry_get_max_length(GTK_ENTRY(g_w->month)), 25);
  ASSERT_TRUE(GTK_IS_TEXT(g_w->output));
  EXPECT_FALSE(gtk_editable_get_editable(GTK_EDITABLE(g_w->output)));
  EXPECT_FALSE(GTK_TEXT(g_w->output)->word_wrap);
  EXPECT_TRUE(g_w->year == year && g_w->month == month && g_w->output == output);
  EXPECT_EQ(harness::buttons_in(g_w->window).size(), size_t(KAL_BTN_COUNT));
  EXPECT_NE(gdk_font_load(kKalFontFixed), nullptr);
  EXPECT_NE(gdk_font_load(kKalFontProportional), nullptr);
}

// Each click, with the button found by its label: the entries before, the
// button, the entries after; the text area then holds their report.
TEST(Clicks, ButtonsStepTheEntriesAndShowTheReport) {
  const std::string hint_y = kKalYearHint, hint_m = kKalMonthHint, nines(25, '9');
  const struct {
    std::string year, month;
    const char *label;
    std::string year_after, month_after;
  } clicks[] = {
      {hint_y, hint_m, "Datum berechnen", hint_y, hint_m},  // the range message
      {"2024", "0", "Datum berechnen", "2024", "0"},
      {"1500", "2", "Datum berechnen", "1500", "2"},
      {"10000", "0", "Jahr plus", "100", "0"},
      {"100", "0", "Jahr minus", "10000", "0"},
      {"10000", "5", "Jahr minus", "9999", "5"},
      {"2024", "11", "Monat plus", "2024", "12"},
      {"2024", "12", "Monat plus", "2024", "0"},
      {"2024", "0", "Monat plus", "2024", "1"},
      {"2024", "1", "Monat minus", "2024", "0"},
      {"2024", "0", "Monat minus", "2024", "12"},
      {hint_y, "3", "Jahr plus", "1", "3"},
      {"abc", "3", "Jahr minus", "10000", "3"},
      {nines, "3", "Jahr plus", "100", "3"},
      {"100", "-" + nines, "Monat minus", "100", "12"},  // cut to 25 characters
      {"100", "20", "Monat minus", "100", "19"},
  };
  for (const auto &c : clicks) {
    SCOPED_TRACE(c.year + " / " + c.month + ": " + c.label);
    set_entry(g_w->year, c.year);
    set_entry(g_w->month, c.month);
    click(c.label);
    EXPECT_EQ(entry(g_w->year), c.year_after);
    EXPECT_EQ(entry(g_w->month), c.month_after);
    EXPECT_EQ(output_text(), expected_report());
  }
}

TEST(Clicks, CurrentYearTogglesFeastsAndMonth) {
  int d, m, y;
  today(&d, &m, &y);
  set_entry(g_w->year, "1234");
  set_entry(g_w->month, "7");
  for (const std::string &month : {std::string("0"), std::to_string(m), std::string("0")}) {
    click("Aktuelles Jahr / Monat");
    EXPECT_EQ(entry(g_w->year), std::to_string(y));
    EXPECT_EQ(entry(g_w->month), month);
    EXPECT_EQ(output_text(), expected_report());
  }
  click("Aktuelles Jahr / Monat");
  char mark[8];
  std::snprintf(mark, sizeof mark, "[%2d]", d);
  EXPECT_NE(output_text().find(mark), std::string::npos) << output_text();
}

TEST(Clicks, InformationText) {
  click("Programm Information");
  const std::string t = output_text();
  EXPECT_EQ(t, kalender_info_text());
  // The umlauts go in as single ISO-8859-1 bytes, one character each.
  EXPECT_NE(t.find("Verf\xFCgung"), std::string::npos);
  EXPECT_EQ(gtk_text_get_length(GTK_TEXT(g_w->output)), t.size());
}

// Typing after a Tab or a click into an entry replaces a hint text as a
// whole and goes in at the cursor of a text the user changed.
TEST(Input, TypingReplacesHintTextsOnly) {
  GtkWidget *const before_year = g_w->buttons[KAL_BTN_MONAT_MINUS];
  harness::expect_typing(g_w->window, {{g_w->year, kKalYearHint, before_year, 0, "2024", "2024"},
                                       {g_w->month, kKalMonthHint, nullptr, 40, "12", "12"},
                                       {g_w->month, "1", g_w->year, 0, "2", "12"},
                                       {g_w->year, "024", nullptr, 1, "2", "2024"}});
}

// The wheel moves the text area by three lines of the shown font a notch.
// The longest month just fits; twice its text does not.
TEST(Input, WheelScrollsTheTextArea) {
  set_entry(g_w->year, "2024");
  set_entry(g_w->month, "9");
  click("Datum berechnen");
  GdkFont *const font = gdk_font_load(kKalFontFixed);
  gtk_text_insert(GTK_TEXT(g_w->output), font, nullptr, nullptr, output_text().c_str(), -1);
  harness::expect_wheel_steps(g_w->output, 3 * (font->ascent + font->descent));
}

TEST(Quit, ProgrammBeendenLeavesTheMainLoop) {
  EXPECT_TRUE(harness::loop_ends_after(
      [](gpointer) -> gboolean {
        click("Programm beenden");
        return FALSE;
      },
      nullptr));
  EXPECT_EQ(gtk_main_level(), 0u);
}

TEST(Quit, ClosingTheWindowLeavesTheMainLoop) {
  // A window of its own, so the one the other tests use stays intact.
  const KalWindow shared = *g_w;
  GtkWidget *const other = kalender_build_window()->window;
  gtk_widget_show_all(other);
  EXPECT_TRUE(harness::loop_ends_after(
      [](gpointer w) -> gboolean {
        gtk_widget_destroy(GTK_WIDGET(w));
        return FALSE;
      },
      other));
  *g_w = shared;
  year = shared.year;
  month = shared.month;
  output = shared.output;
}

int main(int argc, char **argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (!harness::init_toolkit(&argc, &argv)) return 1;
  g_w = kalender_build_window();
  gtk_widget_show_all(g_w->window);
  g_initial_year = entry(g_w->year);
  g_initial_month = entry(g_w->month);
  g_initial_text = output_text();
  return RUN_ALL_TESTS();
}
