// SPDX-License-Identifier: MIT
// The place table and the fixed-column place file gtknblick.conf.
#include "nachtblick/places.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstring>
#include <vector>

#include "calendar/calendar.h"

const char *const PLACE_FILE_NAME = "gtknblick.conf";

Place place_table[PLACE_SLOTS];
int current_place = 0;
int january_variant = 1;

namespace {

// Bounds of the working size: a file is buffered with at least 1000 and at
// most 200000 bytes (plus one byte more kept, and a final line end).
const long kMinWork = 1000;
const long kMaxWork = 200000;
// Longest name stored (the field holds 40 bytes with the terminator), and
// how much of a line is looked at for it.
const int kNameTake = 40;
const int kNameLook = 55;
const int kNameColumn = 18;

const Place kBuiltIn = {48, 12, 15, 37, 1, 1, 0, "Sankt Poelten (Austria)", 15.61667, 48.2};

// One line of the file, seen as the zero-terminated text a line buffer
// would hold: columns past its end read as 0.
struct Line {
  const char *text;
  int length;
  char col(int i) const { return (i >= 0 && i < length) ? text[i] : '\0'; }
};

// entrytoint of the columns first..last of the line.
int column_number(const Line &line, int first, int last) {
  char field[8] = {0};
  for (int i = first, k = 0; i <= last && k < 7; ++i, ++k) field[k] = line.col(i);
  return entrytoint(field);
}

int clamp_int(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }
double clamp_double(double v, double lo, double hi) { return v < lo ? lo : (v > hi ? hi : v); }

// Calls visit for every line of text: CR and LF each end a line, so CR LF
// gives an empty line between, which every reader ignores. A NUL byte ends
// the line's text as it would in a zero-terminated buffer.
template <typename Visit>
void for_each_line(const char *data, long length, Visit visit) {
  long start = 0;
  for (long i = 0; i < length; ++i) {
    if (data[i] != '\r' && data[i] != '\n') continue;
    const char *text = data + start;
    const void *nul = std::memchr(text, '\0', static_cast<size_t>(i - start));
    const long n = nul ? static_cast<const char *>(nul) - text : i - start;
    visit(Line{text, static_cast<int>(n)});
    start = i + 1;
  }
}

// Option lines: "A " prints January as "Jaenner" (2), "D " (1) and "E " (0)
// as "Januar". The last such line decides.
void read_option(const Line &line, int *jan_variant) {
  if (line.col(1) != ' ') return;
  switch (line.col(0)) {
    case 'A':
    case 'a': *jan_variant = 2; break;
    case 'D':
    case 'd': *jan_variant = 1; break;
    case 'E':
    case 'e': *jan_variant = 0; break;
    default: break;
  }
}

// The name from column 18: tabs as blanks, leading blanks skipped, at most
// 40 characters taken, trailing blanks removed, cut to 39.
void read_name(const Line &line, char name[40]) {
  char taken[kNameTake + 1] = {0};
  int n = 0;
  bool started = false;
  for (int i = kNameColumn; i < kNameColumn + kNameLook && i < line.length && n < kNameTake; ++i) {
    char c = line.text[i];
    if (c == '\t') c = ' ';
    if (!started && c == ' ') continue;
    started = true;
    taken[n++] = c;
  }
  while (n > 0 && taken[n - 1] == ' ') --n;
  if (n > 39) n = 39;
  std::memcpy(name, taken, static_cast<size_t>(n));
  name[n] = '\0';
}

// Reads one line as a place into slot *count when it holds a latitude group
// and a longitude group (or two longitude groups).
void read_place(const Line &line, Place table[PLACE_SLOTS], int *count) {
  if (line.length == 0) return;
  // ':' and ',' open a comment line as ';' does.
  const char first = line.text[0];
  if (line.length < 16 || first == ';' || first == ':' || first == ',') return;

  int lat_deg = 0, lat_min = 0, lon_deg = 0, lon_min = 0;
  int north = 1, east = 1, groups = 0;
  const char ns = static_cast<char>(std::toupper(static_cast<unsigned char>(line.col(3))));
  if (ns == 'N' || ns == 'S') {
    lat_deg = clamp_int(column_number(line, 0, 1), 0, 90);
    if (ns == 'S') north = 0;
    lat_min = clamp_int(column_number(line, 5, 6), 0, 59);
    ++groups;
  }
  for (int s = 0; s <= 1; ++s) {
    const char ew = static_cast<char>(std::toupper(static_cast<unsigned char>(line.col(13 + s))));
    if (ew != 'E' && ew != 'O' && ew != 'W') continue;
    lon_deg = clamp_int(column_number(line, 9 + s, 11 + s), 0, 180);
    if (ew == 'W') east = 0;
    lon_min = clamp_int(column_number(line, 15 + s, 16 + s), 0, 59);
    ++groups;
  }
  if (*count >= PLACE_SLOTS || groups < 2) return;

  if (lat_deg == 90) lat_min = 0;
  if (lon_deg == 180) lon_min = 0;
  if (lat_deg == 0 && lat_min == 0 && lon_deg == 0 && lon_min == 0) lon_min = 1;

  Place &p = table[*count];
  p.lat_deg = lat_deg;
  p.lat_min = lat_min;
  p.lon_deg = lon_deg;
  p.lon_min = lon_min;
  p.north = north;
  p.east = east;
  p.used += 1;
  double lat = lat_deg + lat_min / 60.0;
  if (!north) lat = -lat;
  p.latitude = clamp_double(lat, -90.0, 90.0);
  double lon = lon_deg + lon_min / 60.0;
  if (!east) lon = -lon;
  p.longitude = clamp_double(lon, -180.0, 180.0);
  read_name(line, p.name);
  *count += 1;
}

}  // namespace

void reset_places(Place table[PLACE_SLOTS]) {
  for (int i = 0; i < PLACE_SLOTS; ++i) {
    table[i] = Place{0, 0, 0, 0, 1, 1, 0, "", 0.0, 0.0};
  }
  table[0] = kBuiltIn;
  table[0].used += 1;
}

int place_count(const Place table[PLACE_SLOTS]) {
  int n = 0;
  while (n < PLACE_SLOTS && table[n].used) ++n;
  return n;
}

void parse_places(const char *data, long length, Place table[PLACE_SLOTS], int *jan_variant) {
  for_each_line(data, length, [&](const Line &line) { read_option(line, jan_variant); });
  int count = 0;
  for_each_line(data, length, [&](const Line &line) { read_place(line, table, &count); });
}

int load_places_from(const char *path, Place table[PLACE_SLOTS], int *jan_variant) {
  reset_places(table);
  // Only a regular file is read: opening without blocking and checking the
  // opened file keeps a FIFO, a device or a directory of that name from
  // stalling or confusing the window; they count as missing.
  const int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return 0;
  struct stat st;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size <= 0) {
    close(fd);
    return 0;
  }
  long work = st.st_size;
  if (work < kMinWork) work = kMinWork;
  if (work > kMaxWork) work = kMaxWork;

  // Every '%' is dropped; at most work + 1 bytes are kept, then a CR ends
  // the last line.
  std::vector<char> text;
  text.reserve(static_cast<size_t>(work + 10));
  const long keep = work + 1;
  char chunk[4096];
  bool full = false;
  while (!full) {
    const ssize_t got = read(fd, chunk, sizeof chunk);
    if (got <= 0) break;
    for (ssize_t i = 0; i < got; ++i) {
      if (chunk[i] == '%') continue;
      if (static_cast<long>(text.size()) >= keep) {
        full = true;
        break;
      }
      text.push_back(chunk[i]);
    }
  }
  close(fd);
  text.push_back('\r');
  parse_places(text.data(), static_cast<long>(text.size()), table, jan_variant);
  return 1;
}

int load_places(void) { return load_places_from(PLACE_FILE_NAME, place_table, &january_variant); }
