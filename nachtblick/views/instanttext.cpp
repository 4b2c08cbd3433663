// SPDX-License-Identifier: MIT
#include "nachtblick/views/instanttext.h"

#include <cstdlib>

#include "calendar/calendar.h"
#include "nachtblick/text/textbuf.h"

namespace {

void append_date(std::string &text, const LocalTime &l) {
  append_format(text, "%04d-%02d-%02d", l.year, l.month, l.day);
}

void append_time(std::string &text, const LocalTime &l) {
  append_format(text, "%02d:%02d:%02d", l.seconds / kSecondsPerHour, l.seconds / 60 % 60,
                l.seconds % 60);
}

}  // namespace

std::string iso_utc(const Instant &t) {
  const CivilTime c = t.utc();
  std::string text;
  append_format(text, "%04d-%02d-%02dT%02d:%02d:%02dZ", c.year, c.month, c.day, c.hour, c.minute,
                c.second);
  return text;
}

std::string iso_local(const Place &place, const Instant &t) {
  const LocalTime l = t.local(place);
  std::string text;
  append_date(text, l);
  text += 'T';
  append_time(text, l);
  const int a = std::abs(l.offset);
  append_format(text, "%c%02d:%02d", l.offset < 0 ? '-' : '+', a / kSecondsPerHour, a / 60 % 60);
  if (a % 60) append_format(text, ":%02d", a % 60);
  return text;
}

void append_minute(std::string &text, int minute) {
  const int kMinutesPerDay = 1440;
  minute %= kMinutesPerDay;
  append_format(text, "%02d:%02d", minute / 60, minute % 60);
}

std::string clock_text(const Place &place, const Instant &t) {
  const LocalTime l = t.local(place);
  std::string text;
  append_format(text, "%02d.%02d. ", l.day, l.month);
  return text + time_text(place, t);
}

std::string time_text(const Place &place, const Instant &t) {
  const LocalTime l = t.local(place);
  std::string text;
  append_time(text, l);
  return text + " " + l.abbr;
}
