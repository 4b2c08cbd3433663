// SPDX-License-Identifier: MIT
// Plumbing for the window tests of both programs under an X server
// (xvfb-run -a): buttons found and clicked by label, texts read back, the
// main loop run with a deadline, and the bookkeeping of the monkey tests.
#ifndef TESTS_GTK_HARNESS_H
#define TESTS_GTK_HARNESS_H

#include <gdk/gdkkeysyms.h>
#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <deque>
#include <initializer_list>
#include <random>
#include <string>
#include <vector>

#ifndef NB_MONKEY_CLICKS
#define NB_MONKEY_CLICKS 30000
#endif

namespace harness {

inline void collect_buttons(GtkWidget *widget, gpointer found) {
  if (GTK_IS_BUTTON(widget)) static_cast<std::vector<GtkWidget *> *>(found)->push_back(widget);
  if (GTK_IS_CONTAINER(widget)) gtk_container_forall(GTK_CONTAINER(widget), collect_buttons, found);
}

// Every button packed below `top`.
inline std::vector<GtkWidget *> buttons_in(GtkWidget *top) {
  std::vector<GtkWidget *> found;
  gtk_container_forall(GTK_CONTAINER(top), collect_buttons, &found);
  return found;
}

// The one button below `top` with this label; a failure and nullptr when
// there is none or more than one.
inline GtkWidget *find_button(GtkWidget *top, const char *label) {
  GtkWidget *hit = nullptr;
  int hits = 0;
  for (GtkWidget *b : buttons_in(top)) {
    const char *text = gtk_button_get_label(GTK_BUTTON(b));
    if (text && std::strcmp(text, label) == 0) hit = b, ++hits;
  }
  EXPECT_EQ(hits, 1) << "buttons labelled \"" << label << "\"";
  return hits == 1 ? hit : nullptr;
}

inline void click(GtkWidget *top, const char *label) {
  if (GtkWidget *b = find_button(top, label)) gtk_button_clicked(GTK_BUTTON(b));
}

// The whole text of an entry or a text area.
inline std::string text_of(GtkWidget *editable) {
  gchar *chars = gtk_editable_get_chars(GTK_EDITABLE(editable), 0, -1);
  std::string text = chars ? chars : "";
  g_free(chars);
  return text;
}

// Hands an input event to the toolkit as if the X server had sent it.
inline void deliver(GdkEvent event, GdkEventType type, GdkWindow *window) {
  event.any.type = type, event.any.window = window;
  gtk_main_do_event(&event);
}

// Keys pressed in `top`, which passes them on to its focus; '\t' is Tab.
inline void type_keys(GtkWidget *top, const char *keys) {
  for (GdkEvent key{}; *keys; ++keys) {
    GdkKeymapKey *found = nullptr;
    gint n = 0;
    key.key.keyval = *keys == '\t' ? GDK_KEY_Tab : gdk_unicode_to_keyval(guchar(*keys));
    gdk_keymap_get_entries_for_keyval(nullptr, key.key.keyval, &found, &n);
    key.key.hardware_keycode = n > 0 ? found->keycode : 0;
    deliver(key, GDK_KEY_PRESS, top->window);
    g_free(found);
  }
}

// An entry's text, its focus by Tab from `tab_from` or (tab_from nullptr)
// by a click `x` pixels into it, the keys typed then and the text after.
struct Typing {
  GtkWidget *entry;
  const char *before;
  GtkWidget *tab_from;
  int x;
  const char *keys, *after;
};

// In a window with the keyboard focus, from the end of each text, with the
// desktop's select-on-focus off (as it may be).
inline void expect_typing(GtkWidget *top, std::initializer_list<Typing> cases) {
  g_object_set(gtk_settings_get_default(), "gtk-entry-select-on-focus", FALSE, nullptr);
  GdkEvent focus{}, click{};
  focus.focus_change.in = TRUE;
  deliver(focus, GDK_FOCUS_CHANGE, top->window);
  for (const Typing &c : cases) {
    gtk_entry_set_text(GTK_ENTRY(c.entry), c.before);
    gtk_editable_set_position(GTK_EDITABLE(c.entry), -1);
    gtk_window_set_focus(GTK_WINDOW(top), c.tab_from);
    click.button.button = 1, click.button.x = c.x, click.button.y = 5;
    if (c.tab_from) type_keys(top, "\t");
    if (!c.tab_from) deliver(click, GDK_BUTTON_PRESS, GTK_ENTRY(c.entry)->text_area);
    if (!c.tab_from) deliver(click, GDK_BUTTON_RELEASE, GTK_ENTRY(c.entry)->text_area);
    type_keys(top, c.keys);
    EXPECT_TRUE(GTK_WIDGET_HAS_FOCUS(c.entry));
    EXPECT_EQ(text_of(c.entry), c.after) << c.before << (c.tab_from ? " by Tab" : " by a click");
  }
  g_object_set(gtk_settings_get_default(), "gtk-entry-select-on-focus", TRUE, nullptr);
}

// Wheel notches (down positive) over a text area from its top: `notch`
// pixels each, never beyond the first or the last page.
inline void expect_wheel_steps(GtkWidget *text, double notch) {
  GtkAdjustment *const adj = GTK_TEXT(text)->vadj;
  gtk_adjustment_set_value(adj, 0);
  const double end = adj->upper - adj->page_size,
               steps[][2] = {{-1, 0},   {1, notch},        {1, 2 * notch}, {-1, notch},
                             {60, end}, {-1, end - notch}, {-60, 0}};
  ASSERT_GT(end, 3 * notch);
  GdkEvent wheel{};
  for (const auto &s : steps) {
    wheel.scroll.direction = s[0] > 0 ? GDK_SCROLL_DOWN : GDK_SCROLL_UP;
    for (int i = 0; i < std::abs(s[0]); ++i) deliver(wheel, GDK_SCROLL, text->window);
    EXPECT_DOUBLE_EQ(adj->value, s[1]) << s[0] << " notches";
  }
}

inline void settle() {
  while (gtk_events_pending()) gtk_main_iteration();
}

inline gboolean stop_loop(gpointer timed_out) {
  *static_cast<bool *>(timed_out) = true;
  gtk_main_quit();
  return FALSE;
}

// Runs a main loop in which `action` is called once idle; true when the
// loop has ended within ten seconds.
inline bool loop_ends_after(GSourceFunc action, gpointer data) {
  bool timed_out = false;
  g_idle_add(action, data);
  const guint guard = g_timeout_add(10000, stop_loop, &timed_out);
  gtk_main();
  if (!timed_out) g_source_remove(guard);
  return !timed_out;
}

// gtk_init, and GLib or GTK warnings and criticals made fatal.
inline bool init_toolkit(int *argc, char ***argv) {
  if (!gtk_init_check(argc, argv)) {
    std::fprintf(stderr, "%s needs an X display; run it under xvfb-run -a\n", (*argv)[0]);
    return false;
  }
  g_log_set_always_fatal(static_cast<GLogLevelFlags>(G_LOG_LEVEL_WARNING | G_LOG_LEVEL_CRITICAL));
  return true;
}

// One seeded monkey run: the random choices, typing into entries, the last
// actions (printed with any failure or toolkit warning) and the memory
// bound.
//   NB_MONKEY_SEED=n     repeat the run of seed n (the seed is printed)
//   NB_MONKEY_CLICKS=n   number of clicks
//   NB_MONKEY_NO_RSS=1   skip the memory check (under valgrind, whose own
//                        bookkeeping grows; it checks for leaks itself)
class Monkey {
 public:
  // `quit` is the window's "Programm beenden", `output` its text area.
  Monkey(GtkWidget *quit, GtkWidget *output) : quit_(quit), output_(output) {
    const char *seed = std::getenv("NB_MONKEY_SEED"), *clicks = std::getenv("NB_MONKEY_CLICKS");
    seed_ = seed && *seed
                ? static_cast<unsigned>(std::strtoul(seed, nullptr, 10))
                : static_cast<unsigned>(std::time(nullptr)) ^ static_cast<unsigned>(getpid());
    clicks_ = clicks && *clicks ? std::strtol(clicks, nullptr, 10) : NB_MONKEY_CLICKS;
    rng_.seed(seed_);
    current = this;
    g_log_set_default_handler(log_handler, nullptr);
    std::printf("monkey seed %u, %ld clicks (NB_MONKEY_SEED=%u repeats this run)\n", seed_, clicks_,
                seed_);
    std::fflush(stdout);
  }
  ~Monkey() { current = nullptr; }

  int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
  bool chance(int percent) { return below(100) < percent; }
  template <size_t N>
  const char *pick(const char *const (&list)[N]) {
    return list[below(static_cast<int>(N))];
  }

  // Digits, signs and blanks most often, then letters and `others`.
  template <size_t N>
  std::string character(const char *const (&others)[N], const char *blank = " ") {
    const int kind = below(10);
    if (kind < 5) return std::string(1, static_cast<char>('0' + below(10)));
    if (kind == 5) return below(2) ? "-" : "+";
    if (kind == 6) return blank;
    if (kind == 7) return std::string(1, static_cast<char>((below(2) ? 'a' : 'A') + below(26)));
    return pick(others);
  }

  // Replaces the entry's text, inserts it at a random position, or deletes
  // up to `max_delete` characters somewhere.
  void type(GtkWidget *entry, const std::string &text, int max_delete) {
    const int length = g_utf8_strlen(gtk_entry_get_text(GTK_ENTRY(entry)), -1);
    const int how = below(4);
    if (how < 2) {
      gtk_entry_set_text(GTK_ENTRY(entry), text.c_str());
      note("set entry to \"" + text + "\"");
    } else if (how == 2) {
      gint position = below(length + 1);
      gtk_editable_insert_text(GTK_EDITABLE(entry), text.c_str(), static_cast<gint>(text.size()),
                               &position);
      note("typed \"" + text + "\"");
    } else {
      const int start = below(length + 1);
      gtk_editable_delete_text(GTK_EDITABLE(entry), start, start + below(max_delete + 1));
      note("deleted in an entry");
    }
  }

  void note(const std::string &action) {
    recent_.push_back("step " + std::to_string(step) + ": " + action);
    if (recent_.size() > 12) recent_.pop_front();
  }

  std::string history() const {
    std::string s = "seed " + std::to_string(seed_) + ", last actions:\n";
    for (const std::string &a : recent_) s += "  " + a + "\n";
    return s;
  }

  // Steps on while clicks are left and nothing failed: marks the end of
  // the warm-up (a fifth of the clicks) for check_memory, and now and then
  // clicks "Programm beenden" in a nested main loop, which must end that
  // loop and leave the text area alone.
  bool next() {
    if (++step == clicks_ / 5) rss_after_warm_up_ = resident_kb();
    if (step % 700 == 350) {
      note("Programm beenden in a nested main loop");
      const std::string before = text_of(output_);
      EXPECT_TRUE(loop_ends_after(click_button, quit_)) << "the loop did not end\n" << history();
      EXPECT_EQ(text_of(output_), before) << history();
    }
    return step < clicks_ && !::testing::Test::HasFailure();
  }

  // Resident memory may grow by a few hundred kilobytes of toolkit caches
  // after the warm-up; a leak of 100 bytes a click is well above the
  // margin. AddressSanitizer holds freed memory back on purpose; its
  // LeakSanitizer checks for leaks in that build instead.
  void check_memory() const {
#if defined(__SANITIZE_ADDRESS__)
    return;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    return;
#endif
#endif
    const char *no_rss = std::getenv("NB_MONKEY_NO_RSS");
    if (no_rss && *no_rss == '1') return;
    const long end = resident_kb();
    std::printf("monkey: resident %ld kB after warm-up, %ld kB at the end\n", rss_after_warm_up_,
                end);
    EXPECT_LT(end - rss_after_warm_up_, 2048) << "memory keeps growing";
  }

  long step = -1;

 private:
  static long resident_kb() {
    long pages = 0, resident = 0;
    FILE *f = std::fopen("/proc/self/statm", "r");
    if (!f) return 0;
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(f);
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
  }
  static gboolean click_button(gpointer button) {
    gtk_button_clicked(GTK_BUTTON(button));
    return FALSE;
  }
  static void log_handler(const gchar *domain, GLogLevelFlags level, const gchar *message,
                          gpointer) {
    std::fprintf(stderr, "monkey: %s message from %s: %s\n%s",
                 (level & G_LOG_LEVEL_CRITICAL) ? "critical" : "warning", domain ? domain : "?",
                 message, current ? current->history().c_str() : "");
  }

  static inline Monkey *current = nullptr;
  GtkWidget *quit_, *output_;
  unsigned seed_ = 0;
  long clicks_ = 0;
  long rss_after_warm_up_ = 0;
  std::mt19937 rng_;
  std::deque<std::string> recent_;
};

}  // namespace harness

#endif
