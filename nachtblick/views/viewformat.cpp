// SPDX-License-Identifier: MIT
#include "nachtblick/views/viewformat.h"

#include <cstring>

bool view_format(const char *name, ViewFormat *format) {
  const char *const names[] = {"text", "tsv"};
  for (int f = kFormatText; f <= kFormatTsv; ++f)
    if (std::strcmp(name, names[f]) == 0) {
      *format = static_cast<ViewFormat>(f);
      return true;
    }
  return false;
}
