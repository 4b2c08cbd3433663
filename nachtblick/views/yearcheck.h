// SPDX-License-Identifier: MIT
// The checks of the YEAR the views of a whole year take (the export, the
// chart and the views after them): the years of the reports of a date,
// kFirstReportYear..kLastReportYear (calendar.h); and of the date that
// stamps the files they write.
#ifndef NACHTBLICK_YEARCHECK_H
#define NACHTBLICK_YEARCHECK_H

#include <string>

#include "nachtblick/views/reports.h"

// true for a year of that range; else false with the message, without line
// end, in err.
bool report_year_ok(int year, std::string &err);

// The last year a date stamp of a file the views write can hold: the
// DTSTAMP of an export, the creation date of a PDF (four digits).
constexpr int kLastStampYear = 9999;

// true when the date can stamp a file; else false with the message in err.
bool stamp_date_ok(const CivilDate &date, std::string &err);

#endif
