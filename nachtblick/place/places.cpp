// SPDX-License-Identifier: MIT
// The place table and the fixed-column place file gtknblick.conf.
#include "nachtblick/place/places.h"

#include <errno.h>
#include <fcntl.h>
#include <glib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include <cctype>
#include <cstring>
#include <string>
#include <vector>

#include "calendar/calendar.h"
#include "nachtblick/place/installpaths.h"
#include "nachtblick/place/placeline.h"
#include "nachtblick/text/textbuf.h"

const char *const kPlaceFileName = "gtknblick.conf";

namespace {

// Bounds of the working size: a file is buffered with at least 1000 and at
// most 200000 bytes (plus one byte more kept, and a final line end).
const long kMinWork = 1000;
const long kMaxWork = 200000;
// Characters of a name taken before trailing blanks are cut (one more than
// is stored).
const int kNameTake = kPlaceNameSize;

const Place kBuiltIn = {48, 12, 15, 37, 1, 1, 0, "Sankt Poelten (Austria)", 15.61667, 48.2, ""};

// One line of the file, seen as the zero-terminated text a line buffer
// would hold: columns past its end read as 0.
struct Line {
  const char *text;
  int length;
  char col(int i) const { return (i >= 0 && i < length) ? text[i] : '\0'; }
};

// entrytoint of a field of the line, shifted right by shift columns.
int field_number(const Line &line, LineField f, int shift = 0) {
  std::string field;
  for (int i = f.column + shift; i < f.column + shift + f.width; ++i) field += line.col(i);
  return entrytoint(field.c_str());
}

int clamp_int(int v, int lo, int hi) { return std::clamp(v, lo, hi); }
double clamp_double(double v, double lo, double hi) { return std::clamp(v, lo, hi); }

// Calls visit(line, number) for every line of text: CR and LF each end a
// line, so CR LF gives an empty line between, which every reader ignores. A
// NUL byte ends the line's text as it would in a zero-terminated buffer.
// number is the line number an editor shows (LF, CR LF and a lone CR each
// end one line).
template <typename Visit>
void for_each_line(const char *data, long length, Visit visit) {
  long start = 0;
  int number = 1;
  for (long i = 0; i < length; ++i) {
    if (data[i] != '\r' && data[i] != '\n') continue;
    const char *text = data + start;
    const void *nul = std::memchr(text, '\0', static_cast<size_t>(i - start));
    const long n = nul ? static_cast<const char *>(nul) - text : i - start;
    visit(Line{text, static_cast<int>(n)}, number);
    if (data[i] == '\n' || i + 1 >= length || data[i + 1] != '\n') ++number;
    start = i + 1;
  }
}

// The hemisphere letter at column c, in upper case.
char letter_at(const Line &line, int c) {
  return static_cast<char>(std::toupper(static_cast<unsigned char>(line.col(c))));
}

bool is_option(const Line &line) {
  const char c = letter_at(line, 0);
  return line.col(1) == ' ' && (c == 'A' || c == 'D' || c == 'E');
}

bool is_comment(const Line &line) {
  const char c = line.col(0);
  return c != '\0' && std::strchr(kCommentMarks, c);
}

bool is_blank_char(char c) { return c == ' ' || c == '\t'; }

bool is_blank(const Line &line) {
  return std::all_of(line.text, line.text + line.length, is_blank_char);
}

// Option lines: "A " prints January as "Jaenner" (2), "D " (1) and "E " (0)
// as "Januar". The last such line decides.
void read_option(const Line &line, int *jan_variant) {
  if (!is_option(line)) return;
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
void read_name(const Line &line, char name[kPlaceNameSize]) {
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
  if (n > kPlaceNameMax) n = kPlaceNameMax;
  std::memcpy(name, taken, static_cast<size_t>(n));
  name[n] = '\0';
}

// A time zone in square brackets at the end of a place line: the line is
// cut before the last '[' from the name's column on, and the text after it
// up to a closing ']' at the line's end (blanks after it ignored), or to
// the end without one, goes to *zone. false when there is no such '['.
bool split_zone(Line *line, std::string *zone, bool *closed) {
  int end = line->length;
  while (end > kNameColumn && is_blank_char(line->text[end - 1])) --end;
  int open = end - 1;
  while (open >= kNameColumn && line->text[open] != kZoneOpen) --open;
  if (open < kNameColumn) return false;
  *closed = end - 1 > open && line->text[end - 1] == kZoneClose;
  zone->assign(line->text + open + 1, static_cast<size_t>((*closed ? end - 1 : end) - open - 1));
  line->length = open;
  return true;
}

// The note for a zone that is refused: its text cut to kZoneNameMax bytes,
// control characters as '?'.
std::string unknown_zone(const std::string &zone, bool closed) {
  std::string shown = zone.substr(0, kZoneNameMax);
  mask_controls(shown);
  return "unknown time zone \"" + shown + (zone.size() > shown.size() ? "...\"" : "\"") +
         (closed ? "" : " (no closing ])") + ", using MEZ/MESZ";
}

// Why a line that is not blank, a comment or an option line is no place;
// null when it is one.
std::string place_problem(const Line &line, bool has_lat, int lon_groups) {
  std::string lat, lon, text;
  append_format(lat, "no %c or %c in column %d", kNorthLetter, kSouthLetter, kLatLetter.column);
  append_format(lon, "no %c, %c or %c in column %d or %d", kEastLetter, kOstLetter, kWestLetter,
                kLonLetter.column, kLonLetter.column + kLonShifts - 1);
  if (line.length < kMinPlaceLine)
    append_format(text, "too short for a place (at least %d characters)", kMinPlaceLine);
  else if (has_lat && lon_groups == 0)
    text = lon;
  else if (!has_lat && lon_groups == 1)
    text = lat;
  else if (!has_lat && lon_groups == 0)
    text = lat + " and " + lon;
  return text.empty() ? text : text + (line.length < kMinPlaceLine ? "" : " (counted from 0)");
}

// Reads one line as a place into slot *count when it holds a latitude group
// and a longitude group (or two longitude groups). Returns why a line that
// is not blank, a comment or an option line was not taken, or why its time
// zone was refused; else an empty text.
std::string read_place(const Line &line, Place table[kPlaceSlots], int *count) {
  if (is_blank(line) || is_comment(line)) return "";
  if (line.length < kMinPlaceLine) return is_option(line) ? "" : place_problem(line, false, 0);

  int lat_deg = 0, lat_min = 0, lon_deg = 0, lon_min = 0;
  int north = 1, east = 1, lon_groups = 0;
  const char ns = letter_at(line, kLatLetter.column);
  const bool has_lat = ns == kNorthLetter || ns == kSouthLetter;
  if (has_lat) {
    lat_deg = clamp_int(field_number(line, kLatDegrees), 0, kMaxLatDegrees);
    if (ns == kSouthLetter) north = 0;
    lat_min = clamp_int(field_number(line, kLatMinutes), 0, kMaxMinutes);
  }
  for (int s = 0; s < kLonShifts; ++s) {
    const char ew = letter_at(line, kLonLetter.column + s);
    if (ew != kEastLetter && ew != kOstLetter && ew != kWestLetter) continue;
    lon_deg = clamp_int(field_number(line, kLonDegrees, s), 0, kMaxLonDegrees);
    if (ew == kWestLetter) east = 0;
    lon_min = clamp_int(field_number(line, kLonMinutes, s), 0, kMaxMinutes);
    ++lon_groups;
  }
  const std::string problem = place_problem(line, has_lat, lon_groups);
  if (!problem.empty()) return is_option(line) ? "" : problem;
  if (*count >= kPlaceSlots) {
    std::string full;
    append_format(full, "more than %d places; ignored", kPlaceSlots);
    return full;
  }

  if (lat_deg == kMaxLatDegrees) lat_min = 0;
  if (lon_deg == kMaxLonDegrees) lon_min = 0;
  if (lat_deg == 0 && lat_min == 0 && lon_deg == 0 && lon_min == 0) lon_min = 1;

  Place &p = table[*count];
  p.lat_deg = lat_deg;
  p.lat_min = lat_min;
  p.lon_deg = lon_deg;
  p.lon_min = lon_min;
  p.north = north;
  p.east = east;
  p.used += 1;
  double lat = lat_deg + lat_min / double(kMinutesPerDegree);
  if (!north) lat = -lat;
  p.latitude = clamp_double(lat, -90.0, 90.0);
  double lon = lon_deg + lon_min / double(kMinutesPerDegree);
  if (!east) lon = -lon;
  p.longitude = clamp_double(lon, -180.0, 180.0);
  Line named = line;
  std::string zone;
  bool closed = false;
  const bool has_zone = split_zone(&named, &zone, &closed);
  read_name(named, p.name);
  *count += 1;
  const bool known = has_zone && closed && zone_known(zone.c_str());
  g_strlcpy(p.zone, known ? zone.c_str() : "", sizeof p.zone);
  return has_zone && !known ? unknown_zone(zone, closed) : "";
}

}  // namespace

void reset_places(Place table[kPlaceSlots]) {
  std::fill_n(table, kPlaceSlots, Place{});
  table[0] = kBuiltIn;
  table[0].used += 1;
}

int place_count(const Place table[kPlaceSlots]) {
  int n = 1;  // slot 0 always holds a place
  while (n < kPlaceSlots && table[n].used) ++n;
  return n;
}

int place_in_use(const Place table[kPlaceSlots], int index) {
  return index >= 0 && index < kPlaceSlots && table[index].used;
}

void parse_places(const char *data, long length, Place table[kPlaceSlots], int *jan_variant,
                  std::string *notes, const char *name) {
  for_each_line(data, length, [&](const Line &line, int) { read_option(line, jan_variant); });
  int count = 0;
  for_each_line(data, length, [&](const Line &line, int number) {
    const std::string problem = read_place(line, table, &count);
    if (!problem.empty() && notes)
      *notes += std::string(name) + ":" + std::to_string(number) + ": " + problem + "\n";
  });
}

int load_places_from(const char *path, Place table[kPlaceSlots], int *jan_variant,
                     std::string *notes, std::string *error) {
  reset_places(table);
  // Only a regular file is read: opening without blocking and checking the
  // opened file keeps a FIFO, a device or a directory of that name from
  // stalling or confusing the window; they count as missing.
  const int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  struct stat st;  // a failed open leaves fd -1, which fstat refuses
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    close(fd);
    return 0;
  }
  // A file may say it is empty and still hold text (those of /proc do), so
  // its size only sets the working size and the file is read to its end.
  long work = st.st_size;
  if (work < kMinWork) work = kMinWork;
  if (work > kMaxWork) work = kMaxWork;

  // Every '%' is dropped; at most work + 1 bytes are kept, then a CR ends
  // the last line.
  std::vector<char> text;
  const long keep = work + 1;
  char chunk[4096];
  bool full = false;
  long total = 0;
  while (!full) {
    const ssize_t got = read(fd, chunk, sizeof chunk);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      if (error) *error = std::string(path) + ": cannot read: " + std::strerror(errno);
      close(fd);
      return -1;
    }
    if (got == 0) break;
    total += got;
    for (ssize_t i = 0; i < got; ++i) {
      if (chunk[i] == kDroppedByte) continue;
      if (static_cast<long>(text.size()) >= keep) {
        full = true;
        break;
      }
      text.push_back(chunk[i]);
    }
  }
  close(fd);
  if (total == 0) return 0;
  text.push_back('\r');
  parse_places(text.data(), static_cast<long>(text.size()), table, jan_variant, notes, path);
  return 1;
}

namespace {

// A readable regular file: opened without blocking, so that a FIFO of the
// name cannot stall the search.
bool readable_file(const std::string &path) {
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  struct stat st;  // a failed open leaves fd -1, which fstat refuses
  const bool ok = fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  close(fd);
  return ok;
}

}  // namespace

std::string user_place_file(void) {
  // The XDG Base Directory rules: a relative $XDG_CONFIG_HOME is invalid
  // and ignored, as if unset (GLib takes it as it is).
  const char *config = g_getenv("XDG_CONFIG_HOME");
  const std::string folder = config && *config && !g_path_is_absolute(config)
                                 ? std::string(g_get_home_dir()) + "/.config"
                                 : g_get_user_config_dir();
  return folder + "/nachtblick/" + kPlaceFileName;
}

std::string system_place_dir(void) { return system_place_folder(); }

std::string find_place_file(const std::string &system_dir) {
  const std::string name = kPlaceFileName;
  for (const std::string &path : {name, user_place_file(), system_dir + "/" + name})
    if (readable_file(path)) return path;
  return "";
}

PlaceBook load_places(const std::string &system_dir, int *status) {
  PlaceBook book{};
  book.january_variant = 1;
  book.path = find_place_file(system_dir);
  const int read = load_places_from(book.path.c_str(), book.table, &book.january_variant,
                                    &book.notes, &book.error);
  if (read < 0) book.path.clear();
  if (status) *status = read;
  return book;
}
