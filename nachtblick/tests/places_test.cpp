// The place file: line ends, comments, columns, clamping, limits, option
// lines, and files that are not regular files.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "nachtblick/places.h"

namespace {

class PlaceFile : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/nbplacesXXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir_ = tmpl;
    path_ = dir_ + "/gtknblick.conf";
  }
  void TearDown() override {
    std::string cmd = "rm -rf '" + dir_ + "'";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
  }
  void write(const std::string &contents) {
    FILE *f = std::fopen(path_.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(contents.data(), 1, contents.size(), f);
    std::fclose(f);
  }
  // Loads the file; returns load_places_from's result.
  int load(int jan_start = 1) {
    jan_ = jan_start;
    return load_places_from(path_.c_str(), table_, &jan_);
  }
  std::string dir_, path_;
  Place table_[PLACE_SLOTS];
  int jan_ = 1;
};

const char kBerlin[] = "52 N 31  013 E 24 Berlin";
const char kBuenos[] = "34 s 36  058 W 22   Buenos Aires  ";

void expect_builtin_only(const Place table[PLACE_SLOTS]) {
  EXPECT_EQ(place_count(table), 1);
  EXPECT_STREQ(table[0].name, "Sankt Poelten (Austria)");
  EXPECT_EQ(table[0].lat_deg, 48);
  EXPECT_EQ(table[0].lat_min, 12);
  EXPECT_EQ(table[0].lon_deg, 15);
  EXPECT_EQ(table[0].lon_min, 37);
  EXPECT_EQ(table[0].used, 1);
  EXPECT_DOUBLE_EQ(table[0].latitude, 48.2);
  EXPECT_DOUBLE_EQ(table[0].longitude, 15.61667);
}

}  // namespace

TEST_F(PlaceFile, ExampleLines) {
  write(std::string(kBerlin) + "\n" + kBuenos + "\n; 52 N 31  013 E 24 Berlin\nA Jaenner\n");
  EXPECT_EQ(load(), 1);
  ASSERT_EQ(place_count(table_), 2);
  const Place &b = table_[0];
  EXPECT_EQ(b.used, 2);  // the built-in slot is incremented again
  EXPECT_STREQ(b.name, "Berlin");
  EXPECT_EQ(b.lat_deg * 100 + b.lat_min, 5231);
  EXPECT_EQ(b.lon_deg * 100 + b.lon_min, 1324);
  EXPECT_EQ(b.north, 1);
  EXPECT_EQ(b.east, 1);
  EXPECT_NEAR(b.latitude, 52.51667, 1e-5);
  EXPECT_NEAR(b.longitude, 13.4, 1e-12);
  const Place &a = table_[1];
  EXPECT_EQ(a.used, 1);
  EXPECT_STREQ(a.name, "Buenos Aires");
  EXPECT_EQ(a.north, 0);
  EXPECT_EQ(a.east, 0);
  EXPECT_EQ(a.lat_deg * 100 + a.lat_min, 3436);
  EXPECT_EQ(a.lon_deg * 100 + a.lon_min, 5822);
  EXPECT_NEAR(a.latitude, -34.6, 1e-12);
  EXPECT_NEAR(a.longitude, -58.36667, 1e-5);
  EXPECT_EQ(jan_, 2);
}

TEST_F(PlaceFile, LineEndsAllWork) {
  for (const char *eol : {"\n", "\r", "\r\n"}) {
    write(std::string(kBerlin) + eol + kBuenos + eol + "10 N 00  010 E 00 Last");  // no final end
    EXPECT_EQ(load(), 1);
    ASSERT_EQ(place_count(table_), 3) << "line end " << int(eol[0]);
    EXPECT_STREQ(table_[2].name, "Last");
  }
}

TEST_F(PlaceFile, PercentIsRemovedAndShiftsColumns) {
  write("5%2 N 31  013 E 24 Berlin\n52 N 31  013 E 24 Ber%%lin\n52 N 31  0%3 E 24 Gone\n");
  EXPECT_EQ(load(), 1);
  ASSERT_EQ(place_count(table_), 2);
  EXPECT_EQ(table_[0].lat_deg, 52);
  EXPECT_STREQ(table_[0].name, "Berlin");
  EXPECT_STREQ(table_[1].name, "Berlin");
}

TEST_F(PlaceFile, CommentsShortLinesAndGroups) {
  write("; 52 N 31  013 E 24 A\n: 52 N 31  013 E 24 B\n, 52 N 31  013 E 24 C\n"
        "52 N 31  013 E 2\n"            // 16 characters: long enough
        "52 N 31  013 E \n"             // 15 characters: ignored
        "52 N 31  013 E 24\n"           // 17 characters: empty name
        "52 X 31  013 E 24 NoLatitude\n"
        "52 n 31   013 e 24Shifted\n");  // longitude one column right, lower case
  EXPECT_EQ(load(), 1);
  ASSERT_EQ(place_count(table_), 3);
  EXPECT_EQ(table_[0].lon_min, 2);
  EXPECT_STREQ(table_[1].name, "");
  EXPECT_EQ(table_[2].lon_deg, 13);
  EXPECT_EQ(table_[2].lon_min, 24);
  EXPECT_EQ(table_[2].east, 1);
  EXPECT_STREQ(table_[2].name, "Shifted");
}

TEST_F(PlaceFile, ClampingAndZeroPoint) {
  write("90 N 30  180 W 45 Pol\n00 N 00  000 E 00 Null\n99 S 75  999 O 99 Big\n"
        "-5 N -5  -10 W -3 Negative\n");
  EXPECT_EQ(load(), 1);
  ASSERT_EQ(place_count(table_), 4);
  EXPECT_EQ(table_[0].lat_min, 0);
  EXPECT_EQ(table_[0].lon_min, 0);
  EXPECT_DOUBLE_EQ(table_[0].latitude, 90.0);
  EXPECT_DOUBLE_EQ(table_[0].longitude, -180.0);
  EXPECT_EQ(table_[1].lon_min, 1);
  EXPECT_NEAR(table_[1].longitude, 1.0 / 60.0, 1e-12);
  EXPECT_EQ(table_[2].lat_deg, 90);
  EXPECT_EQ(table_[2].lat_min, 0);
  EXPECT_EQ(table_[2].lon_deg, 180);
  EXPECT_EQ(table_[2].lon_min, 0);
  EXPECT_DOUBLE_EQ(table_[2].latitude, -90.0);
  EXPECT_DOUBLE_EQ(table_[2].longitude, 180.0);
  EXPECT_EQ(table_[3].lat_deg + table_[3].lat_min + table_[3].lon_deg, 0);
  EXPECT_EQ(table_[3].lon_min, 1);
}

TEST_F(PlaceFile, AtMost32Places) {
  std::string text;
  for (int i = 0; i < 40; ++i) {
    char line[64];
    std::snprintf(line, sizeof line, "%02d N 00  010 E 00 Place %d\n", i, i);
    text += line;
  }
  write(text);
  EXPECT_EQ(load(), 1);
  EXPECT_EQ(place_count(table_), 32);
  EXPECT_STREQ(table_[31].name, "Place 31");
}

TEST_F(PlaceFile, NamesAreTrimmedAndCut) {
  const std::string long_name(50, 'x');
  write("52 N 31  013 E 24 " + long_name + "\n52 N 31  013 E 24 \t  Twenty characters!!   \t\n"
        "52 N 31  013 E 24 inner  blanks stay\n");
  EXPECT_EQ(load(), 1);
  EXPECT_EQ(std::string(table_[0].name), std::string(39, 'x'));
  EXPECT_STREQ(table_[1].name, "Twenty characters!!");
  EXPECT_STREQ(table_[2].name, "inner  blanks stay");
}

TEST_F(PlaceFile, OptionLinesLastOneDecides) {
  write("A \nD \n");
  load();
  EXPECT_EQ(jan_, 1);
  write("d \na Jaenner\n");
  load();
  EXPECT_EQ(jan_, 2);
  write("e x\n");
  load();
  EXPECT_EQ(jan_, 0);
  write("Aexample\n" + std::string(kBerlin) + "\n");  // no blank after the letter
  load(7);
  EXPECT_EQ(jan_, 7);
}

TEST_F(PlaceFile, MissingEmptyAndNonRegularFilesLeaveTheBuiltInPlace) {
  EXPECT_EQ(load(), 0);  // missing
  expect_builtin_only(table_);
  write("");
  EXPECT_EQ(load(), 0);
  expect_builtin_only(table_);
  write("no place here\n");
  EXPECT_EQ(load(), 1);
  expect_builtin_only(table_);
  // A FIFO must not block the window: it is treated as missing.
  ASSERT_EQ(unlink(path_.c_str()), 0);
  ASSERT_EQ(mkfifo(path_.c_str(), 0600), 0);
  EXPECT_EQ(load(), 0);
  expect_builtin_only(table_);
  ASSERT_EQ(unlink(path_.c_str()), 0);
  ASSERT_EQ(mkdir(path_.c_str(), 0700), 0);
  EXPECT_EQ(load(2), 0);
  expect_builtin_only(table_);
  EXPECT_EQ(jan_, 2);
}

TEST_F(PlaceFile, OnlyTheFirst200001BytesCount) {
  const std::string line = std::string(kBerlin) + "\n";
  std::string text(200001 - line.size() - 1, ' ');
  text += "\n" + line;  // ends exactly at byte 200001
  text += "10 N 00  010 E 00 Beyond\n";
  write(text);
  EXPECT_EQ(load(), 1);
  ASSERT_EQ(place_count(table_), 1);
  EXPECT_STREQ(table_[0].name, "Berlin");
}

TEST_F(PlaceFile, ReloadStartsAfresh) {
  write(std::string(kBerlin) + "\n" + kBuenos + "\n");
  load();
  ASSERT_EQ(place_count(table_), 2);
  write(std::string(kBuenos) + "\n");
  load();
  ASSERT_EQ(place_count(table_), 1);
  EXPECT_STREQ(table_[0].name, "Buenos Aires");
  EXPECT_EQ(table_[1].used, 0);
}

TEST_F(PlaceFile, ProgramTableReadsWorkingDirectory) {
  write(std::string(kBerlin) + "\nA \n");
  char old[4096];
  ASSERT_NE(getcwd(old, sizeof old), nullptr);
  ASSERT_EQ(chdir(dir_.c_str()), 0);
  const int saved = january_variant;
  EXPECT_EQ(load_places(), 1);
  EXPECT_STREQ(place_table[0].name, "Berlin");
  EXPECT_EQ(january_variant, 2);
  january_variant = saved;
  ASSERT_EQ(chdir(old), 0);
  load_places();
}
