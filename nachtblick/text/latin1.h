// SPDX-License-Identifier: MIT
// Text for the window's text area, which draws with a Latin-1 X font.
#ifndef NACHTBLICK_LATIN1_H
#define NACHTBLICK_LATIN1_H

#include <string>

// The bytes of text for an ISO 8859-1 font. text is read as utf8_text
// reads a place name (well-formed UTF-8 as it is, every other byte as
// Latin-1) and composed (Unicode NFC, so that "e" and a combining acute are
// one "é"). Then each character is:
//  - U+0000..U+007F and U+00A0..U+00FF: its own byte ("Ærø" stays Ærø);
//  - U+0080..U+009F, the C1 controls, which the font has no glyph for: '?';
//  - any other character: GLib's ASCII transliteration in the C locale
//    (g_str_to_ascii), character by character, so that the Latin-1
//    letters of a name stay: "Łódź" gives "Lódz", "€" "EUR", "œ" "oe",
//    a curly quote a straight one, and a character GLib knows no
//    transliteration for (CJK, emoji) '?'.
// Every byte of the result is ASCII or a Latin-1 character 0xA0..0xFF.
std::string latin1_text(const char *text);

#endif
