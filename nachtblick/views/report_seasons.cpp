// SPDX-License-Identifier: MIT
// Seasons report: the instants of the equinoxes and solstices of three
// consecutive years in universal time.
#include <string>

#include "astro/constants.h"
#include "astro/seasons.h"
#include "astro/timescales.h"
#include "calendar/calendar.h"
#include "nachtblick/place/instant.h"
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
      const CivilTime c = Instant::ut(seasonstart(y, season, kToUniversal)).utc();
      append_format(text, "\n %s %02d. %s %d um %02d:%02d:%02d (UTC) [%s]",
                    szJahreszeit[season - 1], c.day, szMonatKurz[c.month], c.year, c.hour, c.minute,
                    c.second, szWochentagKurz[weekday(c.day, c.month, c.year)]);
    }
  }
  return ReportText{text, kFontReport};
}
