// SPDX-License-Identifier: MIT
#include "nachtblick/text/textbuf.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

void append_format(std::string &text, const char *format, ...) {
  char line[256] = "";  // vsnprintf ends what it writes with a NUL, cut if need be
  va_list args;
  va_start(args, format);
  std::vsnprintf(line, sizeof line, format, args);
  va_end(args);
  text += line;
}

int name_index(const char *const *names, int n, const char *name) {
  for (int i = 0; i < n; ++i)
    if (std::strcmp(names[i], name) == 0) return i;
  return -1;
}

std::string joined_names(const char *const *names, int n) {
  std::string text = names[0];
  for (int i = 1; i < n; ++i) text += std::string(i == n - 1 ? " or " : ", ") + names[i];
  return text;
}

void mask_controls(std::string &text) {
  for (char &c : text)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
}
