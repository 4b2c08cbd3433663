// SPDX-License-Identifier: MIT
// The text front end: the same text as the reports, and one clear line on
// stderr with status 2 for every bad argument.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "nachtblick/cli.h"
#include "nachtblick/ical.h"
#include "nachtblick/reports.h"
#include "nachtblick/tests/scratch_dir.h"

namespace {

struct Result {
  int status;
  std::string out, err;
};

Result cli(std::vector<const char *> args) {
  args.insert(args.begin(), "nachtblick-report");
  Result r;
  r.status = run_report_cli(static_cast<int>(args.size()), args.data(), r.out, r.err);
  return r;
}

// Runs the tests in a directory of their own, with or without a place file.
class FrontEnd : public ::testing::Test {
 protected:
  ScratchDir dir_{true};
};

const char kFebruary2026[] =
    "\n        Februar 2026\n\n"
    " KW     Mo  Di  Mi  Do  Fr  Sa  So \n"
    " 05                              1 \n"
    " 06      2   3   4   5 [ 6]  7   8 \n"
    " 07      9  10  11  12  13  14  15 \n"
    " 08     16  17  18  19  20  21  22 \n"
    " 09     23  24  25  26  27  28 \n\n"
    "  1. Februar =  32. Tag des Jahres 2026 \n"
    " 28. Februar =  59. Tag des Jahres 2026 \n";

}  // namespace

TEST_F(FrontEnd, PrintsTheReportText) {
  Result r = cli({"calendar", "2026", "2", "--today", "2026-02-06"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, kFebruary2026);
  EXPECT_EQ(r.err, "");
  // Options may stand before the date, and in the --name=value form.
  r = cli({"--today=2026-02-06", "calendar", "2026", "2"});
  EXPECT_EQ(r.out, kFebruary2026);
  // Omitted texts read as the entries' initial texts: year and month 0 is
  // the range message for the calendar.
  r = cli({"calendar"});
  EXPECT_EQ(r.out, "\n Das Jahr muss im Bereich von\n 100 bis 10000 sein! \n");
  // A negative year is a text, not an option.
  r = cli({"calendar", "-5", "1"});
  EXPECT_EQ(r.status, 0);
}

TEST_F(FrontEnd, EveryViewMatchesItsReport) {
  dir_.write("52 N 31  013 E 24 Berlin\n34 S 36  058 W 22 Buenos Aires\nA \n");
  Place table[PLACE_SLOTS];
  int jan = 1;
  load_places_from("gtknblick.conf", table, &jan);
  const ReportInput in{"2024", "1", "15", {2026, 2, 6}, table, 1, jan};
  const char *args[] = {"2024", "1", "15", "--place", "1", "--today", "2026-02-06"};
  struct {
    const char *view;
    ReportText (*report)(const ReportInput &);
  } views[] = {{"calendar", calendar_report},
               {"moonphase", moonphase_report},
               {"seasons", seasons_report},
               {"riseset", riseset_report}};
  for (const auto &v : views) {
    std::vector<const char *> a{v.view};
    a.insert(a.end(), std::begin(args), std::end(args));
    const Result r = cli(a);
    EXPECT_EQ(r.status, 0) << v.view;
    EXPECT_EQ(r.out, v.report(in).text + "\n") << v.view;
  }
  EXPECT_NE(cli({"calendar", "2024", "1"}).out.find("Jaenner 2024"), std::string::npos);
  EXPECT_EQ(cli({"pi"}).out, pi_report().text + "\n");
  std::string ics, err;
  EXPECT_EQ(ical_report(2024, &table[1], {2026, 2, 6}, ics, err), 0);
  EXPECT_EQ(cli({"ical", "2024", "--place", "1", "--today", "2026-02-06"}).out, ics);
  EXPECT_EQ(cli({"places"}).out,
            " 0  Berlin                                    52.51667    13.40000\n"
            " 1  Buenos Aires                             -34.60000   -58.36667\n");
}

TEST_F(FrontEnd, BadArgumentsGiveOneLineAndStatus2) {
  dir_.write("52 N 31  013 E 24 Berlin\n34 S 36  058 W 22 Buenos Aires\n");
  const std::vector<std::vector<const char *>> bad = {
      {},
      {""},
      {"kalender"},
      {"Calendar"},
      {"pi", "2024"},
      {"places", "1"},
      {"calendar", "123456789"},
      {"calendar", "2024", "123456789"},
      {"calendar", "2024", "1", "         "},
      {"calendar", "2024", "1", "1", "1"},
      {"calendar", "\xc3\xa4\xc3\xa4\xc3\xa4\xc3\xa4\xc3\xa4\xc3\xa4\xc3\xa4\xc3\xa4\xc3\xa4"},
      {"calendar", "--", "2024", "1", "1", "1"},
      {"calendar", "--verbose"},
      {"calendar", "--placed", "1"},
      {"calendar", "--place"},
      {"calendar", "--place="},
      {"calendar", "--place", ""},
      {"calendar", "--place", "2"},
      {"calendar", "--place", "-1"},
      {"calendar", "--place", "32"},
      {"calendar", "--place", "x"},
      {"calendar", "--place", "+1"},
      {"calendar", "--place", " 1"},
      {"calendar", "--place", "0000000001"},
      {"calendar", "--place", "0", "--place", "1"},
      {"calendar", "--today"},
      {"calendar", "--today="},
      {"calendar", "--today", "2026-2-6"},
      {"calendar", "--today", "2026-02-30"},
      {"calendar", "--today", "1582-10-10"},
      {"calendar", "--today", "2026-02-06x"},
      {"calendar", "--today", "2026-02-06 "},
      {"calendar", "--today", "tomorrow"},
      {"calendar", "--today", "0000-01-01"},
      {"calendar", "--today", "10001-01-01"},
      {"calendar", "--today", "2023-02-29"},
      {"calendar", "--today", "1700-02-29"},
      {"ical"},
      {"ical", "999"},
      {"ical", "3001"},
      {"ical", "+2024"},
      {"ical", " 2024"},
      {"ical", "2024x"},
      {"ical", "2024", "6"},
      {"ical", "2024", "--place", "2"},
      {"ical", "20\n24"}};
  for (const auto &args : bad) {
    const Result r = cli(args);
    std::string shown;
    for (const char *a : args) shown += std::string(" '") + a + "'";
    EXPECT_EQ(r.status, 2) << shown;
    EXPECT_EQ(r.out, "") << shown;
    ASSERT_FALSE(r.err.empty()) << shown;
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << shown;
    EXPECT_EQ(r.err.rfind("nachtblick-report: ", 0), 0u) << shown;
  }
  EXPECT_EQ(cli({"calendar", "--place", "1", "2024", "1"}).status, 0);
  // Eight characters are counted, not bytes: eight umlauts fit an entry.
  const char eight[] = "\xc3\xa4\xc3\xa4\xc3\xa4\xc3\xa4\xc3\xa4\xc3\xa4\xc3\xa4\xc3\xa4";
  EXPECT_EQ(cli({"calendar", eight}).status, 0);
  // The ends of the date range and the Julian leap day are dates.
  for (const char *today : {"0001-01-01", "10000-12-31", "1500-02-29", "1582-10-04"})
    EXPECT_EQ(cli({"calendar", "--today", today}).status, 0) << today;
  EXPECT_EQ(cli({"--help"}).status, 0);
  EXPECT_NE(cli({"--help"}).out.find("Usage: nachtblick-report VIEW"), std::string::npos);
}

// The program itself: stdout, stderr and the exit status.
TEST_F(FrontEnd, ProgramPrintsTheSameText) {
  auto run = [](const std::string &args, std::string *out, std::string *err) {
    const int status = std::system((NB_REPORT_EXE + args + " > out.txt 2> err.txt").c_str());
    for (std::string *text : {out, err}) {
      std::ifstream file(text == out ? "out.txt" : "err.txt", std::ios::binary);
      *text = std::string(std::istreambuf_iterator<char>(file), {});
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  };
  std::string out, err;
  EXPECT_EQ(run(" calendar 2026 2 --today 2026-02-06", &out, &err), 0);
  EXPECT_EQ(out, kFebruary2026);
  EXPECT_EQ(err, "");
  EXPECT_EQ(run(" moon", &out, &err), 2);
  EXPECT_EQ(out, "");
  EXPECT_EQ(err, "nachtblick-report: unknown view 'moon' (see --help)\n");
}
