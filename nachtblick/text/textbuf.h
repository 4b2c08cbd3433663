// SPDX-License-Identifier: MIT
// Bounded formatting for report texts.
#ifndef NACHTBLICK_TEXTBUF_H
#define NACHTBLICK_TEXTBUF_H

#include <string>

// Formats one piece (at most 255 characters, like the reports' 256-byte line
// buffer) and appends it to text.
void append_format(std::string &text, const char *format, ...)
    __attribute__((format(printf, 2, 3)));

// The index of name among names[0..n), or -1 when it is none of them.
int name_index(const char *const *names, int n, const char *name);

// Names joined with ", " and " or " before the last: "svg, pdf or png".
std::string joined_names(const char *const *names, int n);

// Shows the control characters of text (below 0x20, and DEL) as '?', so
// that a quoted file or argument cannot steer a terminal.
void mask_controls(std::string &text);

#endif
