// SPDX-License-Identifier: MIT
// The calendar report: a month sheet with ISO week numbers, or for month 0
// the Easter-dependent feasts of the year.
#include "calendar/calendar.h"
#include "nachtblick/events/feasts.h"
#include "nachtblick/text/textbuf.h"
#include "nachtblick/views/reports.h"

namespace {

const char kRangeMessage[] = "\n Das Jahr muss im Bereich von\n 100 bis 10000 sein! ";
// Week numbers are shown for the years after this one.
const int kLastYearWithoutWeeks = 1600;

// Month sheet; weeks run Monday (column 1) to Sunday (column 7).
std::string month_sheet(int month, int year, const ReportInput &in) {
  const bool weeks = year > kLastYearWithoutWeeks;
  const char *name = month_name(month, in.january_variant);
  std::string text;
  append_format(text, "\n        %s %d\n\n", name, year);
  if (weeks) text += " KW";
  text += "     Mo  Di  Mi  Do  Fr  Sa  So ";
  const int last = monthdays(month, year);
  for (int d = 1; d <= last; ++d) {
    const int w = weekday(d, month, year);
    if (w == 0) continue;  // 5..14 October 1582
    const int column = (w == 1) ? 7 : w - 1;
    if (d == 1) {
      if (weeks)
        append_format(text, "\n %02d    ", weeknumber(1, month, year, kIsoWeeks));
      else
        text += "\n    ";
      for (int c = 1; c < column; ++c) text += "    ";
    }
    const bool today = d == in.today.day && month == in.today.month && year == in.today.year;
    append_format(text, today ? "[%2d]" : " %2d ", d);
    if (column == 7) {
      if (weeks) {
        const int next = weeknumber(d + 1, month, year, kIsoWeeks);
        if (next != 0) append_format(text, "\n %02d    ", next);
      } else {
        text += "\n    ";
      }
    }
  }
  append_format(text, "\n\n  1. %s = %3d. Tag des Jahres %d ", name, yearday(1, month, year), year);
  append_format(text, "\n %d. %s = %3d. Tag des Jahres %d ", last, name, yearday(last, month, year),
                year);
  return text;
}

// The feast list with the leap-year note.
std::string feast_list(int year) {
  int month[kFeastSlots] = {}, day[kFeastSlots] = {};
  feast_dates(year, month, day);
  const int february = 28 + leapyear(year);
  std::string text = "\n Feiertage (vom Osterdatum abhaengig):\n";
  for (int i = 1; i < kFeastSlots; ++i)
    append_format(text, "\n %s ist am %s, den %d. %s %d", szFeiertag[i],
                  szWochentag[weekday(day[i], month[i], year)], day[i], szMonat[month[i]], year);
  append_format(text, "\n\n (%d ist ", year);
  if (february == 28) text += "k";
  text += "ein Schaltjahr)";
  return text;
}

}  // namespace

ReportText calendar_report(const ReportInput &in) {
  const int year = entrytoint(in.year_text);
  int month = entrytoint(in.month_text);
  if (month < 1 || month > 12) month = 0;
  const char *font = month ? kFontReport : kFontFeasts;
  if (year < kFirstCalendarYear || year > kLastCalendarYear) return ReportText{kRangeMessage, font};
  if (month) return ReportText{month_sheet(month, year, in), font};
  return ReportText{feast_list(year), font};
}
