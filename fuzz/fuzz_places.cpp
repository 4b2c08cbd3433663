// SPDX-License-Identifier: MIT
// The place file reader on any bytes (NUL bytes and lone CRs included):
// the table keeps its invariants (slots in use from 0 upward, numbers
// clamped, names short without leading blanks, signs that agree with the
// hemispheres, time zones the tz database knows), every note names a
// line of the input, and every name becomes a well-formed text for each
// place it is shown: valid UTF-8 for the export, the chart and the
// window's widgets, Latin-1 without C1 controls for the window's text
// area, and padded to the table's width in characters.
#include <glib.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "nachtblick/place/places.h"
#include "nachtblick/text/latin1.h"
#include "nachtblick/text/padding.h"
#include "nachtblick/text/utf8.h"

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
    const std::string utf8 = utf8_text(p.name), latin1 = latin1_text(p.name);
    check(g_utf8_validate(utf8.data(), static_cast<gssize>(utf8.size()), nullptr));
    check(std::none_of(latin1.begin(), latin1.end(), [](char c) {
      const unsigned char u = static_cast<unsigned char>(c);
      return u >= 0x80 && u < 0xA0;
    }));
    check(text_characters(pad_characters(p.name, kPlaceNameMax).c_str()) ==
          std::max<long>(kPlaceNameMax, text_characters(p.name)));
  }
  for (size_t at = 0; at < notes.size(); at = notes.find('\n', at) + 1)
    check(notes.compare(at, 2, "f:") == 0 && std::atol(notes.c_str() + at + 2) >= 1);
  return 0;
}
