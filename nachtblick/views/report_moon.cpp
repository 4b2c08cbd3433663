// SPDX-License-Identifier: MIT
// Moon report: illuminated fraction at 0:00 UT of the date, the next four
// phases and the next solar and lunar eclipses of each type, all in UT.
#include <cmath>

#include "astro/constants.h"
#include "astro/eclipse.h"
#include "astro/lunar.h"
#include "astro/timescales.h"
#include "calendar/calendar.h"
#include "nachtblick/events/moonsearch.h"
#include "nachtblick/text/textbuf.h"
#include "nachtblick/views/reports.h"

namespace {

// Appends " d.m.yyyy um hh:mm:ss (UTC) [Wd]" for the UT Julian Date h.
void append_instant(std::string &text, double h) {
  const CivilTime c = Instant::ut(h).utc();
  append_format(text, " %2d.%2d.%4d um %02d:%02d:%02d (UTC) [%s]", c.day, c.month, c.year, c.hour,
                c.minute, c.second, szWochentagKurz[weekday(c.day, c.month, c.year)]);
}

}  // namespace

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
