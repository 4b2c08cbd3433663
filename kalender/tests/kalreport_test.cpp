// Whole report texts of kalender compared byte for byte, the reading of the
// entry texts, the date-button stepping and sweeps over every year.
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "kalcal.h"
#include "kalreport.h"

namespace {

const char kRangeMessage[] = "\n Das Jahr muss im Bereich von\n 100 bis 10000 sein! ";

KalReport report(const char* y, const char* m, int td = 0, int tm = 0, int ty = 0) {
    return kalender_report(y, m, td, tm, ty);
}

bool is_fixed(const KalReport& r) { return std::string(r.font) == kKalFontFixed; }
bool is_proportional(const KalReport& r) {
    return std::string(r.font) == kKalFontProportional;
}

}  // namespace

TEST(Fonts, Names) {
    EXPECT_STREQ(kKalFontFixed, "-misc-fixed-medium-r-*-*-*-140-*-*-*-*-*-*");
    EXPECT_STREQ(kKalFontProportional,
                 "-adobe-helvetica-medium-r-normal-*-14-*-*-*-*-*-*-*");
}

TEST(MonthView, March2024WithTodayMarked) {
    const KalReport r = report("2024", "3", 15, 3, 2024);
    EXPECT_EQ(r.text,
              "        Maerz 2024\n"
              "\n"
              " KW     Mo  Di  Mi  Do  Fr  Sa  So \n"
              " 09                      1   2   3 \n"
              " 10      4   5   6   7   8   9  10 \n"
              " 11     11  12  13  14 [15] 16  17 \n"
              " 12     18  19  20  21  22  23  24 \n"
              " 13     25  26  27  28  29  30  31 \n"
              "\n"
              "  1. Maerz =  61. Tag des Jahres 2024 \n"
              " 31. Maerz =  91. Tag des Jahres 2024 ");
    EXPECT_TRUE(is_fixed(r));
}

TEST(MonthView, TodayOnlyMarkedInItsOwnMonthAndYear) {
    const std::string base = report("2024", "3", 1, 1, 1970).text;
    EXPECT_EQ(base.find('['), std::string::npos);
    EXPECT_EQ(report("2024", "3", 15, 3, 2023).text, base);
    EXPECT_EQ(report("2024", "3", 15, 4, 2024).text, base);
    EXPECT_NE(report("2024", "3", 31, 3, 2024).text.find("[31]"), std::string::npos);
    EXPECT_NE(report("2024", "3", 1, 3, 2024).text.find("[ 1]"), std::string::npos);
}

TEST(MonthView, October1582SkipsTheReformDays) {
    const KalReport r = report("1582", "10");
    EXPECT_EQ(r.text,
              "        Oktober 1582\n"
              "\n"
              "     Mo  Di  Mi  Do  Fr  Sa  So \n"
              "      1   2   3   4  15  16  17 \n"
              "     18  19  20  21  22  23  24 \n"
              "     25  26  27  28  29  30  31 \n"
              "    \n"
              "\n"
              "  1. Oktober = 274. Tag des Jahres 1582 \n"
              " 31. Oktober = 294. Tag des Jahres 1582 ");
    EXPECT_TRUE(is_fixed(r));
}

TEST(MonthView, January2021StartsInWeek53) {
    EXPECT_EQ(report("2021", "1").text,
              "        Januar 2021\n"
              "\n"
              " KW     Mo  Di  Mi  Do  Fr  Sa  So \n"
              " 53                      1   2   3 \n"
              " 01      4   5   6   7   8   9  10 \n"
              " 02     11  12  13  14  15  16  17 \n"
              " 03     18  19  20  21  22  23  24 \n"
              " 04     25  26  27  28  29  30  31 \n"
              "\n"
              "  1. Januar =   1. Tag des Jahres 2021 \n"
              " 31. Januar =  31. Tag des Jahres 2021 ");
}

TEST(MonthView, February1500IsAJulianLeapMonth) {
    EXPECT_EQ(report("1500", "2").text,
              "        Februar 1500\n"
              "\n"
              "     Mo  Di  Mi  Do  Fr  Sa  So \n"
              "                          1   2 \n"
              "      3   4   5   6   7   8   9 \n"
              "     10  11  12  13  14  15  16 \n"
              "     17  18  19  20  21  22  23 \n"
              "     24  25  26  27  28  29 \n"
              "\n"
              "  1. Februar =  32. Tag des Jahres 1500 \n"
              " 29. Februar =  60. Tag des Jahres 1500 ");
}

TEST(MonthView, FirstAndLastYearOfTheRange) {
    // 1 January 100 (Julian) is a Wednesday; December 10000 ends on a
    // Sunday, so no row opens after it.
    const std::string jan100 = report("100", "1").text;
    const std::string head =
        "        Januar 100\n"
        "\n"
        "     Mo  Di  Mi  Do  Fr  Sa  So \n"
        "              1   2   3   4   5 \n"
        "      6   7   8   9  10  11  12 \n";
    EXPECT_EQ(jan100.substr(0, head.size()), head);
    const std::string dec10000 = report("10000", "12").text;
    EXPECT_NE(dec10000.find(" 52     25  26  27  28  29  30  31 \n\n  1. Dezember = 336."),
              std::string::npos)
        << dec10000;
}

TEST(FeastView, Year2024) {
    const KalReport r = report("2024", "0");
    EXPECT_EQ(r.text,
              "\n Ostern ist am Sonntag, den 31. Maerz 2024"
              "\n Ch. Himmelf. ist am Donnerstag, den 9. Mai 2024"
              "\n Pfingsten ist am Sonntag, den 19. Mai 2024"
              "\n Fronleichnam ist am Donnerstag, den 30. Mai 2024"
              "\n\n Aschermittwoch ist am Mittwoch, den 14. Februar 2024"
              "\n\n (2024 ist ein Schaltjahr)");
    EXPECT_TRUE(is_proportional(r));
}

TEST(FeastView, Year2000) {
    EXPECT_EQ(report("2000", "0").text,
              "\n Ostern ist am Sonntag, den 23. April 2000"
              "\n Ch. Himmelf. ist am Donnerstag, den 1. Juni 2000"
              "\n Pfingsten ist am Sonntag, den 11. Juni 2000"
              "\n Fronleichnam ist am Donnerstag, den 22. Juni 2000"
              "\n\n Aschermittwoch ist am Mittwoch, den 8. Maerz 2000"
              "\n\n (2000 ist ein Schaltjahr)");
}

TEST(FeastView, Year1900) {
    EXPECT_EQ(report("1900", "0").text,
              "\n Ostern ist am Sonntag, den 15. April 1900"
              "\n Ch. Himmelf. ist am Donnerstag, den 24. Mai 1900"
              "\n Pfingsten ist am Sonntag, den 3. Juni 1900"
              "\n Fronleichnam ist am Donnerstag, den 14. Juni 1900"
              "\n\n Aschermittwoch ist am Mittwoch, den 28. Februar 1900"
              "\n\n (1900 ist kein Schaltjahr)");
}

TEST(FeastView, Year1582Julian) {
    EXPECT_EQ(report("1582", "0").text,
              "\n Ostern ist am Sonntag, den 15. April 1582"
              "\n Ch. Himmelf. ist am Donnerstag, den 24. Mai 1582"
              "\n Pfingsten ist am Sonntag, den 3. Juni 1582"
              "\n Fronleichnam ist am Donnerstag, den 14. Juni 1582"
              "\n\n Aschermittwoch ist am Mittwoch, den 28. Februar 1582"
              "\n\n (1582 ist kein Schaltjahr)");
}

TEST(FeastView, EarliestAndLatestEaster) {
    // 22 March 2285: Ash Wednesday in a common February.
    EXPECT_EQ(report("2285", "0").text,
              "\n Ostern ist am Sonntag, den 22. Maerz 2285"
              "\n Ch. Himmelf. ist am Donnerstag, den 30. April 2285"
              "\n Pfingsten ist am Sonntag, den 10. Mai 2285"
              "\n Fronleichnam ist am Donnerstag, den 21. Mai 2285"
              "\n\n Aschermittwoch ist am Mittwoch, den 4. Februar 2285"
              "\n\n (2285 ist kein Schaltjahr)");
    // 25 April 2038: Ascension in June.
    EXPECT_EQ(report("2038", "0").text,
              "\n Ostern ist am Sonntag, den 25. April 2038"
              "\n Ch. Himmelf. ist am Donnerstag, den 3. Juni 2038"
              "\n Pfingsten ist am Sonntag, den 13. Juni 2038"
              "\n Fronleichnam ist am Donnerstag, den 24. Juni 2038"
              "\n\n Aschermittwoch ist am Mittwoch, den 10. Maerz 2038"
              "\n\n (2038 ist kein Schaltjahr)");
}

TEST(FeastView, AnyMonthOutside1To12SelectsIt) {
    const std::string feasts = report("2024", "0").text;
    for (const char* m : {"13", "-1", "abc", "", "[Hier das Monat eingeben]",
                          "99999999999999999999999", "-99999999999999999999"})
        EXPECT_EQ(report("2024", m).text, feasts) << m;
}

TEST(RangeMessage, AtStartWithTheHintTexts) {
    EXPECT_STREQ(kKalYearHint, "[Hier das Jahr eingeben]");
    EXPECT_STREQ(kKalMonthHint, "[Hier das Monat eingeben]");
    const KalReport r = report(kKalYearHint, kKalMonthHint);
    EXPECT_EQ(r.text, kRangeMessage);
    EXPECT_TRUE(is_proportional(r));  // the month reads as 0
}

TEST(RangeMessage, FontFollowsTheMonth) {
    EXPECT_TRUE(is_fixed(report("99", "5")));
    EXPECT_TRUE(is_proportional(report("99", "0")));
    EXPECT_TRUE(is_proportional(report("99", "13")));
}

TEST(RangeMessage, YearsOutsideTheRange) {
    for (const char* y : {"99", "10001", "0", "-2024", "",
                          "99999999999999999999",  // far beyond int
                          "2147483648", "-2147483649", "4294969320",
                          "1234567890123456789012345"}) {
        for (const char* m : {"0", "5"})
            EXPECT_EQ(report(y, m).text, kRangeMessage) << y << " " << m;
    }
    EXPECT_NE(report("100", "1").text, kRangeMessage);
    EXPECT_NE(report("10000", "0").text, kRangeMessage);
}

TEST(EntryReading, LeadingBlanksSignAndTrailingText) {
    EXPECT_EQ(report(" \t 2024xyz", "+3").text, report("2024", "3").text);
    EXPECT_EQ(report("2024", " 03 Maerz").text, report("2024", "3").text);
}

TEST(EntryToInt, AgreesWithAtoiWhereTheNumberFits) {
    for (const char* t :
         {"", "0", "7", "-7", "+7", "  42", "\t\n\v\f\r 42", "42abc", "4 2",
          "abc", "-", "+", "--5", "+-5", "-+5", " - 5", "0x1A", "007",
          "000000000000000000000012", "2147483647", "-2147483648",
          "[Hier das Jahr eingeben]", "10000", "-0", "1e5", "12.5"}) {
        EXPECT_EQ(kalender_entrytoint(t), std::atoi(t)) << '"' << t << '"';
    }
}

TEST(EntryToInt, SaturatesInsteadOfOverflowing) {
    EXPECT_EQ(kalender_entrytoint("2147483648"), INT_MAX);
    EXPECT_EQ(kalender_entrytoint("-2147483649"), INT_MIN);
    EXPECT_EQ(kalender_entrytoint("4294967297"), INT_MAX);  // would wrap to 1
    EXPECT_EQ(kalender_entrytoint("9999999999999999999999999"), INT_MAX);
    EXPECT_EQ(kalender_entrytoint("-9999999999999999999999999"), INT_MIN);
    EXPECT_EQ(kalender_entrytoint(std::string(1000, '9').c_str()), INT_MAX);
    EXPECT_EQ(kalender_entrytoint(nullptr), 0);
}

TEST(Stepping, WrapPoints) {
    EXPECT_EQ(kalender_next_year("10000"), 100);
    EXPECT_EQ(kalender_next_year("9999"), 10000);
    EXPECT_EQ(kalender_prev_year("100"), 10000);
    EXPECT_EQ(kalender_prev_year("101"), 100);
    EXPECT_EQ(kalender_next_month("11"), 12);
    EXPECT_EQ(kalender_next_month("12"), 0);
    EXPECT_EQ(kalender_next_month("0"), 1);
    EXPECT_EQ(kalender_prev_month("1"), 0);
    EXPECT_EQ(kalender_prev_month("0"), 12);
}

TEST(Stepping, WhateverTheEntriesHold) {
    EXPECT_EQ(kalender_next_year(kKalYearHint), 1);
    EXPECT_EQ(kalender_prev_year(kKalYearHint), 10000);
    EXPECT_EQ(kalender_next_month(kKalMonthHint), 1);
    EXPECT_EQ(kalender_prev_month(kKalMonthHint), 12);
    EXPECT_EQ(kalender_next_year("50"), 51);    // below the range: no wrap
    EXPECT_EQ(kalender_prev_year("20000"), 19999);  // above: no wrap
    EXPECT_EQ(kalender_prev_month("20"), 19);   // still above 12
    EXPECT_EQ(kalender_prev_month("13"), 12);
    EXPECT_EQ(kalender_next_month("-5"), -4);
}

TEST(Stepping, NoOverflowAtTheIntLimits) {
    const std::string huge(30, '9');
    const std::string tiny = "-" + huge;
    EXPECT_EQ(kalender_next_year(huge.c_str()), 100);
    EXPECT_EQ(kalender_next_year("2147483647"), 100);
    EXPECT_EQ(kalender_prev_year(tiny.c_str()), 10000);
    EXPECT_EQ(kalender_prev_year("-2147483648"), 10000);
    EXPECT_EQ(kalender_prev_year("2147483647"), 2147483646);
    EXPECT_EQ(kalender_next_year("-2147483648"), -2147483647);
    EXPECT_EQ(kalender_next_month(huge.c_str()), 0);
    EXPECT_EQ(kalender_prev_month(tiny.c_str()), 12);
    EXPECT_EQ(kalender_prev_month("2147483647"), 2147483646);
    EXPECT_EQ(kalender_next_month("-2147483648"), -2147483647);
}

TEST(InfoText, BytesAndSize) {
    const std::string t = kalender_info_text();
    const std::string head = "\n Mein erstes GTK+ Programm\n\n by ";
    const std::string tail =
        "\n\n Dieses Programm wird so wie es ist"
        "\n ohne Garantie zur Verf\xFCgung gestellt."
        "\n Es k\xF6nnte Bugs enthalten, so dass die"
        "\n Verwendung dieses Tools auf eigenes"
        "\n Risiko erfolgt. \n";
    ASSERT_GT(t.size(), head.size() + tail.size());
    EXPECT_EQ(t.substr(0, head.size()), head);
    EXPECT_EQ(t.substr(t.size() - tail.size()), tail);
    // Author and address lines in between: "NAME\n\n ADDRESS ".
    const std::string mid = t.substr(head.size(), t.size() - head.size() - tail.size());
    const std::size_t gap = mid.find("\n\n ");
    ASSERT_NE(gap, std::string::npos);
    EXPECT_GT(gap, 0u);
    EXPECT_EQ(mid.back(), ' ');
    EXPECT_EQ(mid.find('\n', gap + 3), std::string::npos);
    // ISO-8859-1 umlauts, one byte each; nothing else outside ASCII.
    int high = 0;
    for (unsigned char c : t) high += c >= 0x80;
    EXPECT_EQ(high, 2);
    EXPECT_LT(t.size() + 1, 256u);
}

// Every year and every month of the range: the texts stay inside the
// program's buffers (1024 bytes, lines under 256), the month view shows each
// day of the month exactly once, and every feast day falls on its weekday.
TEST(Sweep, AllYearsAndMonths) {
    const char* weekday_of_feast[] = {"Ostern ist am Sonntag,",
                                      "Ch. Himmelf. ist am Donnerstag,",
                                      "Pfingsten ist am Sonntag,",
                                      "Fronleichnam ist am Donnerstag,",
                                      "Aschermittwoch ist am Mittwoch,"};
    char ytext[16], mtext[16];
    for (int y = 100; y <= 10000; ++y) {
        std::snprintf(ytext, sizeof ytext, "%d", y);
        for (int m = 0; m <= 12; ++m) {
            std::snprintf(mtext, sizeof mtext, "%d", m);
            const std::string t = report(ytext, mtext).text;
            ASSERT_LT(t.size(), 1024u) << y << "/" << m;
            std::size_t start = 0;
            while (start <= t.size()) {
                std::size_t end = t.find('\n', start);
                if (end == std::string::npos) end = t.size();
                ASSERT_LT(end - start, 256u);
                start = end + 1;
            }
            if (m == 0) {
                for (const char* f : weekday_of_feast)
                    ASSERT_NE(t.find(f), std::string::npos) << y << ": " << f << t;
                continue;
            }
            // The grid: rows of a 7- (with week number) or 4-character head
            // and 4-character cells; the days in order, gaps only before
            // the 1st.
            const std::size_t grid_begin = t.find("So ") + 3;
            const std::size_t grid_end = t.find("\n\n  1. ");
            ASSERT_NE(grid_end, std::string::npos);
            const std::size_t head = y > 1582 ? 7 : 4;
            int expect = 1;
            std::size_t pos = grid_begin;
            while (pos < grid_end) {
                ASSERT_EQ(t[pos], '\n');
                std::size_t eol = t.find('\n', pos + 1);
                if (eol > grid_end) eol = grid_end;
                const std::string row = t.substr(pos + 1, eol - pos - 1);
                pos = eol;
                if (row == "    ") continue;  // after a closing Sunday, up to 1582
                ASSERT_GE(row.size(), head + 4) << y << "/" << m;
                ASSERT_EQ((row.size() - head) % 4, 0u) << y << "/" << m;
                ASSERT_LE((row.size() - head) / 4, 7u);
                for (std::size_t c = head; c < row.size(); c += 4) {
                    const std::string cell = row.substr(c, 4);
                    if (cell == "    ") {
                        ASSERT_EQ(expect, 1) << y << "/" << m;  // leading gap
                        continue;
                    }
                    ASSERT_EQ(cell, (expect < 10 ? "  " : " ") + std::to_string(expect) + " ");
                    expect = (y == 1582 && m == 10 && expect == 4) ? 15 : expect + 1;
                }
            }
            ASSERT_EQ(expect - 1, lastdayofmonth(m, y)) << y << "/" << m;
        }
    }
}
