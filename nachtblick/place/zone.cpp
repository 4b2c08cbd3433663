// SPDX-License-Identifier: MIT
// Time zones of places from the system's tz database (GLib's GTimeZone).
#include "nachtblick/place/zone.h"

#include <glib.h>

#include <algorithm>
#include <cctype>
#include <cstring>

#include "astro/constants.h"

namespace {

// MJD of 1970 January 1, the epoch of GLib's times.
const long long kMjdUnixEpoch = 40587;
// Every UT offset of the tz database lies within 26 hours of UT, so the
// local midnight of a date lies within that much of its local-clock value.
const long long kMaxOffset = 26 * kSecondsPerHour;

bool zone_char(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '/' || c == '_' || c == '-' ||
         c == '+';
}

bool zone_form(const char *name) {
  const size_t n = strnlen(name, kZoneNameMax + 1);
  if (n == 0 || n > kZoneNameMax || !std::isalpha(static_cast<unsigned char>(name[0])))
    return false;
  if (std::strstr(name, "..") || std::strstr(name, "//") || name[n - 1] == '/') return false;
  return std::all_of(name, name + n, zone_char);
}

GTimeZone *open_zone(const char *name) {
  return zone_form(name) ? g_time_zone_new_identifier(name) : nullptr;
}

// The zone's interval (a stretch between two transitions) at UT seconds t
// from 0h of MJD 0.
int interval_at(GTimeZone *tz, long long t) {
  return g_time_zone_find_interval(tz, G_TIME_TYPE_UNIVERSAL, t - kMjdUnixEpoch * kSecondsPerDay);
}

// First instant after t, at most limit + 1, in an interval other than t's.
// Intervals only grow with time, so bisection finds the transition.
long long next_transition(GTimeZone *tz, long long t, long long limit) {
  const int here = interval_at(tz, t);
  if (interval_at(tz, limit) == here) return limit + 1;
  long long lo = t, hi = limit;
  while (hi - lo > 1) {
    const long long mid = lo + (hi - lo) / 2;
    (interval_at(tz, mid) == here ? lo : hi) = mid;
  }
  return hi;
}

// The first instant at which the local clock shows local seconds L (counted
// from 0h of MJD 0) or later.
long long first_instant(GTimeZone *tz, long long L) {
  long long t = L - kMaxOffset;
  while (t < L + kMaxOffset) {
    const long long next = next_transition(tz, t, L + kMaxOffset);
    const long long at = std::max(t, L - g_time_zone_get_offset(tz, interval_at(tz, t)));
    if (at < next) return at;
    t = next;
  }
  return t;
}

// The local day of MJD mjd: its stretches between transitions, a stretch
// that differs from the one before neither in offset nor in abbreviation
// joined to it.
void local_day(GTimeZone *tz, int mjd, ZoneDay *day) {
  const long long L = mjd * kSecondsPerDay;
  const long long start = first_instant(tz, L);
  day->end = first_instant(tz, L + kSecondsPerDay);
  day->count = 0;
  for (long long t = start; t < day->end && day->count < kDaySpans;
       t = next_transition(tz, t, day->end - 1)) {
    const int i = interval_at(tz, t);
    const int offset = g_time_zone_get_offset(tz, i);
    const char *abbr = g_time_zone_get_abbreviation(tz, i);
    ZoneSpan *last = day->count ? &day->span[day->count - 1] : nullptr;
    if (last && last->offset == offset && std::strncmp(last->abbr, abbr, kZoneAbbrSize - 1) == 0)
      continue;
    ZoneSpan &s = day->span[day->count++];
    s.start = t;
    s.offset = offset;
    g_strlcpy(s.abbr, abbr, sizeof s.abbr);
  }
}

}  // namespace

int zone_known(const char *name) {
  GTimeZone *tz = open_zone(name);
  if (!tz) return 0;
  g_time_zone_unref(tz);
  return 1;
}

std::vector<std::string> zone_choices(void) {
  const char *dir = g_getenv("TZDIR");
  g_autofree gchar *path =
      g_build_filename(dir && *dir ? dir : "/usr/share/zoneinfo", "zone1970.tab", nullptr);
  g_autofree gchar *text = nullptr;
  std::vector<std::string> zones;
  if (!g_file_get_contents(path, &text, nullptr, nullptr)) return zones;
  g_auto(GStrv) lines = g_strsplit(text, "\n", 0);
  for (gchar **line = lines; *line; ++line) {
    g_auto(GStrv) fields = g_strsplit(*line, "\t", 0);
    if (**line != '#' && g_strv_length(fields) > 2) zones.push_back(fields[2]);
  }
  std::sort(zones.begin(), zones.end());
  return zones;
}

int zone_days(const char *zone, int first, int n, ZoneDay days[]) {
  GTimeZone *tz = open_zone(zone);
  if (!tz) return 0;
  for (int k = 0; k < n; ++k) local_day(tz, first + k, &days[k]);
  g_time_zone_unref(tz);
  return 1;
}

int zone_offset(const char *zone, long long t, int *offset, char abbr[kZoneAbbrSize]) {
  GTimeZone *tz = open_zone(zone);
  if (!tz) return 0;
  const int i = interval_at(tz, t);
  *offset = g_time_zone_get_offset(tz, i);
  g_strlcpy(abbr, g_time_zone_get_abbreviation(tz, i), kZoneAbbrSize);
  g_time_zone_unref(tz);
  return 1;
}
