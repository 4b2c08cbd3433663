// SPDX-License-Identifier: MIT
#include "nachtblick/views/placetable.h"

#include "nachtblick/text/padding.h"
#include "nachtblick/text/textbuf.h"

std::string place_table_text(const Place table[kPlaceSlots]) {
  std::string out;
  for (int i = 0; i < kPlaceSlots && table[i].used; ++i) {
    const Place &p = table[i];
    if (i) out += "\n";
    append_format(out, "%2d  ", i);
    out += pad_characters(p.name, kPlaceNameMax);
    append_format(out, "  %9.5f  %10.5f", p.latitude, p.longitude);
    if (p.zone[0]) append_format(out, "  %s", p.zone);
  }
  return out + "\n";
}

std::string place_source_notes(const PlaceBook &book, const char *program) {
  const std::string head = std::string(program) + ": ";
  const std::string source = !book.error.empty() ? "only the built-in place"
                             : book.path.empty() ? "no place file found, only the built-in place"
                                                 : "places from " + book.path;
  return head + source + "\n" + book.notes;
}
