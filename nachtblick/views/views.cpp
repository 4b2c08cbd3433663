// SPDX-License-Identifier: MIT
#include "nachtblick/views/reports.h"

#include "calendar/calendar.h"
#include "nachtblick/views/eclipses.h"

void report_date(const ReportInput &in, int *day, int *month, int *year, int *wday) {
  *day = entrytoint(in.day_text);
  *month = entrytoint(in.month_text);
  *year = entrytoint(in.year_text);
  if (*year == 0 && *month == 0) {
    *day = in.today.day;
    *month = in.today.month;
    *year = in.today.year;
  }
  clampdate(day, month, year, wday);
}

const Place &report_place(const ReportInput &in, Place fallback[kPlaceSlots]) {
  const Place *places = in.places;
  if (places == nullptr) {
    reset_places(fallback);
    places = fallback;
  }
  return place_in_use(places, in.current_place) ? places[in.current_place] : places[0];
}

ReportText view_report(int view, const ReportInput &in) {
  switch (view) {
    case kViewRiseset: return riseset_report(in);
    case kViewSeasons: return seasons_report(in);
    case kViewMoonphase: return moonphase_report(in);
    case kViewEclipses: return eclipses_report(in);
    default: return calendar_report(in);
  }
}
