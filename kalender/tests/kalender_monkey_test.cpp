// Monkey test of the kalender window under an X server (xvfb-run -a):
// thousands of seeded random clicks on random buttons, with random texts
// typed into the two entries between them (digits, signs, white space,
// letters, non-ASCII characters, up to the entries' 25 characters). After
// every click the text area must hold exactly the report or information
// text the entries ask for and a date button must have written its entry
// back as a number; any GLib or GTK warning or critical message aborts the
// run; memory must not keep growing.
//
//   NB_MONKEY_SEED=n     repeat the run of seed n (the seed is printed)
//   NB_MONKEY_CLICKS=n   number of clicks
//   NB_MONKEY_NO_RSS=1   skip the memory check (under valgrind, whose own
//                        bookkeeping grows; it checks for leaks itself)
#define GTK_ENABLE_BROKEN
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <deque>
#include <random>
#include <string>

#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include "kalgui.h"
#include "kalreport.h"

#ifndef NB_MONKEY_CLICKS
#define NB_MONKEY_CLICKS 30000
#endif

#if defined(__SANITIZE_ADDRESS__)
#define NB_MONKEY_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define NB_MONKEY_ASAN 1
#endif
#endif

namespace {

KalWindow* win = nullptr;
unsigned run_seed = 0;
long step = 0;
std::deque<std::string> recent;  // the last actions, shown when a run fails

void note(const std::string& action) {
    recent.push_back("step " + std::to_string(step) + ": " + action);
    if (recent.size() > 12) recent.pop_front();
}

std::string history() {
    std::string s = "seed " + std::to_string(run_seed) + ", last actions:\n";
    for (const std::string& a : recent) s += "  " + a + "\n";
    return s;
}

void log_handler(const gchar* domain, GLogLevelFlags level, const gchar* message, gpointer) {
    std::fprintf(stderr, "monkey: %s message from %s: %s\n%s",
                 (level & G_LOG_LEVEL_CRITICAL) ? "critical" : "warning",
                 domain ? domain : "?", message, history().c_str());
}

std::string output_text() {
    gchar* chars = gtk_editable_get_chars(GTK_EDITABLE(win->output), 0, -1);
    std::string text = chars ? chars : "";
    g_free(chars);
    return text;
}

std::string entry(GtkWidget* e) { return gtk_entry_get_text(GTK_ENTRY(e)); }

void today(int* d, int* m, int* y) {
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    *d = tm.tm_mday;
    *m = tm.tm_mon + 1;
    *y = tm.tm_year + 1900;
}

long resident_kb() {
    long pages = 0, resident = 0;
    FILE* f = std::fopen("/proc/self/statm", "r");
    if (!f) return 0;
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(f);
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

void settle() {
    while (gtk_events_pending()) gtk_main_iteration();
}

class Monkey {
public:
    explicit Monkey(unsigned seed) : rng_(seed) {}

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

    // One character: digits, signs and white space most often (atoi skips
    // all white space), then letters and characters of two to four bytes.
    std::string character() {
        static const char* const others[] = {"\xc3\xa4", "\xc3\x9f", "\xe2\x82\xac",
                                             "\xf0\x9d\x84\x9e", "\xc2\xa0", "[", "]", "."};
        static const char* const blanks[] = {" ", "\t", "\n", "\v", "\f", "\r"};
        const int kind = below(10);
        if (kind < 5) return std::string(1, static_cast<char>('0' + below(10)));
        if (kind == 5) return below(2) ? "-" : "+";
        if (kind == 6) return blanks[below(6)];
        if (kind == 7) return std::string(1, static_cast<char>((below(2) ? 'a' : 'A') + below(26)));
        return others[below(8)];
    }

    // A plausible number, a hint text or a random mix; the entry cuts it
    // to its 25 characters.
    std::string entry_text(GtkWidget* e) {
        const int kind = below(10);
        if (kind < 4) return std::to_string(e == win->year ? 90 + below(10020) : below(15) - 1);
        if (kind == 4) return "";
        if (kind == 5) return e == win->year ? kKalYearHint : kKalMonthHint;
        if (kind == 6) return std::string(below(30), '9');
        std::string text;
        for (int n = below(30); n > 0; --n) text += character();
        return text;
    }

    // Replaces an entry's text, inserts at a random position, or deletes a
    // random range.
    void type() {
        GtkWidget* e = below(2) ? win->year : win->month;
        const int length = g_utf8_strlen(gtk_entry_get_text(GTK_ENTRY(e)), -1);
        const std::string text = entry_text(e);
        const int how = below(4);
        if (how < 2) {
            gtk_entry_set_text(GTK_ENTRY(e), text.c_str());
            note("set entry to \"" + text + "\"");
        } else if (how == 2) {
            gint position = below(length + 1);
            gtk_editable_insert_text(GTK_EDITABLE(e), text.c_str(),
                                     static_cast<gint>(text.size()), &position);
            note("typed \"" + text + "\"");
        } else {
            const int start = below(length + 1);
            gtk_editable_delete_text(GTK_EDITABLE(e), start, start + below(6));
            note("deleted in an entry");
        }
    }

private:
    std::mt19937 rng_;
};

gboolean click_quit(gpointer) {
    gtk_button_clicked(GTK_BUTTON(win->buttons[KAL_BTN_ENDE]));
    return FALSE;
}

gboolean stop_loop(gpointer data) {
    *static_cast<bool*>(data) = true;
    gtk_main_quit();
    return FALSE;
}

unsigned chosen_seed() {
    const char* env = std::getenv("NB_MONKEY_SEED");
    if (env && *env) return static_cast<unsigned>(std::strtoul(env, nullptr, 10));
    return static_cast<unsigned>(std::time(nullptr)) ^ static_cast<unsigned>(getpid());
}

long chosen_clicks() {
    const char* env = std::getenv("NB_MONKEY_CLICKS");
    if (env && *env) return std::strtol(env, nullptr, 10);
    return NB_MONKEY_CLICKS;
}

}  // namespace

TEST(Monkey, RandomClicksAlwaysShowTheReportAskedFor) {
    run_seed = chosen_seed();
    const long clicks = chosen_clicks();
    std::printf("monkey seed %u, %ld clicks (NB_MONKEY_SEED=%u repeats this run)\n", run_seed,
                clicks, run_seed);
    std::fflush(stdout);
    Monkey monkey(run_seed);

    int current_clicks = 0;  // "Aktuelles Jahr / Monat" alternates month 0 and today's month
    const long warm_up = clicks / 5;
    long rss_after_warm_up = 0;
    int shown[KAL_BTN_COUNT] = {0};

    for (step = 0; step < clicks; ++step) {
        if (step == warm_up) rss_after_warm_up = resident_kb();
        for (int n = monkey.below(10) < 4 ? 1 + monkey.below(2) : 0; n > 0; --n) monkey.type();

        if (step % 700 == 350) {
            // "Programm beenden" inside a nested main loop ends that loop
            // and nothing else.
            note("Programm beenden in a nested main loop");
            const std::string before = output_text();
            bool timed_out = false;
            g_idle_add(click_quit, nullptr);
            const guint safety = g_timeout_add(10000, stop_loop, &timed_out);
            gtk_main();
            ASSERT_FALSE(timed_out) << "\"Programm beenden\" did not end the main loop";
            g_source_remove(safety);
            ASSERT_EQ(output_text(), before) << history();
        }

        const int button = 1 + monkey.below(KAL_BTN_COUNT - 1);  // not "Programm beenden"
        const std::string year_before = entry(win->year), month_before = entry(win->month);
        note(std::string("click \"") + gtk_button_get_label(GTK_BUTTON(win->buttons[button])) +
             "\"");
        gtk_button_clicked(GTK_BUTTON(win->buttons[button]));
        ++shown[button];
        if (step % 8 == 0) settle();

        int d, m, y;
        today(&d, &m, &y);
        const std::string year_text = entry(win->year), month_text = entry(win->month);
        switch (button) {
            case KAL_BTN_JAHR_PLUS:
                ASSERT_EQ(year_text, std::to_string(kalender_next_year(year_before.c_str())))
                    << history();
                break;
            case KAL_BTN_JAHR_MINUS:
                ASSERT_EQ(year_text, std::to_string(kalender_prev_year(year_before.c_str())))
                    << history();
                break;
            case KAL_BTN_MONAT_PLUS:
                ASSERT_EQ(month_text, std::to_string(kalender_next_month(month_before.c_str())))
                    << history();
                break;
            case KAL_BTN_MONAT_MINUS:
                ASSERT_EQ(month_text, std::to_string(kalender_prev_month(month_before.c_str())))
                    << history();
                break;
            case KAL_BTN_AKTUELL:
                ++current_clicks;
                ASSERT_EQ(year_text, std::to_string(y)) << history();
                ASSERT_EQ(month_text, current_clicks % 2 ? "0" : std::to_string(m)) << history();
                break;
            default:  // the other buttons leave the entries alone
                ASSERT_EQ(year_text, year_before) << history();
                ASSERT_EQ(month_text, month_before) << history();
                break;
        }
        const std::string expected =
            button == KAL_BTN_INFO
                ? kalender_info_text()
                : kalender_report(year_text.c_str(), month_text.c_str(), d, m, y).text;
        ASSERT_EQ(output_text(), expected) << history();
    }
    settle();
    for (int i = 1; i < KAL_BTN_COUNT; ++i) EXPECT_GT(shown[i], 0) << "button " << i;

#ifdef NB_MONKEY_ASAN
    // AddressSanitizer holds freed memory back on purpose; LeakSanitizer
    // checks for leaks in that build instead.
    (void)rss_after_warm_up;
#else
    const char* no_rss = std::getenv("NB_MONKEY_NO_RSS");
    if (no_rss && *no_rss == '1') return;
    const long rss_end = resident_kb();
    std::printf("monkey: resident %ld kB after warm-up, %ld kB at the end\n", rss_after_warm_up,
                rss_end);
    // A few hundred kilobytes of toolkit caches at most; a leak of 100
    // bytes a click is well above this margin.
    EXPECT_LT(rss_end - rss_after_warm_up, 2048) << "memory keeps growing";
#endif
}

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (!gtk_init_check(&argc, &argv)) {
        std::fprintf(stderr, "kalender_monkey_test needs an X display; run it under xvfb-run -a\n");
        return 1;
    }
    g_log_set_default_handler(log_handler, nullptr);
    g_log_set_always_fatal(
        static_cast<GLogLevelFlags>(G_LOG_LEVEL_WARNING | G_LOG_LEVEL_CRITICAL));
    win = kalender_build_window();
    gtk_widget_show_all(win->window);
    settle();
    return RUN_ALL_TESTS();
}
