// SPDX-License-Identifier: MIT
// The place file reader on any bytes (NUL bytes and lone CRs included):
// the table keeps its invariants (slots in use from 0 upward, numbers
// clamped, names short without leading blanks, signs that agree with the
// hemispheres, time zones the tz database knows) and every note names a
// line of the input.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "nachtblick/place/places.h"

static void check(bool ok) {
  if (!ok) std::abort();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  Place table[kPlaceSlots];
  reset_places(table);
  int jan = 7;
  std::string notes;
  parse_places(reinterpret_cast<const char *>(data), static_cast<long>(size), table, &jan, &notes,
               "f");
  check(jan == 7 || (jan >= 0 && jan <= 2));
  const int n = place_count(table);
  for (int i = 0; i < kPlaceSlots; ++i) {
    const Place &p = table[i];
    check((p.used != 0) == (i < n));
    if (i >= n) continue;
    check(p.lat_deg >= 0 && p.lat_deg <= 90 && p.lat_min >= 0 && p.lat_min <= 59);
    check(p.lon_deg >= 0 && p.lon_deg <= 180 && p.lon_min >= 0 && p.lon_min <= 59);
    check(p.lat_deg + p.lat_min == 0 || (p.latitude > 0) == (p.north == 1));
    check(p.lon_deg + p.lon_min == 0 || (p.longitude > 0) == (p.east == 1));
    check(p.latitude >= -90 && p.latitude <= 90 && p.longitude >= -180 && p.longitude <= 180);
    const size_t len = strnlen(p.name, kPlaceNameSize);
    check(len <= kPlaceNameMax && (len == 0 || p.name[0] != ' '));
    check(p.zone[0] == '\0' || zone_known(p.zone));
  }
  for (size_t at = 0; at < notes.size(); at = notes.find('\n', at) + 1)
    check(notes.compare(at, 2, "f:") == 0 && std::atol(notes.c_str() + at + 2) >= 1);
  return 0;
}
