// SPDX-License-Identifier: MIT
// kalreport.cpp - month view, feast-day view, range message, information
// text and the date-button stepping of the kalender program.
#include "kalreport.h"

#include <algorithm>
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
  const bool weeks = weekofyear(1, month, year) != 0;  // from 1583 on
  const int last = lastdayofmonth(month, year);
  std::string t;
  append_format(t, "        %s %d\n\n", szMonat[month], year);
  if (weeks) t += " KW";
  t += "     Mo  Di  Mi  Do  Fr  Sa  So ";

  for (int d = 1; d <= last; ++d) {
    const int w = dayofweek(d, month, year);
    if (w == 0) continue;  // 5..14 Oct 1582
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
  append_format(t, "\n %d. %s = %3d. Tag des Jahres %d ", last, szMonat[month],
                dayofyear(last, month, year), year);
  return t;
}

// Moves day e of month n (March or later) into its month, for the months
// the feast days can reach.
void normalise_spring_date(int &e, int &n, int year) {
  while (e > lastdayofmonth(n, year)) {
    e -= lastdayofmonth(n, year);
    ++n;
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
  normalise_spring_date(e, n, year);
  feast_line(t, "\n Ostern", e, n, year);

  e += 39;  // Ascension
  normalise_spring_date(e, n, year);
  feast_line(t, "\n Ch. Himmelf.", e, n, year);

  e += 10;  // Pentecost
  normalise_spring_date(e, n, year);
  feast_line(t, "\n Pfingsten", e, n, year);

  e += 11;  // Corpus Christi
  normalise_spring_date(e, n, year);
  feast_line(t, "\n Fronleichnam", e, n, year);

  const int feb = lastdayofmonth(2, year);
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

}  // namespace

int kalender_entrytoint(const char *text) {
  if (text == nullptr) return 0;
  const unsigned char *p = reinterpret_cast<const unsigned char *>(text);
  while (*p != '\0' && std::isspace(*p)) ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = (*p++ == '-');
  // Accumulate as a negative number, so INT_MIN itself is reachable, held
  // at INT_MIN once the digits go past it.
  const long long lowest = INT_MIN, highest = INT_MAX;
  long long v = 0;
  for (; *p >= '0' && *p <= '9'; ++p) v = std::max(v * 10 - (*p - '0'), lowest);
  return static_cast<int>(negative ? v : std::min(-v, highest));
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
