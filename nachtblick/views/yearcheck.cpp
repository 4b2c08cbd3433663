// SPDX-License-Identifier: MIT
#include "nachtblick/views/yearcheck.h"

#include "calendar/calendar.h"
#include "nachtblick/text/textbuf.h"

bool report_year_ok(int year, std::string &err) {
  if (year >= kFirstReportYear && year <= kLastReportYear) return true;
  err.clear();
  append_format(err, "year %d is outside %d..%d", year, kFirstReportYear, kLastReportYear);
  return false;
}

bool stamp_date_ok(const CivilDate &date, std::string &err) {
  if (date.year <= kLastStampYear) return true;
  err.clear();
  append_format(err,
                "today's date %d-%02d-%02d is past the year %d, the last a file's date can hold",
                date.year, date.month, date.day, kLastStampYear);
  return false;
}
