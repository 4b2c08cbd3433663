// SPDX-License-Identifier: MIT
// The place file reader against hostile files: nothing there, nothing in
// it, only line ends, binary data, files far beyond the 200001-byte limit,
// things that are not files (directory, FIFO, device, symbolic link loop),
// very long lines, too many places, and a file replaced between two loads.
// Every load runs in a forked child with a deadline (alarm), so that a hang
// or a crash is reported as such instead of stopping the test run; the
// child leaves the table in shared memory.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "nachtblick/places.h"
#include "nachtblick/tests/scratch_dir.h"

namespace {

const char kBuiltIn[] = "Sankt Poelten (Austria)";
const char kBerlin[] = "52 N 31  013 E 24 Berlin\n";
const char kWien[] = "48 N 12  016 E 22 Wien\n";

struct Loaded {
  int result, jan;
  Place table[PLACE_SLOTS];
};

// load_places_from in a child that gets ten seconds, into memory shared
// with this process; false when it did not finish (a hang or a crash is a
// test failure as well).
bool load_in_child(const std::string &path, int jan_start, Loaded *out) {
  void *shared =
      mmap(nullptr, sizeof *out, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
  if (shared == MAP_FAILED) return false;
  std::fflush(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    alarm(10);
    Loaded *r = static_cast<Loaded *>(shared);
    r->jan = jan_start;
    r->result = load_places_from(path.c_str(), r->table, &r->jan);
    _exit(0);
  }
  int status = -1;
  if (pid > 0) waitpid(pid, &status, 0);
  if (WIFSIGNALED(status)) {
    ADD_FAILURE() << (WTERMSIG(status) == SIGALRM ? "no result within the deadline"
                                                  : "the load crashed, signal ")
                  << WTERMSIG(status);
  }
  std::memcpy(out, shared, sizeof *out);
  munmap(shared, sizeof *out);
  return pid > 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::vector<std::string> names_of(const Place table[PLACE_SLOTS]) {
  std::vector<std::string> names;
  for (int i = 0; i < place_count(table); ++i) names.push_back(table[i].name);
  return names;
}

// The table keeps its shape whatever the file held.
void expect_sound_table(const Place table[PLACE_SLOTS]) {
  const int count = place_count(table);
  EXPECT_GE(count, 1);
  for (int i = 0; i < PLACE_SLOTS; ++i) {
    const Place &p = table[i];
    EXPECT_NE(std::memchr(p.name, '\0', sizeof p.name), nullptr) << i;
    if (i >= count) {
      EXPECT_TRUE(p.used == 0 && p.name[0] == '\0') << i;
      continue;
    }
    EXPECT_TRUE(p.lat_deg >= 0 && p.lat_deg <= 90 && p.lat_min >= 0 && p.lat_min <= 59) << i;
    EXPECT_TRUE(p.lon_deg >= 0 && p.lon_deg <= 180 && p.lon_min >= 0 && p.lon_min <= 59) << i;
    EXPECT_TRUE(p.latitude >= -90 && p.latitude <= 90) << i;
    EXPECT_TRUE(p.longitude >= -180 && p.longitude <= 180) << i;
  }
}

// Fixed pseudo-random bytes, every value 0..255 possible.
std::string binary_bytes(size_t n, uint32_t seed) {
  std::string s(n, '\0');
  for (char &c : s) c = static_cast<char>((seed = seed * 1664525u + 1013904223u) >> 24);
  return s;
}

// Puts something at the place file's name in a scratch directory.
using Make = std::function<void(const ScratchDir &, const std::string &path)>;
Make contents(const std::string &text) {
  return [text](const ScratchDir &dir, const std::string &) { dir.write(text); };
}

}  // namespace

TEST(HostilePlaces, EachFileLoadsInTimeWithoutCrashAndGivesTheRightTable) {
  // 40 valid places, each behind a long comment line and a line cut short
  // by a NUL byte, with line ends of every kind: the first 32 count.
  std::string forty;
  std::vector<std::string> first32;
  const char *const ends[] = {"\n", "\r", "\r\n", "\n\r"};
  for (int i = 0; i < 40; ++i) {
    char line[64];
    std::snprintf(line, sizeof line, "%02d N %02d  %03d W %02d Place %d", i % 90, i % 60, i, i % 60,
                  i);
    forty += ";" + std::string(4000, 'c') + ends[i % 4];
    forty += std::string("52 N\0 31  013 E 24 Ber", 23) + ends[(i + 1) % 4];
    forty += line + std::string(ends[(i + 2) % 4]);
    if (i < 32) first32.push_back("Place " + std::to_string(i));
  }
  // A place line that the 200001-byte limit cuts after "Wien", with comment
  // lines of filler before it and places beyond the limit up to 300 KB.
  std::string cut = kBerlin;
  const std::string kept = "48 N 12  016 E 22 Wien";
  while (cut.size() + kept.size() + 1000 < 200001) cut += ";" + std::string(998, 'f') + "\n";
  cut += ";" + std::string(200001 - cut.size() - kept.size() - 2, 'f') + "\n";
  cut += kept + " Hauptbahnhof\n";
  while (cut.size() < 300 * 1024) cut += "10 N 00  010 E 00 Beyond\n";

  int fifo_writer = -1;
  const struct {
    const char *what;
    int jan_start, result;
    std::vector<std::string> names;  // empty: the built-in place alone
    int jan;                         // afterwards; -1: not checked
    Make make;
  } cases[] = {
      {"missing file", 2, 0, {}, 2, [](auto &, auto &) {}},
      {"empty file", 2, 0, {}, 2, contents("")},
      {"no place in it", 2, 1, {}, 2, contents("no place here\n")},
      {"only CRs", 1, 1, {}, 1, contents(std::string(100000, '\r'))},
      {"only line ends and NUL bytes", 0, 1, {}, 0, contents([] {
         std::string s;
         for (int i = 0; i < 5000; ++i) s += std::string("\r\n\0\n\r", 5);
         return s;
       }())},
      {"binary data with a place line inside",
       1,
       1,
       {"*Berlin"},
       -1,
       contents(binary_bytes(40000, 7) + "\n" + kBerlin + binary_bytes(40000, 11))},
      {"300 KB: only the first 200001 bytes count", 1, 1, {"Berlin", "Wien"}, 1, contents(cut)},
      {"300 KB of percent signs before a place: they are not counted",
       1,
       1,
       {"Wien"},
       1,
       contents(std::string(300 * 1024, '%') + kWien)},
      {"50 MB sparse file",
       1,
       1,
       {"Berlin"},
       2,
       [](auto &dir, auto &path) {
         dir.write(std::string(kBerlin) + "A \n");
         const off_t size = 50L * 1024 * 1024;
         const std::string tail = std::string("\n") + kWien + "D \n";
         const int fd = open(path.c_str(), O_WRONLY);
         ASSERT_EQ(ftruncate(fd, size), 0);
         ASSERT_EQ(pwrite(fd, tail.data(), tail.size(), size - static_cast<off_t>(tail.size())),
                   static_cast<ssize_t>(tail.size()));
         close(fd);
       }},
      {"a directory", 2, 0, {}, 2, [](auto &, auto &p) { ASSERT_EQ(mkdir(p.c_str(), 0700), 0); }},
      {"a FIFO without a writer",
       1,
       0,
       {},
       1,
       [](auto &, auto &p) { ASSERT_EQ(mkfifo(p.c_str(), 0600), 0); }},
      {"a FIFO with a writer that never closes it",
       1,
       0,
       {},
       1,
       [&fifo_writer](auto &, auto &path) {
         ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
         fifo_writer = open(path.c_str(), O_RDWR | O_NONBLOCK);
         ASSERT_GT(write(fifo_writer, kBerlin, std::strlen(kBerlin)), 0);
       }},
      {"a symbolic link loop",
       2,
       0,
       {},
       2,
       [](auto &dir, auto &path) {
         ASSERT_EQ(symlink(dir.path("other").c_str(), path.c_str()), 0);
         ASSERT_EQ(symlink(path.c_str(), dir.path("other").c_str()), 0);
       }},
      {"a dangling symbolic link",
       1,
       0,
       {},
       1,
       [](auto &dir, auto &p) { ASSERT_EQ(symlink(dir.path("nowhere").c_str(), p.c_str()), 0); }},
      {"a symbolic link to an endless device",
       1,
       0,
       {},
       1,
       [](auto &, auto &p) { ASSERT_EQ(symlink("/dev/zero", p.c_str()), 0); }},
      {"a symbolic link to a place file",
       1,
       1,
       {"Wien"},
       1,
       [](auto &dir, auto &path) {
         dir.write(kWien, "real.conf");
         ASSERT_EQ(symlink(dir.path("real.conf").c_str(), path.c_str()), 0);
       }},
      {"lines of 10000 characters",
       1,
       1,
       {std::string(39, 'x'), "", "Wien"},
       2,
       contents("52 N 31  013 E 24 " + std::string(10000, 'x') + "\n" +  // name cut to 39
                std::string(10000, ' ') + "\n" +                         // blanks only
                "A " + std::string(9998, 'a') + "\r" +                   // option line
                "; " + std::string(9998, '9') + "\n" +                   // comment
                "52 N 31  013 E 24" + std::string(10000, ' ') + "\n" +   // empty name
                std::string(10000, '\t') + "\n" + kWien)},
      {"40 valid places among long lines, NUL bytes and every line end", 1, 1, first32, 1,
       contents(forty)},
  };

  for (const auto &c : cases) {
    SCOPED_TRACE(c.what);
    ScratchDir dir;
    c.make(dir, dir.path());
    if (HasFatalFailure()) return;
    Loaded out;
    const bool finished = load_in_child(dir.path(), c.jan_start, &out);
    if (fifo_writer >= 0) close(fifo_writer), fifo_writer = -1;
    ASSERT_TRUE(finished);
    EXPECT_EQ(out.result, c.result);
    expect_sound_table(out.table);
    const std::vector<std::string> names = names_of(out.table);
    if (c.names.empty()) {
      EXPECT_EQ(names, std::vector<std::string>{kBuiltIn});
      EXPECT_EQ(out.table[0].used, 1);
      EXPECT_DOUBLE_EQ(out.table[0].longitude, 15.61667);
    } else if (c.names[0][0] == '*') {  // binary data: this name among others
      EXPECT_NE(std::find(names.begin(), names.end(), c.names[0].substr(1)), names.end());
    } else {
      EXPECT_EQ(names, c.names);
    }
    if (c.jan >= 0) {
      EXPECT_EQ(out.jan, c.jan);
    }
  }
}

// The file is replaced, emptied, turned into a directory or removed between
// loads: every load sees what stands at the name then and nothing of the
// load before, in a child and in this process into the table of the
// previous load.
TEST(HostilePlaces, FileReplacedBetweenLoads) {
  const std::string three = std::string(kBerlin) + "34 s 36  058 W 22 Buenos Aires\n" + kWien;
  const std::vector<std::string> all3 = {"Berlin", "Buenos Aires", "Wien"}, none = {kBuiltIn};
  const struct {
    const char *what;
    Make change;
    int result;
    std::vector<std::string> names;
    int jan;
  } steps[] = {
      {"three places", contents(three + "A \n"), 1, all3, 2},
      {"renamed over by a file with one place",
       [](auto &dir, auto &path) {
         dir.write(std::string(kWien) + "E \n", "new");
         ASSERT_EQ(rename(dir.path("new").c_str(), path.c_str()), 0);
       },
       1,
       {"Wien"},
       0},
      {"truncated in place", [](auto &, auto &p) { ASSERT_EQ(truncate(p.c_str(), 0), 0); }, 0, none,
       0},
      {"rewritten in place, longer", contents(three), 1, all3, 0},
      {"replaced by a directory",
       [](auto &dir, auto &path) {
         dir.remove();
         ASSERT_EQ(mkdir(path.c_str(), 0700), 0);
       },
       0, none, 0},
      {"replaced by a link to a file with two places",
       [](auto &dir, auto &path) {
         dir.remove();
         dir.write(std::string(kWien) + kBerlin + "d \n", "two");
         ASSERT_EQ(symlink(dir.path("two").c_str(), path.c_str()), 0);
       },
       1,
       {"Wien", "Berlin"},
       1},
      {"removed", [](auto &dir, auto &) { dir.remove(); }, 0, none, 1},
  };
  ScratchDir dir;
  Place table[PLACE_SLOTS];
  int jan = 1;
  for (const auto &s : steps) {
    SCOPED_TRACE(s.what);
    s.change(dir, dir.path());
    if (HasFatalFailure()) return;
    Loaded out;
    ASSERT_TRUE(load_in_child(dir.path(), jan, &out));
    EXPECT_EQ(out.result, s.result);
    EXPECT_EQ(names_of(out.table), s.names);
    EXPECT_EQ(out.jan, s.jan);
    expect_sound_table(out.table);
    jan = out.jan;
    int jan_here = jan;
    load_places_from(dir.path().c_str(), table, &jan_here);
    EXPECT_EQ(names_of(table), s.names);
  }
}
