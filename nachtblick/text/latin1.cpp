// SPDX-License-Identifier: MIT
// UTF-8 text as Latin-1 bytes, transliterated where Latin-1 has no letter.
#include "nachtblick/text/latin1.h"

#include <glib.h>

#include "nachtblick/text/utf8.h"

namespace {

// The first and last code points of the C1 controls, and the last one of
// Latin-1.
const gunichar kFirstC1 = 0x80, kLastC1 = 0x9F, kLastLatin1 = 0xFF;

}  // namespace

std::string latin1_text(const char *text) {
  const std::string utf8 = utf8_text(text);
  g_autofree gchar *composed = g_utf8_normalize(utf8.c_str(), -1, G_NORMALIZE_NFC);
  std::string latin1;
  for (const gchar *p = composed; *p; p = g_utf8_next_char(p)) {
    const gunichar c = g_utf8_get_char(p);
    if (c >= kFirstC1 && c <= kLastC1) {
      latin1 += '?';
    } else if (c <= kLastLatin1) {
      latin1 += static_cast<char>(c);
    } else {
      const std::string one(p, static_cast<size_t>(g_utf8_next_char(p) - p));
      g_autofree gchar *ascii = g_str_to_ascii(one.c_str(), "C");
      latin1 += ascii;
    }
  }
  return latin1;
}
