// SPDX-License-Identifier: MIT
// Columns of text views counted in characters, for names in UTF-8.
#ifndef NACHTBLICK_PADDING_H
#define NACHTBLICK_PADDING_H

#include <string>

// Characters of text as utf8_text reads it: a well-formed UTF-8 sequence
// is one, and so is every other byte (a Latin-1 letter). Combining marks
// and wide (CJK) characters count one each, like any other.
long text_characters(const char *text);

// text as it is, then blanks up to width characters (none when it has
// that many or more): printf's "%-*s" counted in characters, not bytes.
std::string pad_characters(const char *text, int width);

#endif
