// SPDX-License-Identifier: MIT
// The reports of nachtblick as pure functions: from the entry texts, today's
// date, the place table, the current place and the January variant to the
// text the window shows and the font it is shown in. The window's callbacks
// and the text front end nachtblick-report both call these.
#ifndef NACHTBLICK_REPORTS_H
#define NACHTBLICK_REPORTS_H

#include <string>

#include "nachtblick/place/places.h"

// X core fonts of the reports.
extern const char *const kFontGreeting;  // misc-fixed 14.5 pt
extern const char *const kFontReport;    // misc-fixed 14 pt
extern const char *const kFontFeasts;    // adobe-helvetica 16 px

// Greeting shown at start.
extern const char *const kGreetingText;

// The texts of the year, month and day entries are at most this many
// characters.
constexpr int kEntryMaxChars = 8;

// The date entries: year, month and day, their names in messages and
// their initial texts.
constexpr int kDateEntries = 3;
extern const char *const kEntryNames[kDateEntries];
extern const char *const kEntryHints[kDateEntries];

// The years the calendar report shows, which the year buttons cycle through.
constexpr int kFirstCalendarYear = 100, kLastCalendarYear = 10000;

// A civil date, in the order of the entries.
struct CivilDate {
  int year;
  int month;
  int day;
};

struct ReportInput {
  const char *year_text;  // texts of the entries as typed
  const char *month_text;
  const char *day_text;
  CivilDate today;      // today's local date
  const Place *places;  // the place table (kPlaceSlots entries)
  int current_place;    // index into places
  int january_variant;  // 2: January is printed "Jaenner"
};

struct ReportText {
  std::string text;
  const char *font;
};

// Name tables, indexed by month 0..12 and weekday 0..7 (1 = Sunday).
extern const char *const szMonat[13];
extern const char *const szMonatKurz[13];
extern const char *const szWochentag[8];
extern const char *const szWochentagKurz[8];
extern const char *const szFeiertag[6];
extern const char *const szMondphase[4];
extern const char *const szFinsternis[5];
extern const char *const szJahreszeit[4];
extern const char *const szHorizont[4];

// szMonat entry of a month by the January rule: "Jaenner" for January when
// the January variant is 2.
const char *month_name(int month, int jan_variant);

ReportText calendar_report(const ReportInput &in);
ReportText moonphase_report(const ReportInput &in);
ReportText seasons_report(const ReportInput &in);
ReportText riseset_report(const ReportInput &in);
ReportText pi_report(void);
ReportText info_report(void);

// The date the moon, seasons and rise and set reports work on: the entries
// read as numbers, today's date when year and month both read 0, clamped to
// the years 1000..3000; with the weekday of the clamped date.
void report_date(const ReportInput &in, int *day, int *month, int *year, int *wday);

// The place the reports of a place show: the current slot when it is in
// range and in use, else slot 0 (which always holds a place); without a
// table, the built-in place, from fallback.
const Place &report_place(const ReportInput &in, Place fallback[kPlaceSlots]);

#endif
