// SPDX-License-Identifier: MIT
// Padding of UTF-8 names to a width in characters.
#include "nachtblick/text/padding.h"

#include <glib.h>

#include "nachtblick/text/utf8.h"

long text_characters(const char *text) { return g_utf8_strlen(utf8_text(text).c_str(), -1); }

std::string pad_characters(const char *text, int width) {
  std::string padded = text;
  const long characters = text_characters(text);
  if (characters < width) padded.append(static_cast<size_t>(width - characters), ' ');
  return padded;
}
