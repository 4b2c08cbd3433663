// SPDX-License-Identifier: MIT
// Adding a place to the user's place file.
#include "nachtblick/place/placeadd.h"

#include <glib.h>
#include <glib/gstdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "nachtblick/place/cities.h"
#include "nachtblick/place/placeline.h"
#include "nachtblick/place/places.h"
#include "nachtblick/text/textbuf.h"

namespace {

// The captures of pattern in word (group 0 is the whole word); empty when
// it does not match.
std::vector<std::string> match_word(const char *pattern, const char *word) {
  std::vector<std::string> groups;
  g_autoptr(GRegex) regex = g_regex_new(pattern, G_REGEX_CASELESS, GRegexMatchFlags(0), nullptr);
  g_autoptr(GMatchInfo) match = nullptr;
  if (!g_regex_match(regex, word, GRegexMatchFlags(0), &match)) return groups;
  for (int i = 0; i < g_match_info_get_match_count(match); ++i) {
    g_autofree gchar *group = g_match_info_fetch(match, i);
    groups.push_back(group);
  }
  return groups;
}

// Signed arc minutes of a word of decimal degrees (at most three digits
// before the point, so that any word rounds to a long); false for another
// word.
bool decimal_minutes(const char *word, long *minutes) {
  if (match_word("^[+-]?([0-9]{1,3}[.]?[0-9]*|[.][0-9]+)$", word).empty()) return false;
  *minutes = degrees_to_minutes(g_ascii_strtod(word, nullptr));
  return true;
}

// Signed arc minutes of degrees, a hemisphere letter of letters (the last
// one negative, the others positive) and minutes; false for another word.
bool letter_minutes(const char *word, const char *letters, long *minutes) {
  const std::vector<std::string> g = match_word("^([0-9]{1,3})([A-Z])([0-9]{1,2})$", word);
  if (g.empty()) return false;
  const char *at = std::strchr(letters, g_ascii_toupper(g[2][0]));
  const long magnitude = std::atol(g[1].c_str()) * kMinutesPerDegree + std::atol(g[3].c_str());
  if (!at || std::atol(g[3].c_str()) >= kMinutesPerDegree) return false;
  *minutes = at[1] ? magnitude : -magnitude;
  return true;
}

// Splits signed arc minutes into whole degrees and minutes and the letter
// of the hemisphere.
struct Angle {
  int degrees, minutes;
  char letter;
};
Angle split_minutes(int minutes, char positive, char negative) {
  const int m = std::abs(minutes);
  return {m / kMinutesPerDegree, m % kMinutesPerDegree, minutes < 0 ? negative : positive};
}

// A place of the table in signed arc minutes.
int table_minutes(int degrees, int minutes, int positive) {
  const int m = degrees * kMinutesPerDegree + minutes;
  return positive ? m : -m;
}

bool bad_name_byte(char c) {
  const unsigned char u = static_cast<unsigned char>(c);
  return u < 0x20 || u == 0x7f || c == kZoneOpen || c == kZoneClose || c == kDroppedByte;
}

// Writes the number into the field of the line, with leading zeros.
void put_field(std::string &line, LineField f, int value) {
  std::string digits;
  append_format(digits, "%0*d", f.width, value);
  line.replace(static_cast<size_t>(f.column), static_cast<size_t>(f.width), digits);
}

bool read_text(const std::string &path, std::string *text, std::string *detail) {
  g_autofree gchar *contents = nullptr;
  gsize length;
  GError *error = nullptr;
  if (!g_file_get_contents(path.c_str(), &contents, &length, &error)) {
    *detail = error->message;
    g_error_free(error);
    return false;
  }
  text->assign(contents, length);
  return true;
}

// Why path, an existing file or folder, is not to be written: its owner
// has no write bit (which the rename of a temporary file would not stop,
// nor would the mode stop root), or the user may not write it (access(2),
// the real user). Empty when it may be written or does not exist.
std::string write_protection(const std::string &path) {
  GStatBuf st;
  if (g_stat(path.c_str(), &st) != 0) return "";
  if (!(st.st_mode & S_IWUSR)) {
    std::string why;
    append_format(why, "%s is write-protected (mode %04o)", path.c_str(),
                  static_cast<unsigned>(st.st_mode & 07777));
    return why;
  }
  if (access(path.c_str(), W_OK) != 0) return path + " cannot be written: " + g_strerror(errno);
  return "";
}

// Writes text to path through a temporary file in the same folder and a
// rename (the folder made if need be, 0700). A symbolic link is followed,
// and an existing file keeps its mode as far as the umask allows. A file
// or folder that write_protection refuses is left alone, also for root.
bool write_text(const std::string &path, const std::string &text, std::string *detail) {
  g_autofree gchar *folder = g_path_get_dirname(path.c_str());
  if (g_mkdir_with_parents(folder, 0700) != 0) {
    *detail = std::string("cannot make the folder ") + folder + ": " + g_strerror(errno);
    return false;
  }
  char *real = realpath(path.c_str(), nullptr);
  const std::string target = real ? real : path;
  std::free(real);
  g_autofree gchar *target_folder = g_path_get_dirname(target.c_str());
  for (const std::string &protectable : {target, std::string(target_folder)}) {
    *detail = write_protection(protectable);
    if (!detail->empty()) return false;
  }
  GStatBuf st;
  const int mode = g_stat(target.c_str(), &st) == 0 ? st.st_mode & 07777 : 0666;
  GError *error = nullptr;
  const GFileSetContentsFlags flags =
      GFileSetContentsFlags(G_FILE_SET_CONTENTS_CONSISTENT | G_FILE_SET_CONTENTS_DURABLE);
  if (!g_file_set_contents_full(target.c_str(), text.data(), static_cast<gssize>(text.size()),
                                flags, mode, &error)) {
    *detail = error->message;
    g_error_free(error);
    return false;
  }
  return true;
}

}  // namespace

bool coordinate_minutes(const char *word, bool latitude, int *minutes) {
  long m = 0;
  const char lat_letters[] = {kNorthLetter, kSouthLetter, '\0'};
  const char lon_letters[] = {kEastLetter, kOstLetter, kWestLetter, '\0'};
  const bool read =
      decimal_minutes(word, &m) || letter_minutes(word, latitude ? lat_letters : lon_letters, &m);
  const int limit = (latitude ? kMaxLatDegrees : kMaxLonDegrees) * kMinutesPerDegree;
  if (!read || m < -limit || m > limit) return false;
  *minutes = static_cast<int>(m);
  return true;
}

long degrees_to_minutes(double degrees) { return std::lround(degrees * kMinutesPerDegree); }

std::string place_add_name(const char *name) {
  std::string s = name;
  s.erase(0, s.find_first_not_of(' '));
  s.erase(s.find_last_not_of(' ') + 1);
  return s;
}

PlaceAddStatus check_new_place(int lat_minutes, int lon_minutes, const std::string &name,
                               const char *zone) {
  if (lat_minutes == 0 && lon_minutes == 0) return kAddAtOrigin;
  if (name.empty()) return kAddNoName;
  if (name.size() > kPlaceNameMax) return kAddLongName;
  if (std::strchr(kCommentMarks, name[0]) || std::any_of(name.begin(), name.end(), bad_name_byte))
    return kAddBadName;
  if (zone && *zone && !zone_known(zone)) return kAddUnknownZone;
  return kPlaceAdded;
}

std::string place_line(int lat_minutes, int lon_minutes, const std::string &name,
                       const char *zone) {
  const Angle lat = split_minutes(lat_minutes, kNorthLetter, kSouthLetter);
  const Angle lon = split_minutes(lon_minutes, kEastLetter, kWestLetter);
  std::string line(kNameColumn, ' ');
  put_field(line, kLatDegrees, lat.degrees);
  line[kLatLetter.column] = lat.letter;
  put_field(line, kLatMinutes, lat.minutes);
  put_field(line, kLonDegrees, lon.degrees);
  line[kLonLetter.column] = lon.letter;
  put_field(line, kLonMinutes, lon.minutes);
  line += name;
  if (zone && *zone) line += std::string(" ") + kZoneOpen + zone + kZoneClose;
  return line;
}

std::string append_line(const std::string &text, const std::string &line) {
  const bool open = !text.empty() && text.back() != '\n' && text.back() != '\r';
  return text + (open ? "\n" : "") + line + "\n";
}

PlaceAddStatus add_place(const char *name, const char *lat, const char *lon, const char *zone,
                         const std::string &system_dir, std::string *path, int *index,
                         std::string *detail) {
  int lat_minutes, lon_minutes;
  if (!coordinate_minutes(lat, true, &lat_minutes)) return kAddBadLatitude;
  if (!coordinate_minutes(lon, false, &lon_minutes)) return kAddBadLongitude;
  return add_place_at(lat_minutes, lon_minutes, name, zone, system_dir, path, index, detail);
}

PlaceAddStatus add_place_at(int lat_minutes, int lon_minutes, const char *name, const char *zone,
                            const std::string &system_dir, std::string *path, int *index,
                            std::string *detail) {
  const std::string trimmed = place_add_name(name);
  const PlaceAddStatus status = check_new_place(lat_minutes, lon_minutes, trimmed, zone);
  if (status != kPlaceAdded) return status;

  // The file in use gives the places so far; it is written to when it is
  // the working directory's, else the user's own file is.
  const std::string source = find_place_file(system_dir);
  *path = source == kPlaceFileName ? source : user_place_file();
  Place table[kPlaceSlots];
  int jan_variant = 1;
  load_places_from(source.c_str(), table, &jan_variant);
  *index = place_count(table);
  if (*index >= kPlaceSlots) return kAddTableFull;
  std::string text;
  if (!source.empty() && !read_text(source, &text, detail)) return kAddNotWritten;
  if (*path != source && g_file_test(path->c_str(), G_FILE_TEST_EXISTS)) {
    *detail = *path + " exists but is no readable file";
    return kAddNotWritten;
  }
  // Slot 0 counts 1 for the built-in place and 2 once a line replaced it.
  if (table[0].used < 2) {
    const Place &p = table[0];
    text = append_line(text, place_line(table_minutes(p.lat_deg, p.lat_min, p.north),
                                        table_minutes(p.lon_deg, p.lon_min, p.east), p.name, ""));
  }
  text = append_line(text, place_line(lat_minutes, lon_minutes, trimmed, zone));
  return write_text(*path, text, detail) ? kPlaceAdded : kAddNotWritten;
}

std::string place_add_message(PlaceAddStatus status, bool german) {
  // English, German, and the number a %d of either stands for (none: 0).
  static const struct {
    const char *english, *german;
    int number{};
  } kMessages[kAddStatuses] = {
      {"the place was added", "Der Ort wurde hinzugefuegt."},
      {"the latitude is neither degrees from -%d to %d such as -33.8667 nor degrees and "
       "minutes such as 33S52",
       "Die Breite ist weder eine Gradzahl von -%d bis %d wie -33.8667 noch Grad und Minuten "
       "wie 33S52.",
       kMaxLatDegrees},
      {"the longitude is neither degrees from -%d to %d such as 151.2167 nor degrees and "
       "minutes such as 151E13",
       "Die Laenge ist weder eine Gradzahl von -%d bis %d wie 151.2167 noch Grad und Minuten "
       "wie 151E13.",
       kMaxLonDegrees},
      {"latitude and longitude both 0 degrees 0 minutes: the place file reads that as 1 minute "
       "east",
       "Breite und Laenge beide 0 Grad 0 Minuten liest die Ortsdatei als 1 Minute Ost."},
      {"the name is empty", "Der Name fehlt."},
      {"the name is longer than %d bytes",
       "Der Name ist laenger als %d Bytes (ein Umlaut zaehlt 2).", kPlaceNameMax},
      {"the name holds a control character, [, ] or %%, or begins with ;, : or ,",
       "Der Name enthaelt ein Steuerzeichen, [, ] oder %% oder beginnt mit ;, : oder ,."},
      {"the time zone is not one of the tz database", "Die Zeitzone kennt die tz-Datenbank nicht."},
      {"the place file holds %d places already", "Die Ortsdatei hat schon %d Orte.", kPlaceSlots},
      {"the place file was not written", "Die Ortsdatei wurde nicht geschrieben."},
      {kNoCityFound, "Kein Ort gefunden."},
      {"the city search refuses the name", "Nach diesem Namen kann nicht gesucht werden."},
      {"cannot search for the name", "Die Ortssuche fehlt."},
  };
  const auto &m = kMessages[status];
  const int number = m.number;
  std::string text;
  append_format(text, german ? m.german : m.english, number, number);
  return text;
}
