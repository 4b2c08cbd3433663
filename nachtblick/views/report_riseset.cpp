// SPDX-License-Identifier: MIT
// Rise and set report: rising and setting of the Sun and the Moon and the
// beginning and end of civil, nautical and astronomical twilight for one
// date and the current place: in the place's own time zone, or in Central
// European (summer) time when the place file gives it none.
#include <cstdio>
#include <string>

#include "astro/constants.h"
#include "astro/sunmoon.h"
#include "calendar/calendar.h"
#include "nachtblick/place/placeclock.h"
#include "nachtblick/text/textbuf.h"
#include "nachtblick/views/instanttext.h"
#include "nachtblick/views/reports.h"
#include "nachtblick/views/zoneline.h"

namespace {

// Event types of the five rows: Sun, Moon, civil, nautical, astronomical.
const int kRowTypes[] = {kEventSun, kEventMoon, kEventCivil, kEventNautical, kEventAstronomical};
// Appends a local-clock hour (0..24) as "hh:mm "; 24:00 prints as 00:00.
void append_clock(std::string &text, double hour) {
  append_minute(text, clock_minutes(hour));
  text += " ";
}

// One 15-character cell pair of a row: "rise / set " with "----- " for a
// missing event, or the visibility text when the body does not cross its
// altitude that day.
void append_row(std::string &text, int mjd, const ZoneDay &day, const Place &place, int type) {
  ClockEvent rise{}, set{};
  const int flags = day_riseset(day, mjd, place.longitude, place.latitude, type, &rise, &set);
  if (flags & (kRiseFound | kSetFound) || day.count == 0) {
    if (flags & kRiseFound)
      append_clock(text, rise.hour);
    else
      text += "----- ";
    text += "/ ";
    if (flags & kSetFound)
      append_clock(text, set.hour);
    else
      text += "----- ";
    text += " ";
  } else {
    int index = (flags & kAboveAtStart) ? 0 : 1;  // "immer sichtbar", "nie sichtbar"
    if (type < kEventSun) index += 2;             // "immer hell", "immer dunkel"
    text += szHorizont[index];
  }
}

}  // namespace

ReportText riseset_report(const ReportInput &in) {
  Place fallback[kPlaceSlots];
  const Place &place = report_place(in, fallback);

  int day, month, year, wday;
  report_date(in, &day, &month, &year, &wday);

  std::string text;
  append_format(text, "\n  Datum: %s, %d. %s %d \n", szWochentag[wday], day,
                month_name(month, in.january_variant), year);

  const int mjd = datetomjd(year, month, day);
  ZoneDay local;
  place_day(place, year, month, day, &local);

  append_format(text, "\n  Auf- und Untergaenge fuer %.*s: ", kPlaceNameMax, place.name);
  text += "\n  Geogr. Breite: ";
  if (place_south(place))
    append_format(text, "%3d Grad %2d Min. Sued  ", place.lat_deg, place.lat_min);
  else
    append_format(text, "%3d Grad %2d Min. Nord ", place.lat_deg, place.lat_min);
  text += "\n  Geogr. Laenge: ";
  if (place_west(place))
    append_format(text, "%3d Grad %2d Min. West ", place.lon_deg, place.lon_min);
  else
    append_format(text, "%3d Grad %2d Min. Ost  ", place.lon_deg, place.lon_min);
  text += "\n  Uhrzeit in ";
  append_zone_line(text, place, local);

  for (int row = 0; row < 5; ++row) {
    if (row == 0) text += "\n\n  Aufgang / Untergang\n  Sonne          Mond\n  ";
    if (row == 2)
      text +=
          "\n\n  Daemmerungs-Beginn / Daemmerungs-Ende"
          "\n  buergerlich    nautisch       astronomisch\n  ";
    append_row(text, mjd, local, place, kRowTypes[row]);
  }
  return ReportText{text, kFontReport};
}
