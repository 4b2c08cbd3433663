// SPDX-License-Identifier: MIT
// The calendar export: `nachtblick-report ical` on arbitrary arguments, and
// the export itself for any year and a place from an arbitrary place file
// (its names may hold any bytes).
//
// Input layout (missing bytes read as 0):
//   0      place slot for the export (any value; unused slots give none)
//   1..2   year of the export: 1000 + (value % 2100), so some lie beyond 3000
//   3..    up to four command-line arguments after "ical", separated by NUL
//          bytes (each cut to 24 bytes), then the rest as a place file.
//
// Checks: a status of 0 comes with a well-formed iCalendar object and no
// error text, a status of 2 with one error line and nothing else; the
// object has CRLF lines of at most 75 octets, is UTF-8 throughout, never
// folds inside a UTF-8 sequence, balances BEGIN and END and has unique
// UIDs.
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "nachtblick/cli.h"
#include "nachtblick/ical.h"
#include "nachtblick/places.h"

namespace {

const size_t kArgMax = 24;
const size_t kLineOctets = 75;

// Well-formed UTF-8 (RFC 3629).
bool utf8(const std::string &s) {
  for (size_t i = 0; i < s.size();) {
    const unsigned char c = s[i];
    const size_t n = c < 0x80 ? 1 : c < 0xC2 ? 0 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : c < 0xF5 ? 4 : 0;
    if (n == 0 || i + n > s.size()) return false;
    uint32_t cp = n == 1 ? c : c & (0x7F >> n);
    for (size_t k = 1; k < n; ++k) {
      const unsigned char t = s[i + k];
      if ((t & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (t & 0x3F);
    }
    const uint32_t least[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < least[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += n;
  }
  return true;
}

void check_ics(const std::string &ics) {
  FUZZ_CHECK(utf8(ics) && ics.rfind("BEGIN:VCALENDAR\r\n", 0) == 0);
  std::set<std::string> uids;
  int depth = 0;
  for (size_t at = 0, end; at < ics.size(); at = end + 2) {
    end = ics.find("\r\n", at);
    FUZZ_CHECK(end != std::string::npos);
    const std::string line = ics.substr(at, end - at);
    FUZZ_CHECK(line.size() <= kLineOctets && line.find_first_of("\r\n") == std::string::npos);
    FUZZ_CHECK(line[0] != ' ' || (static_cast<unsigned char>(line[1]) & 0xC0) != 0x80);
    if (line.rfind("BEGIN:", 0) == 0) ++depth;
    if (line.rfind("END:", 0) == 0) --depth;
    FUZZ_CHECK(depth >= 0 && depth <= 2);
    if (line.rfind("UID:", 0) == 0) FUZZ_CHECK(uids.insert(line).second);
  }
  FUZZ_CHECK(depth == 0);
}

// The command line as the program gets it.
void check_cli(const std::vector<std::string> &args) {
  std::vector<const char *> argv = {"nachtblick-report", "ical"};
  for (const std::string &a : args) argv.push_back(a.c_str());
  std::string out, err;
  const int status = run_report_cli(static_cast<int>(argv.size()), argv.data(), out, err);
  FUZZ_CHECK(status == 0 || status == 2);
  if (status == 2) {
    FUZZ_CHECK(out.empty() && !err.empty() && err.find('\n') == err.size() - 1);
    return;
  }
  FUZZ_CHECK(err.empty());
  if (out.rfind("BEGIN:", 0) == 0) check_ics(out);  // else --help or --version
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  size_t pos = 0;
  auto byte = [&]() -> uint8_t { return pos < size ? data[pos++] : (++pos, 0); };
  const int slot = byte();
  const int year = 1000 + (byte() | byte() << 8) % 2100;
  std::vector<std::string> args;
  while (pos < size && args.size() < 4) {
    std::string text;
    for (; pos < size && data[pos] != 0; ++pos)
      if (text.size() < kArgMax) text += static_cast<char>(data[pos]);
    ++pos;
    args.push_back(text);
  }
  check_cli(args);

  Place table[PLACE_SLOTS];
  reset_places(table);
  int jan = 1;
  if (pos < size)
    parse_places(reinterpret_cast<const char *>(data) + pos, static_cast<long>(size - pos), table,
                 &jan);
  const Place *place = slot < PLACE_SLOTS && table[slot].used ? &table[slot] : nullptr;
  std::string out, err;
  const int status = ical_report(year, place, CivilDate{2026, 2, 6}, out, err);
  FUZZ_CHECK(status == (year <= kIcalLastYear ? 0 : 2));
  FUZZ_CHECK(status == 0 ? err.empty() : out.empty() && !err.empty());
  if (status == 0) check_ics(out);
  return 0;
}
