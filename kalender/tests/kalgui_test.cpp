// The real kalender window, built in this process under an X display
// (Xvfb in CI): buttons are found by their labels and clicked, and the text
// area and entries are checked after each click.  GLib warnings and
// criticals abort the test.
#define GTK_ENABLE_BROKEN
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include "kalgui.h"
#include "kalreport.h"

namespace {

KalWindow* g_w = nullptr;
std::string g_initial_year, g_initial_month;
guint g_initial_length = 1;

void collect_buttons(GtkWidget* widget, gpointer data) {
    auto* found = static_cast<std::vector<GtkWidget*>*>(data);
    if (GTK_IS_BUTTON(widget)) found->push_back(widget);
    if (GTK_IS_CONTAINER(widget))
        gtk_container_forall(GTK_CONTAINER(widget), collect_buttons, data);
}

// The one button in the window with this label.
GtkWidget* button(const char* label) {
    std::vector<GtkWidget*> all;
    gtk_container_forall(GTK_CONTAINER(g_w->window), collect_buttons, &all);
    GtkWidget* hit = nullptr;
    int hits = 0;
    for (GtkWidget* b : all) {
        const char* l = gtk_button_get_label(GTK_BUTTON(b));
        if (l != nullptr && std::string(l) == label) {
            hit = b;
            ++hits;
        }
    }
    EXPECT_EQ(hits, 1) << label;
    return hit;
}

void click(const char* label) { gtk_button_clicked(GTK_BUTTON(button(label))); }

std::string output_text() {
    gchar* s = gtk_editable_get_chars(GTK_EDITABLE(g_w->output), 0, -1);
    std::string t(s);
    g_free(s);
    EXPECT_EQ(gtk_text_get_length(GTK_TEXT(g_w->output)), t.size());
    return t;
}

std::string entry(GtkWidget* e) { return gtk_entry_get_text(GTK_ENTRY(e)); }
void set_entry(GtkWidget* e, const char* t) { gtk_entry_set_text(GTK_ENTRY(e), t); }

void today(int* d, int* m, int* y) {
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
    return kalender_report(entry(g_w->year).c_str(), entry(g_w->month).c_str(), d, m, y)
        .text;
}

const char kRangeMessage[] = "\n Das Jahr muss im Bereich von\n 100 bis 10000 sein! ";

}  // namespace

TEST(Window, StartState) {
    EXPECT_EQ(g_initial_year, "[Hier das Jahr eingeben]");
    EXPECT_EQ(g_initial_month, "[Hier das Monat eingeben]");
    EXPECT_EQ(g_initial_length, 0u);
    EXPECT_STREQ(gtk_window_get_title(GTK_WINDOW(g_w->window)), "Kalender");
    EXPECT_EQ(gtk_entry_get_max_length(GTK_ENTRY(g_w->year)), 25);
    EXPECT_EQ(gtk_entry_get_max_length(GTK_ENTRY(g_w->month)), 25);
    EXPECT_TRUE(GTK_IS_TEXT(g_w->output));
    EXPECT_FALSE(gtk_editable_get_editable(GTK_EDITABLE(g_w->output)));
    EXPECT_FALSE(GTK_TEXT(g_w->output)->word_wrap);
    EXPECT_EQ(g_w->year, year);
    EXPECT_EQ(g_w->month, month);
    EXPECT_EQ(g_w->output, output);
}

TEST(Window, EveryButtonOnceByLabel) {
    const char* labels[] = {"Programm beenden", "Programm Information",
                            "Datum berechnen", "Aktuelles Jahr / Monat",
                            "Jahr plus", "Jahr minus", "Monat plus", "Monat minus"};
    for (int i = 0; i < KAL_BTN_COUNT; ++i) EXPECT_EQ(button(labels[i]), g_w->buttons[i]);
}

TEST(Window, FontsLoad) {
    EXPECT_NE(gdk_font_load(kKalFontFixed), nullptr);
    EXPECT_NE(gdk_font_load(kKalFontProportional), nullptr);
}

TEST(Clicks, DatumBerechnenWithTheHintTexts) {
    set_entry(g_w->year, "[Hier das Jahr eingeben]");
    set_entry(g_w->month, "[Hier das Monat eingeben]");
    click("Datum berechnen");
    EXPECT_EQ(output_text(), kRangeMessage);
    EXPECT_EQ(entry(g_w->year), "[Hier das Jahr eingeben]");  // untouched
}

TEST(Clicks, ReportReplacesTheWholeText) {
    set_entry(g_w->year, "2024");
    set_entry(g_w->month, "0");
    click("Datum berechnen");
    click("Datum berechnen");
    EXPECT_EQ(output_text(),
              "\n Ostern ist am Sonntag, den 31. Maerz 2024"
              "\n Ch. Himmelf. ist am Donnerstag, den 9. Mai 2024"
              "\n Pfingsten ist am Sonntag, den 19. Mai 2024"
              "\n Fronleichnam ist am Donnerstag, den 30. Mai 2024"
              "\n\n Aschermittwoch ist am Mittwoch, den 14. Februar 2024"
              "\n\n (2024 ist ein Schaltjahr)");
    set_entry(g_w->month, "2");
    set_entry(g_w->year, "1500");
    click("Datum berechnen");
    EXPECT_EQ(output_text(), expected_report());
    EXPECT_EQ(output_text().substr(0, 22), "        Februar 1500\n\n");
}

TEST(Clicks, YearWrapsAt10000And100) {
    set_entry(g_w->year, "10000");
    set_entry(g_w->month, "0");
    click("Jahr plus");
    EXPECT_EQ(entry(g_w->year), "100");
    EXPECT_EQ(entry(g_w->month), "0");
    EXPECT_EQ(output_text(), expected_report());
    EXPECT_EQ(output_text().substr(0, 40), "\n Ostern ist am Sonntag, den 12. April 1");
    click("Jahr minus");
    EXPECT_EQ(entry(g_w->year), "10000");
    EXPECT_EQ(output_text(), expected_report());
    click("Jahr minus");
    EXPECT_EQ(entry(g_w->year), "9999");
}

TEST(Clicks, MonthCyclesThroughTheFeastView) {
    set_entry(g_w->year, "2024");
    set_entry(g_w->month, "11");
    const char* up[] = {"12", "0", "1"};
    for (const char* m : up) {
        click("Monat plus");
        EXPECT_EQ(entry(g_w->month), m);
        EXPECT_EQ(output_text(), expected_report());
    }
    const char* down[] = {"0", "12", "11"};
    for (const char* m : down) {
        click("Monat minus");
        EXPECT_EQ(entry(g_w->month), m);
        EXPECT_EQ(output_text(), expected_report());
    }
    EXPECT_EQ(entry(g_w->year), "2024");
    EXPECT_EQ(output_text().substr(0, 30), "        November 2024\n\n KW    ");
}

TEST(Clicks, DateButtonsOnTextAndHugeNumbers) {
    set_entry(g_w->year, "[Hier das Jahr eingeben]");
    click("Jahr plus");
    EXPECT_EQ(entry(g_w->year), "1");
    EXPECT_EQ(output_text(), kRangeMessage);
    set_entry(g_w->year, "abc");
    click("Jahr minus");
    EXPECT_EQ(entry(g_w->year), "10000");
    set_entry(g_w->year, "9999999999999999999999999");  // 25 characters
    click("Jahr plus");
    EXPECT_EQ(entry(g_w->year), "100");
    set_entry(g_w->month, "-9999999999999999999999999");
    EXPECT_EQ(entry(g_w->month), "-999999999999999999999999");  // cut at 25
    click("Monat minus");
    EXPECT_EQ(entry(g_w->month), "12");
    set_entry(g_w->month, "20");
    click("Monat minus");
    EXPECT_EQ(entry(g_w->month), "19");
    EXPECT_EQ(output_text(), expected_report());  // the feast view of 100
}

TEST(Clicks, CurrentYearToggles) {
    int d, m, y;
    today(&d, &m, &y);
    const std::string yy = std::to_string(y);
    set_entry(g_w->year, "1234");
    set_entry(g_w->month, "7");
    click("Aktuelles Jahr / Monat");
    EXPECT_EQ(entry(g_w->year), yy);
    EXPECT_EQ(entry(g_w->month), "0");
    EXPECT_EQ(output_text(), expected_report());
    EXPECT_EQ(output_text().substr(0, 15), "\n Ostern ist am");
    click("Aktuelles Jahr / Monat");
    EXPECT_EQ(entry(g_w->year), yy);
    EXPECT_EQ(entry(g_w->month), std::to_string(m));
    const std::string t = output_text();
    EXPECT_EQ(t, expected_report());
    char mark[8];
    std::snprintf(mark, sizeof mark, "[%2d]", d);
    EXPECT_NE(t.find(mark), std::string::npos) << t;
    click("Aktuelles Jahr / Monat");
    EXPECT_EQ(entry(g_w->month), "0");
}

TEST(Clicks, InformationText) {
    click("Programm Information");
    const std::string t = output_text();
    EXPECT_EQ(t, kalender_info_text());
    // The umlauts go in as single ISO-8859-1 bytes, one character each.
    EXPECT_NE(t.find("Verf\xFCgung"), std::string::npos);
    EXPECT_NE(t.find("k\xF6nnte"), std::string::npos);
    EXPECT_EQ(gtk_text_get_length(GTK_TEXT(g_w->output)), t.size());
    set_entry(g_w->year, "2021");
    set_entry(g_w->month, "1");
    click("Datum berechnen");
    EXPECT_EQ(output_text(), expected_report());
}

namespace {
gboolean click_quit(gpointer) {
    click("Programm beenden");
    return FALSE;
}
gboolean destroy_window(gpointer data) {
    gtk_widget_destroy(GTK_WIDGET(data));
    return FALSE;
}
gboolean give_up(gpointer data) {
    *static_cast<bool*>(data) = true;
    gtk_main_quit();
    return FALSE;
}
}  // namespace

TEST(Quit, ProgrammBeendenLeavesTheMainLoop) {
    bool timed_out = false;
    g_idle_add(click_quit, nullptr);
    const guint guard = g_timeout_add(10000, give_up, &timed_out);
    gtk_main();
    EXPECT_FALSE(timed_out);
    if (!timed_out) g_source_remove(guard);
    EXPECT_EQ(gtk_main_level(), 0u);
}

TEST(Quit, ClosingTheWindowLeavesTheMainLoop) {
    // A window of its own, so the one the other tests use stays intact.
    const KalWindow shared = *g_w;
    GtkWidget* const other = kalender_build_window()->window;
    gtk_widget_show_all(other);
    bool timed_out = false;
    g_idle_add(destroy_window, other);
    const guint guard = g_timeout_add(10000, give_up, &timed_out);
    gtk_main();
    EXPECT_FALSE(timed_out);
    if (!timed_out) g_source_remove(guard);
    *g_w = shared;
    year = shared.year;
    month = shared.month;
    output = shared.output;
}

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    g_log_set_always_fatal(static_cast<GLogLevelFlags>(
        G_LOG_FATAL_MASK | G_LOG_LEVEL_WARNING | G_LOG_LEVEL_CRITICAL));
    if (!gtk_init_check(&argc, &argv)) {
        std::fprintf(stderr,
                     "kalender_gui_test needs an X display; run it under xvfb-run -a\n");
        return 1;
    }
    g_w = kalender_build_window();
    gtk_widget_show_all(g_w->window);
    g_initial_year = entry(g_w->year);
    g_initial_month = entry(g_w->month);
    g_initial_length = gtk_text_get_length(GTK_TEXT(g_w->output));
    return RUN_ALL_TESTS();
}
