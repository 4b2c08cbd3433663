// SPDX-License-Identifier: MIT
// Text of the place file as UTF-8, for the export and the chart.
#ifndef NACHTBLICK_UTF8_H
#define NACHTBLICK_UTF8_H

#include <string>

// A place name as UTF-8: well-formed sequences (RFC 3629) as they are,
// every other byte read as Latin-1.
std::string utf8_text(const char *bytes);

#endif
