// SPDX-License-Identifier: MIT
// The calendar report: whole month sheets and feast lists byte for byte,
// the range message and its fonts, and a sweep of the feast dates.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <sstream>
#include <string>

#include "calendar/calendar.h"
#include "nachtblick/reports.h"

namespace {

ReportText run(const char *year, const char *month, int td = 1, int tm = 1, int ty = 2000,
               int jan = 1) {
  static Place table[PLACE_SLOTS];
  reset_places(table);
  return calendar_report(ReportInput{year, month, " [Tag]", {ty, tm, td}, table, 0, jan});
}

const char kRange[] = "\n Das Jahr muss im Bereich von\n 100 bis 10000 sein! ";

}  // namespace

TEST(MonthSheet, February2026WithToday) {
  const std::string expected =
      "\n"
      "        Februar 2026\n"
      "\n"
      " KW     Mo  Di  Mi  Do  Fr  Sa  So \n"
      " 05                              1 \n"
      " 06      2   3   4   5 [ 6]  7   8 \n"
      " 07      9  10  11  12  13  14  15 \n"
      " 08     16  17  18  19  20  21  22 \n"
      " 09     23  24  25  26  27  28 \n"
      "\n"
      "  1. Februar =  32. Tag des Jahres 2026 \n"
      " 28. Februar =  59. Tag des Jahres 2026 ";
  const ReportText r = run("2026", "2", 6, 2, 2026);
  EXPECT_EQ(r.text, expected);
  EXPECT_STREQ(r.font, FONT_REPORT);
  // The same day in another year is not marked.
  EXPECT_EQ(run("2026", "2", 6, 2, 2025).text.find('['), std::string::npos);
}

TEST(MonthSheet, October1582ClosesTheGapWithoutWeekNumbers) {
  const std::string expected =
      "\n        Oktober 1582\n\n"
      "     Mo  Di  Mi  Do  Fr  Sa  So \n"
      "      1   2   3   4  15  16  17 \n"
      "     18  19  20  21  22  23  24 \n"
      "     25  26  27  28  29  30  31 \n"
      "    \n"
      "\n"
      "  1. Oktober = 274. Tag des Jahres 1582 \n"
      " 31. Oktober = 294. Tag des Jahres 1582 ";
  EXPECT_EQ(run("1582", "10").text, expected);
}

TEST(MonthSheet, January2027StartsInWeek53AndJaennerVariant) {
  const std::string body =
      " 2027\n\n"
      " KW     Mo  Di  Mi  Do  Fr  Sa  So \n"
      " 53                      1   2   3 \n"
      " 01      4   5   6   7   8   9  10 \n"
      " 02     11  12  13  14  15  16  17 \n"
      " 03     18  19  20  21  22  23  24 \n"
      " 04     25  26  27  28  29  30  31 \n\n"
      "  1. %s =   1. Tag des Jahres 2027 \n"
      " 31. %s =  31. Tag des Jahres 2027 ";
  for (int jan : {0, 1, 2}) {
    const char *name = jan == 2 ? "Jaenner" : "Januar";
    char expected[1024];
    std::snprintf(expected, sizeof expected, ("\n        %s" + body).c_str(), name, name, name);
    EXPECT_EQ(run("2027", "1", 1, 1, 2000, jan).text, expected) << jan;
  }
}

TEST(MonthSheet, EndingOnSundayAndEarlyYears) {
  // 31 March 2024 is a Sunday: after 1600 no line is opened after it.
  const std::string march =
      "\n        Maerz 2024\n\n"
      " KW     Mo  Di  Mi  Do  Fr  Sa  So \n"
      " 09                      1   2   3 \n"
      " 10      4   5   6   7   8   9  10 \n"
      " 11     11  12  13  14  15  16  17 \n"
      " 12     18  19  20  21  22  23  24 \n"
      " 13     25  26  27  28  29  30  31 \n\n"
      "  1. Maerz =  61. Tag des Jahres 2024 \n"
      " 31. Maerz =  91. Tag des Jahres 2024 ";
  EXPECT_EQ(run("2024", "3").text, march);
  // Up to 1600 an empty line start follows every Sunday, the last one too.
  const std::string april1600 =
      "\n        April 1600\n\n"
      "     Mo  Di  Mi  Do  Fr  Sa  So \n"
      "                          1   2 \n"
      "      3   4   5   6   7   8   9 \n"
      "     10  11  12  13  14  15  16 \n"
      "     17  18  19  20  21  22  23 \n"
      "     24  25  26  27  28  29  30 \n"
      "    \n\n"
      "  1. April =  92. Tag des Jahres 1600 \n"
      " 30. April = 121. Tag des Jahres 1600 ";
  EXPECT_EQ(run("1600", "4").text, april1600);
  EXPECT_NE(run("1601", "4").text.find(" KW"), std::string::npos);
  // February: 29 days in 2024 and in 1500 (Julian), 28 in 1900.
  for (const std::string last :
       {" 29. Februar =  60. Tag des Jahres 2024 ", " 29. Februar =  60. Tag des Jahres 1500 ",
        " 28. Februar =  59. Tag des Jahres 1900 "})
    EXPECT_NE(run(last.substr(last.size() - 5, 4).c_str(), "2").text.find(last), std::string::npos)
        << last;
}

TEST(FeastList, Year2026) {
  const std::string expected =
      "\n Feiertage (vom Osterdatum abhaengig):\n"
      "\n Ostern ist am Sonntag, den 5. April 2026"
      "\n Ch. Himmelf. ist am Donnerstag, den 14. Mai 2026"
      "\n Pfingsten ist am Sonntag, den 24. Mai 2026"
      "\n Fronleichnam ist am Donnerstag, den 4. Juni 2026"
      "\n Aschermittwoch ist am Mittwoch, den 18. Februar 2026"
      "\n\n (2026 ist kein Schaltjahr)";
  for (const char *month : {"0", "13", "-1", " [Monat]"}) {
    const ReportText r = run("2026", month);
    EXPECT_EQ(r.text, expected) << month;
    EXPECT_STREQ(r.font, FONT_FEASTS);
  }
  EXPECT_NE(run("2024", "0").text.find("\n\n (2024 ist ein Schaltjahr)"), std::string::npos);
}

TEST(FeastList, AshWednesdayAroundTheEndOfFebruary) {
  // Easter 15 April 2001 (E = 46): 28 February; Easter 16 April 2017:
  // 1 March; Easter 25 April 2038 (E = 56): 10 March.
  for (const std::string ash : {"28. Februar 2001", "1. Maerz 2017", "10. Maerz 2038"}) {
    const std::string feasts = run(ash.substr(ash.size() - 4).c_str(), "0").text;
    EXPECT_NE(feasts.find("Mittwoch, den " + ash), std::string::npos) << ash;
  }
}

// Every year 100..10000: each feast line names a real date at the right
// distance from Easter, on the right weekday.
TEST(FeastList, EveryYearHasTheRightDates) {
  static const char *const kMonths[] = {"",      "Januar", "Februar", "Maerz",
                                        "April", "Mai",    "Juni",    "Juli"};
  static const int kOffset[6] = {0, 0, 39, 49, 60, -46};
  static const char *const kDay[6] = {"",        "Sonntag",    "Donnerstag",
                                      "Sonntag", "Donnerstag", "Mittwoch"};
  for (int y = 100; y <= 10000; ++y) {
    char ytext[16];
    std::snprintf(ytext, sizeof ytext, "%d", y);
    std::istringstream lines(run(ytext, "0").text);
    std::string line;
    int e = easterdate(y);
    const int easter_mjd = datetomjd(y, e > 31 ? 4 : 3, e > 31 ? e - 31 : e);
    int feast = 0;
    while (std::getline(lines, line)) {
      const size_t at = line.find(" ist am ");
      if (at == std::string::npos) continue;
      ++feast;
      ASSERT_LE(feast, 5);
      char wday[16], mname[16];
      int d = 0, yy = 0;
      ASSERT_EQ(
          std::sscanf(line.c_str() + at, " ist am %15[^,], den %d. %15s %d", wday, &d, mname, &yy),
          4)
          << line;
      int m = 0;
      for (int i = 1; i <= 7; ++i)
        if (std::strcmp(mname, kMonths[i]) == 0) m = i;
      ASSERT_TRUE(m != 0 && yy == y && d <= monthdays(m, y)) << line;
      ASSERT_STREQ(wday, kDay[feast]) << y << ": " << line;
      ASSERT_EQ(datetomjd(y, m, d) - easter_mjd, kOffset[feast]) << y << ": " << line;
    }
    ASSERT_EQ(feast, 5) << y;
  }
}

TEST(Range, MessageAndFonts) {
  for (const char *year : {"99", "10001", " [Jahr]", "99999999", "-2024"})
    EXPECT_EQ(run(year, "1").text, kRange) << year;
  EXPECT_EQ(run(" [Jahr]", " [Monat]").text, kRange);
  EXPECT_STREQ(run("99", "5").font, FONT_REPORT);
  EXPECT_STREQ(run("10001", "13").font, FONT_FEASTS);
  EXPECT_NE(run("100", "1").text, kRange);
  EXPECT_NE(run("10000", "0").text, kRange);
  EXPECT_NE(run("10000", "12").text.find("31. Dezember = 366. Tag des Jahres 10000"),
            std::string::npos);
}
