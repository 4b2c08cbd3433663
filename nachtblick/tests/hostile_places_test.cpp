// The place file reader against hostile files: nothing there, nothing in
// it, only line ends, binary data, files far beyond the 200001-byte limit,
// things that are not files (directory, FIFO, device, symbolic link loop),
// very long lines, too many places, and a file replaced between two loads.
//
// Every load runs in a forked child with a deadline (alarm), so that a hang
// or a crash is reported as such instead of stopping the test run; the
// child sends the table back through a pipe.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "nachtblick/places.h"

namespace {

const unsigned kDeadlineSeconds = 10;
const char kBuiltInName[] = "Sankt Poelten (Austria)";
const char kBerlin[] = "52 N 31  013 E 24 Berlin\n";
const char kWien[] = "48 N 12  016 E 22 Wien\n";

struct Outcome {
  bool finished = false;  // the child ended by itself
  int signal = 0;         // the signal that ended it, if any
  int result = -1;
  int jan = -1;
  Place table[PLACE_SLOTS];
};

// What the child writes into the pipe.
struct Report {
  int result;
  int jan;
  Place table[PLACE_SLOTS];
};

// load_places_from(path) in a child process that gets kDeadlineSeconds.
Outcome load_in_child(const std::string &path, int jan_start) {
  Outcome out;
  int fds[2];
  if (pipe(fds) != 0) {
    ADD_FAILURE() << "pipe: " << std::strerror(errno);
    return out;
  }
  std::fflush(nullptr);
  const pid_t pid = fork();
  if (pid < 0) {
    ADD_FAILURE() << "fork: " << std::strerror(errno);
    return out;
  }
  if (pid == 0) {
    close(fds[0]);
    alarm(kDeadlineSeconds);
    Report r;
    std::memset(&r, 0, sizeof r);
    r.jan = jan_start;
    r.result = load_places_from(path.c_str(), r.table, &r.jan);
    const char *p = reinterpret_cast<const char *>(&r);
    size_t left = sizeof r;
    while (left > 0) {
      const ssize_t n = write(fds[1], p, left);
      if (n <= 0) _exit(3);
      p += n;
      left -= static_cast<size_t>(n);
    }
    _exit(0);
  }
  close(fds[1]);
  Report r;
  char *p = reinterpret_cast<char *>(&r);
  size_t got = 0;
  while (got < sizeof r) {
    const ssize_t n = read(fds[0], p + got, sizeof r - got);
    if (n <= 0) break;
    got += static_cast<size_t>(n);
  }
  close(fds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  if (WIFSIGNALED(status)) out.signal = WTERMSIG(status);
  out.finished = WIFEXITED(status) && WEXITSTATUS(status) == 0 && got == sizeof r;
  if (out.finished) {
    out.result = r.result;
    out.jan = r.jan;
    std::memcpy(out.table, r.table, sizeof r.table);
  }
  return out;
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
    SCOPED_TRACE("slot " + std::to_string(i));
    const Place &p = table[i];
    EXPECT_NE(std::memchr(p.name, '\0', sizeof p.name), nullptr);
    if (i >= count) {
      EXPECT_EQ(p.used, 0);
      EXPECT_STREQ(p.name, "");
      continue;
    }
    EXPECT_TRUE(p.lat_deg >= 0 && p.lat_deg <= 90 && p.lat_min >= 0 && p.lat_min <= 59);
    EXPECT_TRUE(p.lon_deg >= 0 && p.lon_deg <= 180 && p.lon_min >= 0 && p.lon_min <= 59);
    EXPECT_TRUE(p.latitude >= -90 && p.latitude <= 90);
    EXPECT_TRUE(p.longitude >= -180 && p.longitude <= 180);
  }
}

std::string repeat(const std::string &piece, size_t count) {
  std::string s;
  s.reserve(piece.size() * count);
  for (size_t i = 0; i < count; ++i) s += piece;
  return s;
}

// Fixed pseudo-random bytes, every value 0..255 possible.
std::string binary_bytes(size_t n, uint32_t seed) {
  std::string s(n, '\0');
  for (size_t i = 0; i < n; ++i) {
    seed = seed * 1664525u + 1013904223u;
    s[i] = static_cast<char>(seed >> 24);
  }
  return s;
}

// The members are public: the cases below work on the fixture through a
// reference.
class HostilePlaces : public ::testing::Test {
 public:
  void SetUp() override {
    char tmpl[] = "/tmp/nbhostileXXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir_ = tmpl;
    path_ = dir_ + "/" + PLACE_FILE_NAME;
  }
  void TearDown() override {
    for (int fd : open_fds_) close(fd);
    ASSERT_EQ(std::system(("rm -rf '" + dir_ + "'").c_str()), 0);
  }
  void write(const std::string &contents) { write_to(path_, contents); }
  static void write_to(const std::string &path, const std::string &contents) {
    FILE *f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr) << path;
    ASSERT_EQ(std::fwrite(contents.data(), 1, contents.size(), f), contents.size());
    ASSERT_EQ(std::fclose(f), 0);
  }
  // Removes whatever stands at the file's name.
  void clear_path() { ASSERT_EQ(std::system(("rm -rf '" + path_ + "'").c_str()), 0); }

  std::string dir_, path_;
  std::vector<int> open_fds_;
};

struct HostileCase {
  const char *what;
  int jan_start;
  int result;                      // what load_places_from returns
  std::vector<std::string> names;  // the whole table; empty: the built-in place alone
  int jan;                         // january variant afterwards (-1: not checked)
  std::function<void(HostilePlaces &, const std::string &path)> make;
  const char *must_hold = nullptr;  // for binary data: a name that must be among the places
};
}  // namespace

TEST_F(HostilePlaces, EachFileLoadsInTimeWithoutCrashAndGivesTheRightTable) {
  const std::string forty = [] {
    // 40 valid places, each behind a long comment line, a line cut short by
    // a NUL byte, and line ends of every kind.
    const char *const ends[] = {"\n", "\r", "\r\n", "\n\r"};
    std::string s;
    for (int i = 0; i < 40; ++i) {
      s += ";" + std::string(4000, 'c') + ends[i % 4];  // 40 of them stay within the limit
      s += std::string("52 N\0 31  013 E 24 Ber", 23) + ends[(i + 1) % 4];
      char line[64];
      std::snprintf(line, sizeof line, "%02d N %02d  %03d W %02d Place %d", i % 90, i % 60, i,
                    i % 60, i);
      s += std::string(line) + ends[(i + 2) % 4];
    }
    return s;
  }();
  std::vector<std::string> first32;
  for (int i = 0; i < 32; ++i) first32.push_back("Place " + std::to_string(i));

  // A place line that the 200001-byte limit cuts after "Wien": a filler of
  // comment lines brings it to the right place.
  const std::string straddling = [] {
    std::string s = kBerlin;
    const std::string kept = "48 N 12  016 E 22 Wien";
    const size_t limit = 200001;
    while (s.size() + kept.size() + 1000 < limit) s += ";" + std::string(998, 'f') + "\n";
    const size_t last = limit - s.size() - kept.size();  // at least 2
    s += ";" + std::string(last - 2, 'f') + "\n";
    s += kept + " Hauptbahnhof\n";
    while (s.size() < 300 * 1024) s += "10 N 00  010 E 00 Beyond\n";
    return s;
  }();

  using Make = std::function<void(HostilePlaces &, const std::string &)>;
  const Make nothing = [](HostilePlaces &, const std::string &) {};
  const auto contents = [](std::string text) -> Make {
    return [text](HostilePlaces &h, const std::string &) { h.write(text); };
  };
  const std::vector<HostileCase> cases = {
      {"missing file", 2, 0, {}, 2, nothing},
      {"empty file", 2, 0, {}, 2, contents("")},
      {"only CRs", 1, 1, {}, 1, contents(std::string(100000, '\r'))},
      {"only line ends and NUL bytes", 0, 1, {}, 0,
       contents(repeat(std::string("\r\n\0\n\r", 5), 5000))},
      {"binary data with a place line inside", 1, 1, {}, -1,
       contents(binary_bytes(40000, 7) + "\n" + kBerlin + binary_bytes(40000, 11)), "Berlin"},
      {"300 KB: only the first 200001 bytes count", 1, 1, {"Berlin", "Wien"}, 1,
       contents(straddling)},
      {"300 KB of percent signs before a place: they are not counted", 1, 1, {"Wien"}, 1,
       contents(std::string(300 * 1024, '%') + kWien)},
      {"50 MB sparse file", 1, 1, {"Berlin"}, 2,
       [](HostilePlaces &h, const std::string &path) {
         h.write(std::string(kBerlin) + "A \n");
         const int fd = open(path.c_str(), O_WRONLY);
         ASSERT_GE(fd, 0);
         const off_t size = 50L * 1024 * 1024;
         ASSERT_EQ(ftruncate(fd, size), 0);
         const std::string tail = std::string("\n") + kWien + "D \n";
         ASSERT_EQ(pwrite(fd, tail.data(), tail.size(), size - static_cast<off_t>(tail.size())),
                   static_cast<ssize_t>(tail.size()));
         close(fd);
       }},
      {"a directory", 2, 0, {}, 2,
       [](HostilePlaces &, const std::string &path) { ASSERT_EQ(mkdir(path.c_str(), 0700), 0); }},
      {"a FIFO without a writer", 1, 0, {}, 1,
       [](HostilePlaces &, const std::string &path) { ASSERT_EQ(mkfifo(path.c_str(), 0600), 0); }},
      {"a FIFO with a writer that never closes it", 1, 0, {}, 1,
       [](HostilePlaces &h, const std::string &path) {
         ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
         const int fd = open(path.c_str(), O_RDWR | O_NONBLOCK);
         ASSERT_GE(fd, 0);
         h.open_fds_.push_back(fd);
         ASSERT_GT(::write(fd, kBerlin, std::strlen(kBerlin)), 0);
       }},
      {"a symbolic link loop", 2, 0, {}, 2,
       [](HostilePlaces &h, const std::string &path) {
         ASSERT_EQ(symlink((h.dir_ + "/other").c_str(), path.c_str()), 0);
         ASSERT_EQ(symlink(path.c_str(), (h.dir_ + "/other").c_str()), 0);
       }},
      {"a dangling symbolic link", 1, 0, {}, 1,
       [](HostilePlaces &h, const std::string &path) {
         ASSERT_EQ(symlink((h.dir_ + "/nowhere").c_str(), path.c_str()), 0);
       }},
      {"a symbolic link to an endless device", 1, 0, {}, 1,
       [](HostilePlaces &, const std::string &path) {
         ASSERT_EQ(symlink("/dev/zero", path.c_str()), 0);
       }},
      {"a symbolic link to a place file", 1, 1, {"Wien"}, 1,
       [](HostilePlaces &h, const std::string &path) {
         write_to(h.dir_ + "/real.conf", kWien);
         ASSERT_EQ(symlink((h.dir_ + "/real.conf").c_str(), path.c_str()), 0);
       }},
      {"lines of 10000 characters", 1, 1, {std::string(39, 'x'), "", "Wien"}, 2,
       contents("52 N 31  013 E 24 " + std::string(10000, 'x') + "\n" +  // name cut to 39
                std::string(10000, ' ') + "\n" +                         // blanks only
                "A " + std::string(9998, 'a') + "\r" +                   // option line
                "; " + std::string(9998, '9') + "\n" +                   // comment
                "52 N 31  013 E 24" + std::string(10000, ' ') + "\n" +    // empty name
                std::string(10000, '\t') + "\n" + kWien)},
      {"40 valid places among long lines, NUL bytes and every line end", 1, 1, first32, 1,
       contents(forty)},
  };

  for (const HostileCase &c : cases) {
    SCOPED_TRACE(c.what);
    clear_path();
    c.make(*this, path_);
    if (HasFatalFailure()) return;
    const Outcome out = load_in_child(path_, c.jan_start);
    ASSERT_TRUE(out.finished) << (out.signal == SIGALRM ? "no result within the deadline"
                                                        : "the load crashed")
                              << " (signal " << out.signal << ")";
    EXPECT_EQ(out.result, c.result);
    expect_sound_table(out.table);
    const std::vector<std::string> names = names_of(out.table);
    if (c.must_hold) {
      bool found = false;
      for (const std::string &n : names) found = found || n == c.must_hold;
      EXPECT_TRUE(found) << c.must_hold << " not among the places";
    } else if (c.names.empty()) {
      EXPECT_EQ(names, std::vector<std::string>{kBuiltInName});
      EXPECT_EQ(out.table[0].used, 1);
      EXPECT_DOUBLE_EQ(out.table[0].longitude, 15.61667);
    } else {
      EXPECT_EQ(names, c.names);
    }
    if (c.jan >= 0) {
      EXPECT_EQ(out.jan, c.jan);
    }
    for (int fd : open_fds_) close(fd);
    open_fds_.clear();
  }
}

// The file is replaced, emptied, turned into a directory or removed between
// loads: every load sees what stands at the name then, and nothing of the
// load before.
TEST_F(HostilePlaces, FileReplacedBetweenLoads) {
  const std::string three = std::string(kBerlin) + "34 s 36  058 W 22 Buenos Aires\n" + kWien;
  struct Step {
    const char *what;
    std::function<void(HostilePlaces &, const std::string &)> change;
    int result;
    std::vector<std::string> names;
    int jan;
  };
  const std::vector<Step> steps = {
      {"three places",
       [three](HostilePlaces &h, const std::string &) { h.write(three + "A \n"); },
       1,
       {"Berlin", "Buenos Aires", "Wien"},
       2},
      {"renamed over by a file with one place",
       [](HostilePlaces &h, const std::string &path) {
         write_to(h.dir_ + "/new", std::string(kWien) + "E \n");
         ASSERT_EQ(rename((h.dir_ + "/new").c_str(), path.c_str()), 0);
       },
       1,
       {"Wien"},
       0},
      {"truncated in place",
       [](HostilePlaces &, const std::string &path) { ASSERT_EQ(truncate(path.c_str(), 0), 0); },
       0,
       {kBuiltInName},
       0},
      {"rewritten in place, longer",
       [three](HostilePlaces &h, const std::string &) { h.write(three); },
       1,
       {"Berlin", "Buenos Aires", "Wien"},
       0},
      {"replaced by a directory",
       [](HostilePlaces &h, const std::string &path) {
         h.clear_path();
         ASSERT_EQ(mkdir(path.c_str(), 0700), 0);
       },
       0,
       {kBuiltInName},
       0},
      {"replaced by a link to a file with two places",
       [](HostilePlaces &h, const std::string &path) {
         h.clear_path();
         write_to(h.dir_ + "/two", std::string(kWien) + kBerlin + "d \n");
         ASSERT_EQ(symlink((h.dir_ + "/two").c_str(), path.c_str()), 0);
       },
       1,
       {"Wien", "Berlin"},
       1},
      {"removed",
       [](HostilePlaces &h, const std::string &) { h.clear_path(); },
       0,
       {kBuiltInName},
       1},
  };
  Place table[PLACE_SLOTS];
  int jan = 1;
  for (const Step &s : steps) {
    SCOPED_TRACE(s.what);
    s.change(*this, path_);
    if (HasFatalFailure()) return;
    const Outcome out = load_in_child(path_, jan);
    ASSERT_TRUE(out.finished) << "signal " << out.signal;
    EXPECT_EQ(out.result, s.result);
    EXPECT_EQ(names_of(out.table), s.names);
    EXPECT_EQ(out.jan, s.jan);
    expect_sound_table(out.table);
    jan = out.jan;
    // The same in this process, into a table that holds the last load.
    int jan_here = jan;
    load_places_from(path_.c_str(), table, &jan_here);
    EXPECT_EQ(names_of(table), s.names);
  }
}
