// SPDX-License-Identifier: MIT
#include "nachtblick/text/decimal.h"

#include <cstring>

bool parse_decimal(const char *text, int *value) {
  const size_t kMaxDigits = 9;  // every such number fits an int
  if (!*text || std::strlen(text) > kMaxDigits) return false;
  int v = 0;
  for (const char *p = text; *p; ++p) {
    if (*p < '0' || *p > '9') return false;
    v = v * 10 + (*p - '0');
  }
  *value = v;
  return true;
}
