// SPDX-License-Identifier: MIT
// The two faces of the new views: German text for people, and tab-
// separated values with a header line for scripts (--format tsv).
#ifndef NACHTBLICK_VIEWFORMAT_H
#define NACHTBLICK_VIEWFORMAT_H

#include <cstring>

enum ViewFormat { kFormatText, kFormatTsv, kViewFormats };
constexpr const char *kViewFormatNames[kViewFormats] = {"text", "tsv"};

// The format of its name (kViewFormatNames); false for any other text.
inline bool view_format(const char *name, ViewFormat *format) {
  for (int f = 0; f < kViewFormats; ++f)
    if (std::strcmp(name, kViewFormatNames[f]) == 0) {
      *format = static_cast<ViewFormat>(f);
      return true;
    }
  return false;
}

#endif
