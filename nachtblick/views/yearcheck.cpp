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
