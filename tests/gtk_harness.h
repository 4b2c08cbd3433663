// SPDX-License-Identifier: MIT
// The window tests of both programs under an X server (xvfb-run -a): a
// script of clicks, typing and wheel notches read from tests/data, the
// layout written out as text, and seeded random clicks.
//
// Script lines ('#' starts a comment):
//   set ENTRY "TEXT"     click LABEL          keys TEXT ('\t' is Tab)
//   focus ENTRY tab|X    (by Tab from the widget before it, or a click X
//                         pixels into it)     wheel N (notches, down > 0)
//   wheel right          (one notch sideways)
//   press ENTRY X        (a click X pixels into it, the focus left as it is)
//   expect ENTRY "TEXT"  ("$year", "$month", "$day" stand for today's)
//   again                (the text shown once more below itself, from the top)
//   expect text          (the report the window should show now)
//   expect scroll N|end  (lines of the shown font from the top, or the end)
//   expect KEY N         (a number of the window's own, e.g. view)
//   layout ... end       (the layout as layout() writes it; NB_PRINT_LAYOUT=1
//                         prints the window's)
//   conf ... end, conf none   (the place file in the working directory)
//   expect tip "TEXT"    (the tooltip of the button clicked last; "$cwd"
//                         stands for the working directory)
#ifndef TESTS_GTK_HARNESS_H
#define TESTS_GTK_HARNESS_H

#include <gdk/gdkkeysyms.h>
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace harness {

constexpr char kPlaceFile[] = "gtknblick.conf";

// gtk_init with GLib and GTK warnings made fatal; without a display the
// test exits 77, which ctest counts as skipped.
inline void init_toolkit(int *argc, char ***argv) {
  if (!gtk_init_check(argc, argv)) std::exit(77);
  g_log_set_always_fatal(static_cast<GLogLevelFlags>(G_LOG_LEVEL_WARNING | G_LOG_LEVEL_CRITICAL));
}

inline std::string text_of(GtkWidget *editable) {
  gchar *chars = gtk_editable_get_chars(GTK_EDITABLE(editable), 0, -1);
  std::string text = chars ? chars : "";
  g_free(chars);
  return text;
}

inline void find(GtkWidget *w, gpointer found) {
  if (GTK_IS_BUTTON(w)) static_cast<std::vector<GtkWidget *> *>(found)->push_back(w);
  if (GTK_IS_CONTAINER(w)) gtk_container_forall(GTK_CONTAINER(w), find, found);
}

// The buttons labelled so.
inline std::vector<GtkWidget *> buttons(GtkWidget *top, const std::string &label) {
  std::vector<GtkWidget *> all, hits;
  find(top, &all);
  for (GtkWidget *b : all)
    if (label == gtk_button_get_label(GTK_BUTTON(b))) hits.push_back(b);
  return hits;
}

// Clicks the one button labelled so; fails when there is not exactly one.
inline void click(GtkWidget *top, const std::string &label) {
  const std::vector<GtkWidget *> hits = buttons(top, label);
  ASSERT_EQ(hits.size(), 1u) << label;
  gtk_button_clicked(GTK_BUTTON(hits[0]));
}

// Hands an input event to the toolkit as if the X server had sent it.
inline void deliver(GdkEvent event, GdkEventType type, GdkWindow *window) {
  event.any.type = type, event.any.window = window;
  gtk_main_do_event(&event);
}

// A left click at x in an entry's text.
inline void press(GtkWidget *entry, const std::string &x) {
  GdkEvent event{};
  event.button.button = 1, event.button.x = std::atoi(x.c_str()), event.button.y = 5;
  deliver(event, GDK_BUTTON_PRESS, GTK_ENTRY(entry)->text_area);
  deliver(event, GDK_BUTTON_RELEASE, GTK_ENTRY(entry)->text_area);
}

inline void type_keys(GtkWidget *top, const std::string &keys) {
  GdkEvent key{};
  for (char c : keys) {
    GdkKeymapKey *found = nullptr;
    gint n = 0;
    key.key.keyval = c == '\t' ? GDK_KEY_Tab : gdk_unicode_to_keyval(guchar(c));
    gdk_keymap_get_entries_for_keyval(nullptr, key.key.keyval, &found, &n);
    key.key.hardware_keycode = n > 0 ? found->keycode : 0;
    deliver(key, GDK_KEY_PRESS, top->window);
    g_free(found);
  }
}

// What the layout fixes: sizes, borders, spacings, texts, and the packing
// and attach options (child properties of the parent).
constexpr char kLayoutProperties[] =
    "title default-width default-height window-position border-width width-request height-request "
    "homogeneous spacing n-rows n-columns label max-length text editable expand fill padding "
    "pack-type left-attach right-attach top-attach bottom-attach x-options y-options x-padding "
    "y-padding";

// The widget tree, one widget a line: its type and each property of the
// list that it or its place in the parent has, where not the default.
inline std::string layout(GtkWidget *w, const std::string &indent = "") {
  GtkWidget *parent = gtk_widget_get_parent(w);
  std::string out = indent + G_OBJECT_TYPE_NAME(w);
  g_auto(GStrv) names = g_strsplit(kLayoutProperties, " ", -1);
  for (gchar **name = names; *name; ++name) {
    GParamSpec *own = g_object_class_find_property(G_OBJECT_GET_CLASS(w), *name);
    GParamSpec *spec = own;
    if (!own && parent)
      spec = gtk_container_class_find_child_property(G_OBJECT_GET_CLASS(parent), *name);
    if (!spec) continue;
    g_auto(GValue) value = G_VALUE_INIT;
    g_value_init(&value, spec->value_type);
    if (own) g_object_get_property(G_OBJECT(w), *name, &value);
    if (!own) gtk_container_child_get_property(GTK_CONTAINER(parent), w, *name, &value);
    g_autofree gchar *text = g_strdup_value_contents(&value);
    if (!g_param_value_defaults(spec, &value)) out += std::string(" ") + *name + "=" + text;
  }
  out += "\n";
  if (GTK_IS_CONTAINER(w) && !GTK_IS_BUTTON(w)) {
    g_autoptr(GList) children = gtk_container_get_children(GTK_CONTAINER(w));
    if (GTK_IS_TABLE(w)) children = g_list_reverse(children);  // in the order attached
    for (GList *c = children; c; c = c->next) out += layout(GTK_WIDGET(c->data), indent + "  ");
  }
  return out;
}

// What a window lends the script: its entries by name, the text it should
// show, a number of its own by key, the font the wheel counts lines of.
struct Window {
  GtkWidget *top, *output;
  std::function<GtkWidget *(const std::string &)> entry;
  std::function<std::string(const std::string &last_click)> expected;
  std::function<int(const std::string &key)> number;
  const char *font;
};

inline std::string quoted(const std::string &s) {
  const size_t a = s.find('"'), b = s.rfind('"');
  return a == std::string::npos || b == a ? s : s.substr(a + 1, b - a - 1);
}

inline std::string today(const std::string &what) {
  std::time_t now = std::time(nullptr);
  const std::tm *t = std::localtime(&now);
  return std::to_string(what == "$year"    ? t->tm_year + 1900
                        : what == "$month" ? t->tm_mon + 1
                                           : t->tm_mday);
}

// Runs the script file; every line with a failure is named.
inline void run_script(const Window &w, const std::string &path) {
  std::ifstream in(path);
  ASSERT_TRUE(in) << path;
  std::string line, last_click, block, block_kind;
  for (int n = 1; std::getline(in, line); ++n) {
    SCOPED_TRACE(path + ":" + std::to_string(n) + ": " + line);
    if (!block_kind.empty() && line != "end") {
      block += line + "\n";
      continue;
    }
    std::string word = line.substr(0, line.find(' ')), rest, arg;
    rest = line.size() > word.size() ? line.substr(word.size() + 1) : "";
    arg = rest.substr(0, rest.find(' '));
    const std::string value = rest.size() > arg.size() ? rest.substr(arg.size() + 1) : "";
    if (line == "end" && block_kind == "layout") {
      const std::string actual = layout(w.top);
      EXPECT_EQ(actual, block);
      if (std::getenv("NB_PRINT_LAYOUT")) std::printf("%s", actual.c_str());
    } else if (line == "end") {
      std::ofstream(kPlaceFile, std::ios::binary) << block;
    } else if (word == "layout" || (word == "conf" && rest.empty())) {
      block_kind = word, block.clear();
      continue;
    } else if (word == "conf") {
      std::remove(kPlaceFile);
    } else if (word == "set") {
      gtk_entry_set_text(GTK_ENTRY(w.entry(arg)), quoted(value).c_str());
    } else if (word == "click") {
      last_click = rest;
      click(w.top, rest);
    } else if (word == "focus") {
      GtkWidget *e = w.entry(arg);
      gtk_editable_set_position(GTK_EDITABLE(e), -1);
      GdkEvent event{};
      event.focus_change.in = TRUE;
      deliver(event, GDK_FOCUS_CHANGE, w.top->window);
      g_object_set(gtk_settings_get_default(), "gtk-entry-select-on-focus", FALSE, nullptr);
      if (value == "tab") {
        gtk_window_set_focus(GTK_WINDOW(w.top), nullptr);
        for (int tabs = 0; tabs < 40 && !GTK_WIDGET_HAS_FOCUS(e); ++tabs) type_keys(w.top, "\t");
      } else {
        gtk_window_set_focus(GTK_WINDOW(w.top), nullptr);
        press(e, value);
      }
    } else if (word == "press") {  // a click into an entry that keeps the focus
      press(w.entry(arg), value);
    } else if (word == "again") {  // the text twice, taller than the area
      const std::string text = text_of(w.output);
      gtk_text_set_point(GTK_TEXT(w.output), gtk_text_get_length(GTK_TEXT(w.output)));
      gtk_text_insert(GTK_TEXT(w.output), gdk_font_load(w.font), nullptr, nullptr, text.c_str(),
                      -1);
      gtk_adjustment_set_value(GTK_TEXT(w.output)->vadj, 0);
    } else if (word == "keys") {
      type_keys(w.top, rest == "\\t" ? "\t" : rest);
    } else if (word == "wheel") {
      GdkEvent wheel{};
      const int notches = rest == "right" ? 1 : std::atoi(rest.c_str());
      wheel.scroll.direction = rest == "right" ? GDK_SCROLL_RIGHT
                               : notches > 0   ? GDK_SCROLL_DOWN
                                               : GDK_SCROLL_UP;
      for (int i = 0; i < std::abs(notches); ++i) deliver(wheel, GDK_SCROLL, w.output->window);
    } else if (word == "expect" && arg == "text") {
      EXPECT_EQ(text_of(w.output), w.expected(last_click));
    } else if (word == "expect" && arg == "scroll") {
      GtkAdjustment *adj = GTK_TEXT(w.output)->vadj;
      GdkFont *font = gdk_font_load(w.font);
      EXPECT_DOUBLE_EQ(adj->value, value == "end"
                                       ? adj->upper - adj->page_size
                                       : std::atoi(value.c_str()) * (font->ascent + font->descent));
    } else if (word == "expect" && arg == "tip") {
      gchar *tip = gtk_widget_get_tooltip_text(buttons(w.top, last_click).at(0));
      gchar *cwd = g_get_current_dir();
      std::string want = quoted(value);
      if (want.find("$cwd") != std::string::npos) want.replace(want.find("$cwd"), 4, cwd);
      EXPECT_EQ(tip ? tip : "", want);
      g_free(tip);
      g_free(cwd);
    } else if (word == "expect" && w.entry(arg)) {
      const std::string want = quoted(value);
      EXPECT_EQ(text_of(w.entry(arg)), want[0] == '$' ? today(want) : want);
    } else if (word == "expect") {
      EXPECT_EQ(w.number(arg), std::atoi(value.c_str()));
    } else {
      ASSERT_TRUE(word.empty() || word[0] == '#') << "unknown script line";
    }
    block_kind.clear();
  }
}

// The toplevel's X property NAME of TYPE as bytes; empty when unset.
inline std::string x_property(GtkWidget *top, const char *name, const char *type) {
  GdkAtom actual;
  gint format, length = 0;
  guchar *data = nullptr;
  gdk_property_get(top->window, gdk_atom_intern(name, FALSE), gdk_atom_intern(type, FALSE), 0,
                   1 << 20, FALSE, &actual, &format, &length, &data);
  const std::string bytes(reinterpret_cast<char *>(data), data ? length : 0);
  return g_free(data), bytes;
}

// The window carries an icon (_NET_WM_ICON), and its WM_CLASS class (after
// the instance name) is the StartupWMClass of its desktop entry.
inline void expect_desktop_identity(GtkWidget *top, const std::string &desktop) {
  GKeyFile *entry = g_key_file_new();
  ASSERT_TRUE(g_key_file_load_from_file(entry, desktop.c_str(), G_KEY_FILE_NONE, nullptr));
  gchar *wm_class = g_key_file_get_string(entry, "Desktop Entry", "StartupWMClass", nullptr);
  const std::string names = x_property(top, "WM_CLASS", "STRING");
  EXPECT_EQ(names.substr(names.find('\0') + 1),
            (wm_class ? wm_class : "(none)") + std::string(1, '\0'));
  EXPECT_FALSE(x_property(top, "_NET_WM_ICON", "CARDINAL").empty());
  g_free(wm_class), g_key_file_free(entry);
}

inline gboolean click_idle(gpointer b) { return gtk_button_clicked(GTK_BUTTON(b)), FALSE; }
inline gboolean destroy_idle(gpointer w) { return gtk_widget_destroy(GTK_WIDGET(w)), FALSE; }
inline gboolean time_out(gpointer flag) {
  return *static_cast<bool *>(flag) = true, gtk_main_quit(), FALSE;
}

// "Programm beenden", and closing the window, each end a main loop within
// ten seconds.
inline void expect_quit_and_close(GtkWidget *quit, GtkWidget *window) {
  for (auto [action, widget] :
       {std::pair<GSourceFunc, GtkWidget *>{click_idle, quit}, {destroy_idle, window}}) {
    bool timed_out = false;
    g_idle_add(action, widget);
    const guint guard = g_timeout_add(10000, time_out, &timed_out);
    gtk_main();
    EXPECT_FALSE(timed_out);
    if (!timed_out) g_source_remove(guard);
  }
}

// Random generator of a monkey run: seed 1 and 2000 clicks unless
// NB_MONKEY_SEED and NB_MONKEY_CLICKS say otherwise; both are printed.
struct Monkey {
  std::mt19937 rng;
  long clicks;
  Monkey() {
    const char *seed = std::getenv("NB_MONKEY_SEED"), *n = std::getenv("NB_MONKEY_CLICKS");
    const unsigned s = seed ? std::strtoul(seed, nullptr, 10) : 1;
    clicks = n ? std::strtol(n, nullptr, 10) : 2000;
    rng.seed(s);
    std::printf("monkey: NB_MONKEY_SEED=%u NB_MONKEY_CLICKS=%ld\n", s, clicks);
  }
  int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }
  // Digits mostly, then signs, blanks, letters, umlauts, a tab.
  std::string text(int max) {
    static const char *const pieces[] = {"0", "1", "2", "5",        "9", "-",
                                         "+", " ", "x", "\xc3\xa4", "\t"};
    std::string t;
    for (int n = below(max + 1); n > 0; --n) t += pieces[below(11)];
    return t;
  }
};

}  // namespace harness

#endif
