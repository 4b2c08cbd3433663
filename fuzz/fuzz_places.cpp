// SPDX-License-Identifier: MIT
// The place file reader on arbitrary bytes (NUL bytes, lone CRs and anything
// else included).
//
// Every input goes through parse_places as it is. About one input in four is
// also written to a file and read with load_places_from, either as it is or
// after a long line that makes the 200001-byte limit cut into it. The table
// read from the file must equal the one parse_places makes of the bytes the
// reader keeps (every '%' dropped, at most max(1000, min(size, 200000)) + 1
// bytes, a CR appended). Every table must keep the invariants of the place
// table: slots in use from 0 upward, numbers clamped, names short and trimmed.
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "nachtblick/places.h"

namespace {

// A January value no option line can produce, to see that a file without
// option lines leaves it alone.
const int kJanUntouched = 7;
// The reader's limits.
const size_t kMinWork = 1000;
const size_t kMaxWork = 200000;

std::string temp_path;

void remove_temp(void) {
  if (!temp_path.empty()) unlink(temp_path.c_str());
}

void write_file(const std::vector<char> &bytes) {
  FILE *f = std::fopen(temp_path.c_str(), "wb");
  FUZZ_CHECK(f != nullptr);
  FUZZ_CHECK(std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size());
  FUZZ_CHECK(std::fclose(f) == 0);
}

void check_slot(const Place &p, int index) {
  FUZZ_CHECK(p.used == 1 || (index == 0 && p.used == 2));
  FUZZ_CHECK(p.lat_deg >= 0 && p.lat_deg <= 90 && p.lat_min >= 0 && p.lat_min <= 59);
  FUZZ_CHECK(p.lon_deg >= 0 && p.lon_deg <= 180 && p.lon_min >= 0 && p.lon_min <= 59);
  FUZZ_CHECK((p.lat_deg < 90 || p.lat_min == 0) && (p.lon_deg < 180 || p.lon_min == 0));
  FUZZ_CHECK(p.lat_deg + p.lat_min + p.lon_deg + p.lon_min > 0);
  FUZZ_CHECK((p.north == 0 || p.north == 1) && (p.east == 0 || p.east == 1));
  FUZZ_CHECK(p.latitude >= -90.0 && p.latitude <= 90.0);
  FUZZ_CHECK(p.longitude >= -180.0 && p.longitude <= 180.0);
  // The signs carry the hemisphere; the magnitudes are the whole numbers.
  if (p.lat_deg + p.lat_min > 0) FUZZ_CHECK((p.latitude > 0) == (p.north == 1));
  if (p.lon_deg + p.lon_min > 0) FUZZ_CHECK((p.longitude > 0) == (p.east == 1));
  const double lat = p.lat_deg + p.lat_min / 60.0, lon = p.lon_deg + p.lon_min / 60.0;
  if (index > 0 || p.used == 2) {  // the built-in place has its own longitude
    FUZZ_CHECK(p.latitude == (p.north ? lat : -lat));
    FUZZ_CHECK(p.longitude == (p.east ? lon : -lon));
  }
  const void *nul = std::memchr(p.name, '\0', sizeof p.name);
  FUZZ_CHECK(nul != nullptr);
  const size_t n = static_cast<const char *>(nul) - p.name;
  FUZZ_CHECK(n <= 39);
  for (size_t i = 0; i < n; ++i)
    FUZZ_CHECK(p.name[i] != '\t' && p.name[i] != '\r' && p.name[i] != '\n');
  // Trailing blanks go before the cut to 39, so a 39-character name may
  // still end in one.
  if (n > 0) FUZZ_CHECK(p.name[0] != ' ');
  if (n > 0 && n < 39) FUZZ_CHECK(p.name[n - 1] != ' ');
}

void check_table(const Place table[PLACE_SLOTS], int jan) {
  FUZZ_CHECK(jan == 0 || jan == 1 || jan == 2 || jan == kJanUntouched);
  const int count = place_count(table);
  FUZZ_CHECK(count >= 1 && count <= PLACE_SLOTS);
  for (int i = 0; i < count; ++i) check_slot(table[i], i);
  for (int i = count; i < PLACE_SLOTS; ++i) {
    const Place &p = table[i];
    FUZZ_CHECK(p.used == 0);
    FUZZ_CHECK(p.lat_deg == 0 && p.lat_min == 0 && p.lon_deg == 0 && p.lon_min == 0);
    FUZZ_CHECK(p.north == 1 && p.east == 1);
    FUZZ_CHECK(std::all_of(p.name, p.name + sizeof p.name, [](char c) { return c == 0; }));
  }
}

bool same_place(const Place &a, const Place &b) {
  return a.lat_deg == b.lat_deg && a.lat_min == b.lat_min && a.lon_deg == b.lon_deg &&
         a.lon_min == b.lon_min && a.north == b.north && a.east == b.east && a.used == b.used &&
         std::strcmp(a.name, b.name) == 0 && a.latitude == b.latitude && a.longitude == b.longitude;
}

// What the file reader keeps of a file's bytes.
std::vector<char> kept_bytes(const std::vector<char> &file) {
  size_t work = file.size();
  if (work < kMinWork) work = kMinWork;
  if (work > kMaxWork) work = kMaxWork;
  std::vector<char> kept;
  for (char c : file) {
    if (c == '%') continue;
    if (kept.size() == work + 1) break;
    kept.push_back(c);
  }
  kept.push_back('\r');
  return kept;
}

void check_file_load(const std::vector<char> &file) {
  write_file(file);
  Place loaded[PLACE_SLOTS];
  int jan_loaded = kJanUntouched;
  const int result = load_places_from(temp_path.c_str(), loaded, &jan_loaded);
  check_table(loaded, jan_loaded);

  Place expected[PLACE_SLOTS];
  int jan_expected = kJanUntouched;
  reset_places(expected);
  if (!file.empty()) {
    const std::vector<char> kept = kept_bytes(file);
    parse_places(kept.data(), static_cast<long>(kept.size()), expected, &jan_expected);
  }
  FUZZ_CHECK(result == (file.empty() ? 0 : 1));
  FUZZ_CHECK(jan_loaded == jan_expected);
  for (int i = 0; i < PLACE_SLOTS; ++i) FUZZ_CHECK(same_place(loaded[i], expected[i]));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  // A file system in memory where there is one: rewriting a file on disk
  // tens of thousands of times a second is slow.
  const char *dir = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : std::getenv("TMPDIR");
  char name[4096];
  std::snprintf(name, sizeof name, "%s/fuzz_places_XXXXXX", dir && *dir ? dir : "/tmp");
  const int fd = mkstemp(name);
  FUZZ_CHECK(fd >= 0);
  close(fd);
  temp_path = name;
  std::atexit(remove_temp);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const char *text = reinterpret_cast<const char *>(data);
  Place table[PLACE_SLOTS];
  reset_places(table);
  int jan = kJanUntouched;
  parse_places(text, static_cast<long>(size), table, &jan);
  check_table(table, jan);

  // Parsing is a function of the bytes: a second run on a dirty table
  // gives the same table.
  Place again[PLACE_SLOTS];
  std::memset(again, 0x5a, sizeof again);
  reset_places(again);
  int jan_again = kJanUntouched;
  parse_places(text, static_cast<long>(size), again, &jan_again);
  FUZZ_CHECK(jan == jan_again);
  for (int i = 0; i < PLACE_SLOTS; ++i) FUZZ_CHECK(same_place(table[i], again[i]));

  // One input in four is read from a file as well; one in eight of these
  // after a long first line that puts the 200001-byte limit k bytes into the
  // input (k from bytes 1 and 2), so that the cut falls inside it.
  if (size == 0 || (data[0] & 3) != 0) return 0;
  std::vector<char> file;
  if ((data[0] & 31) == 4 && size >= 3) {
    const size_t k = ((static_cast<size_t>(data[1]) << 8) | data[2]) % (size + 1);
    file.assign(kMaxWork + 1 - k, 'x');
    file.back() = '\n';
  }
  file.insert(file.end(), text, text + size);
  check_file_load(file);
  return 0;
}
