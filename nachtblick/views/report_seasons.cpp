// SPDX-License-Identifier: MIT
// Seasons report: the instants of the equinoxes and solstices of three
// consecutive years in universal time.
#include <string>

#include "astro/constants.h"
#include "astro/seasons.h"
#include "astro/timescales.h"
#include "calendar/calendar.h"
#include "nachtblick/text/textbuf.h"
#include "nachtblick/views/reports.h"

ReportText seasons_report(const ReportInput &in) {
  int day, month, year, wday;
  report_date(in, &day, &month, &year, &wday);

  std::string text;
  text += "\n Beginn der Jahreszeiten:";
  for (int y = year; y < year + 3; ++y) {
    text += "\n";
    for (int season = 1; season <= 4; ++season) {
      const double jd = seasonstart(y, season, kToUniversal);
      int ey, em, ed, hh, mm, ss;
      mjdtodatetime(jd - kMjdOffset, &ey, &em, &ed, &hh, &mm, &ss);
      append_format(text, "\n %s %02d. %s %d um %02d:%02d:%02d (UTC) [%s]",
                    szJahreszeit[season - 1], ed, szMonatKurz[em], ey, hh, mm, ss,
                    szWochentagKurz[weekday(ed, em, ey)]);
    }
  }
  return ReportText{text, kFontReport};
}
