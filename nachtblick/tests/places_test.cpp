// SPDX-License-Identifier: MIT
// The place file: line ends, comments, columns, clamping, names, option
// lines and the program's own table. Files that are missing, empty, huge,
// binary or not regular files are in hostile_places_test.cpp.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "nachtblick/places.h"
#include "nachtblick/tests/scratch_dir.h"

namespace {

class PlaceFile : public ::testing::Test {
 protected:
  // Loads `contents` from a file; returns load_places_from's result.
  int load(const std::string &contents, int jan_start = 1) {
    dir_.write(contents);
    jan_ = jan_start;
    return load_places_from(dir_.path().c_str(), table_, &jan_);
  }
  // Every place in use: "name|lat_deg lat_min N|lon_deg lon_min E|used|latitude longitude".
  std::vector<std::string> rows() const {
    std::vector<std::string> out;
    for (int i = 0; i < place_count(table_); ++i) {
      const Place &p = table_[i];
      char row[128];
      std::snprintf(row, sizeof row, "%s|%d %d %c|%d %d %c|%d|%.5f %.5f", p.name, p.lat_deg,
                    p.lat_min, p.north ? 'N' : 'S', p.lon_deg, p.lon_min, p.east ? 'E' : 'W',
                    p.used, p.latitude, p.longitude);
      out.push_back(row);
    }
    return out;
  }
  ScratchDir dir_;
  Place table_[PLACE_SLOTS];
  int jan_ = 1;
};

const char kBerlin[] = "52 N 31  013 E 24 Berlin";
const char kBuenos[] = "34 s 36  058 W 22   Buenos Aires  ";
const std::string kBerlinRow = "Berlin|52 31 N|13 24 E|1|52.51667 13.40000";

}  // namespace

TEST_F(PlaceFile, ExampleLines) {
  EXPECT_EQ(load(std::string(kBerlin) + "\n" + kBuenos + "\n; " + kBerlin + "\nA Jaenner\n"), 1);
  // The first place takes over the built-in slot, whose use count goes up again.
  EXPECT_EQ(rows(),
            (std::vector<std::string>{"Berlin|52 31 N|13 24 E|2|52.51667 13.40000",
                                      "Buenos Aires|34 36 S|58 22 W|1|-34.60000 -58.36667"}));
  EXPECT_EQ(jan_, 2);
}

TEST_F(PlaceFile, LineEndsAllWork) {
  for (const char *eol : {"\n", "\r", "\r\n"}) {
    EXPECT_EQ(load(std::string(kBerlin) + eol + kBuenos + eol + "10 N 00  010 E 00 Last"), 1);
    ASSERT_EQ(place_count(table_), 3) << "line end " << int(eol[0]);  // no final line end
    EXPECT_STREQ(table_[2].name, "Last");
  }
}

TEST_F(PlaceFile, PercentCommentsShortLinesAndColumns) {
  // '%' is removed before the columns are read, so it shifts them.
  EXPECT_EQ(load("5%2 N 31  013 E 24 Berlin\n52 N 31  013 E 24 Ber%%lin\n52 N 31  0%3 E 24 Gone\n"
                 "; 52 N 31  013 E 24 A\n: 52 N 31  013 E 24 B\n, 52 N 31  013 E 24 C\n"
                 "52 N 31  013 E 2\n"   // 16 characters: long enough
                 "52 N 31  013 E \n"    // 15 characters: ignored
                 "52 N 31  013 E 24\n"  // 17 characters: empty name
                 "52 X 31  013 E 24 NoLatitude\n"
                 "52 n 31   013 e 24Shifted\n"),  // longitude one column right, lower case
            1);
  EXPECT_EQ(rows(), (std::vector<std::string>{"Berlin|52 31 N|13 24 E|2|52.51667 13.40000",
                                              kBerlinRow, "|52 31 N|13 2 E|1|52.51667 13.03333",
                                              "|52 31 N|13 24 E|1|52.51667 13.40000",
                                              "Shifted|52 31 N|13 24 E|1|52.51667 13.40000"}));
}

TEST_F(PlaceFile, ClampingAndZeroPoint) {
  EXPECT_EQ(load("90 N 30  180 W 45 Pol\n00 N 00  000 E 00 Null\n99 S 75  999 O 99 Big\n"
                 "-5 N -5  -10 W -3 Negative\n"),
            1);
  EXPECT_EQ(rows(), (std::vector<std::string>{"Pol|90 0 N|180 0 W|2|90.00000 -180.00000",
                                              "Null|0 0 N|0 1 E|1|0.00000 0.01667",
                                              "Big|90 0 S|180 0 E|1|-90.00000 180.00000",
                                              "Negative|0 0 N|0 1 W|1|0.00000 -0.01667"}));
}

TEST_F(PlaceFile, NamesAreTrimmedAndCutTo39Characters) {
  load("52 N 31  013 E 24 " + std::string(50, 'x') +
       "\n52 N 31  013 E 24 \t  Twenty characters!!   \t\n52 N 31  013 E 24 inner  blanks stay\n");
  ASSERT_EQ(place_count(table_), 3);
  EXPECT_EQ(std::string(table_[0].name), std::string(39, 'x'));
  EXPECT_STREQ(table_[1].name, "Twenty characters!!");
  EXPECT_STREQ(table_[2].name, "inner  blanks stay");
}

TEST_F(PlaceFile, OptionLinesLastOneDecides) {
  const struct {
    const char *text;
    int jan;
  } cases[] = {{"A \nD \n", 1},
               {"d \na Jaenner\n", 2},
               {"e x\n", 0},
               {"Aexample\n52 N 31  013 E 24 Berlin\n", 7}};  // no blank after the letter
  for (const auto &c : cases) {
    load(c.text, 7);
    EXPECT_EQ(jan_, c.jan) << c.text;
  }
}

TEST(ProgramTable, ReadsTheWorkingDirectory) {
  const int saved = january_variant;
  {
    ScratchDir dir(true);
    dir.write(std::string(kBerlin) + "\nA \n");
    EXPECT_EQ(load_places(), 1);
    EXPECT_STREQ(place_table[0].name, "Berlin");
    EXPECT_EQ(january_variant, 2);
  }
  january_variant = saved;
  load_places();
}
