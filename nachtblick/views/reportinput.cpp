// SPDX-License-Identifier: MIT
#include "nachtblick/views/reports.h"

#include "calendar/calendar.h"

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
