// SPDX-License-Identifier: MIT
// Moon report: illuminated fraction at 0:00 UT of the date, the next four
// phases and the next solar and lunar eclipses of each type, all in UT.
#include <cmath>

#include "astro/constants.h"
#include "astro/eclipse.h"
#include "astro/lunar.h"
#include "astro/timescales.h"
#include "calendar/calendar.h"
#include "nachtblick/moonsearch.h"
#include "nachtblick/reports.h"
#include "nachtblick/textbuf.h"

const int kMoonSearchCap = 2000;

namespace {

const double kLunationsPerYear = 12.3685;  // Meeus, 2nd ed., 1998, eq. 49.2

// Appends " d.m.yyyy um hh:mm:ss (UTC) [Wd]" for the UT Julian Date h.
void append_instant(std::string &text, double h) {
  int year, month, day, hour, minute, second;
  mjdtodatetime(h - kMjdOffset, &year, &month, &day, &hour, &minute, &second);
  const int w = weekday(day, month, year);
  append_format(text, " %2d.%2d.%4d um %02d:%02d:%02d (UTC) [%s]", day, month, year, hour, minute,
                second, szWochentagKurz[w]);
}

}  // namespace

// Earliest instant h >= jd0 of the phase code: the start lunation is N - 1,
// moved back while the phase of the lunation before it is still at or after
// jd0; from there forward to the first lunation whose phase is not before
// jd0. Returns 1 when found, 0 when the cap stopped the search.
int find_moon_phase(int N, int phase, double jd0, int *n, double *h) {
  int start = N - 1;
  int steps = 0;
  while (steps < kMoonSearchCap && moonphase(start - 1, phase, kToUniversal) >= jd0) {
    --start;
    ++steps;
  }
  for (int i = start; steps < kMoonSearchCap; ++i, ++steps) {
    *n = i;
    *h = moonphase(i, phase, kToUniversal);
    if (*h >= jd0) return 1;
  }
  return 0;
}

// Earliest eclipse h >= jd0 of szFinsternis entry index (kind index / 3,
// type index % 3), trying lunations N - 1, N, N + 1, ... Lunations without
// such an eclipse give 0 and are passed over. Returns 1 when found, 0 when
// the cap stopped the search.
int find_eclipse(int N, int index, double jd0, int *n, double *h, double *gamma, int *saros) {
  for (int i = 0; i < kMoonSearchCap; ++i) {
    *n = N - 1 + i;
    *h = eclipse(*n, index / 3, index % 3, gamma, saros, kToUniversal);
    if (*h >= jd0) return 1;
  }
  return 0;
}

int report_lunation(int year, int month) {
  return static_cast<int>(std::floor((year - 2000 + month / 12.0) * kLunationsPerYear));
}

ReportText moonphase_report(const ReportInput &in) {
  int day, month, year, wday;
  report_date(in, &day, &month, &year, &wday);

  const int N = report_lunation(year, month);
  const double jd0 = datetojd(year, month, day);
  const double illumination = moonillumination(jd0) * 100.0;

  std::string text;
  append_format(text, "\n Mondbeleuchtung am %d. %s %d um 0:00 UTC: %.2f %%\n", day,
                month_name(month, in.january_variant), year, illumination);

  for (int phase = 0; phase < 4; ++phase) {
    int n;
    double h = 0.0;
    append_format(text, "\n %s", szMondphase[phase]);
    if (find_moon_phase(N, phase, jd0, &n, &h)) append_instant(text, h);
  }
  text += "\n";

  for (int i = 0; i < kEclipseKinds; ++i) {
    int n, saros;
    double h = 0.0, gamma = 0.0;
    append_format(text, "\n Naechste %s", szFinsternis[i]);
    if (find_eclipse(N, i, jd0, &n, &h, &gamma, &saros)) append_instant(text, h);
    append_format(text, "\n         (Saros = %3d, Gamma = %7.4f)", saros, gamma);
  }
  return ReportText{text, kFontReport};
}
