// SPDX-License-Identifier: MIT
// The chart of a year at a place: the days of the year across, the local
// time of day up (midnight at the bottom), and for every day the bands of
// night, astronomical, nautical and civil twilight and day from the rise and
// set report's searches; with the full and new moons, the season starts,
// the months and the hours. Drawn with cairo as SVG, PDF or PNG.
//
// chart.cpp is the one part of the views that links cairo (and with it
// X11, fontconfig and freetype). nachtblick-report therefore loads it as the
// module nachtblick-chart only when it draws a chart; the window program,
// the tests and the benchmarks link it as the library nb_chart. What the
// front end checks before it loads the module (the format's name) is in
// this header.
#ifndef NACHTBLICK_CHART_H
#define NACHTBLICK_CHART_H

#include <string>

#include "nachtblick/place/places.h"
#include "nachtblick/text/textbuf.h"
#include "nachtblick/views/reports.h"

enum ChartFormat { kChartSvg, kChartPdf, kChartPng, kChartFormats };

// The formats by their names on the command line.
constexpr const char *kChartFormatNames[kChartFormats] = {"svg", "pdf", "png"};

// The plot, in pixels of the PNG (points of SVG and PDF): day k of the year
// (0 for 1 January) is the column from chart_x(k) kPixelsPerDay wide; the
// local time h (hours 0..24) is at chart_y(h), 0 h at the bottom edge and
// 24 h at the top edge kChartTop.
constexpr double kChartLeft = 72.0;
constexpr double kChartTop = 84.0;
constexpr double kPixelsPerDay = 3.0;
constexpr double kPixelsPerHour = 20.0;

inline double chart_x(int day) { return kChartLeft + day * kPixelsPerDay; }
inline double chart_y(double hour) { return kChartTop + (24.0 - hour) * kPixelsPerHour; }

// The bands, from the top of the sky down. Band b is where the Sun is above
// the altitude of the event type -b of riseset (kEventSun, kEventCivil,
// kEventNautical, kEventAstronomical) and not above that of -(b - 1);
// kBandNight below all four.
enum ChartBand { kBandDay, kBandCivil, kBandNautical, kBandAstronomical, kBandNight, kChartBands };

struct ChartColour {
  double r, g, b;  // 0..1
};
extern const ChartColour kBandColours[kChartBands];
// A date the local clock skipped (Pacific/Apia, 30 December 2011).
extern const ChartColour kSkippedDayColour;

// The format of its name (kChartFormatNames); false for any other text.
inline bool chart_format(const char *name, ChartFormat *format) {
  const int f = name_index(kChartFormatNames, kChartFormats, name);
  if (f >= 0) *format = static_cast<ChartFormat>(f);
  return f >= 0;
}

// Writes the chart of the year (kFirstReportYear..kLastReportYear, counted as
// the reports count it) at the place to out and returns true. Times are those
// of the rise and set report: in the place's time zone, or MEZ/MESZ for a
// place without one. January is named by jan_variant as in the reports.
// today is the creation date of a PDF. For a year out of range, a today
// past kLastStampYear (yearcheck.h), or when cairo fails, writes a message
// without line end to err, nothing to out, and returns false. C linkage:
// the module nachtblick-chart exports it by the name kChartEntryPoint.
extern "C" __attribute__((visibility("default"))) bool chart_report(
    int year, const Place &place, int jan_variant, ChartFormat format, CivilDate today,
    std::string &out, std::string &err);
using ChartReportFunction = decltype(&chart_report);
constexpr char kChartEntryPoint[] = "chart_report";

#endif
