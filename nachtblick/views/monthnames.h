// SPDX-License-Identifier: MIT
// The names of the months in both spellings: the one the reports and the
// windows show (umlauts as ae/oe/ue), and UTF-8, which the files made for
// other programs use (the chart).
#ifndef NACHTBLICK_MONTHNAMES_H
#define NACHTBLICK_MONTHNAMES_H

struct MonthName {
  const char *name;  // the reports', e.g. "Maerz"
  const char *utf8;  // e.g. "März"
};

// By month 1..12; entry 0 is January's other name, "Jaenner", which the
// January rule picks. szMonat (reports.h) is the column of the reports'
// names of this table.
inline constexpr MonthName kMonthNames[13] = {
    {"Jaenner", "Jänner"},      {"Januar", "Januar"},   {"Februar", "Februar"},
    {"Maerz", "März"},          {"April", "April"},     {"Mai", "Mai"},
    {"Juni", "Juni"},           {"Juli", "Juli"},       {"August", "August"},
    {"September", "September"}, {"Oktober", "Oktober"}, {"November", "November"},
    {"Dezember", "Dezember"}};

// The entry of a month 1..12 by the January rule: entry 0, "Jaenner", for
// January when the January variant is 2. Null for another month.
const MonthName *month_names(int month, int jan_variant);

// Its UTF-8 name (the chart's); empty for another month.
const char *month_name_utf8(int month, int jan_variant);

#endif
