// SPDX-License-Identifier: MIT
// The real window: buttons found by their labels and clicked, the entries
// and the text area read back. Report texts are compared with the report
// functions, which are tested on their own; this file checks the layout,
// the wiring, the views and the date and place stepping.
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <ctime>
#include <string>
#include <vector>

#include "calendar/calendar.h"
#include "nachtblick/places.h"
#include "nachtblick/reports.h"
#include "nachtblick/tests/scratch_dir.h"
#include "nachtblick/window.h"
#include "tests/gtk_harness.h"

namespace {

NbWindow *win = nullptr;
std::string start_text, start_year, start_month, start_day;  // right after build_window

void click(const char *label) { harness::click(win->window, label); }
std::string output_text() { return harness::text_of(win->output); }
std::string entry(GtkWidget *e) { return harness::text_of(e); }

void set_entries(const char *year, const char *month, const char *day) {
  gtk_entry_set_text(GTK_ENTRY(win->year), year);
  gtk_entry_set_text(GTK_ENTRY(win->month), month);
  gtk_entry_set_text(GTK_ENTRY(win->day), day);
}

ReportInput current_input() { return window_report_input(); }

std::string view_text(int view) { return view_report(view, current_input()).text; }

guint cell_property(GtkWidget *child, const char *name) {
  guint value = 99;
  gtk_container_child_get(GTK_CONTAINER(gtk_widget_get_parent(child)), child, name, &value, NULL);
  return value;
}

}  // namespace

TEST(Window, StartStateAndLayout) {
  EXPECT_EQ(start_text, GREETING_TEXT);
  EXPECT_EQ(start_text, "\n [Nachtblick Light Version for Linux] ");
  EXPECT_EQ(start_year + start_month + start_day, " [Jahr] [Monat] [Tag]");
  EXPECT_STREQ(gtk_window_get_title(GTK_WINDOW(win->window)), "Kalender & Nachtblick light");
  gint width = 0, height = 0;
  gtk_widget_get_size_request(win->output, &width, &height);
  EXPECT_EQ(width * 1000 + height, 580280);
  for (GtkWidget *e : {win->year, win->month, win->day})
    EXPECT_EQ(gtk_entry_get_max_length(GTK_ENTRY(e)), 8);
  ASSERT_TRUE(GTK_IS_TEXT(win->output));
  EXPECT_FALSE(gtk_editable_get_editable(GTK_EDITABLE(win->output)));
  EXPECT_FALSE(GTK_TEXT(win->output)->word_wrap);
  // The text area sits in the window's box itself, with no scroll bars.
  EXPECT_EQ(gtk_widget_get_parent(win->output), gtk_bin_get_child(GTK_BIN(win->window)));
  // Every button and entry in its table, row and column.
  const char *const cells[3][5][3] = {
      {{"Jahr plus", "Monat plus", "Tag plus"}, {"Jahr minus", "Monat minus", "Tag minus"}},
      {{"year", "month", "day"}},
      {{"Kalender anzeigen", "Mondphasen u. Eclipses"},
       {"Aktuelles Datum", "Beginn der Jahreszeiten"},
       {"Kreiszahl PI berechnen", "Auf- und Untergaenge"},
       {"Voriger Ort", "Naechster Ort"},
       {"Programm beenden", "Programm Information"}}};
  GtkWidget *const entries[3] = {win->year, win->month, win->day};
  GtkWidget *tables[3] = {};
  for (int t = 0; t < 3; ++t)
    for (guint row = 0; row < 5; ++row)
      for (guint column = 0; column < 3; ++column) {
        const char *name = cells[t][row][column];
        if (!name) continue;
        SCOPED_TRACE(name);
        GtkWidget *w = t == 1 ? entries[column] : harness::find_button(win->window, name);
        ASSERT_NE(w, nullptr);
        if (!tables[t]) tables[t] = gtk_widget_get_parent(w);
        EXPECT_EQ(gtk_widget_get_parent(w), tables[t]);
        EXPECT_EQ(cell_property(w, "top-attach"), row);
        EXPECT_EQ(cell_property(w, "left-attach"), column);
      }
  EXPECT_TRUE(tables[0] != tables[1] && tables[1] != tables[2] && tables[0] != tables[2]);
  EXPECT_EQ(harness::buttons_in(win->window).size(), size_t(NB_BUTTONS));
  EXPECT_STREQ(gtk_button_get_label(GTK_BUTTON(win->buttons[0])), "Programm beenden");
}

TEST(Window, ReportFontsLoad) {
  for (const char *name : {FONT_REPORT, FONT_GREETING, FONT_FEASTS})
    EXPECT_NE(gdk_font_load(name), nullptr) << name;
}

// Each report button shows its report and stores its view; the information
// and pi texts leave the view, so a date button afterwards runs the report
// shown before them. Every click replaces the whole text, wherever the
// insertion point stands.
TEST(Reports, EachButtonShowsItsReport) {
  const int kInfo = -1, kPi = -2;
  const struct {
    const char *label;
    int view;
  } clicks[] = {{"Mondphasen u. Eclipses", VIEW_MOONPHASE},
                {"Kreiszahl PI berechnen", kPi},
                {"Beginn der Jahreszeiten", VIEW_SEASONS},
                {"Programm Information", kInfo},
                {"Auf- und Untergaenge", VIEW_RISESET},
                {"Kreiszahl PI berechnen", kPi},
                {"Kreiszahl PI berechnen", kPi},
                {"Kalender anzeigen", VIEW_CALENDAR},
                {"Programm Information", kInfo}};
  set_entries("2024", "3", "20");
  for (const auto &c : clicks) {
    SCOPED_TRACE(c.label);
    const int view = current_view;
    gtk_text_set_point(GTK_TEXT(win->output), 5);
    click(c.label);
    if (c.view >= 0) {
      EXPECT_EQ(current_view, c.view);
      EXPECT_EQ(output_text(), view_text(c.view));
      continue;
    }
    EXPECT_EQ(output_text(), c.view == kPi ? pi_report().text : info_report().text);
    EXPECT_EQ(current_view, view);
    click("Tag plus");
    click("Tag minus");
    EXPECT_EQ(entry(win->day), "20");
    EXPECT_EQ(current_view, view);
    EXPECT_EQ(output_text(), view_text(view));
  }
}

// Date buttons: one field steps, the others stay, and the report of the
// current view runs again.
TEST(DateButtons, StepsAndWrapPoints) {
  const std::string now = [] {
    std::time_t t = std::time(nullptr);
    return std::to_string(std::localtime(&t)->tm_year + 1900);
  }();
  // Button, text before, text after.
  const std::string steps[][3] = {
      // From the initial texts.
      {"Jahr plus", " [Jahr]", now},
      {"Jahr minus", " [Jahr]", now},
      {"Monat plus", " [Monat]", "1"},
      {"Monat minus", " [Monat]", "12"},
      {"Tag plus", " [Tag]", "1"},
      {"Tag minus", " [Tag]", "31"},
      // Wrap points.
      {"Jahr plus", "10000", "100"},
      {"Jahr plus", "9999", "10000"},
      {"Jahr minus", "100", "10000"},
      {"Jahr minus", "101", "100"},
      {"Monat plus", "12", "0"},
      {"Monat plus", "0", "1"},
      {"Monat minus", "0", "12"},
      {"Monat minus", "1", "0"},
      {"Tag plus", "31", "0"},
      {"Tag plus", "0", "1"},
      {"Tag minus", "0", "31"},
      {"Tag minus", "1", "0"},
      // Typed values outside the cycle move by one; only the named ends wrap.
      {"Monat plus", "50", "0"},
      {"Monat minus", "50", "49"},
      {"Jahr plus", "50", "51"},
      {"Jahr minus", "50", "10000"},
      {"Jahr plus", "-5", "-4"},
      {"Tag plus", "-5", "-4"},
      {"Tag minus", "40", "39"},
      {"Tag plus", "  7x", "8"},
      {"Monat plus", "+3", "4"},
      // Beyond the int range (longer than an entry holds): no overflow.
      {"Jahr plus", "99999999999", "100"},
      {"Jahr minus", "-99999999999", "10000"},
      {"Monat plus", "2147483647", "0"},
      {"Monat minus", "-2147483648", "12"},
      {"Tag plus", "99999999999", "0"},
      {"Tag minus", "-99999999999", "31"}};
  GtkWidget *const fields[3] = {win->year, win->month, win->day};
  for (GtkWidget *f : fields) gtk_entry_set_max_length(GTK_ENTRY(f), 0);
  for (const char *report : {"Kalender anzeigen", "Mondphasen u. Eclipses",
                             "Beginn der Jahreszeiten", "Auf- und Untergaenge"}) {
    click(report);
    const int view = current_view;
    for (const auto &s : steps) {
      SCOPED_TRACE(std::string(report) + ": " + s[0] + " on \"" + s[1] + "\"");
      const int stepped = s[0][0] == 'J' ? 0 : s[0][0] == 'M' ? 1 : 2;
      set_entries("2024", "6", "15");
      gtk_entry_set_text(GTK_ENTRY(fields[stepped]), s[1].c_str());
      std::string want[3];
      for (int i = 0; i < 3; ++i) want[i] = i == stepped ? s[2] : entry(fields[i]);
      click(s[0].c_str());
      for (int i = 0; i < 3; ++i) EXPECT_EQ(entry(fields[i]), want[i]);
      EXPECT_EQ(current_view, view);
      EXPECT_EQ(output_text(), view_text(view));
    }
  }
  for (GtkWidget *f : fields) gtk_entry_set_max_length(GTK_ENTRY(f), 8);
}

// "Aktuelles Datum" flips the toggle on every click; in the calendar view
// it alternates the holiday list (month 0) and the current month, in the
// other views it always writes the whole current date.
TEST(Today, ToggleAndViews) {
  int day, month, year;
  todaydate(&day, &month, &year);
  today_toggle = 0;  // as at start
  for (const char *report : {"Kalender anzeigen", "Mondphasen u. Eclipses",
                             "Beginn der Jahreszeiten", "Auf- und Untergaenge"}) {
    set_entries("1999", "2", "3");
    click(report);
    const int view = current_view;
    for (int i = 0; i < 3; ++i) {
      const int toggle = today_toggle;
      click("Aktuelles Datum");
      SCOPED_TRACE(std::string(report) + ", click " + std::to_string(i));
      EXPECT_EQ(today_toggle, 1 - toggle);
      EXPECT_EQ(entry(win->day), std::to_string(day));
      EXPECT_EQ(entry(win->year), std::to_string(year));
      EXPECT_EQ(entry(win->month),
                std::to_string(view == VIEW_CALENDAR && today_toggle ? 0 : month));
      EXPECT_EQ(current_view, view);
      EXPECT_EQ(output_text(), view_text(view));
    }
  }
}

// The place buttons with a place file in a scratch working directory.
class Places : public ::testing::Test {
 protected:
  void SetUp() override {
    set_entries("2024", "6", "21");
    click("Naechster Ort");  // no file yet: back to the built-in place
    ASSERT_EQ(current_place, 0);
  }
  void TearDown() override {
    scratch_.remove();
    load_places();
    current_place = 0;
  }
  // After a place click: the rise and set report of a place in use.
  static void expect_riseset_for(int place) {
    EXPECT_EQ(current_place, place);
    EXPECT_EQ(current_view, VIEW_RISESET);
    EXPECT_TRUE(place_table[current_place].used);
    EXPECT_EQ(output_text(), riseset_report(current_input()).text);
  }
  ScratchDir scratch_{true};
};

const char kThreePlaces[] =
    "; test places\n52 N 31  013 E 24 Berlin\n34 s 36  058 W 22   Buenos Aires  \n"
    "64 N 08  021 W 56 Reykjavik\n";

TEST_F(Places, NextAndPreviousWithoutFileAndWithThreePlaces) {
  for (const char *label : {"Naechster Ort", "Voriger Ort"}) {  // the built-in place alone
    click(label);
    expect_riseset_for(0);
    EXPECT_STREQ(place_table[0].name, "Sankt Poelten (Austria)");
  }
  scratch_.write(kThreePlaces);
  const char *const names[3] = {"Berlin", "Buenos Aires", "Reykjavik"};
  const struct {
    const char *label;
    int place;
  } clicks[] = {{"Naechster Ort", 1}, {"Naechster Ort", 2}, {"Naechster Ort", 0},
                {"Naechster Ort", 1}, {"Tag plus", 1},      {"Monat minus", 1},
                {"Voriger Ort", 0},   {"Voriger Ort", 2},   {"Voriger Ort", 1},
                {"Voriger Ort", 0},   {"Voriger Ort", 2}};
  for (const auto &c : clicks) {
    click(c.label);
    expect_riseset_for(c.place);
    EXPECT_STREQ(place_table[c.place].name, names[c.place]) << c.label;
  }
  EXPECT_EQ(place_count(place_table), 3);
}

// The file shrinks (or goes) while a later place is shown: no click may
// leave the report on a slot no longer in use.
TEST_F(Places, ShrinkingFileNeverLeavesAnEmptySlot) {
  const std::string four = std::string(kThreePlaces) + "35 N 41  139 E 46 Tokio\n";
  const char *const one = "48 N 12  016 E 22 Wien\n";
  const char *const two = "48 N 12  016 E 22 Wien\n47 N 04  015 E 26 Graz\n";
  const struct {
    const char *full;
    int from;
    const char *shrunk;  // nullptr: removed
    const char *label;
    int place;
  } cases[] = {{kThreePlaces, 2, one, "Auf- und Untergaenge", 0},
               {kThreePlaces, 2, one, "Voriger Ort", 0},
               {kThreePlaces, 2, two, "Voriger Ort", 1},
               {kThreePlaces, 2, two, "Naechster Ort", 0},
               {kThreePlaces, 2, two, "Auf- und Untergaenge", 0},
               {kThreePlaces, 2, nullptr, "Voriger Ort", 0},  // file removed
               {kThreePlaces, 2, one, "Jahr plus", 0},        // a date button in this view
               // Stepping down onto a slot no longer in use goes on to the last place.
               {four.c_str(), 3, two, "Voriger Ort", 1},
               {four.c_str(), 3, kThreePlaces, "Voriger Ort", 2}};
  for (const auto &c : cases) {
    SCOPED_TRACE(std::string(c.label) + " from " + std::to_string(c.from));
    scratch_.remove();
    click("Naechster Ort");  // back to 0
    scratch_.write(c.full);
    for (int i = 0; i < c.from; ++i) click("Naechster Ort");
    ASSERT_EQ(current_place, c.from);
    if (c.shrunk) {
      scratch_.write(c.shrunk);
    } else {
      scratch_.remove();
    }
    click(c.label);
    expect_riseset_for(c.place);
  }
}

// Typing after a Tab or a click into an entry replaces a hint text as a
// whole and goes in at the cursor of a text the user changed.
TEST(Input, TypingReplacesHintTextsOnly) {
  GtkWidget *const tag_minus = harness::find_button(win->window, "Tag minus");
  harness::expect_typing(win->window, {{win->year, " [Jahr]", tag_minus, 0, "2024", "2024"},
                                       {win->day, " [Tag]", win->month, 0, "15", "15"},
                                       {win->year, " [Jahr]", nullptr, 20, "2024", "2024"},
                                       {win->month, " [Monat]", nullptr, 300, "12", "12"},
                                       {win->year, "20", tag_minus, 0, "24", "2024"},
                                       {win->day, "5", nullptr, 1, "1", "15"},
                                       {win->month, "[Monat]", nullptr, 300, "1", "[Monat]1"}});
}

// The wheel moves the pi report by three lines of its font a notch.
TEST(Input, WheelScrollsTheTextArea) {
  click("Kreiszahl PI berechnen");
  GdkFont *const font = gdk_font_load(pi_report().font);
  harness::expect_wheel_steps(win->output, 3 * (font->ascent + font->descent));
}

TEST(Quit, ButtonEndsTheMainLoop) {
  EXPECT_TRUE(harness::loop_ends_after(
      [](gpointer) -> gboolean {
        click("Programm beenden");
        return FALSE;
      },
      nullptr));
}

namespace {

// Closing the window ends the main loop as well; checked after every test,
// since it destroys the window.
class WindowEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    load_places();
    win = build_window();
    gtk_widget_show_all(win->window);
    start_text = output_text();
    start_year = entry(win->year), start_month = entry(win->month), start_day = entry(win->day);
    EXPECT_EQ(current_view, VIEW_CALENDAR);
    EXPECT_EQ(today_toggle + current_place, 0);
    harness::settle();
  }
  void TearDown() override {
    EXPECT_TRUE(harness::loop_ends_after(
        [](gpointer) -> gboolean {
          gtk_widget_destroy(win->window);
          return FALSE;
        },
        nullptr))
        << "closing the window did not end the main loop";
  }
};

}  // namespace

int main(int argc, char **argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (!harness::init_toolkit(&argc, &argv)) return 1;
  ::testing::AddGlobalTestEnvironment(new WindowEnvironment);
  return RUN_ALL_TESTS();
}
