// SPDX-License-Identifier: MIT
// kalreport.h - texts of the kalender program, free of any toolkit code.
//
// Everything the window shows is computed here from the entry texts (and,
// for the month view, today's date passed in by the caller), so that the
// texts can be checked without a display.
#ifndef KALENDER_KALREPORT_H
#define KALENDER_KALREPORT_H

#include <string>

// Month names indexed 1..12 ([0] is empty) and weekday names indexed by the
// result of dayofweek, 1 = Sunday ([0] is empty).
extern const char *const szMonat[13];
extern const char *const szWochentag[8];

// X core fonts (XLFD names) of the text area.
extern const char kKalFontFixed[];         // month view, information text
extern const char kKalFontProportional[];  // feast-day view

// Initial hint texts of the two entries.
extern const char kKalYearHint[];
extern const char kKalMonthHint[];

// Reads an entry text the way atoi does -- leading white space (isspace),
// an optional sign, then decimal digits; anything else ends the number and
// a text without a number reads as 0 -- but saturates to INT_MAX or
// INT_MIN instead of overflowing when the digits do not fit an int.
int kalender_entrytoint(const char *text);

// A finished report: the text (ASCII) and the XLFD name of its font, one of
// kKalFontFixed and kKalFontProportional.
struct KalReport {
  std::string text;
  const char *font;
};

// The report for the two entry texts.  A month outside 1..12 (or no number)
// selects the feast-day view of the year; a year outside 100..10000 gives
// the range message.  today_* is the local date used to mark today in the
// month view.
KalReport kalender_report(const char *year_text, const char *month_text, int today_day,
                          int today_month, int today_year);

// The information text.  Its two umlauts are single ISO-8859-1 bytes
// (0xFC, 0xF6) and are inserted into the text area unchanged: GtkText draws
// every byte as one character of the X core font (the iso10646-1 and
// iso8859-1 fonts agree on 0x00..0xFF), whereas UTF-8 would show up as two
// characters each.  Its length with a terminating zero stays below 256.
std::string kalender_info_text();

// Stepping rules of the four date buttons.  Each reads the entry text with
// kalender_entrytoint, steps by one in a wider type and wraps:
//   next year:  above 10000 becomes 100      prev year:  below 100 becomes 10000
//   next month: above 12 becomes 0           prev month: below 0 becomes 12
// The result always fits an int.
int kalender_next_year(const char *year_text);
int kalender_prev_year(const char *year_text);
int kalender_next_month(const char *month_text);
int kalender_prev_month(const char *month_text);

#endif
