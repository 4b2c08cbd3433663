// SPDX-License-Identifier: MIT
// Whole decimal numbers as the front end takes them.
#ifndef NACHTBLICK_DECIMAL_H
#define NACHTBLICK_DECIMAL_H

// A whole decimal number of 1 to 9 digits, nothing else; false for any
// other text.
bool parse_decimal(const char *text, int *value);

#endif
