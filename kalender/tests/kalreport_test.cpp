// SPDX-License-Identifier: MIT
// Whole report texts of kalender compared byte for byte, the reading of the
// entry texts, the date-button stepping and a sweep over every year.
#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <regex>
#include <string>

#include <gtest/gtest.h>

#include "kalcal.h"
#include "kalreport.h"

namespace {

const char kRangeMessage[] = "\n Das Jahr muss im Bereich von\n 100 bis 10000 sein! ";

KalReport report(const char *y, const char *m, int td = 0, int tm = 0, int ty = 0) {
  return kalender_report(y, m, td, tm, ty);
}

}  // namespace

TEST(MonthView, WholeTexts) {
  const struct {
    const char *year, *month;
    std::string text;
  } cases[] = {
      {"2024", "3",  // today (15 March 2024) marked
       "        Maerz 2024\n\n"
       " KW     Mo  Di  Mi  Do  Fr  Sa  So \n"
       " 09                      1   2   3 \n"
       " 10      4   5   6   7   8   9  10 \n"
       " 11     11  12  13  14 [15] 16  17 \n"
       " 12     18  19  20  21  22  23  24 \n"
       " 13     25  26  27  28  29  30  31 \n\n"
       "  1. Maerz =  61. Tag des Jahres 2024 \n"
       " 31. Maerz =  91. Tag des Jahres 2024 "},
      {"1582", "10",  // the reform: no week numbers, a line opened after Sunday
       "        Oktober 1582\n\n"
       "     Mo  Di  Mi  Do  Fr  Sa  So \n"
       "      1   2   3   4  15  16  17 \n"
       "     18  19  20  21  22  23  24 \n"
       "     25  26  27  28  29  30  31 \n"
       "    \n\n"
       "  1. Oktober = 274. Tag des Jahres 1582 \n"
       " 31. Oktober = 294. Tag des Jahres 1582 "},
      {"2021", "1",  // starts in week 53 of the year before
       "        Januar 2021\n\n"
       " KW     Mo  Di  Mi  Do  Fr  Sa  So \n"
       " 53                      1   2   3 \n"
       " 01      4   5   6   7   8   9  10 \n"
       " 02     11  12  13  14  15  16  17 \n"
       " 03     18  19  20  21  22  23  24 \n"
       " 04     25  26  27  28  29  30  31 \n\n"
       "  1. Januar =   1. Tag des Jahres 2021 \n"
       " 31. Januar =  31. Tag des Jahres 2021 "},
      {"1500", "2",  // a Julian leap month
       "        Februar 1500\n\n"
       "     Mo  Di  Mi  Do  Fr  Sa  So \n"
       "                          1   2 \n"
       "      3   4   5   6   7   8   9 \n"
       "     10  11  12  13  14  15  16 \n"
       "     17  18  19  20  21  22  23 \n"
       "     24  25  26  27  28  29 \n\n"
       "  1. Februar =  32. Tag des Jahres 1500 \n"
       " 29. Februar =  60. Tag des Jahres 1500 "},
  };
  for (const auto &c : cases) {
    const KalReport r = report(c.year, c.month, 15, 3, 2024);
    EXPECT_EQ(r.text, c.text) << c.year << "/" << c.month;
    EXPECT_STREQ(r.font, kKalFontFixed);
  }
  EXPECT_STREQ(kKalFontFixed, "-misc-fixed-medium-r-*-*-*-140-*-*-*-*-*-*");
  // Today is marked only in its own month and year, at either end.
  const std::string plain = report("2024", "3", 1, 1, 1970).text;
  EXPECT_EQ(plain.find('['), std::string::npos);
  EXPECT_EQ(report("2024", "3", 15, 3, 2023).text, plain);
  EXPECT_EQ(report("2024", "3", 15, 4, 2024).text, plain);
  EXPECT_NE(report("2024", "3", 31, 3, 2024).text.find("[31]"), std::string::npos);
  EXPECT_NE(report("2024", "3", 1, 3, 2024).text.find("[ 1]"), std::string::npos);
  // 1 January 100 (Julian) is a Wednesday; December 10000 ends on a
  // Sunday, so no row opens after it.
  const std::string jan100 =
      "        Januar 100\n\n     Mo  Di  Mi  Do  Fr  Sa  So \n"
      "              1   2   3   4   5 \n      6   7   8   9  10  11  12 \n";
  EXPECT_EQ(report("100", "1").text.substr(0, jan100.size()), jan100);
  EXPECT_NE(report("10000", "12").text.find(" 52     25  26  27  28  29  30  31 \n\n  1. Dez"),
            std::string::npos);
}

TEST(FeastView, WholeTexts) {
  // Easter, Ascension, Whitsun, Corpus Christi, Ash Wednesday, leap year.
  const char *const years[][7] = {
      {"2024", "31. Maerz", "9. Mai", "19. Mai", "30. Mai", "14. Februar", "ein"},
      {"2000", "23. April", "1. Juni", "11. Juni", "22. Juni", "8. Maerz", "ein"},
      {"1900", "15. April", "24. Mai", "3. Juni", "14. Juni", "28. Februar", "kein"},
      {"1582", "15. April", "24. Mai", "3. Juni", "14. Juni", "28. Februar", "kein"},  // Julian
      {"2285", "22. Maerz", "30. April", "10. Mai", "21. Mai", "4. Februar", "kein"},  // earliest
      {"2038", "25. April", "3. Juni", "13. Juni", "24. Juni", "10. Maerz", "kein"},   // latest
  };
  for (const auto &y : years) {
    char text[512];
    std::snprintf(text, sizeof text,
                  "\n Ostern ist am Sonntag, den %2$s %1$s"
                  "\n Ch. Himmelf. ist am Donnerstag, den %3$s %1$s"
                  "\n Pfingsten ist am Sonntag, den %4$s %1$s"
                  "\n Fronleichnam ist am Donnerstag, den %5$s %1$s"
                  "\n\n Aschermittwoch ist am Mittwoch, den %6$s %1$s"
                  "\n\n (%1$s ist %7$s Schaltjahr)",
                  y[0], y[1], y[2], y[3], y[4], y[5], y[6]);
    const KalReport r = report(y[0], "0");
    EXPECT_EQ(r.text, text);
    EXPECT_STREQ(r.font, kKalFontProportional);
  }
  EXPECT_STREQ(kKalFontProportional, "-adobe-helvetica-medium-r-normal-*-14-*-*-*-*-*-*-*");
}

TEST(EntryReading, MonthsOutside1To12AndTrailingText) {
  const std::string feasts = report("2024", "0").text;
  for (const char *m : {"13", "-1", "abc", "", "[Hier das Monat eingeben]",
                        "99999999999999999999999", "-99999999999999999999"})
    EXPECT_EQ(report("2024", m).text, feasts) << m;
  EXPECT_EQ(report(" \t 2024xyz", "+3").text, report("2024", "3").text);
  EXPECT_EQ(report("2024", " 03 Maerz").text, report("2024", "3").text);
}

TEST(RangeMessage, YearsOutsideTheRangeAndTheFont) {
  EXPECT_STREQ(kKalYearHint, "[Hier das Jahr eingeben]");
  EXPECT_STREQ(kKalMonthHint, "[Hier das Monat eingeben]");
  EXPECT_EQ(report(kKalYearHint, kKalMonthHint).text, kRangeMessage);  // at start
  for (const char *y : {"99", "10001", "0", "-2024", "", "99999999999999999999", "2147483648",
                        "-2147483649", "4294969320", "1234567890123456789012345"})
    for (const char *m : {"0", "5"}) EXPECT_EQ(report(y, m).text, kRangeMessage) << y << " " << m;
  EXPECT_NE(report("100", "1").text, kRangeMessage);
  EXPECT_NE(report("10000", "0").text, kRangeMessage);
  // The font follows the month: the feast view's for a month outside 1..12.
  EXPECT_STREQ(report("99", "5").font, kKalFontFixed);
  EXPECT_STREQ(report("99", "0").font, kKalFontProportional);
  EXPECT_STREQ(report("99", "13").font, kKalFontProportional);
  EXPECT_STREQ(report(kKalYearHint, kKalMonthHint).font, kKalFontProportional);
}

TEST(EntryToInt, AtoiWhereTheNumberFitsAndSaturationBeyond) {
  for (const char *t : {"",
                        "0",
                        "7",
                        "-7",
                        "+7",
                        "  42",
                        "\t\n\v\f\r 42",
                        "42abc",
                        "4 2",
                        "abc",
                        "-",
                        "+",
                        "--5",
                        "+-5",
                        "-+5",
                        " - 5",
                        "0x1A",
                        "007",
                        "000000000000000000000012",
                        "2147483647",
                        "-2147483648",
                        "[Hier das Jahr eingeben]",
                        "10000",
                        "-0",
                        "1e5",
                        "12.5"})
    EXPECT_EQ(kalender_entrytoint(t), std::atoi(t)) << '"' << t << '"';
  EXPECT_EQ(kalender_entrytoint("2147483648"), INT_MAX);
  EXPECT_EQ(kalender_entrytoint("-2147483649"), INT_MIN);
  EXPECT_EQ(kalender_entrytoint("4294967297"), INT_MAX);  // would wrap to 1
  EXPECT_EQ(kalender_entrytoint("-9999999999999999999999999"), INT_MIN);
  EXPECT_EQ(kalender_entrytoint(std::string(1000, '9').c_str()), INT_MAX);
  EXPECT_EQ(kalender_entrytoint(nullptr), 0);
}

TEST(Stepping, WrapPointsHintTextsAndIntLimits) {
  const std::string huge(30, '9'), tiny = "-" + huge;
  const struct {
    int (*step)(const char *);
    std::string text;
    int result;
  } cases[] = {
      {kalender_next_year, "10000", 100},
      {kalender_next_year, "9999", 10000},
      {kalender_prev_year, "100", 10000},
      {kalender_prev_year, "101", 100},
      {kalender_next_month, "11", 12},
      {kalender_next_month, "12", 0},
      {kalender_next_month, "0", 1},
      {kalender_prev_month, "1", 0},
      {kalender_prev_month, "0", 12},
      {kalender_next_year, kKalYearHint, 1},
      {kalender_prev_year, kKalYearHint, 10000},
      {kalender_next_month, kKalMonthHint, 1},
      {kalender_prev_month, kKalMonthHint, 12},
      {kalender_next_year, "50", 51},  // no wrap below
      {kalender_prev_year, "20000", 19999},
      {kalender_prev_month, "20", 19},  // nor above
      {kalender_prev_month, "13", 12},
      {kalender_next_month, "-5", -4},
      {kalender_next_year, huge, 100},
      {kalender_next_year, "2147483647", 100},
      {kalender_prev_year, tiny, 10000},
      {kalender_prev_year, "-2147483648", 10000},
      {kalender_prev_year, "2147483647", 2147483646},
      {kalender_next_year, "-2147483648", -2147483647},
      {kalender_next_month, huge, 0},
      {kalender_prev_month, tiny, 12},
      {kalender_prev_month, "2147483647", 2147483646},
      {kalender_next_month, "-2147483648", -2147483647},
  };
  for (const auto &c : cases) EXPECT_EQ(c.step(c.text.c_str()), c.result) << c.text;
}

TEST(InfoText, BytesAndSize) {
  // The author and the address line are free: "NAME\n\n ADDRESS ".
  const std::string t = kalender_info_text();
  EXPECT_TRUE(
      std::regex_match(t, std::regex("\n Mein erstes GTK\\+ Programm\n\n by [^\n]+\n\n [^\n]* "
                                     "\n\n Dieses Programm wird so wie es ist"
                                     "\n ohne Garantie zur Verf\xFCgung gestellt\\."
                                     "\n Es k\xF6nnte Bugs enthalten, so dass die"
                                     "\n Verwendung dieses Tools auf eigenes"
                                     "\n Risiko erfolgt\\. \n")))
      << t;
  // ISO-8859-1 umlauts, one byte each; nothing else outside ASCII.
  EXPECT_EQ(std::count_if(t.begin(), t.end(), [](unsigned char c) { return c >= 0x80; }), 2);
  EXPECT_LT(t.size() + 1, 256u);
}

// Every year and every month of the range: the texts stay inside the
// program's buffers (1024 bytes, lines under 256), the month view shows each
// day of the month once and in order, and every feast has its weekday.
TEST(Sweep, AllYearsAndMonths) {
  const char *const feasts[] = {"Ostern ist am Sonntag,", "Ch. Himmelf. ist am Donnerstag,",
                                "Pfingsten ist am Sonntag,", "Fronleichnam ist am Donnerstag,",
                                "Aschermittwoch ist am Mittwoch,"};
  for (int y = 100; y <= 10000; ++y) {
    for (int m = 0; m <= 12; ++m) {
      const std::string t = report(std::to_string(y).c_str(), std::to_string(m).c_str()).text;
      ASSERT_LT(t.size(), 1024u) << y << "/" << m;
      for (std::size_t start = 0, end; start <= t.size(); start = end + 1) {
        end = std::min(t.find('\n', start), t.size());
        ASSERT_LT(end - start, 256u);
      }
      if (m == 0) {
        for (const char *f : feasts) ASSERT_NE(t.find(f), std::string::npos) << y << ": " << f;
        continue;
      }
      // Rows of a 7- (with week number) or 4-character head and
      // 4-character cells; blank cells only before the 1st.
      const std::size_t grid_end = t.find("\n\n  1. "), head = y > 1582 ? 7 : 4;
      ASSERT_NE(grid_end, std::string::npos);
      int expect = 1;
      for (std::size_t pos = t.find("So ") + 3; pos < grid_end;) {
        ASSERT_EQ(t[pos], '\n');
        const std::size_t eol = std::min(t.find('\n', pos + 1), grid_end);
        const std::string row = t.substr(pos + 1, eol - pos - 1);
        pos = eol;
        if (row == "    ") continue;  // after a closing Sunday, up to 1582
        ASSERT_TRUE(row.size() >= head + 4 && row.size() <= head + 28 &&
                    (row.size() - head) % 4 == 0)
            << y << "/" << m << ": " << row;
        for (std::size_t c = head; c < row.size(); c += 4) {
          const std::string cell = row.substr(c, 4);
          if (cell == "    " && expect == 1) continue;  // leading gap
          ASSERT_EQ(cell, (expect < 10 ? "  " : " ") + std::to_string(expect) + " ")
              << y << "/" << m;
          expect = (y == 1582 && m == 10 && expect == 4) ? 15 : expect + 1;
        }
      }
      ASSERT_EQ(expect - 1, lastdayofmonth(m, y)) << y << "/" << m;
    }
  }
}
