// SPDX-License-Identifier: MIT
// The two faces of the new views: German text for people, and tab-
// separated values with a header line for scripts (--format tsv).
#ifndef NACHTBLICK_VIEWFORMAT_H
#define NACHTBLICK_VIEWFORMAT_H

enum ViewFormat { kFormatText, kFormatTsv, kViewFormats };
constexpr const char *kViewFormatNames[kViewFormats] = {"text", "tsv"};

#endif
