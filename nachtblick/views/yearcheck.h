// SPDX-License-Identifier: MIT
// The check of the YEAR the views of a whole year take (the export, the
// chart and the views after them): the years of the reports of a date,
// kFirstReportYear..kLastReportYear (calendar.h).
#ifndef NACHTBLICK_YEARCHECK_H
#define NACHTBLICK_YEARCHECK_H

#include <string>

// true for a year of that range; else false with the message, without line
// end, in err.
bool report_year_ok(int year, std::string &err);

#endif
