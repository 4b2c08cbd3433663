// Monkey test of the nachtblick window under an X server (xvfb-run -a):
// thousands of seeded random clicks on random buttons, with random texts
// typed into the entries between them (digits, signs, blanks, letters,
// non-ASCII characters) and random place files written between some of
// them. After every click the text area must hold exactly the report that
// the entries and the place table ask for; any GLib or GTK warning or
// critical message aborts the run; memory must not keep growing.
//
//   NB_MONKEY_SEED=n     repeat the run of seed n (the seed is printed)
//   NB_MONKEY_CLICKS=n   number of clicks
//   NB_MONKEY_NO_RSS=1   skip the memory check (under valgrind, whose own
//                        bookkeeping grows; it checks for leaks itself)
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <deque>
#include <random>
#include <string>

#include "calendar/calendar.h"
#include "nachtblick/places.h"
#include "nachtblick/reports.h"
#include "nachtblick/window.h"

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

NbWindow *win = nullptr;
unsigned run_seed = 0;
long step = 0;
std::deque<std::string> recent;  // the last actions, shown when a run fails

// Button indices, in creation order.
enum {
  B_QUIT, B_INFO, B_CALENDAR, B_TODAY, B_MOON, B_SEASONS, B_PI, B_RISESET, B_NEXT_PLACE,
  B_PREV_PLACE, B_YEAR_PLUS, B_YEAR_MINUS, B_MONTH_PLUS, B_MONTH_MINUS, B_DAY_PLUS, B_DAY_MINUS
};

void note(const std::string &action) {
  recent.push_back("step " + std::to_string(step) + ": " + action);
  if (recent.size() > 12) recent.pop_front();
}

std::string history() {
  std::string s = "seed " + std::to_string(run_seed) + ", last actions:\n";
  for (const std::string &a : recent) s += "  " + a + "\n";
  return s;
}

void log_handler(const gchar *domain, GLogLevelFlags level, const gchar *message, gpointer) {
  std::fprintf(stderr, "monkey: %s message from %s: %s\n%s",
               (level & G_LOG_LEVEL_CRITICAL) ? "critical" : "warning", domain ? domain : "?",
               message, history().c_str());
}

std::string output_text() {
  gchar *chars = gtk_editable_get_chars(GTK_EDITABLE(win->output), 0, -1);
  std::string text = chars ? chars : "";
  g_free(chars);
  return text;
}

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

long resident_kb() {
  long pages = 0, resident = 0;
  FILE *f = std::fopen("/proc/self/statm", "r");
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
  bool chance(int percent) { return below(100) < percent; }

  // One character: digits, signs and blanks most often, then letters and
  // characters of two to four bytes in UTF-8.
  std::string character() {
    static const char *const others[] = {"\xc3\xa4", "\xc3\x9f", "\xc3\x9c", "\xe2\x82\xac",
                                         "\xf0\x9d\x84\x9e", "\xc2\xa0", "\t", "%", "[", "]"};
    const int kind = below(10);
    if (kind < 5) return std::string(1, static_cast<char>('0' + below(10)));
    if (kind == 5) return below(2) ? "-" : "+";
    if (kind == 6) return " ";
    if (kind == 7) return std::string(1, static_cast<char>((below(2) ? 'a' : 'A') + below(26)));
    return others[below(10)];
  }

  // A text for an entry: a plausible number or a random mix, at most the
  // entry's 8 characters (longer texts are cut by the entry itself).
  std::string entry_text(GtkWidget *entry) {
    const int kind = below(10);
    if (kind < 4) {
      int value = 0;
      if (entry == win->year) value = 90 + below(10020);
      if (entry == win->month) value = below(15) - 1;
      if (entry == win->day) value = below(34) - 1;
      return std::to_string(value);
    }
    if (kind == 4) return "";
    if (kind == 5) return below(2) ? " [Jahr]" : "  0000012";
    std::string text;
    for (int n = below(10); n > 0; --n) text += character();
    return text;
  }

  // Types into a random entry: replace its text, insert at a random
  // position, or delete a random range.
  void type() {
    GtkWidget *entries[3] = {win->year, win->month, win->day};
    GtkWidget *entry = entries[below(3)];
    GtkEditable *editable = GTK_EDITABLE(entry);
    const int length = g_utf8_strlen(gtk_entry_get_text(GTK_ENTRY(entry)), -1);
    const std::string text = entry_text(entry);
    const int how = below(4);
    if (how < 2) {
      gtk_entry_set_text(GTK_ENTRY(entry), text.c_str());
      note("set entry to \"" + text + "\"");
    } else if (how == 2) {
      gint position = below(length + 1);
      gtk_editable_insert_text(editable, text.c_str(), static_cast<gint>(text.size()), &position);
      note("typed \"" + text + "\"");
    } else {
      const int start = below(length + 1);
      gtk_editable_delete_text(editable, start, start + below(4));
      note("deleted in an entry");
    }
  }

  // A place line with random fields; the name may hold any bytes.
  std::string place_line() {
    char line[128];
    std::snprintf(line, sizeof line, "%02d %c %02d  %03d %c %02d ", below(100),
                  "NSns"[below(4)], below(70), below(200), "EOWewo"[below(6)], below(70));
    std::string s = line;
    const int kind = below(4);
    if (kind == 0) s += "Ort " + std::to_string(below(1000));
    if (kind == 1) s += "Sch\xc3\xb6nbrunn \xe2\x82\xac";  // UTF-8
    if (kind == 2) {
      // Any byte but NUL.
      for (int n = below(50); n > 0; --n) s += static_cast<char>(1 + below(255));
    }
    return s;
  }

  // Writes a random place file, or none, into the working directory.
  void write_place_file() {
    const int kind = below(10);
    if (kind == 0) {
      std::remove(PLACE_FILE_NAME);
      note("removed the place file");
      return;
    }
    std::string text;
    if (kind == 1) {
      for (int n = below(3000); n > 0; --n) text += static_cast<char>(below(256));
    } else if (kind != 2) {
      const char *const ends[] = {"\n", "\r", "\r\n"};
      for (int n = below(40); n > 0; --n) {
        const int line = below(10);
        if (line == 0) text += std::string(below(2) ? "A " : "D ");
        else if (line == 1) text += "; comment";
        else text += place_line();
        text += ends[below(3)];
      }
    }
    FILE *f = std::fopen(PLACE_FILE_NAME, "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
    note("wrote a place file of " + std::to_string(text.size()) + " bytes");
  }

 private:
  std::mt19937 rng_;
};

gboolean click_quit(gpointer) {
  gtk_button_clicked(GTK_BUTTON(win->buttons[B_QUIT]));
  return FALSE;
}

gboolean stop_loop(gpointer data) {
  *static_cast<bool *>(data) = true;
  gtk_main_quit();
  return FALSE;
}

// "Programm beenden" inside a nested main loop: it ends that loop and
// nothing else.
void click_quit_in_nested_loop() {
  bool timed_out = false;
  g_idle_add(click_quit, nullptr);
  const guint safety = g_timeout_add(10000, stop_loop, &timed_out);
  gtk_main();
  ASSERT_FALSE(timed_out) << "\"Programm beenden\" did not end the main loop";
  g_source_remove(safety);
}

bool is_number_text(const char *text) { return std::to_string(entrytoint(text)) == text; }

unsigned chosen_seed() {
  const char *env = std::getenv("NB_MONKEY_SEED");
  if (env && *env) return static_cast<unsigned>(std::strtoul(env, nullptr, 10));
  return static_cast<unsigned>(std::time(nullptr)) ^ static_cast<unsigned>(getpid());
}

long chosen_clicks() {
  const char *env = std::getenv("NB_MONKEY_CLICKS");
  if (env && *env) return std::strtol(env, nullptr, 10);
  return NB_MONKEY_CLICKS;
}

class MonkeyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/nbmonkeyXXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir_ = tmpl;
    char *cwd = getcwd(nullptr, 0);
    ASSERT_NE(cwd, nullptr);
    old_cwd_ = cwd;
    std::free(cwd);
    ASSERT_EQ(chdir(dir_.c_str()), 0);
  }
  void TearDown() override {
    std::remove(PLACE_FILE_NAME);
    EXPECT_EQ(chdir(old_cwd_.c_str()), 0);
    rmdir(dir_.c_str());
  }
  std::string dir_, old_cwd_;
};

}  // namespace

TEST_F(MonkeyTest, RandomClicksAlwaysShowTheReportAskedFor) {
  run_seed = chosen_seed();
  const long clicks = chosen_clicks();
  std::printf("monkey seed %u, %ld clicks (NB_MONKEY_SEED=%u repeats this run)\n", run_seed,
              clicks, run_seed);
  std::fflush(stdout);
  Monkey monkey(run_seed);

  int view = current_view;  // the view the clicks so far ask for
  const long warm_up = clicks / 5;
  long rss_after_warm_up = 0;
  int shown[NB_BUTTONS] = {0};
  long not_utf8 = 0;  // reports that showed a place name that is not UTF-8

  for (step = 0; step < clicks; ++step) {
    if (step == warm_up) rss_after_warm_up = resident_kb();
    for (int n = monkey.chance(40) ? 1 + monkey.below(3) : 0; n > 0; --n) monkey.type();
    if (monkey.chance(4)) monkey.write_place_file();
    if (HasFatalFailure()) return;
    if (step % 700 == 350) {
      note("Programm beenden in a nested main loop");
      const std::string before = output_text();
      click_quit_in_nested_loop();
      if (HasFatalFailure()) return;
      ASSERT_EQ(output_text(), before) << history();
    }

    const int button = 1 + monkey.below(NB_BUTTONS - 1);  // not "Programm beenden"
    note(std::string("click \"") + gtk_button_get_label(GTK_BUTTON(win->buttons[button])) + "\"");
    gtk_button_clicked(GTK_BUTTON(win->buttons[button]));
    ++shown[button];
    if (step % 8 == 0) settle();

    std::string expected;
    switch (button) {
      case B_INFO: expected = info_report().text; break;
      case B_PI: expected = pi_report().text; break;
      default:
        if (button == B_CALENDAR) view = VIEW_CALENDAR;
        if (button == B_MOON) view = VIEW_MOONPHASE;
        if (button == B_SEASONS) view = VIEW_SEASONS;
        if (button == B_RISESET || button == B_NEXT_PLACE || button == B_PREV_PLACE)
          view = VIEW_RISESET;
        ASSERT_EQ(current_view, view) << history();
        expected = view_report(view, current_input()).text;
        break;
    }
    ASSERT_EQ(current_view, view) << history();
    ASSERT_EQ(output_text(), expected) << history();
    if (!g_utf8_validate(expected.data(), static_cast<gssize>(expected.size()), nullptr))
      ++not_utf8;
    if (view == VIEW_RISESET && button != B_INFO && button != B_PI) {
      ASSERT_TRUE(current_place >= 0 && current_place < PLACE_SLOTS &&
                  place_table[current_place].used)
          << "current place " << current_place << "\n" << history();
    }
    // A date button writes its entry back as a plain number.
    GtkWidget *stepped = nullptr;
    if (button == B_YEAR_PLUS || button == B_YEAR_MINUS) stepped = win->year;
    if (button == B_MONTH_PLUS || button == B_MONTH_MINUS || button == B_TODAY)
      stepped = win->month;
    if (button == B_DAY_PLUS || button == B_DAY_MINUS) stepped = win->day;
    if (stepped) {
      const char *text = gtk_entry_get_text(GTK_ENTRY(stepped));
      ASSERT_TRUE(is_number_text(text)) << "entry holds \"" << text << "\"\n" << history();
    }
  }
  settle();
  for (int i = 1; i < NB_BUTTONS; ++i) EXPECT_GT(shown[i], 0) << "button " << i;
  std::printf("monkey: %ld reports showed a place name that is not UTF-8\n", not_utf8);

#ifdef NB_MONKEY_ASAN
  // AddressSanitizer holds freed memory back on purpose; LeakSanitizer
  // checks for leaks in that build instead.
  (void)rss_after_warm_up;
#else
  const char *no_rss = std::getenv("NB_MONKEY_NO_RSS");
  if (no_rss && *no_rss == '1') return;
  const long rss_end = resident_kb();
  std::printf("monkey: resident %ld kB after warm-up, %ld kB at the end\n", rss_after_warm_up,
              rss_end);
  // A few hundred kilobytes of toolkit caches at most; a leak of 100 bytes
  // a click is well above this margin.
  EXPECT_LT(rss_end - rss_after_warm_up, 2048) << "memory keeps growing";
#endif
}

int main(int argc, char **argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (!gtk_init_check(&argc, &argv)) {
    std::fprintf(stderr, "nachtblick_monkey_test needs an X display; run it under xvfb-run -a\n");
    return 1;
  }
  g_log_set_default_handler(log_handler, nullptr);
  g_log_set_always_fatal(static_cast<GLogLevelFlags>(G_LOG_LEVEL_WARNING | G_LOG_LEVEL_CRITICAL));
  load_places();
  win = build_window();
  gtk_widget_show_all(win->window);
  settle();
  return RUN_ALL_TESTS();
}
