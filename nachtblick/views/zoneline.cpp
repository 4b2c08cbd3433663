// SPDX-License-Identifier: MIT
// The zone line of the views of a day.
#include "nachtblick/views/zoneline.h"

#include "calendar/calendar.h"
#include "nachtblick/text/textbuf.h"

namespace {

// An offset in seconds east of UT as "UTC+5:45", "UTC-4", "UTC+0"; seconds
// are written where the offset has them (local mean times).
void append_offset(std::string &text, int offset) {
  const int a = offset < 0 ? -offset : offset;
  append_format(text, "UTC%c%d", offset < 0 ? '-' : '+', a / kSecondsPerHour);
  if (a % kSecondsPerHour) append_format(text, ":%02d", a / 60 % 60);
  if (a % 60) append_format(text, ":%02d", a % 60);
}

}  // namespace

void append_zone_line(std::string &text, const Place &place, const ZoneDay &day) {
  text += place.zone;
  if (day.count == 0) text += ", diesen Tag gibt es dort nicht";
  for (int k = 0; k < day.count; ++k) {
    const ZoneSpan &s = day.span[k];
    if (k == 0) {
      if (place.zone[0]) text += ", ";
    } else {
      const long long local =
          ((s.start + s.offset) % kSecondsPerDay + kSecondsPerDay) % kSecondsPerDay;
      append_format(text, ",\n             ab %02lld:%02lld", local / kSecondsPerHour,
                    local / 60 % 60);
      if (local % 60) append_format(text, ":%02lld", local % 60);
      text += " ";
    }
    append_format(text, "%s (", s.abbr);
    append_offset(text, s.offset);
    text += ")";
  }
}
