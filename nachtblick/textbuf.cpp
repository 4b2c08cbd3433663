// SPDX-License-Identifier: MIT
#include "nachtblick/textbuf.h"

#include <cstdarg>
#include <cstdio>

void append_format(std::string &text, const char *format, ...) {
  char line[256];
  va_list args;
  va_start(args, format);
  const int n = std::vsnprintf(line, sizeof line, format, args);
  va_end(args);
  if (n > 0) text.append(line, (n < static_cast<int>(sizeof line)) ? n : sizeof line - 1);
}
