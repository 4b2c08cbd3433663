// SPDX-License-Identifier: MIT
// entrytoint on arbitrary texts, against a reading built from strtoll:
// blanks (spaces only) skipped, one optional sign directly before the
// digits, the run of digits up to the first other byte, saturation at the
// ends of int.
#include <cerrno>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "calendar/calendar.h"
#include "fuzz/fuzz_check.h"

namespace {

int reference(const std::string &text) {
  size_t i = text.find_first_not_of(' ');
  if (i == std::string::npos) return 0;
  std::string number;
  if (text[i] == '+' || text[i] == '-') number += text[i++];
  const size_t digits = i;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') number += text[i++];
  if (i == digits) return 0;  // a sign without digits, or no number at all
  errno = 0;
  const long long v = std::strtoll(number.c_str(), nullptr, 10);  // saturates itself
  if (v > INT_MAX) return INT_MAX;
  if (v < INT_MIN) return INT_MIN;
  return static_cast<int>(v);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  // The text ends at the first NUL, as an entry's text would.
  std::string text(reinterpret_cast<const char *>(data), size);
  text.resize(text.find('\0') == std::string::npos ? size : text.find('\0'));
  const int value = entrytoint(text.c_str());
  FUZZ_CHECK(value == reference(text));
  // Leading blanks never matter.
  FUZZ_CHECK(entrytoint(("   " + text).c_str()) == value);
  return 0;
}
