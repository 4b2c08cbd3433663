// SPDX-License-Identifier: MIT
// The report of kalender on arbitrary year and month texts (an entry holds
// 25 characters, up to 100 bytes in UTF-8) and any date of today, and the
// stepping of the date buttons on the same texts.
//
// Input layout: byte 0 flags (bit 0 folds today's date into 0..31, 0..12,
// 0..10000), bytes 1..12 today's day, month and year (ints), then the year
// and the month text separated by a NUL byte.
#include <cctype>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "fuzz/fuzz_check.h"
#include "kalreport.h"

namespace {

const size_t kTextMax = 100;

int read_int(const uint8_t *data, size_t size, size_t pos) {
  uint32_t v = 0;
  for (size_t i = 0; i < 4; ++i)
    v |= static_cast<uint32_t>(pos + i < size ? data[pos + i] : 0) << (8 * i);
  return static_cast<int>(v);
}

std::string read_text(const uint8_t *data, size_t size, size_t *pos) {
  std::string text;
  while (*pos < size && data[*pos] != 0) {
    if (text.size() < kTextMax) text += static_cast<char>(data[*pos]);
    ++*pos;
  }
  ++*pos;
  return text;
}

// atoi's reading with saturation, from isspace, a sign and digits.
long long atoi_reading(const std::string &text) {
  size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long long v = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    if (v <= INT_MAX) v = v * 10 + (text[i] - '0');
  if (negative) v = -v;
  if (v > INT_MAX) v = INT_MAX;
  if (v < INT_MIN) v = INT_MIN;
  return v;
}

void check_text(const std::string &text) {
  for (char c : text) FUZZ_CHECK(c == '\n' || (c >= 0x20 && c <= 0x7e));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const uint8_t flags = size > 0 ? data[0] : 0;
  int today_day = read_int(data, size, 1);
  int today_month = read_int(data, size, 5);
  int today_year = read_int(data, size, 9);
  if (flags & 1) {
    today_day = static_cast<int>(static_cast<uint32_t>(today_day) % 32);
    today_month = static_cast<int>(static_cast<uint32_t>(today_month) % 13);
    today_year = static_cast<int>(static_cast<uint32_t>(today_year) % 10001);
  }
  size_t pos = 13;
  const std::string year = read_text(data, size, &pos);
  const std::string month = read_text(data, size, &pos);

  const KalReport report =
      kalender_report(year.c_str(), month.c_str(), today_day, today_month, today_year);
  FUZZ_CHECK(report.font == kKalFontFixed || report.font == kKalFontProportional);
  FUZZ_CHECK(report.text.size() < 1024);
  FUZZ_CHECK(std::strlen(report.text.c_str()) == report.text.size());
  check_text(report.text);
  FUZZ_CHECK(
      kalender_report(year.c_str(), month.c_str(), today_day, today_month, today_year).text ==
      report.text);

  const long long y = atoi_reading(year), m = atoi_reading(month);
  FUZZ_CHECK(kalender_entrytoint(year.c_str()) == y);
  FUZZ_CHECK(kalender_entrytoint(month.c_str()) == m);
  const bool month_view = m >= 1 && m <= 12;
  FUZZ_CHECK(report.font == (month_view ? kKalFontFixed : kKalFontProportional));
  if (y < 100 || y > 10000)
    FUZZ_CHECK(report.text == "\n Das Jahr muss im Bereich von\n 100 bis 10000 sein! ");

  // The date buttons: one step, wrapped only at the named ends.
  FUZZ_CHECK(kalender_next_year(year.c_str()) == (y + 1 > 10000 ? 100 : y + 1));
  FUZZ_CHECK(kalender_prev_year(year.c_str()) == (y - 1 < 100 ? 10000 : y - 1));
  FUZZ_CHECK(kalender_next_month(month.c_str()) == (m + 1 > 12 ? 0 : m + 1));
  FUZZ_CHECK(kalender_prev_month(month.c_str()) == (m - 1 < 0 ? 12 : m - 1));
  return 0;
}
