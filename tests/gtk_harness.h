// SPDX-License-Identifier: MIT
// The window tests of both programs under an X server (xvfb-run -a). A
// window test defines open_window, expected and after_random_click (see
// below); this header brings the tests and main:
//   - the window's script tests/data/gui-NAME.txt: clicks, typing, the
//     wheel, and the layout written out as text;
//   - seeded random clicks, each checked against the report expected;
//   - the icon and WM_CLASS against data/org.example.NAME.desktop;
//   - the quit button, a menu's Datei/Beenden and closing the window each
//     end the main loop.
//
// Script lines ('#' starts a comment):
//   set ENTRY "TEXT"     click LABEL          keys TEXT
//   tab ENTRY            (the focus taken by Tab from no focus)
//   press ENTRY X        (a left click X pixels into its text)
//   wheel up|down|right N   (N notches)
//   again                (the text shown once more below itself, from the top)
//   expect ENTRY "TEXT"  expect KEY N         (a number of the window's own)
//   expect text          (the report the window should show now)
//   expect scroll N|end  (lines of the window's font from the top, or the end)
//   expect tip "TEXT"    (the tooltip of the button clicked last; * and ?
//                         match as in a shell pattern)
//   layout [dialog|window] ... end   (the layout as layout() writes it, of the
//                        window, or of the one dialog or other window shown;
//                        a difference shows the window's)
//   conf [FILE] ... end, conf none [FILE]   (the place file in the working
//                        directory, or FILE there)
//   menu MENU/ITEM       accel ACCELERATOR (as gtk_accelerator_parse reads it)
//   answer TEXT|TEXT...|cancel   (the dialog shown: its entries typed in, a
//                        file chooser's name, and accepted, once a list it
//                        has holds a row; or cancelled)
//   fill TEXT|TEXT...    (the dialog shown: its entries typed in only)
//   expect dialog "TEXT" (the title and labels of the dialog answered last, a
//                        line each)
//   expect text "TEXT"   (the text shown)
//   expect file FILE "ARGS"   (the file is what the window's text front end
//                        writes for ARGS), expect file FILE ... end
//   expect image "ARGS"  (the one other window shows the PNG the front end
//                        writes for ARGS)
//   expect window "ARGS" (the one other window shows the text the front end
//                        writes for ARGS, without its final line end)
//   escape               (Escape in the one other window closes it)
//   keep                 (the text shown kept for the next line)
//   expect kept "A" "B"  (the text shown, read as Latin-1, is the kept text
//                        with each A replaced by B)
//   "TEXT" after expect tip, dialog and text: * and ? match as in a shell
//   pattern.
// A "TEXT" is a date format: %Y, %-m and %-d stand for today's year, month
// and day.
//
// Included once by each window test, as it defines main.
#include <gdk/gdkkeysyms.h>
#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace harness {

constexpr char kPlaceFile[] = "gtknblick.conf";

// The random choices of the monkey run.
inline std::mt19937 rng;
inline int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }
// Up to max pieces: digits mostly, then signs, blanks, letters, umlauts, a tab.
inline std::string random_text(int max) {
  static const char *const pieces[] = {"0", "1", "2", "5", "9", "-", "+", " ", "x", "ä", "\t"};
  std::string t;
  for (int n = below(max + 1); n > 0; --n) t += pieces[below(std::size(pieces))];
  return t;
}

// What a window lends the tests.
struct Window {
  std::string name;  // of its script and desktop entry
  GtkWidget *top, *output;
  std::vector<GtkWidget *> buttons;                 // the quit button first
  std::map<std::string, GtkWidget *> entries;       // by the script's names
  GdkFont *font;                                    // the script's wheel counts its lines
  std::map<std::string, const int *> numbers = {};  // the window's own state by key
  GtkWidget *menubar = nullptr;
  std::string program = {};  // the text front end, for expect file and image
};

// Defined by each window test: open_window builds the window after
// gtk_init, the scratch directory `dir` being the working directory and
// HOME; expected gives the text the window should show after a click on the
// button so labelled; after_random_click checks and changes what the
// window test wants to after each click of the monkey run.
Window open_window(const char *dir);
std::string expected(const std::string &label);
void after_random_click();

inline Window window;

inline std::string text_of(GtkWidget *editable) {
  g_autofree gchar *chars = gtk_editable_get_chars(GTK_EDITABLE(editable), 0, -1);
  return chars;
}

inline GtkWidget *button(const std::string &label) {
  for (GtkWidget *b : window.buttons)
    if (label == gtk_button_get_label(GTK_BUTTON(b))) return b;
  return nullptr;
}

// Hands an input event to the toolkit as if the X server had sent it.
inline void deliver(GdkEvent event, GdkEventType type, GdkWindow *to) {
  event.any.type = type;
  event.any.window = to;
  gtk_main_do_event(&event);
}

// A container's children, a table's in the order attached.
inline std::vector<GtkWidget *> children(GtkWidget *w) {
  std::vector<GtkWidget *> out;
  if (!GTK_IS_CONTAINER(w)) return out;
  g_autoptr(GList) list = gtk_container_get_children(GTK_CONTAINER(w));
  if (GTK_IS_TABLE(w)) list = g_list_reverse(list);
  for (GList *c = list; c; c = c->next) out.push_back(GTK_WIDGET(c->data));
  return out;
}

// The widgets of a type in the tree under w, in the order of children().
inline void collect(GtkWidget *w, GType type, std::vector<GtkWidget *> &found) {
  if (G_TYPE_CHECK_INSTANCE_TYPE(w, type)) found.push_back(w);
  for (GtkWidget *c : children(w)) collect(c, type, found);
}

// The menu item at MENU/ITEM, by the labels without their mnemonics.
inline GtkWidget *menu_item(const std::string &path) {
  GtkWidget *shell = window.menubar, *item = nullptr;
  std::istringstream names(path);
  for (std::string name; shell && std::getline(names, name, '/');) {
    item = nullptr;
    for (GtkWidget *c : children(shell))
      if (name == gtk_label_get_text(GTK_LABEL(gtk_bin_get_child(GTK_BIN(c))))) item = c;
    shell = item ? gtk_menu_item_get_submenu(GTK_MENU_ITEM(item)) : nullptr;
  }
  return item;
}

// The visible toplevels other than the window: its dialogs, or the others.
inline std::vector<GtkWidget *> other_windows(bool dialogs) {
  std::vector<GtkWidget *> found;
  g_autoptr(GList) tops = gtk_window_list_toplevels();
  for (GList *t = tops; t; t = t->next)
    if (t->data != window.top && GTK_WIDGET_VISIBLE(t->data) &&
        GTK_WINDOW(t->data)->type == GTK_WINDOW_TOPLEVEL && GTK_IS_DIALOG(t->data) == dialogs)
      found.push_back(GTK_WIDGET(t->data));
  return found;
}

// The one widget of the type in the one other window shown (not a
// dialog); null, with the failure noted, for none or more.
inline GtkWidget *in_other_window(GType type) {
  const std::vector<GtkWidget *> others = other_windows(false);
  std::vector<GtkWidget *> found;
  if (others.size() == 1) collect(others[0], type, found);
  EXPECT_EQ(found.size(), 1u) << others.size() << " other windows";
  return found.size() == 1 ? found[0] : nullptr;
}

inline std::string dialog_text;  // the title and labels of the dialog answered last

// Answers the one dialog shown (see the script's answer and fill lines). A
// file chooser checks the name by itself, once it has read its folder, and
// then responds: it is asked again until it has closed.
inline void answer(const std::string &texts, bool accept = true) {
  while (gtk_events_pending()) gtk_main_iteration();
  const std::vector<GtkWidget *> dialogs = other_windows(true);
  ASSERT_EQ(dialogs.size(), 1u) << "no dialog, or more than one";
  GtkDialog *dialog = GTK_DIALOG(dialogs[0]);
  std::vector<GtkWidget *> labels, entries;
  collect(dialogs[0], GTK_TYPE_LABEL, labels);
  dialog_text = gtk_window_get_title(GTK_WINDOW(dialog)) + std::string("\n");
  for (GtkWidget *label : labels)
    dialog_text += gtk_label_get_text(GTK_LABEL(label)) + std::string("\n");
  if (texts == "cancel") return gtk_dialog_response(dialog, GTK_RESPONSE_CANCEL);
  const bool chooser = GTK_IS_FILE_CHOOSER(dialog);
  collect(dialogs[0], GTK_TYPE_ENTRY, entries);
  std::istringstream in(texts);
  std::string text;
  for (GtkWidget *entry : entries) {  // typed a character at a time
    if (chooser || !std::getline(in, text, '|')) continue;
    gtk_editable_delete_text(GTK_EDITABLE(entry), 0, -1);
    gint at = 0;
    for (const char *c = text.c_str(); *c; c = g_utf8_next_char(c))
      gtk_editable_insert_text(GTK_EDITABLE(entry), c, g_utf8_next_char(c) - c, &at);
  }
  // A list that fills by itself (a search) is waited for, a minute at most
  // (under valgrind a search takes seconds).
  std::vector<GtkWidget *> lists;
  if (!chooser) collect(dialogs[0], GTK_TYPE_TREE_VIEW, lists);
  for (int i = 0; accept && i < 6000 && !lists.empty(); ++i) {
    while (gtk_events_pending()) gtk_main_iteration();
    if (gtk_tree_model_iter_n_children(gtk_tree_view_get_model(GTK_TREE_VIEW(lists[0])), nullptr))
      break;
    g_usleep(10000);
  }
  for (int i = 0; accept && i < 500 && other_windows(true) == dialogs; ++i) {
    if (i % 20 == 0 && chooser)
      gtk_file_chooser_set_current_name(GTK_FILE_CHOOSER(dialog), texts.c_str());
    if (i % 20 == 0) gtk_dialog_response(dialog, GTK_RESPONSE_ACCEPT);
    if (!chooser) break;
    while (gtk_events_pending()) gtk_main_iteration();
    g_usleep(10000);
  }
}

// The text front end's stdout for ARGS, run in the working directory.
inline std::string program_output(const std::string &args) {
  FILE *pipe = popen((window.program + " " + args).c_str(), "r");
  std::string out;
  char buffer[4096];
  for (size_t n; pipe && (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
    out.append(buffer, n);
  if (pipe) pclose(pipe);
  return out;
}

// The pixels of a picture, row by row without padding.
inline std::string pixels(GdkPixbuf *p) {
  std::string out;
  const int row = gdk_pixbuf_get_width(p) * gdk_pixbuf_get_n_channels(p);
  for (int y = 0; y < gdk_pixbuf_get_height(p); ++y)
    out.append(reinterpret_cast<char *>(gdk_pixbuf_get_pixels(p)) + y * gdk_pixbuf_get_rowstride(p),
               row);
  return out;
}

// The PNG as the front end writes it for ARGS, decoded.
inline std::string png_pixels(const std::string &args) {
  const std::string png = program_output(args);
  g_autoptr(GdkPixbufLoader) loader = gdk_pixbuf_loader_new();
  gdk_pixbuf_loader_write(loader, reinterpret_cast<const guchar *>(png.data()), png.size(),
                          nullptr);
  gdk_pixbuf_loader_close(loader, nullptr);
  GdkPixbuf *p = gdk_pixbuf_loader_get_pixbuf(loader);
  return p ? pixels(p) : "";
}

// What the layout fixes: sizes, borders, spacings, texts, and the packing
// and attach options (child properties of the parent).
constexpr char kLayoutProperties[] =
    "title default-width default-height window-position border-width width-request height-request "
    "homogeneous spacing row-spacing column-spacing n-rows n-columns label xalign max-length text "
    "editable expand fill padding "
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
    GParamSpec *param = own;
    if (!own && parent)
      param = gtk_container_class_find_child_property(G_OBJECT_GET_CLASS(parent), *name);
    if (!param) continue;
    g_auto(GValue) value = G_VALUE_INIT;
    g_value_init(&value, param->value_type);
    if (own) g_object_get_property(G_OBJECT(w), *name, &value);
    if (!own) gtk_container_child_get_property(GTK_CONTAINER(parent), w, *name, &value);
    g_autofree gchar *text = g_strdup_value_contents(&value);
    if (!g_param_value_defaults(param, &value)) out += std::string(" ") + *name + "=" + text;
  }
  out += "\n";
  if (!GTK_IS_BUTTON(w))
    for (GtkWidget *c : children(w)) out += layout(c, indent + "  ");
  return out;
}

// The text of a quoted script "TEXT", today's date put in.
inline std::string script_text(const std::string &quoted) {
  g_autoptr(GDateTime) now = g_date_time_new_now_local();
  g_autofree gchar *text = g_date_time_format(now, quoted.substr(1, quoted.size() - 2).c_str());
  return text;
}

// The window's script; every line with a failure is named.
TEST(Window, Script) {
  const std::string path = NB_SOURCE_DIR "/tests/data/gui-" + window.name + ".txt";
  std::ifstream in(path);
  ASSERT_TRUE(in) << path;
  // The toplevel has the focus; only the program selects an entry's text
  // when it takes the focus.
  GdkEvent focus{};
  focus.focus_change.in = TRUE;
  deliver(focus, GDK_FOCUS_CHANGE, window.top->window);
  g_object_set(gtk_settings_get_default(), "gtk-entry-select-on-focus", FALSE, nullptr);
  GtkAdjustment *scroll = GTK_TEXT(window.output)->vadj;
  std::string line, last_click, kept;
  for (int n = 1; std::getline(in, line); ++n) {
    SCOPED_TRACE(path + ":" + std::to_string(n) + ": " + line);
    const std::string word = line.substr(0, line.find(' '));
    const std::string rest = line.size() > word.size() ? line.substr(word.size() + 1) : "";
    const std::string arg = rest.substr(0, rest.find(' '));
    const std::string value = rest.size() > arg.size() ? rest.substr(arg.size() + 1) : "";
    GtkWidget *entry = window.entries.count(arg) ? window.entries.at(arg) : nullptr;
    const size_t quote = value.find('"');
    const std::string quoted = quote == std::string::npos ? "" : script_text(value.substr(quote));
    std::string block;
    if (word == "layout" || (word == "conf" && arg != "none") ||
        (word == "expect" && arg == "file" && quoted.empty()))
      for (++n; std::getline(in, line) && line != "end"; ++n) block += line + "\n";
    const std::string file = arg == "none" ? value : arg;
    if (word == "layout") {
      const std::vector<GtkWidget *> others = other_windows(arg == "dialog");
      ASSERT_TRUE(arg.empty() || others.size() == 1) << others.size() << " other windows";
      EXPECT_EQ(layout(arg.empty() ? window.top : others[0]), block);
    } else if (word == "conf") {
      std::filesystem::remove_all(file.empty() ? kPlaceFile : file);
      std::error_code none;
      std::filesystem::create_directories(std::filesystem::path(file).parent_path(), none);
      if (arg != "none") std::ofstream(file.empty() ? kPlaceFile : file, std::ios::binary) << block;
    } else if (word == "menu") {
      last_click = rest;
      ASSERT_TRUE(menu_item(rest)) << "no such menu item";
      gtk_menu_item_activate(GTK_MENU_ITEM(menu_item(rest)));
    } else if (word == "accel") {
      guint key;
      GdkModifierType modifiers;
      gtk_accelerator_parse(rest.c_str(), &key, &modifiers);
      EXPECT_TRUE(gtk_accel_groups_activate(G_OBJECT(window.top), key, modifiers));
    } else if (word == "answer" || word == "fill") {
      answer(rest, word == "answer");
    } else if (word == "expect" && arg == "dialog") {
      EXPECT_TRUE(g_pattern_match_simple(quoted.c_str(), dialog_text.c_str())) << dialog_text;
    } else if (word == "expect" && arg == "file") {
      const std::string name = value.substr(0, value.find(' '));
      std::ifstream f(name, std::ios::binary);
      const std::string bytes{std::istreambuf_iterator<char>(f), {}};
      const std::string want = block.empty() ? program_output(quoted) : block;
      EXPECT_TRUE(bytes == want) << bytes.size() << " bytes, not " << want.size() << ":\n" << bytes;
    } else if (word == "expect" && arg == "image") {
      GtkWidget *image = in_other_window(GTK_TYPE_IMAGE);
      ASSERT_TRUE(image);
      GdkPixbuf *shown = gtk_image_get_pixbuf(GTK_IMAGE(image));
      EXPECT_TRUE(shown && pixels(shown) == png_pixels(quoted));
    } else if (word == "expect" && arg == "window") {
      GtkWidget *view = in_other_window(GTK_TYPE_TEXT_VIEW);
      ASSERT_TRUE(view);
      GtkTextBuffer *buffer = gtk_text_view_get_buffer(GTK_TEXT_VIEW(view));
      GtkTextIter start, end;
      gtk_text_buffer_get_bounds(buffer, &start, &end);
      g_autofree gchar *shown = gtk_text_buffer_get_text(buffer, &start, &end, FALSE);
      EXPECT_EQ(shown + std::string("\n"), program_output(quoted));
    } else if (word == "escape") {
      const std::vector<GtkWidget *> others = other_windows(false);
      ASSERT_EQ(others.size(), 1u) << "other windows";
      GdkEvent key{};
      key.key.keyval = GDK_KEY_Escape;
      deliver(key, GDK_KEY_PRESS, others[0]->window);
      EXPECT_TRUE(other_windows(false).empty()) << "not closed";
    } else if (word == "keep") {
      kept = text_of(window.output);
    } else if (word == "expect" && arg == "kept") {
      const std::string from = quoted.substr(0, quoted.find('"'));
      const std::string to = quoted.substr(quoted.rfind('"') + 1);
      for (size_t at = 0; (at = kept.find(from, at)) != std::string::npos; at += to.size())
        kept.replace(at, from.size(), to);
      g_autofree gchar *shown = g_convert(text_of(window.output).c_str(), -1, "UTF-8", "ISO-8859-1",
                                          nullptr, nullptr, nullptr);
      EXPECT_EQ(shown, kept);
    } else if (word == "set") {
      gtk_entry_set_text(GTK_ENTRY(entry), script_text(value).c_str());
    } else if (word == "click") {
      last_click = rest;
      ASSERT_TRUE(button(rest)) << "no such button";
      gtk_button_clicked(GTK_BUTTON(button(rest)));
    } else if (word == "tab") {
      gtk_window_set_focus(GTK_WINDOW(window.top), nullptr);
      gtk_editable_set_position(GTK_EDITABLE(entry), -1);
      for (int tabs = 0; tabs < 40 && !GTK_WIDGET_HAS_FOCUS(entry); ++tabs)
        g_signal_emit_by_name(window.top, "move-focus", GTK_DIR_TAB_FORWARD);  // what Tab does
    } else if (word == "press") {
      GdkEvent click{};
      click.button.button = 1;
      click.button.x = std::stoi(value);
      for (GdkEventType type : {GDK_BUTTON_PRESS, GDK_BUTTON_RELEASE})
        deliver(click, type, GTK_ENTRY(entry)->text_area);
    } else if (word == "keys") {
      GdkEvent key{};
      for (const char c : rest) {
        key.key.keyval = gdk_unicode_to_keyval(guchar(c));
        deliver(key, GDK_KEY_PRESS, window.top->window);
      }
    } else if (word == "wheel") {
      GdkEvent wheel{};
      wheel.scroll.direction = arg == "up"     ? GDK_SCROLL_UP
                               : arg == "down" ? GDK_SCROLL_DOWN
                                               : GDK_SCROLL_RIGHT;
      for (int i = std::stoi(value); i > 0; --i) deliver(wheel, GDK_SCROLL, window.output->window);
    } else if (word == "again") {  // taller than the area
      const std::string text = text_of(window.output);
      gtk_text_insert(GTK_TEXT(window.output), window.font, nullptr, nullptr, text.c_str(), -1);
      gtk_adjustment_set_value(scroll, 0);
    } else if (word == "expect" && arg == "text" && !quoted.empty()) {
      EXPECT_TRUE(g_pattern_match_simple(quoted.c_str(), text_of(window.output).c_str()))
          << text_of(window.output);
    } else if (word == "expect" && arg == "text") {
      EXPECT_EQ(text_of(window.output), expected(last_click));
    } else if (word == "expect" && arg == "scroll") {
      const double lines = std::atoi(value.c_str()) * (window.font->ascent + window.font->descent);
      EXPECT_DOUBLE_EQ(scroll->value, value == "end" ? scroll->upper - scroll->page_size : lines);
    } else if (word == "expect" && arg == "tip") {
      g_autofree gchar *tip = gtk_widget_get_tooltip_text(button(last_click));
      EXPECT_TRUE(g_pattern_match_simple(script_text(value).c_str(), tip ? tip : "")) << tip;
    } else if (word == "expect" && entry) {
      EXPECT_EQ(text_of(entry), script_text(value));
    } else if (word == "expect") {
      EXPECT_EQ(*window.numbers.at(arg), std::atoi(value.c_str()));
    } else {
      ASSERT_TRUE(word.empty() || word[0] == '#') << "unknown script line";
    }
  }
  EXPECT_TRUE(other_windows(true).empty()) << "a dialog is left open";
}

// Seeded random clicks on every button but the quit button, now and then
// with random text in an entry (up to one more character than it holds);
// after each the text is the one expected. NB_MONKEY_SEED (1) and
// NB_MONKEY_CLICKS (2000) are printed.
TEST(Window, MonkeyClicks) {
  const char *seed = std::getenv("NB_MONKEY_SEED"), *count = std::getenv("NB_MONKEY_CLICKS");
  const long clicks = count ? std::atol(count) : 2000;
  std::printf("monkey: NB_MONKEY_SEED=%s NB_MONKEY_CLICKS=%ld\n", seed ? seed : "1", clicks);
  rng.seed(seed ? std::atol(seed) : 1);
  for (long i = 0; i < clicks && !::testing::Test::HasFailure(); ++i) {
    auto *e = GTK_ENTRY(std::next(window.entries.begin(), below(window.entries.size()))->second);
    if (below(3) == 0) gtk_entry_set_text(e, random_text(gtk_entry_get_max_length(e) + 1).c_str());
    GtkWidget *b = window.buttons[1 + below(window.buttons.size() - 1)];
    const std::string label = gtk_button_get_label(GTK_BUTTON(b));
    SCOPED_TRACE("click " + std::to_string(i) + ": " + label);
    gtk_button_clicked(GTK_BUTTON(b));
    EXPECT_EQ(text_of(window.output), expected(label));
    after_random_click();
  }
}

// The toplevel's X property NAME as bytes; empty when unset.
inline std::string x_property(const char *name) {
  GdkAtom type;
  gint format, length = 0;
  g_autofree guchar *data = nullptr;
  gdk_property_get(window.top->window, gdk_atom_intern(name, FALSE), GDK_NONE, 0, 1 << 20, FALSE,
                   &type, &format, &length, &data);
  return std::string(reinterpret_cast<char *>(data), length);
}

// The window carries an icon (_NET_WM_ICON), and its WM_CLASS class (after
// the instance name) is the StartupWMClass of its desktop entry.
TEST(Window, DesktopIdentity) {
  const std::string path = NB_SOURCE_DIR "/data/org.example." + window.name + ".desktop";
  g_autoptr(GKeyFile) entry = g_key_file_new();
  ASSERT_TRUE(g_key_file_load_from_file(entry, path.c_str(), G_KEY_FILE_NONE, nullptr)) << path;
  g_autofree gchar *wm_class =
      g_key_file_get_string(entry, "Desktop Entry", "StartupWMClass", nullptr);
  const std::string names = x_property("WM_CLASS");
  EXPECT_STREQ(names.substr(names.find('\0') + 1).c_str(), wm_class);
  EXPECT_FALSE(x_property("_NET_WM_ICON").empty());
}

inline gboolean quit_or_close(gpointer widget) {
  if (widget == window.buttons[0]) gtk_button_clicked(GTK_BUTTON(widget));
  if (GTK_IS_MENU_ITEM(widget)) gtk_menu_item_activate(GTK_MENU_ITEM(widget));
  if (widget == window.top) gtk_widget_destroy(window.top);
  return FALSE;
}

// The quit button, Datei/Beenden where there is a menu bar, and then
// closing the window, each end a main loop; a loop left running ends the
// test by SIGALRM after ten seconds.
TEST(Window, QuitAndCloseEndTheMainLoop) {
  alarm(10);
  for (GtkWidget *widget : {window.buttons[0], menu_item("Datei/Beenden"), window.top}) {
    if (!widget) continue;
    g_idle_add(quit_or_close, widget);
    gtk_main();
  }
  alarm(0);
}

}  // namespace harness

// In a scratch directory, which is also HOME and the XDG config directory,
// so that no file of the user's is read. Without a display the tests exit
// 77, which ctest counts as skipped; GLib and GTK warnings are fatal.
int main(int argc, char **argv) {
  ::testing::InitGoogleTest(&argc, argv);
  char dir[] = "/tmp/nbguiXXXXXX";
  if (!mkdtemp(dir) || chdir(dir) != 0) return 1;
  setenv("HOME", dir, 1);
  setenv("XDG_CONFIG_HOME", dir, 1);
  setenv("XDG_DATA_HOME", dir, 1);  // the file chooser's recently used files
  if (!gtk_init_check(&argc, &argv)) return rmdir(dir) == 0 ? 77 : 1;
  g_log_set_always_fatal(static_cast<GLogLevelFlags>(G_LOG_LEVEL_WARNING | G_LOG_LEVEL_CRITICAL));
  harness::window = harness::open_window(dir);
  gtk_widget_show_all(harness::window.top);
  const int status = RUN_ALL_TESTS();
  std::filesystem::remove_all(dir);
  return status;
}
