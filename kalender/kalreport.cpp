// SPDX-License-Identifier: MIT
// kalreport.cpp - month view, feast-day view, range message, information
// text and the date-button stepping of the kalender program.
#include "kalreport.h"

#include <cctype>
#include <climits>
#include <cstdarg>
#include <cstdio>

#include "kalcal.h"

const char *const szMonat[13] = {"",        "Januar",   "Februar", "Maerz",  "April",
                                 "Mai",     "Juni",     "Juli",    "August", "September",
                                 "Oktober", "November", "Dezember"};

const char *const szWochentag[8] = {"",         "Sonntag",    "Montag",  "Dienstag",
                                    "Mittwoch", "Donnerstag", "Freitag", "Samstag"};

const char kKalFontFixed[] = "-misc-fixed-medium-r-*-*-*-140-*-*-*-*-*-*";
const char kKalFontProportional[] = "-adobe-helvetica-medium-r-normal-*-14-*-*-*-*-*-*-*";

const char kKalYearHint[] = "[Hier das Jahr eingeben]";
const char kKalMonthHint[] = "[Hier das Monat eingeben]";

namespace {

constexpr int kMinYear = 100;  // range of years the report accepts
constexpr int kMaxYear = 10000;
constexpr int kReformYear = 1582;       // week numbers only after this year
constexpr std::size_t kLineSize = 256;  // one formatted line at most

// Appends one printf-formatted line, bounded by kLineSize.
__attribute__((format(printf, 2, 3))) void append_format(std::string &out, const char *fmt, ...) {
  char line[kLineSize] = "";  // vsnprintf ends what it writes with a NUL, cut if need be
  va_list ap;
  va_start(ap, fmt);
  std::vsnprintf(line, sizeof line, fmt, ap);
  va_end(ap);
  out += line;
}

// Column of a weekday in the month view: Monday 1 .. Sunday 7.
int weekday_column(int w) { return w == 1 ? 7 : w - 1; }

std::string month_view(int month, int year, int today_day, int today_month, int today_year) {
  const bool weeks = year > kReformYear;
  std::string t;
  append_format(t, "        %s %d\n\n", szMonat[month], year);
  if (weeks) t += " KW";
  t += "     Mo  Di  Mi  Do  Fr  Sa  So ";

  for (int d = 1; d <= 31; ++d) {
    const int w = dayofweek(d, month, year);
    if (w == 0) continue;  // past the month's end, or 5..14 Oct 1582
    const int col = weekday_column(w);
    if (d == 1) {
      if (weeks)
        append_format(t, "\n %02d    ", weekofyear(1, month, year));
      else
        t += "\n    ";
      for (int c = 1; c < col; ++c) t += "    ";
    }
    if (d == today_day && month == today_month && year == today_year)
      append_format(t, "[%2d]", d);
    else
      append_format(t, " %2d ", d);
    if (col == 7) {
      if (weeks) {
        const int k = weekofyear(d + 1, month, year);
        if (k != 0) append_format(t, "\n %02d    ", k);
      } else {
        t += "\n    ";
      }
    }
  }

  append_format(t, "\n\n  1. %s = %3d. Tag des Jahres %d ", szMonat[month],
                dayofyear(1, month, year), year);
  const int last = lastdayofmonth(month, year);
  append_format(t, "\n %d. %s = %3d. Tag des Jahres %d ", last, szMonat[month],
                dayofyear(last, month, year), year);
  return t;
}

// Moves a date held as (day e, month n) of March..June into its month
// after days were added, for the months the feast days can reach.
void normalise_spring_date(int &e, int &n) {
  if (n == 3 && e > 31) {
    e -= 31;
    n = 4;
  }
  if (n == 4 && e > 30) {
    e -= 30;
    n = 5;
  }
  if (n == 5 && e > 31) {
    e -= 31;
    n = 6;
  }
}

void feast_line(std::string &t, const char *fmt_name, int e, int n, int year) {
  append_format(t, "%s ist am %s, den %d. %s %d", fmt_name, szWochentag[dayofweek(e, n, year)], e,
                szMonat[n], year);
}

std::string feast_view(int year) {
  std::string t;
  const int easter = eastersunday(year);  // year is 100..10000 here

  int e = easter, n = 3;
  if (e > 31) {
    e -= 31;
    n = 4;
  }
  feast_line(t, "\n Ostern", e, n, year);

  e += 39;  // Ascension
  normalise_spring_date(e, n);
  feast_line(t, "\n Ch. Himmelf.", e, n, year);

  e += 10;  // Pentecost
  normalise_spring_date(e, n);
  feast_line(t, "\n Pfingsten", e, n, year);

  e += 11;  // Corpus Christi
  normalise_spring_date(e, n);
  feast_line(t, "\n Fronleichnam", e, n, year);

  // Length of February: Julian rule up to 1582, Gregorian after.
  int feb = 28;
  if (year % 4 == 0 && !(year > kReformYear && year % 100 == 0 && year % 400 != 0)) feb += 1;
  e = easter - 46;  // Ash Wednesday
  n = 3;
  if (e <= 0) {
    n = 2;
    e += feb;
  }
  feast_line(t, "\n\n Aschermittwoch", e, n, year);

  append_format(t, "\n\n (%d ist ", year);
  if (feb == 28) t += "k";
  t += "ein Schaltjahr)";
  return t;
}

int clamp_to_int(long long v) {
  if (v > INT_MAX) return INT_MAX;
  if (v < INT_MIN) return INT_MIN;
  return static_cast<int>(v);
}

}  // namespace

int kalender_entrytoint(const char *text) {
  if (text == nullptr) return 0;
  const unsigned char *p = reinterpret_cast<const unsigned char *>(text);
  while (*p != '\0' && std::isspace(*p)) ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = (*p++ == '-');
  // Accumulate as a negative number, so INT_MIN itself is reachable, and
  // stop accumulating once the value is past the int range.
  long long v = 0;
  for (; *p >= '0' && *p <= '9'; ++p) {
    if (v >= INT_MIN) v = v * 10 - (*p - '0');
  }
  return clamp_to_int(negative ? v : -v);
}

KalReport kalender_report(const char *year_text, const char *month_text, int today_day,
                          int today_month, int today_year) {
  const int y = kalender_entrytoint(year_text);
  int m = kalender_entrytoint(month_text);
  if (m < 1 || m > 12) m = 0;
  const char *font = m != 0 ? kKalFontFixed : kKalFontProportional;

  if (y < kMinYear || y > kMaxYear)
    return {"\n Das Jahr muss im Bereich von\n 100 bis 10000 sein! ", font};
  if (m != 0) return {month_view(m, y, today_day, today_month, today_year), font};
  return {feast_view(y), font};
}

std::string kalender_info_text() {
  // Author and address lines: "\n\n by NAME" and "\n\n ADDRESS ".
  static const char kAuthor[] = "Das Kalender-Team";
  static const char kAddress[] = "https://example.org/kalender";
  std::string t = "\n Mein erstes GTK+ Programm";
  append_format(t, "\n\n by %s\n\n %s ", kAuthor, kAddress);
  t += "\n\n Dieses Programm wird so wie es ist";
  t += "\n ohne Garantie zur Verf\xFCgung gestellt.";
  t += "\n Es k\xF6nnte Bugs enthalten, so dass die";
  t += "\n Verwendung dieses Tools auf eigenes";
  t += "\n Risiko erfolgt. \n";
  return t;
}

int kalender_next_year(const char *year_text) {
  const long long v = static_cast<long long>(kalender_entrytoint(year_text)) + 1;
  return v > kMaxYear ? kMinYear : static_cast<int>(v);
}

int kalender_prev_year(const char *year_text) {
  const long long v = static_cast<long long>(kalender_entrytoint(year_text)) - 1;
  return v < kMinYear ? kMaxYear : static_cast<int>(v);
}

int kalender_next_month(const char *month_text) {
  const long long v = static_cast<long long>(kalender_entrytoint(month_text)) + 1;
  return v > 12 ? 0 : static_cast<int>(v);
}

int kalender_prev_month(const char *month_text) {
  const long long v = static_cast<long long>(kalender_entrytoint(month_text)) - 1;
  return v < 0 ? 12 : static_cast<int>(v);
}
