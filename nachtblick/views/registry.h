// SPDX-License-Identifier: MIT
// The views of nachtblick, one row each: the command name of the front end,
// the arguments the view takes, its formats, whether it uses a place, its
// window button or menu entry, and its writer. The front end's options and
// help, the window's buttons and menus and the re-runs of the window are
// built from this table: a new view is one row and its writer.
#ifndef NACHTBLICK_REGISTRY_H
#define NACHTBLICK_REGISTRY_H

#include <cstddef>
#include <functional>
#include <string>

#include "nachtblick/views/chart.h"
#include "nachtblick/views/reports.h"
#include "nachtblick/views/viewresult.h"

struct ViewDef;

// Gives the chart's drawing function, or null with why in err (the front
// end loads it as a module, the window links it).
using ChartLoader = std::function<ChartReportFunction(std::string &err)>;

// What a view's writer is given on the command line.
struct ViewArgs {
  const ViewDef *view;
  ReportInput in;           // the date texts (the entries' hints for those not given)
  int ndates;               // the date texts given
  bool place_given;         // --place was given
  const char *format;       // --format, or null
  const char *events;       // --events, or null
  const char *search;       // --search, or null
  size_t query_bytes;       // the longest query of a city search, in bytes
  const PlaceBook *places;  // the place file read
  ChartLoader chart;
};

// The window's current view, the report a date button runs again: the
// views that store one.
enum WindowView {
  kWindowCalendar = 0,
  kWindowMoonphase = 1,
  kWindowRiseset = 2,
  kWindowSeasons = 3,
  kWindowEclipses = 4,
  kWindowNone = -1  // a view that stores none
};

// The options a view takes besides --place, --today and --format.
enum ViewOptions : unsigned { kTakesEvents = 1, kTakesAdd = 2, kTakesSearch = 4 };

// A view's entry in the window's menus: the menu's label and its item's.
struct ViewMenuEntry {
  const char *menu, *item;
};

struct ViewDef {
  const char *name;            // the command name
  int dates;                   // date texts (YEAR, MONTH, DAY) it takes at most
  const char *usage;           // how the help shows them
  int first_year, last_year;   // the years it shows; 0 for none
  const char *const *formats;  // the names --format takes (the first the default); null: none
  int nformats;
  unsigned options;           // ViewOptions
  bool place;                 // it shows something at the place
  const char *button;         // the label of its window button, or null
  const ViewMenuEntry *menu;  // its window menu entry, or null
  int window_view;            // the window's current view it stores, or -1 (it stores none)
  const char *help;           // its line in the help
  ReportText (*report)(const ReportInput &);  // its report in the window, or null
  ViewResult (*write)(const ViewArgs &);      // its output on the command line; null: the report
};

extern const ViewDef kViews[];
extern const int kViewCount;

// The view of a command name, or null.
const ViewDef *find_view(const std::string &name);

// The first view that takes the options, or null.
const ViewDef *view_with(ViewOptions options);

// The view a current view of the window stands for; the calendar for any
// value no view stores.
const ViewDef &window_view(int value);

// The view's output on the command line.
ViewResult write_view(const ViewArgs &args);

#endif
