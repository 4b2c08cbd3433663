// SPDX-License-Identifier: MIT
// The four date reports of nachtblick (calendar, moon phases and eclipses,
// seasons, rise and set) on arbitrary entry texts, views, place indices,
// January variants, dates of today and place tables.
//
// Input layout (missing bytes read as 0):
//   0..3   view (int, any value; unknown views show the calendar)
//   4..7   current place (int, any value, also outside the table)
//   8..11  January variant (int, any value)
//   12     flags: bit 0 folds today's date into 0..31, 0..12, 0..10000
//   13..24 today's day, month, year (ints)
//   25..   year, month and day texts separated by NUL bytes, each cut to
//          32 bytes (an entry holds 8 characters, up to 4 bytes each in
//          UTF-8), then the rest as a place file for the place table.
//
// Checks: the report of a view is the report function of that view; the
// text fits the report's buffer, holds no NUL, is printable ASCII apart
// from the place name; the font is one of the report fonts; a second call
// gives the same text (the Delta T cache must not change results).
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "fuzz/fuzz_check.h"
#include "nachtblick/places.h"
#include "nachtblick/reports.h"

namespace {

const size_t kTextMax = 32;

struct Reader {
  const uint8_t *data;
  size_t size;
  size_t pos;
  int next_int() {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) {
      v |= static_cast<uint32_t>(pos < size ? data[pos] : 0) << (8 * i);
      ++pos;
    }
    return static_cast<int>(v);
  }
  uint8_t next_byte() { return pos < size ? data[pos++] : (++pos, 0); }
  // Bytes up to the next NUL (dropped) or the end, cut to kTextMax.
  std::string next_text() {
    std::string text;
    while (pos < size && data[pos] != 0) {
      if (text.size() < kTextMax) text += static_cast<char>(data[pos]);
      ++pos;
    }
    ++pos;
    return text;
  }
};

bool printable(char c) { return c == '\n' || (c >= 0x20 && c <= 0x7e); }

void check_ascii(const std::string &text) {
  for (char c : text) FUZZ_CHECK(printable(c));
}

// The rise and set report shows the current place when it is in use and
// the first place otherwise; its name may hold any bytes.
const Place &shown_place(const Place *places, int current) {
  if (current >= 0 && current < PLACE_SLOTS && places[current].used) return places[current];
  return places[0];
}

// By view (unknown views show the calendar): the report and the size of
// its text buffer (the moon report stays under 1000).
ReportText (*const kReports[4])(const ReportInput &) = {calendar_report, moonphase_report,
                                                        riseset_report, seasons_report};
const size_t kBuffers[4] = {1024, 1000, 2048, 2048};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  // The two reports without input, once.
  const ReportText pi = pi_report();
  FUZZ_CHECK(pi.text.size() == 3144);
  check_ascii(pi.text);
  const ReportText info = info_report();
  FUZZ_CHECK(info.text.size() < 512);
  check_ascii(info.text);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  Reader r{data, size, 0};
  const int view = r.next_int();
  const int place = r.next_int();
  const int jan = r.next_int();
  const uint8_t flags = r.next_byte();
  int today_day = r.next_int(), today_month = r.next_int(), today_year = r.next_int();
  if (flags & 1) {
    today_day = static_cast<int>(static_cast<uint32_t>(today_day) % 32);
    today_month = static_cast<int>(static_cast<uint32_t>(today_month) % 13);
    today_year = static_cast<int>(static_cast<uint32_t>(today_year) % 10001);
  }
  const std::string year = r.next_text();
  const std::string month = r.next_text();
  const std::string day = r.next_text();

  Place table[PLACE_SLOTS];
  reset_places(table);
  int file_jan = 1;
  if (r.pos < size)
    parse_places(reinterpret_cast<const char *>(data) + r.pos, static_cast<long>(size - r.pos),
                 table, &file_jan);

  const ReportInput in{year.c_str(), month.c_str(), day.c_str(), {today_year, today_month, today_day},
                       table,        place,         jan};
  const int known = view >= 0 && view < 4 ? view : VIEW_CALENDAR;
  const ReportText shown = view_report(view, in);
  const ReportText direct = kReports[known](in);
  FUZZ_CHECK(shown.text == direct.text && shown.font == direct.font);
  FUZZ_CHECK(shown.font == FONT_REPORT || shown.font == FONT_FEASTS);
  FUZZ_CHECK(shown.text.size() < kBuffers[known]);
  FUZZ_CHECK(std::strlen(shown.text.c_str()) == shown.text.size());
  FUZZ_CHECK(view_report(view, in).text == shown.text);

  if (known == VIEW_RISESET) {
    const std::string name = shown_place(table, place).name;
    const std::string heading = "fuer " + name + ": ";
    std::string rest = shown.text;
    const size_t at = rest.find(heading);
    FUZZ_CHECK(at != std::string::npos);
    rest.erase(at, heading.size());
    check_ascii(rest);
  } else {
    check_ascii(shown.text);
  }
  return 0;
}
