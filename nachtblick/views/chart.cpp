// SPDX-License-Identifier: MIT
// The chart of a year at a place, drawn with cairo. Every day is searched
// as the rise and set report searches it (day_riseset over the local day),
// once for each of the four altitudes; the bands are painted as layers,
// night first and each brighter band over it where the Sun is above its
// altitude, so that the band at any time is the brightest one there.
#include "nachtblick/views/chart.h"

#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <cairo.h>

#include <algorithm>
#include <string>
#include <vector>

#include "astro/constants.h"
#include "astro/lunar.h"
#include "astro/seasons.h"
#include "astro/sunmoon.h"
#include "astro/timescales.h"
#include "calendar/calendar.h"
#include "nachtblick/events/moonsearch.h"
#include "nachtblick/place/placeclock.h"
#include "nachtblick/text/textbuf.h"
#include "nachtblick/text/utf8.h"
#include "nachtblick/views/eventnames.h"
#include "nachtblick/views/monthnames.h"
#include "nachtblick/views/yearcheck.h"

const ChartColour kBandColours[kChartBands] = {
    {0.984, 0.906, 0.631},  // day
    {0.663, 0.800, 0.922},  // civil twilight
    {0.388, 0.576, 0.812},  // nautical twilight
    {0.204, 0.333, 0.612},  // astronomical twilight
    {0.078, 0.114, 0.231},  // night
};
const ChartColour kSkippedDayColour = {0.800, 0.800, 0.800};

namespace {

// The key's names of the bands, in the order of ChartBand.
const char *const kBandNames[kChartBands] = {"Tag", "Bürgerliche Dämmerung", "Nautische Dämmerung",
                                             "Astronomische Dämmerung", "Nacht"};
// The event type of the altitude above which band b begins is -b.
const int kLayers = kBandNight;
const int kHoursPerDay = 24;
const double kPlotHeight = kHoursPerDay * kPixelsPerHour;
const double kMargin = kChartLeft;  // right of the plot as left of it
const double kKeyRow = 44.0;        // the key's first row below the plot
const double kKeyLine = 24.0;       // and its second below the first
const double kKeyHeight = 90.0;     // below the plot: months and the key
const char kFont[] = "sans-serif";
const size_t kMaxZoneAbbrs = 4;  // abbreviations the title names at most

const ChartColour kPaper = {1.0, 1.0, 1.0};
const ChartColour kInk = {0.13, 0.13, 0.13};
const ChartColour kGrid = {0.5, 0.5, 0.5};
const ChartColour kFullMoon = {0.96, 0.78, 0.19};

// A stretch of a day in which the Sun is above one altitude; hours of the
// local clock.
struct Stretch {
  int day;
  double from, to;
};

// A mark on the top edge: a moon phase (0 new, 2 full) or the start of a
// season (its szJahreszeit index), at a fractional day of the year.
struct Mark {
  double day;
  int kind;
  bool season;
};

struct Chart {
  int year;
  int first;  // MJD of 1 January
  int ndays;
  std::vector<ZoneDay> days;
  std::vector<Stretch> layer[kLayers];
  std::vector<Mark> marks;
  std::string title, subtitle;
  int jan_variant;
  bool skipped;  // a date of the year the clock skipped
};

// Where the Sun is above the altitude of the event type on day k, from the
// day's rising and setting as the rise and set report finds them.
void add_stretches(const Chart &c, const Place &place, int k, int type, std::vector<Stretch> &out) {
  const ZoneDay &day = c.days[k];
  if (day.count == 0) return;
  ClockEvent rise{}, set{};
  const int flags =
      day_riseset(day, c.first + k, place.longitude, place.latitude, type, &rise, &set);
  const bool risen = flags & kRiseFound, sets = flags & kSetFound;
  if (risen && sets && rise.hour <= set.hour) {
    out.push_back({k, rise.hour, set.hour});
  } else if (risen || sets) {
    if (sets) out.push_back({k, 0.0, set.hour});
    if (risen) out.push_back({k, rise.hour, static_cast<double>(kHoursPerDay)});
  } else if (flags & kAboveAtStart) {
    out.push_back({k, 0.0, static_cast<double>(kHoursPerDay)});
  }
}

// The day of the year (with the fraction of the local clock) of a UT
// Julian Date; negative when the instant lies outside the year's local days.
double year_day(const Chart &c, double jd) {
  const double t = (jd - kMjdOffset) * kSecondsPerDay;
  for (int k = 0; k < c.ndays; ++k) {
    const ZoneDay &day = c.days[k];
    if (day.count == 0 || t < day.span[0].start || t >= day.end) continue;
    int s = 0;
    while (s + 1 < day.count && t >= day.span[s + 1].start) ++s;
    const double local = t + day.span[s].offset - static_cast<double>(c.first + k) * kSecondsPerDay;
    return k + local / kSecondsPerDay;
  }
  return -1.0;
}

// New and full moons, searched as the moon report searches them, from a
// day before the year to a day after it; and the four season starts, named
// for the place's hemisphere (the March equinox begins autumn in the south).
void add_marks(Chart &c, bool south) {
  const double jd0 = datetojd(c.year, 1, 1) - 1.0;
  const double jd_end = datetojd(c.year + 1, 1, 1) + 1.0;
  for (int phase : {0, 2})
    for (const Instant &h : phases_between(phase, jd0, jd_end)) {
      const double day = year_day(c, h.ut_jd());
      if (day >= 0.0) c.marks.push_back({day, phase, false});
    }
  for (int season = 1; season <= 4; ++season) {
    const double day = year_day(c, seasonstart(c.year, season, kToUniversal));
    if (day >= 0.0) c.marks.push_back({day, (season - 1 + (south ? 2 : 0)) % 4, true});
  }
}

// The title line: "Tag und Nacht 2024 in Berlin", then the place's
// coordinates and zone with the abbreviations its clock shows in the year.
void add_titles(Chart &c, const Place &place) {
  c.title = "Tag und Nacht " + std::to_string(c.year) + " in " + utf8_text(place.name);
  append_format(c.subtitle, "%d Grad %d Min. %s, %d Grad %d Min. %s; Uhrzeit in ", place.lat_deg,
                place.lat_min, place_south(place) ? "Süd" : "Nord", place.lon_deg, place.lon_min,
                place_west(place) ? "West" : "Ost");
  std::vector<std::string> abbrs;
  for (const ZoneDay &day : c.days)
    for (int s = 0; s < day.count; ++s) {
      bool seen = false;
      for (const std::string &a : abbrs) seen = seen || a == day.span[s].abbr;
      if (!seen && abbrs.size() < kMaxZoneAbbrs) abbrs.push_back(day.span[s].abbr);
    }
  std::string names;
  for (const std::string &a : abbrs) names += (names.empty() ? "" : "/") + utf8_text(a.c_str());
  c.subtitle += place.zone[0] ? std::string(place.zone) + " (" + names + ")" : names;
}

Chart make_chart(int year, const Place &place, int jan_variant) {
  Chart c{};
  c.year = year;
  c.jan_variant = jan_variant;
  c.first = datetomjd(year, 1, 1);
  c.ndays = datetomjd(year + 1, 1, 1) - c.first;
  c.days.resize(c.ndays);
  place_days(place, c.first, c.ndays, c.days.data());
  for (int k = 0; k < c.ndays; ++k) {
    c.skipped = c.skipped || c.days[k].count == 0;
    for (int b = 0; b < kLayers; ++b) add_stretches(c, place, k, -b, c.layer[b]);
  }
  add_marks(c, place_south(place));
  add_titles(c, place);
  return c;
}

// Drawing.

void set_colour(cairo_t *cr, const ChartColour &c, double alpha = 1.0) {
  cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

void set_font(cairo_t *cr, double size, bool bold = false) {
  cairo_select_font_face(cr, kFont, CAIRO_FONT_SLANT_NORMAL,
                         bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, size);
}

// Shows text with its baseline at y: from x (align 0), centred on x (0.5)
// or ending at x (1). Returns the text's advance.
double show(cairo_t *cr, const std::string &text, double x, double y, double align = 0.0) {
  cairo_text_extents_t e;
  cairo_text_extents(cr, text.c_str(), &e);
  cairo_move_to(cr, x - align * e.x_advance, y);
  cairo_show_text(cr, text.c_str());
  return e.x_advance;
}

// A horizontal or vertical line of one pixel, on the pixel row or column
// that starts at the given coordinate.
void hairline(cairo_t *cr, double x0, double y0, double x1, double y1) {
  const double dx = (x0 == x1) ? 0.5 : 0.0, dy = (y0 == y1) ? 0.5 : 0.0;
  cairo_move_to(cr, x0 + dx, y0 + dy);
  cairo_line_to(cr, x1 + dx, y1 + dy);
}

void draw_bands(cairo_t *cr, const Chart &c) {
  const double right = chart_x(c.ndays);
  set_colour(cr, kBandColours[kBandNight]);
  cairo_rectangle(cr, kChartLeft, kChartTop, right - kChartLeft, kPlotHeight);
  cairo_fill(cr);
  for (int b = kLayers - 1; b >= 0; --b) {
    for (const Stretch &s : c.layer[b])
      cairo_rectangle(cr, chart_x(s.day), chart_y(s.to), kPixelsPerDay,
                      (s.to - s.from) * kPixelsPerHour);
    set_colour(cr, kBandColours[b]);
    cairo_fill(cr);
  }
  for (int k = 0; k < c.ndays; ++k)
    if (c.days[k].count == 0)
      cairo_rectangle(cr, chart_x(k), kChartTop, kPixelsPerDay, kPlotHeight);
  set_colour(cr, kSkippedDayColour);
  cairo_fill(cr);
}

// Hour lines (every third one stronger and labelled on both sides) and
// month lines with the months' names below the plot.
void draw_grid(cairo_t *cr, const Chart &c) {
  const double right = chart_x(c.ndays), bottom = chart_y(0);
  cairo_set_line_width(cr, 1.0);
  for (int strong = 0; strong < 2; ++strong) {
    for (int h = 1; h < kHoursPerDay; ++h)
      if ((h % 3 == 0) == (strong == 1)) hairline(cr, kChartLeft, chart_y(h), right, chart_y(h));
    if (strong)
      for (int m = 2; m <= 12; ++m) {
        const double x = chart_x(datetomjd(c.year, m, 1) - c.first);
        hairline(cr, x, kChartTop, x, bottom);
      }
    set_colour(cr, kGrid, strong ? 0.25 : 0.12);
    cairo_stroke(cr);
  }
  set_colour(cr, kInk);
  cairo_rectangle(cr, kChartLeft - 0.5, kChartTop - 0.5, right - kChartLeft + 1, kPlotHeight + 1);
  cairo_stroke(cr);

  set_font(cr, 11);
  for (int h = 0; h <= kHoursPerDay; h += 3) {
    const std::string label = std::to_string(h);
    show(cr, label, kChartLeft - 7, chart_y(h) + 4, 1.0);
    show(cr, label, right + 7, chart_y(h) + 4);
  }
  show(cr, "Uhr", kChartLeft - 7, kChartTop - 12, 1.0);
  show(cr, "Uhr", right + 7, kChartTop - 12);
  for (int m = 1; m <= 12; ++m) {
    const int from = datetomjd(c.year, m, 1) - c.first;
    const int to = (m == 12 ? c.ndays : datetomjd(c.year, m + 1, 1) - c.first);
    const double x0 = chart_x(from), x1 = chart_x(to);
    hairline(cr, x0, bottom, x0, bottom + 6);
    show(cr, month_name_utf8(m, c.jan_variant), (x0 + x1) / 2, bottom + 17, 0.5);
  }
  hairline(cr, right, bottom, right, bottom + 6);
  cairo_stroke(cr);
}

// The symbols of the marks, centred on (x, y): a filled disk for the full
// moon, an open one for the new moon, a triangle pointing down for a
// season start.
const double kMoonRadius = 4.0;
void draw_symbol(cairo_t *cr, double x, double y, int kind, bool season) {
  cairo_set_line_width(cr, 1.0);
  if (season) {
    cairo_move_to(cr, x - 4.5, y - 4);
    cairo_line_to(cr, x + 4.5, y - 4);
    cairo_line_to(cr, x, y + 4);
    cairo_close_path(cr);
    set_colour(cr, kInk);
    cairo_fill(cr);
    return;
  }
  cairo_new_sub_path(cr);
  cairo_arc(cr, x, y, kMoonRadius, 0.0, kTwoPi);
  if (kind == 2) {
    set_colour(cr, kFullMoon);
    cairo_fill_preserve(cr);
  }
  set_colour(cr, kInk);
  cairo_stroke(cr);
}

const double kTitleLine = kChartTop - 52.0;
const double kMoonRow = kChartTop - 9.0;
const double kSeasonRow = kChartTop - 24.0;

void draw_marks(cairo_t *cr, const Chart &c) {
  set_font(cr, 10);
  for (const Mark &m : c.marks) {
    const double x = kChartLeft + m.day * kPixelsPerDay;
    draw_symbol(cr, x, m.season ? kSeasonRow : kMoonRow, m.kind, m.season);
    if (!m.season) continue;
    const std::string name = kSeasonStartNames[m.kind].name;
    // Right of the triangle, or left of it where the plot ends.
    cairo_text_extents_t e;
    cairo_text_extents(cr, name.c_str(), &e);
    const bool right = x + 7 + e.x_advance <= chart_x(c.ndays);
    show(cr, name, right ? x + 7 : x - 7, kSeasonRow + 4, right ? 0.0 : 1.0);
  }
}

void draw_title(cairo_t *cr, const Chart &c) {
  set_colour(cr, kInk);
  set_font(cr, 17, true);
  const double advance = show(cr, c.title, kChartLeft, kTitleLine);
  set_font(cr, 13);
  show(cr, c.subtitle, kChartLeft + advance + 14, kTitleLine);
}

// The key below the months: a row of the bands (and of a date the clock
// skipped, if the year has one), then a row of the marks and how to read
// the time of day.
void draw_key(cairo_t *cr, const Chart &c) {
  const double gap = 18.0, label = 20.0;
  double y = chart_y(0) + kKeyRow, x = kChartLeft;
  set_font(cr, 12);
  cairo_set_line_width(cr, 0.5);
  for (int b = 0; b < kChartBands + (c.skipped ? 1 : 0); ++b) {
    set_colour(cr, b < kChartBands ? kBandColours[b] : kSkippedDayColour);
    cairo_rectangle(cr, x, y - 10, 14, 14);
    cairo_fill_preserve(cr);
    set_colour(cr, kInk);
    cairo_stroke(cr);
    x += label + show(cr, b < kChartBands ? kBandNames[b] : "Datum ausgelassen", x + label, y + 1) +
         gap;
  }
  y += kKeyLine;
  x = kChartLeft;
  const char *const mark_names[] = {kPhaseNames[2].name, kPhaseNames[0].name,
                                    "Beginn der Jahreszeit"};
  const int kinds[] = {2, 0, 1};
  for (int i = 0; i < 3; ++i) {
    draw_symbol(cr, x + 6, y - 3, kinds[i], i == 2);
    set_colour(cr, kInk);
    x += label + show(cr, mark_names[i], x + label, y + 1) + gap;
  }
  show(cr, "Senkrecht die Uhrzeit: Mitternacht (0 Uhr) unten, 24 Uhr oben", x + gap, y + 1);
}

void draw(cairo_t *cr, const Chart &c, double width, double height) {
  // The text as the vector surfaces set it (outlines unhinted, grey
  // antialiasing) for every format, so that no font cache of the process
  // makes one chart's text differ from another's.
  cairo_font_options_t *options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_set_font_options(cr, options);
  cairo_font_options_destroy(options);
  set_colour(cr, kPaper);
  cairo_rectangle(cr, 0, 0, width, height);
  cairo_fill(cr);
  draw_bands(cr, c);
  draw_grid(cr, c);
  draw_marks(cr, c);
  draw_title(cr, c);
  draw_key(cr, c);
}

cairo_status_t append_bytes(void *closure, const unsigned char *data, unsigned int length) {
  static_cast<std::string *>(closure)->append(reinterpret_cast<const char *>(data), length);
  return CAIRO_STATUS_SUCCESS;
}

}  // namespace

bool chart_report(int year, const Place &place, int jan_variant, ChartFormat format,
                  CivilDate today, std::string &out, std::string &err) {
  out.clear();
  if (!report_year_ok(year, err) || !stamp_date_ok(today, err)) return false;
  const Chart c = make_chart(year, place, jan_variant);
  const double width = chart_x(c.ndays) + kMargin;
  const double height = chart_y(0) + kKeyHeight;
  cairo_surface_t *surface = nullptr;
  if (format == kChartSvg) {
    surface = cairo_svg_surface_create_for_stream(append_bytes, &out, width, height);
  } else if (format == kChartPdf) {
    surface = cairo_pdf_surface_create_for_stream(append_bytes, &out, width, height);
    std::string date;
    append_format(date, "%04d-%02d-%02dT00:00:00Z", today.year, today.month, today.day);
    cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_CREATE_DATE, date.c_str());
    cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_TITLE, c.title.c_str());
    cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_CREATOR, "nachtblick-report");
  } else {
    surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, static_cast<int>(width),
                                         static_cast<int>(height));
  }
  cairo_t *cr = cairo_create(surface);
  draw(cr, c, width, height);
  cairo_status_t status = cairo_status(cr);
  cairo_destroy(cr);
  if (format == kChartPng && status == CAIRO_STATUS_SUCCESS)
    status = cairo_surface_write_to_png_stream(surface, append_bytes, &out);
  cairo_surface_finish(surface);
  if (status == CAIRO_STATUS_SUCCESS) status = cairo_surface_status(surface);
  cairo_surface_destroy(surface);
  if (status != CAIRO_STATUS_SUCCESS) {
    out.clear();
    err = std::string("the chart could not be drawn: ") + cairo_status_to_string(status);
    return false;
  }
  return true;
}
