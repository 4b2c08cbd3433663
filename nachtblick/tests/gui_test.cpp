// The real window under an X server (xvfb-run -a): buttons are found by
// their labels and clicked, and the text area and the entries are read back.
// Report texts are compared with the pure report functions, which are tested
// on their own; this file checks the wiring, the views and the date and
// place stepping. GLib and GTK warnings and criticals abort the run.
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include <unistd.h>

#include "calendar/calendar.h"
#include "nachtblick/places.h"
#include "nachtblick/reports.h"
#include "nachtblick/window.h"

namespace {

NbWindow *win = nullptr;

// State right after build_window, before any test clicks.
struct StartState {
  std::string text;
  std::string year, month, day;
  int view, toggle, place;
} start;

std::string output_text() {
  gchar *chars = gtk_editable_get_chars(GTK_EDITABLE(win->output), 0, -1);
  std::string text = chars ? chars : "";
  g_free(chars);
  return text;
}

std::string entry_text(GtkWidget *entry) { return gtk_entry_get_text(GTK_ENTRY(entry)); }

void set_entries(const char *year, const char *month, const char *day) {
  gtk_entry_set_text(GTK_ENTRY(win->year), year);
  gtk_entry_set_text(GTK_ENTRY(win->month), month);
  gtk_entry_set_text(GTK_ENTRY(win->day), day);
}

void collect_buttons(GtkWidget *widget, gpointer data) {
  auto *found = static_cast<std::vector<GtkWidget *> *>(data);
  if (GTK_IS_BUTTON(widget)) found->push_back(widget);
  if (GTK_IS_CONTAINER(widget))
    gtk_container_forall(GTK_CONTAINER(widget), collect_buttons, data);
}

// Every button packed into the window, found by walking the widget tree.
std::vector<GtkWidget *> window_buttons() {
  std::vector<GtkWidget *> found;
  gtk_container_forall(GTK_CONTAINER(win->window), collect_buttons, &found);
  return found;
}

GtkWidget *find_button(const char *label) {
  for (GtkWidget *button : window_buttons()) {
    const char *text = gtk_button_get_label(GTK_BUTTON(button));
    if (text && std::strcmp(text, label) == 0) return button;
  }
  return nullptr;
}

void click(const char *label) {
  GtkWidget *button = find_button(label);
  ASSERT_NE(button, nullptr) << "no button \"" << label << "\"";
  gtk_button_clicked(GTK_BUTTON(button));
}

// What the callbacks hand to the reports, read back from the window.
ReportInput current_input() {
  ReportInput in;
  in.year_text = gtk_entry_get_text(GTK_ENTRY(win->year));
  in.month_text = gtk_entry_get_text(GTK_ENTRY(win->month));
  in.day_text = gtk_entry_get_text(GTK_ENTRY(win->day));
  todaydate(&in.today_day, &in.today_month, &in.today_year);
  in.places = place_table;
  in.current_place = current_place;
  in.january_variant = january_variant;
  return in;
}

std::string expected_view_text() { return view_report(current_view, current_input()).text; }

int local_year() {
  std::time_t now = std::time(nullptr);
  return std::localtime(&now)->tm_year + 1900;
}

const char *const BUTTON_LABELS[NB_BUTTONS] = {
    "Programm beenden",       "Programm Information",    "Kalender anzeigen",
    "Aktuelles Datum",        "Mondphasen u. Eclipses",  "Beginn der Jahreszeiten",
    "Kreiszahl PI berechnen", "Auf- und Untergaenge",    "Naechster Ort",
    "Voriger Ort",            "Jahr plus",               "Jahr minus",
    "Monat plus",             "Monat minus",             "Tag plus",
    "Tag minus"};

// ---------------------------------------------------------------------------
// Start-up and layout

TEST(Window, StartsWithGreetingAndInitialState) {
  EXPECT_EQ(start.text, "\n [Nachtblick Light Version for Linux] ");
  EXPECT_EQ(start.text, GREETING_TEXT);
  EXPECT_EQ(start.year, " [Jahr]");
  EXPECT_EQ(start.month, " [Monat]");
  EXPECT_EQ(start.day, " [Tag]");
  EXPECT_EQ(start.view, VIEW_CALENDAR);
  EXPECT_EQ(start.toggle, 0);
  EXPECT_EQ(start.place, 0);
}

TEST(Window, TopLevelProperties) {
  EXPECT_STREQ(gtk_window_get_title(GTK_WINDOW(win->window)), "Kalender & Nachtblick light");
  EXPECT_EQ(gtk_container_get_border_width(GTK_CONTAINER(win->window)), 45u);
  gint width = 0, height = 0;
  gtk_window_get_default_size(GTK_WINDOW(win->window), &width, &height);
  EXPECT_EQ(width, 600);
  EXPECT_EQ(height, 250);
  GtkWindowPosition position = GTK_WIN_POS_NONE;
  g_object_get(win->window, "window-position", &position, NULL);
  EXPECT_EQ(position, GTK_WIN_POS_CENTER);
}

TEST(Window, ButtonsCreatedInOrderAndAllPacked) {
  for (int i = 0; i < NB_BUTTONS; ++i)
    EXPECT_STREQ(gtk_button_get_label(GTK_BUTTON(win->buttons[i])), BUTTON_LABELS[i]) << i;
  std::vector<GtkWidget *> packed = window_buttons();
  EXPECT_EQ(packed.size(), static_cast<size_t>(NB_BUTTONS));
  for (const char *label : BUTTON_LABELS) EXPECT_NE(find_button(label), nullptr) << label;
}

TEST(Window, EntriesAndTextArea) {
  for (GtkWidget *entry : {win->year, win->month, win->day})
    EXPECT_EQ(gtk_entry_get_max_length(GTK_ENTRY(entry)), 8);
  ASSERT_TRUE(GTK_IS_TEXT(win->output));
  EXPECT_FALSE(gtk_editable_get_editable(GTK_EDITABLE(win->output)));
  EXPECT_FALSE(GTK_TEXT(win->output)->word_wrap);
  gint width = 0, height = 0;
  gtk_widget_get_size_request(win->output, &width, &height);
  EXPECT_EQ(width, 580);
  EXPECT_EQ(height, 280);
  // Directly in the box: no scrolled window, no scroll bars.
  EXPECT_TRUE(GTK_IS_VBOX(gtk_widget_get_parent(win->output)));
}

struct Cell {
  int left, top;
};

Cell cell_of(GtkWidget *child) {
  GtkWidget *table = gtk_widget_get_parent(child);
  guint left = 99, right = 99, top = 99, bottom = 99, xpad = 99, ypad = 99;
  GtkAttachOptions xopt = GtkAttachOptions(0), yopt = GtkAttachOptions(0);
  gtk_container_child_get(GTK_CONTAINER(table), child, "left-attach", &left, "right-attach",
                          &right, "top-attach", &top, "bottom-attach", &bottom, "x-options",
                          &xopt, "y-options", &yopt, "x-padding", &xpad, "y-padding", &ypad,
                          NULL);
  const int all = GTK_EXPAND | GTK_SHRINK | GTK_FILL;
  EXPECT_EQ(right, left + 1);
  EXPECT_EQ(bottom, top + 1);
  EXPECT_EQ(int(xopt), all);
  EXPECT_EQ(int(yopt), all);
  EXPECT_EQ(xpad, 0u);
  EXPECT_EQ(ypad, 0u);
  return Cell{int(left), int(top)};
}

void expect_table(GtkWidget *table, guint rows, guint columns) {
  ASSERT_TRUE(GTK_IS_TABLE(table));
  guint n_rows = 0, n_columns = 0;
  gboolean homogeneous = TRUE;
  g_object_get(table, "n-rows", &n_rows, "n-columns", &n_columns, "homogeneous", &homogeneous,
               NULL);
  EXPECT_EQ(n_rows, rows);
  EXPECT_EQ(n_columns, columns);
  EXPECT_FALSE(homogeneous);
}

TEST(Window, BoxHoldsDateTableEntriesTextAreaAndButtonTable) {
  GtkWidget *box = gtk_bin_get_child(GTK_BIN(win->window));
  ASSERT_TRUE(GTK_IS_VBOX(box));
  EXPECT_FALSE(gtk_box_get_homogeneous(GTK_BOX(box)));
  EXPECT_EQ(gtk_box_get_spacing(GTK_BOX(box)), 0);

  GList *children = gtk_container_get_children(GTK_CONTAINER(box));
  ASSERT_EQ(g_list_length(children), 4u);
  GtkWidget *date_table = GTK_WIDGET(g_list_nth_data(children, 0));
  GtkWidget *entry_table = GTK_WIDGET(g_list_nth_data(children, 1));
  GtkWidget *text_area = GTK_WIDGET(g_list_nth_data(children, 2));
  GtkWidget *button_table = GTK_WIDGET(g_list_nth_data(children, 3));
  g_list_free(children);

  const guint paddings[4] = {10, 10, 15, 10};
  GtkWidget *order[4] = {date_table, entry_table, text_area, button_table};
  for (int i = 0; i < 4; ++i) {
    gboolean expand = TRUE, fill = TRUE;
    guint padding = 0;
    GtkPackType pack = GTK_PACK_END;
    gtk_box_query_child_packing(GTK_BOX(box), order[i], &expand, &fill, &padding, &pack);
    EXPECT_FALSE(expand) << i;
    EXPECT_FALSE(fill) << i;
    EXPECT_EQ(padding, paddings[i]) << i;
    EXPECT_EQ(pack, GTK_PACK_START) << i;
  }
  EXPECT_EQ(text_area, win->output);
  expect_table(date_table, 2, 3);
  expect_table(entry_table, 1, 3);
  expect_table(button_table, 5, 2);

  struct Placement {
    const char *label;
    GtkWidget *table;
    int column, row;
  };
  const Placement placements[] = {
      {"Jahr plus", date_table, 0, 0},
      {"Monat plus", date_table, 1, 0},
      {"Tag plus", date_table, 2, 0},
      {"Jahr minus", date_table, 0, 1},
      {"Monat minus", date_table, 1, 1},
      {"Tag minus", date_table, 2, 1},
      {"Kalender anzeigen", button_table, 0, 0},
      {"Mondphasen u. Eclipses", button_table, 1, 0},
      {"Aktuelles Datum", button_table, 0, 1},
      {"Beginn der Jahreszeiten", button_table, 1, 1},
      {"Kreiszahl PI berechnen", button_table, 0, 2},
      {"Auf- und Untergaenge", button_table, 1, 2},
      {"Voriger Ort", button_table, 0, 3},
      {"Naechster Ort", button_table, 1, 3},
      {"Programm beenden", button_table, 0, 4},
      {"Programm Information", button_table, 1, 4},
  };
  for (const Placement &p : placements) {
    SCOPED_TRACE(p.label);
    GtkWidget *button = find_button(p.label);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(gtk_widget_get_parent(button), p.table);
    Cell cell = cell_of(button);
    EXPECT_EQ(cell.left, p.column);
    EXPECT_EQ(cell.top, p.row);
  }
  GtkWidget *entries[3] = {win->year, win->month, win->day};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(gtk_widget_get_parent(entries[i]), entry_table);
    Cell cell = cell_of(entries[i]);
    EXPECT_EQ(cell.left, i);
    EXPECT_EQ(cell.top, 0);
  }
}

TEST(Window, ReportFontsLoad) {
  for (const char *name : {FONT_REPORT, FONT_GREETING, FONT_FEASTS})
    EXPECT_NE(gdk_font_load(name), nullptr) << name;
}

// ---------------------------------------------------------------------------
// Report buttons and views

TEST(Reports, EachButtonShowsItsReportAndStoresItsView) {
  set_entries("2024", "3", "20");
  struct Case {
    const char *label;
    int view;
  };
  const Case cases[] = {{"Mondphasen u. Eclipses", VIEW_MOONPHASE},
                        {"Beginn der Jahreszeiten", VIEW_SEASONS},
                        {"Auf- und Untergaenge", VIEW_RISESET},
                        {"Kalender anzeigen", VIEW_CALENDAR}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.label);
    click(c.label);
    EXPECT_EQ(current_view, c.view);
    EXPECT_EQ(output_text(), view_report(c.view, current_input()).text);
  }
  EXPECT_EQ(output_text(), calendar_report(current_input()).text);
}

TEST(Reports, InformationLeavesTheView) {
  click("Beginn der Jahreszeiten");
  click("Programm Information");
  EXPECT_EQ(output_text(), info_report().text);
  EXPECT_EQ(current_view, VIEW_SEASONS);
}

TEST(Reports, DateButtonAfterPiRepeatsTheReportBeforeIt) {
  set_entries("2024", "3", "20");
  for (const char *before :
       {"Kalender anzeigen", "Beginn der Jahreszeiten", "Mondphasen u. Eclipses"}) {
    SCOPED_TRACE(before);
    click(before);
    const int view = current_view;
    click("Kreiszahl PI berechnen");
    EXPECT_EQ(output_text(), pi_report().text);
    EXPECT_EQ(current_view, view);
    click("Tag plus");
    EXPECT_EQ(entry_text(win->day), "21");
    EXPECT_EQ(current_view, view);
    EXPECT_EQ(output_text(), view_report(view, current_input()).text);
    set_entries("2024", "3", "20");
  }
}

TEST(Reports, RepeatedClicksReplaceTheWholeText) {
  set_entries("2024", "3", "20");
  click("Kreiszahl PI berechnen");
  click("Kreiszahl PI berechnen");
  EXPECT_EQ(output_text(), pi_report().text);
  click("Programm Information");
  EXPECT_EQ(output_text(), info_report().text);
  // Clearing works wherever the insertion point stands.
  gtk_text_set_point(GTK_TEXT(win->output), 5);
  click("Kalender anzeigen");
  EXPECT_EQ(output_text(), calendar_report(current_input()).text);
}

// ---------------------------------------------------------------------------
// Date buttons

struct Step {
  const char *label;
  GtkWidget *NbWindow::*entry;
  const char *before;
  std::string after;
};

void run_steps(const std::vector<Step> &steps) {
  for (const Step &s : steps) {
    SCOPED_TRACE(std::string(s.label) + " on \"" + s.before + "\"");
    set_entries("2024", "6", "15");
    gtk_entry_set_text(GTK_ENTRY(win->*s.entry), s.before);
    const std::string year = entry_text(win->year), month = entry_text(win->month),
                      day = entry_text(win->day);
    click(s.label);
    EXPECT_EQ(entry_text(win->*s.entry), s.after);
    // The fields step independently.
    if (s.entry != &NbWindow::year) {
      EXPECT_EQ(entry_text(win->year), year);
    }
    if (s.entry != &NbWindow::month) {
      EXPECT_EQ(entry_text(win->month), month);
    }
    if (s.entry != &NbWindow::day) {
      EXPECT_EQ(entry_text(win->day), day);
    }
    EXPECT_EQ(output_text(), expected_view_text());
  }
}

TEST(DateButtons, FromTheInitialTexts) {
  click("Kalender anzeigen");
  const std::string now = std::to_string(local_year());
  run_steps({{"Jahr plus", &NbWindow::year, " [Jahr]", now},
             {"Jahr minus", &NbWindow::year, " [Jahr]", now},
             {"Monat plus", &NbWindow::month, " [Monat]", "1"},
             {"Monat minus", &NbWindow::month, " [Monat]", "12"},
             {"Tag plus", &NbWindow::day, " [Tag]", "1"},
             {"Tag minus", &NbWindow::day, " [Tag]", "31"}});
}

TEST(DateButtons, WrapPoints) {
  click("Kalender anzeigen");
  run_steps({{"Jahr plus", &NbWindow::year, "10000", "100"},
             {"Jahr plus", &NbWindow::year, "9999", "10000"},
             {"Jahr minus", &NbWindow::year, "100", "10000"},
             {"Jahr minus", &NbWindow::year, "101", "100"},
             {"Monat plus", &NbWindow::month, "12", "0"},
             {"Monat plus", &NbWindow::month, "0", "1"},
             {"Monat minus", &NbWindow::month, "0", "12"},
             {"Monat minus", &NbWindow::month, "1", "0"},
             {"Tag plus", &NbWindow::day, "31", "0"},
             {"Tag plus", &NbWindow::day, "0", "1"},
             {"Tag minus", &NbWindow::day, "0", "31"},
             {"Tag minus", &NbWindow::day, "1", "0"}});
}

TEST(DateButtons, TypedValuesOutsideTheCycleMoveByOne) {
  click("Kalender anzeigen");
  run_steps({{"Monat plus", &NbWindow::month, "50", "0"},
             {"Monat minus", &NbWindow::month, "50", "49"},
             {"Jahr plus", &NbWindow::year, "50", "51"},
             {"Jahr minus", &NbWindow::year, "50", "10000"},
             {"Jahr plus", &NbWindow::year, "-5", "-4"},
             {"Jahr minus", &NbWindow::year, "-5", "10000"},
             {"Tag plus", &NbWindow::day, "-5", "-4"},
             {"Tag minus", &NbWindow::day, "40", "39"},
             {"Tag plus", &NbWindow::day, "  7x", "8"},
             {"Monat plus", &NbWindow::month, "+3", "4"}});
}

TEST(DateButtons, NumbersBeyondTheIntRangeWrapWithoutOverflow) {
  click("Kalender anzeigen");
  // The entries hold 8 characters; lift the limit to type more.
  for (GtkWidget *entry : {win->year, win->month, win->day})
    gtk_entry_set_max_length(GTK_ENTRY(entry), 0);
  run_steps({{"Jahr plus", &NbWindow::year, "99999999999", "100"},
             {"Jahr minus", &NbWindow::year, "-99999999999", "10000"},
             {"Monat plus", &NbWindow::month, "2147483647", "0"},
             {"Monat minus", &NbWindow::month, "-2147483648", "12"},
             {"Tag plus", &NbWindow::day, "99999999999", "0"},
             {"Tag minus", &NbWindow::day, "-99999999999", "31"}});
  for (GtkWidget *entry : {win->year, win->month, win->day})
    gtk_entry_set_max_length(GTK_ENTRY(entry), 8);
}

TEST(DateButtons, MonthAndDayCycleThroughZero) {
  click("Kalender anzeigen");
  set_entries("2024", "0", "0");
  for (int i = 1; i <= 13; ++i) {
    click("Monat plus");
    ASSERT_EQ(entry_text(win->month), std::to_string(i % 13));
  }
  for (int i = 12; i >= -1; --i) {
    click("Monat minus");
    ASSERT_EQ(entry_text(win->month), std::to_string(i < 0 ? 12 : i));
  }
  for (int i = 1; i <= 32; ++i) {
    click("Tag plus");
    ASSERT_EQ(entry_text(win->day), std::to_string(i % 32));
    ASSERT_EQ(output_text(), calendar_report(current_input()).text);
  }
  for (int i = 31; i >= -1; --i) {
    click("Tag minus");
    ASSERT_EQ(entry_text(win->day), std::to_string(i < 0 ? 31 : i));
  }
}

TEST(DateButtons, YearCyclesThroughItsRange) {
  click("Beginn der Jahreszeiten");
  set_entries("9998", "1", "1");
  const char *const up[] = {"9999", "10000", "100", "101"};
  for (const char *year : up) {
    click("Jahr plus");
    ASSERT_EQ(entry_text(win->year), year);
    ASSERT_EQ(output_text(), seasons_report(current_input()).text);
  }
  const char *const down[] = {"100", "10000", "9999"};
  for (const char *year : down) {
    click("Jahr minus");
    ASSERT_EQ(entry_text(win->year), year);
  }
  EXPECT_EQ(current_view, VIEW_SEASONS);
}

TEST(DateButtons, RunTheReportOfTheCurrentView) {
  for (const char *report : {"Kalender anzeigen", "Mondphasen u. Eclipses",
                             "Beginn der Jahreszeiten", "Auf- und Untergaenge"}) {
    SCOPED_TRACE(report);
    set_entries("2023", "12", "31");
    click(report);
    const int view = current_view;
    for (const char *label :
         {"Jahr plus", "Jahr minus", "Monat plus", "Monat minus", "Tag plus", "Tag minus"}) {
      click(label);
      EXPECT_EQ(current_view, view) << label;
      EXPECT_EQ(output_text(), view_report(view, current_input()).text) << label;
    }
  }
}

// ---------------------------------------------------------------------------
// "Aktuelles Datum"

TEST(Today, AlternatesHolidayListAndMonthInCalendarView) {
  int day, month, year;
  todaydate(&day, &month, &year);
  click("Kalender anzeigen");
  today_toggle = 0;  // as at start
  click("Aktuelles Datum");
  EXPECT_EQ(today_toggle, 1);
  EXPECT_EQ(entry_text(win->day), std::to_string(day));
  EXPECT_EQ(entry_text(win->year), std::to_string(year));
  EXPECT_EQ(entry_text(win->month), "0");
  EXPECT_EQ(current_view, VIEW_CALENDAR);
  EXPECT_EQ(output_text(), calendar_report(current_input()).text);

  click("Aktuelles Datum");
  EXPECT_EQ(today_toggle, 0);
  EXPECT_EQ(entry_text(win->month), std::to_string(month));
  EXPECT_EQ(output_text(), calendar_report(current_input()).text);

  click("Aktuelles Datum");
  EXPECT_EQ(entry_text(win->month), "0");
}

TEST(Today, OtherViewsAlwaysGetTheCurrentMonth) {
  int day, month, year;
  todaydate(&day, &month, &year);
  today_toggle = 0;
  for (const char *report :
       {"Mondphasen u. Eclipses", "Beginn der Jahreszeiten", "Auf- und Untergaenge"}) {
    SCOPED_TRACE(report);
    set_entries("1999", "2", "3");
    click(report);
    const int view = current_view;
    for (int i = 0; i < 3; ++i) {
      const int toggle = today_toggle;
      click("Aktuelles Datum");
      EXPECT_EQ(today_toggle, 1 - toggle);  // flips in every view
      EXPECT_EQ(entry_text(win->day), std::to_string(day));
      EXPECT_EQ(entry_text(win->month), std::to_string(month));
      EXPECT_EQ(entry_text(win->year), std::to_string(year));
      EXPECT_EQ(current_view, view);
      EXPECT_EQ(output_text(), view_report(view, current_input()).text);
    }
  }
}

// ---------------------------------------------------------------------------
// Place buttons, with a place file in a temporary working directory

class Places : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/nb_gui_places_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    char *cwd = getcwd(nullptr, 0);
    ASSERT_NE(cwd, nullptr);
    old_cwd_ = cwd;
    std::free(cwd);
    ASSERT_EQ(chdir(dir_.c_str()), 0);
    set_entries("2024", "6", "21");
    // From a known start: with no file every step lands on the built-in place.
    click("Naechster Ort");
    ASSERT_EQ(current_place, 0);
  }

  void TearDown() override {
    std::remove(PLACE_FILE_NAME);
    EXPECT_EQ(chdir(old_cwd_.c_str()), 0);
    rmdir(dir_.c_str());
    load_places();
    current_place = 0;
  }

  static void write_places(const char *text) {
    FILE *file = std::fopen(PLACE_FILE_NAME, "wb");
    ASSERT_NE(file, nullptr);
    std::fputs(text, file);
    std::fclose(file);
  }

  // After a place click: the rise and set view for a place in use.
  static void expect_riseset_for(int place) {
    EXPECT_EQ(current_place, place);
    EXPECT_EQ(current_view, VIEW_RISESET);
    EXPECT_TRUE(place_table[current_place].used);
    EXPECT_EQ(output_text(), riseset_report(current_input()).text);
  }

  std::string dir_, old_cwd_;
};

const char *const THREE_PLACES =
    "; test places\n"
    "52 N 31  013 E 24 Berlin\n"
    "34 s 36  058 W 22   Buenos Aires  \n"
    "64 N 08  021 W 56 Reykjavik\n";

TEST_F(Places, WithoutFileBothButtonsStayOnTheBuiltInPlace) {
  for (const char *label : {"Naechster Ort", "Voriger Ort", "Naechster Ort"}) {
    SCOPED_TRACE(label);
    click(label);
    expect_riseset_for(0);
    EXPECT_STREQ(place_table[0].name, "Sankt Poelten (Austria)");
    EXPECT_EQ(place_count(place_table), 1);
  }
}

TEST_F(Places, NextAndPreviousCycleThroughThreePlaces) {
  write_places(THREE_PLACES);
  const char *const names[3] = {"Berlin", "Buenos Aires", "Reykjavik"};
  const int forward[] = {1, 2, 0, 1};
  for (int place : forward) {
    click("Naechster Ort");
    expect_riseset_for(place);
    EXPECT_STREQ(place_table[place].name, names[place]);
  }
  const int backward[] = {0, 2, 1, 0, 2};
  for (int place : backward) {
    click("Voriger Ort");
    expect_riseset_for(place);
    EXPECT_STREQ(place_table[place].name, names[place]);
  }
  EXPECT_EQ(place_count(place_table), 3);
}

TEST_F(Places, DateButtonsKeepThePlace) {
  write_places(THREE_PLACES);
  click("Naechster Ort");
  click("Tag plus");
  expect_riseset_for(1);
  click("Monat minus");
  expect_riseset_for(1);
}

TEST_F(Places, ShrinkingFileNeverLeavesAnEmptySlot) {
  const char *const four_places =
      "52 N 31  013 E 24 Berlin\n34 s 36  058 W 22   Buenos Aires\n"
      "64 N 08  021 W 56 Reykjavik\n35 N 41  139 E 46 Tokio\n";
  const char *const one_place = "48 N 12  016 E 22 Wien\n";
  const char *const two_places = "48 N 12  016 E 22 Wien\n47 N 04  015 E 26 Graz\n";
  struct Case {
    const char *full;
    int from;
    const char *shrunk;
    const char *label;
    int place;
  };
  const Case cases[] = {
      {THREE_PLACES, 2, one_place, "Auf- und Untergaenge", 0},
      {THREE_PLACES, 2, one_place, "Voriger Ort", 0},
      {THREE_PLACES, 2, two_places, "Voriger Ort", 1},
      {THREE_PLACES, 2, two_places, "Naechster Ort", 0},
      {THREE_PLACES, 2, two_places, "Auf- und Untergaenge", 0},
      {THREE_PLACES, 2, nullptr, "Voriger Ort", 0},  // file removed
      {THREE_PLACES, 2, one_place, "Jahr plus", 0},  // a date button in this view
      // Stepping down onto a slot no longer in use goes on to the last place.
      {four_places, 3, two_places, "Voriger Ort", 1},
      {four_places, 3, THREE_PLACES, "Voriger Ort", 2},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(std::string(c.label) + " from " + std::to_string(c.from));
    std::remove(PLACE_FILE_NAME);
    click("Naechster Ort");  // back to 0
    write_places(c.full);
    for (int i = 0; i < c.from; ++i) click("Naechster Ort");
    ASSERT_EQ(current_place, c.from);
    if (c.shrunk)
      write_places(c.shrunk);
    else
      std::remove(PLACE_FILE_NAME);
    click(c.label);
    expect_riseset_for(c.place);
  }
}

// ---------------------------------------------------------------------------
// Quitting

struct LoopWatch {
  bool timed_out = false;
};

gboolean click_quit(gpointer) {
  click("Programm beenden");
  return FALSE;
}

gboolean safety_stop(gpointer data) {
  static_cast<LoopWatch *>(data)->timed_out = true;
  gtk_main_quit();
  return FALSE;
}

TEST(Quit, ButtonEndsTheMainLoop) {
  LoopWatch watch;
  g_idle_add(click_quit, nullptr);
  guint safety = g_timeout_add(10000, safety_stop, &watch);
  gtk_main();
  EXPECT_FALSE(watch.timed_out);
  if (!watch.timed_out) g_source_remove(safety);
}

// Closing the window ends the main loop as well; checked last, after every
// test, because it destroys the window.
gboolean destroy_window(gpointer) {
  gtk_widget_destroy(win->window);
  return FALSE;
}

class WindowEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    load_places();
    win = build_window();
    gtk_widget_show_all(win->window);
    start.text = output_text();
    start.year = entry_text(win->year);
    start.month = entry_text(win->month);
    start.day = entry_text(win->day);
    start.view = current_view;
    start.toggle = today_toggle;
    start.place = current_place;
    while (gtk_events_pending()) gtk_main_iteration();
  }

  void TearDown() override {
    LoopWatch watch;
    g_idle_add(destroy_window, nullptr);
    guint safety = g_timeout_add(10000, safety_stop, &watch);
    gtk_main();
    EXPECT_FALSE(watch.timed_out) << "closing the window did not end the main loop";
    if (!watch.timed_out) g_source_remove(safety);
  }
};

}  // namespace

int main(int argc, char **argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (!gtk_init_check(&argc, &argv)) {
    std::fprintf(stderr, "nachtblick_gui_test needs an X display; run it under xvfb-run -a\n");
    return 1;
  }
  g_log_set_always_fatal(static_cast<GLogLevelFlags>(G_LOG_LEVEL_WARNING | G_LOG_LEVEL_CRITICAL));
  ::testing::AddGlobalTestEnvironment(new WindowEnvironment);
  return RUN_ALL_TESTS();
}
