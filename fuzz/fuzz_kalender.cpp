// SPDX-License-Identifier: MIT
// kalender's report on any two entry texts (the year, a NUL byte, the
// month; an entry holds 25 characters, up to 100 bytes) and any date of
// today (the first 12 bytes). The text stays ASCII, apart from
// nothing, and inside the program's 1024-byte buffer.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "kalreport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  int today[3] = {0, 0, 0};
  std::memcpy(today, data, size < sizeof today ? size : sizeof today);
  std::string texts[2];
  for (size_t i = sizeof today, k = 0; i < size && k < 2; ++i) {
    if (data[i] == 0)
      ++k;
    else if (texts[k].size() < 100)
      texts[k] += static_cast<char>(data[i]);
  }
  const KalReport r =
      kalender_report(texts[0].c_str(), texts[1].c_str(), today[0], today[1], today[2]);
  if (r.text.size() >= 1024 || std::strlen(r.text.c_str()) != r.text.size()) std::abort();
  for (char c : r.text)
    if (c != '\n' && (c < 0x20 || c > 0x7e)) std::abort();
  return 0;
}
