// SPDX-License-Identifier: MIT
// Names from the place file, any bytes, as UTF-8 text.
#include "nachtblick/text/utf8.h"

namespace {

// Octets of the well-formed UTF-8 sequence at p (RFC 3629: no overlong
// form, no surrogate, at most U+10FFFF); 0 when there is none. p is
// NUL-terminated.
size_t utf8_length(const unsigned char *p) {
  if (p[0] < 0x80) return 1;
  size_t n;
  unsigned lo = 0x80, hi = 0xBF;  // range of the second octet
  if (p[0] >= 0xC2 && p[0] <= 0xDF) {
    n = 2;
  } else if (p[0] >= 0xE0 && p[0] <= 0xEF) {
    n = 3;
    if (p[0] == 0xE0) lo = 0xA0;
    if (p[0] == 0xED) hi = 0x9F;
  } else if (p[0] >= 0xF0 && p[0] <= 0xF4) {
    n = 4;
    if (p[0] == 0xF0) lo = 0x90;
    if (p[0] == 0xF4) hi = 0x8F;
  } else {
    return 0;
  }
  if (p[1] < lo || p[1] > hi) return 0;
  for (size_t i = 2; i < n; ++i)
    if ((p[i] & 0xC0) != 0x80) return 0;
  return n;
}

}  // namespace

std::string utf8_text(const char *bytes) {
  std::string text;
  const unsigned char *p = reinterpret_cast<const unsigned char *>(bytes);
  while (*p) {
    const size_t n = utf8_length(p);
    if (n) {
      text.append(reinterpret_cast<const char *>(p), n);
      p += n;
    } else {
      text += static_cast<char>(0xC0 | (*p >> 6));
      text += static_cast<char>(0x80 | (*p & 0x3F));
      ++p;
    }
  }
  return text;
}
