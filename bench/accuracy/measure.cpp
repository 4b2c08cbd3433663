// SPDX-License-Identifier: MIT
// Prints the values of the astronomy engine and the calendar arithmetic as
// CSV on stdout, one row per instant or date, for scripts/accuracy.sh:
//
//   nb_accuracy phases Y0 Y1          lunar phases of the years Y0..Y1
//   nb_accuracy illum MJD0 MJD1 STEP  illuminated fraction at 0h UT
//   nb_accuracy eclipses Y0 Y1        solar and lunar eclipses and near misses
//   nb_accuracy seasons Y0 Y1         equinoxes and solstices
//   nb_accuracy riseset PLACES MJD0 MJD1 STEP   rise, set and twilights
//   nb_accuracy constants             the limits of the eclipse kinds
//   nb_accuracy placeeclipses PLACES Y0 Y1   eclipses at places, as the view
//   nb_accuracy sunday PLACES MJD0 MJD1 STEP  the sun view's events of days
//   nb_accuracy moondistance Y0 Y1    apsides, new and full moons with distance
//   nb_accuracy sunbands PLACES Y0 Y1 the golden and blue hours as whole intervals
//
// Instants are Julian Dates: "ut" as the reports give them, "tt" the same
// instant before the conversion to universal time (dynamical time).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "astro/apsis.h"
#include "astro/constants.h"
#include "astro/eclipse.h"
#include "astro/localposition.h"
#include "astro/lunar.h"
#include "astro/precisemoon.h"
#include "astro/seasons.h"
#include "astro/sunbands.h"
#include "astro/sunmoon.h"
#include "astro/timescales.h"
#include "calendar/calendar.h"
#include "nachtblick/events/moonsearch.h"
#include "nachtblick/events/placeeclipses.h"
#include "nachtblick/events/sunday.h"
#include "nachtblick/place/placeclock.h"
#include "nachtblick/views/eventnames.h"

namespace {

// Lunations that cover the years y0..y1 with a margin of two on each side,
// from the moon report's estimate.
void lunations(int y0, int y1, int *n0, int *n1) {
  *n0 = report_lunation(y0, 0) - 2;
  *n1 = report_lunation(y1 + 1, 0) + 3;
}

void phases(int y0, int y1) {
  int n0, n1;
  lunations(y0, y1, &n0, &n1);
  std::printf("n,phase,ut,tt,dt\n");
  for (int n = n0; n <= n1; ++n) {
    for (int p = 0; p < 4; ++p) {
      const double ut = moonphase(n, p, 1);
      const double tt = moonphase(n, p, 0) - kHalfSecondDays;
      std::printf("%d,%d,%.8f,%.8f,%.4f\n", n, p, ut, tt, deltatcached(tt));
    }
  }
}

void illum(int mjd0, int mjd1, int step) {
  std::printf("mjd,fraction\n");
  for (int mjd = mjd0; mjd <= mjd1; mjd += step) {
    std::printf("%d,%.7f\n", mjd, moonillumination(mjd + 2400000.5));
  }
}

// Every eclipse the engine finds, with the umbral radius u of its lunation.
// A lunation that passes the node test (gamma written) but holds no eclipse
// of its kind gives a row of type -1 with the instant of its new or full
// moon, so that near misses can be told apart.
void eclipses(int y0, int y1) {
  static const int kTypes[2] = {3, 2};  // solar: partial, total, annular; lunar: two
  int n0, n1;
  lunations(y0, y1, &n0, &n1);
  std::printf("n,kind,type,ut,tt,gamma,u,saros\n");
  for (int n = n0; n <= n1; ++n) {
    for (int kind = 0; kind < 2; ++kind) {
      double T = 0.0;
      const double k = n + 0.5 * kind;
      const double E = eccentricityfactor(&T, k);
      const double u = umbraradius(E, sunanomaly(T, k), moonanomaly(T, k));
      double gamma = 0.0;
      int saros = 0, found = 0;
      for (int type = 0; type < kTypes[kind]; ++type) {
        const double ut = eclipse(n, kind, type, &gamma, &saros, 1);
        if (ut == ttut(0.0, kToUniversal)) continue;  // none
        const double tt = eclipse(n, kind, type, &gamma, &saros, 0) - kHalfSecondDays;
        std::printf("%d,%d,%d,%.8f,%.8f,%.5f,%.5f,%d\n", n, kind, type, ut, tt, gamma, u, saros);
        found = 1;
      }
      if (!found && gamma != 0.0) {
        const double ut = moonphase(n, 2 * kind, 1);
        const double tt = moonphase(n, 2 * kind, 0) - kHalfSecondDays;
        std::printf("%d,%d,-1,%.8f,%.8f,%.5f,%.5f,%d\n", n, kind, ut, tt, gamma, u, saros);
      }
    }
  }
}

void seasons(int y0, int y1) {
  std::printf("year,season,ut,tt,dt\n");
  for (int y = y0; y <= y1; ++y) {
    for (int s = 1; s <= 4; ++s) {
      const double tt = seasonstart(y, s, 0) - kHalfSecondDays;
      std::printf("%d,%d,%.8f,%.8f,%.4f\n", y, s, seasonstart(y, s, 1), tt, deltatcached(tt));
    }
  }
}

// Places file: one place a line, "name;latitude;longitude;zone" (degrees
// north and east, zone hours east of UT); lines starting with # are skipped.
void riseset_rows(const char *path, int mjd0, int mjd1, int step) {
  std::FILE *f = std::fopen(path, "r");
  if (!f) {
    std::perror(path);
    std::exit(1);
  }
  static const int kTypes[5] = {0, 1, -1, -2, -3};
  std::printf("place,mjd,type,flags,rise,set\n");
  char line[256];
  int place = 0;
  while (std::fgets(line, sizeof line, f)) {
    if (line[0] == '#' || line[0] == '\n') continue;
    const char *p = std::strchr(line, ';');
    double lat = 0.0, lon = 0.0, zone = 0.0;
    if (!p || std::sscanf(p + 1, "%lf;%lf;%lf", &lat, &lon, &zone) != 3) continue;
    for (int mjd = mjd0; mjd <= mjd1; mjd += step) {
      for (int type : kTypes) {
        double rise = -1.0, set = -1.0;
        const int flags = riseset(mjd, zone, lon, lat, type, &rise, &set);
        std::printf("%d,%d,%d,%d,%.6f,%.6f\n", place, mjd, type, flags, rise, set);
      }
    }
    ++place;
  }
  std::fclose(f);
}

// Places file of the views: one place a line, "name;latitude;longitude"
// and optionally ";zone" (an IANA zone; without one MEZ/MESZ), degrees
// north and east; lines starting with # are skipped.
std::vector<Place> read_places(const char *path) {
  std::FILE *f = std::fopen(path, "r");
  if (!f) {
    std::perror(path);
    std::exit(1);
  }
  std::vector<Place> places;
  char line[256];
  while (std::fgets(line, sizeof line, f)) {
    if (line[0] == '#' || line[0] == '\n') continue;
    line[std::strcspn(line, "\n")] = '\0';
    Place p{};
    char *field[4] = {line, nullptr, nullptr, nullptr};
    for (int i = 1; i < 4 && field[i - 1]; ++i) {
      char *semi = std::strchr(field[i - 1], ';');
      if (semi) *semi = '\0';
      field[i] = semi ? semi + 1 : nullptr;
    }
    if (!field[2]) continue;
    std::snprintf(p.name, sizeof p.name, "%.*s", kPlaceNameMax, field[0]);
    p.latitude = std::atof(field[1]);
    p.longitude = std::atof(field[2]);
    if (field[3]) std::snprintf(p.zone, sizeof p.zone, "%.*s", kZoneNameMax, field[3]);
    p.used = 1;
    places.push_back(p);
  }
  std::fclose(f);
  return places;
}

// The eclipses of the years at each place as place_eclipses() gives them
// to the eclipses view: one row per instant (event "none" for an eclipse with
// none), with the eclipse's kinds (the local one the horizon aside),
// greatest eclipse and, for a solar one,
// magnitude and obscuration at the local maximum.
void place_eclipse_rows(const char *path, int y0, int y1) {
  const std::vector<Place> places = read_places(path);
  std::printf("place,body,global,local,greatest,magnitude,obscuration,event,jd,alt,az,up\n");
  for (size_t i = 0; i < places.size(); ++i) {
    for (int y = y0; y <= y1; ++y) {
      for (const PlaceEclipse &e : place_eclipses(y, places[i])) {
        const char *body = e.lunar ? "lunar" : "solar";
        const auto head = [&] {
          std::printf("%zu,%s,%d,%d,%.8f,%.5f,%.5f,", i, body, e.kind_global, e.kind_at_place,
                      e.greatest.ut_jd(), e.magnitude, e.obscuration);
        };
        if (e.moments.empty()) {
          head();
          std::printf("none,0,0,0,0\n");
        }
        for (const EclipseMoment &m : e.moments) {
          head();
          std::printf("%s,%.8f,%.5f,%.5f,%d\n", kContactNames[m.contact].word, m.at.ut_jd(),
                      m.altitude, m.azimuth, m.up);
        }
      }
    }
  }
}

// The sun view's events of every step-th day from MJD mjd0 to mjd1 at each
// place (sun_day()): the local day's span as UT Julian Dates, the flags of
// the rise and set search, and for each event its UT Julian Date (0: none)
// and the Sun's geometric altitude and azimuth there, as the tsv prints
// them.
void sun_day_rows(const char *path, int mjd0, int mjd1, int step) {
  const std::vector<Place> places = read_places(path);
  std::printf("place,mjd,jd1,jd2,flags,event,jd,alt,az\n");
  for (size_t i = 0; i < places.size(); ++i) {
    const Place &p = places[i];
    for (int mjd = mjd0; mjd <= mjd1; mjd += step) {
      int y, m, d;
      jdtodate(mjd + kMjdToJdn, &y, &m, &d);
      ZoneDay local;
      place_day(p, y, m, d, &local);
      if (local.count == 0) continue;
      const SunDay sun = sun_day(y, m, d, p);
      const double jd1 = Instant::seconds(local.span[0].start).ut_jd();
      const double jd2 = Instant::seconds(local.end).ut_jd();
      for (int e = 0; e < kSunEvents; ++e) {
        TopocentricPosition s{};
        const std::optional<Instant> at = sun_event(sun, SunEvent(e));
        const double jd = at ? at->ut_jd() : 0.0;
        if (at) suntopocentric(jd, p.longitude, p.latitude, &s);
        std::printf("%zu,%d,%.8f,%.8f,%d,%s,%.8f,%.6f,%.6f\n", i, mjd, jd1, jd2, sun.flags,
                    kSunEventNames[e].word, jd, s.altitude, s.azimuth);
      }
    }
  }
}

// The golden and blue hours at each place as sunbands() gives them: every
// interval that overlaps the years y0..y1 (from 0h UT of January 1 of y0
// to that of y1 + 1), whole, with the directions in which the Sun enters
// and leaves the band and the flags of edges not found.
void sun_band_rows(const char *path, int y0, int y1) {
  const struct {
    const char *name;
    double low, high;
  } kBands[] = {{"golden", kGoldenHourLow, kGoldenHourHigh},
                {"blue", kBlueHourLow, kGoldenHourLow}};
  const std::vector<Place> places = read_places(path);
  const double jd1 = datetojd(y0, 1, 1), jd2 = datetojd(y1 + 1, 1, 1);
  std::printf("place,band,begin,end,beginrising,endrising,flags\n");
  for (size_t i = 0; i < places.size(); ++i) {
    for (const auto &b : kBands) {
      const Place &p = places[i];
      std::vector<SunBand> bands(static_cast<size_t>(2 * (jd2 - jd1)) + 2);
      int n = sunbands(p.longitude, p.latitude, b.low, b.high, jd1, jd2, bands.data(),
                       static_cast<int>(bands.size()));
      if (n > static_cast<int>(bands.size())) {
        bands.resize(n);
        n = sunbands(p.longitude, p.latitude, b.low, b.high, jd1, jd2, bands.data(), n);
      }
      for (int k = 0; k < n; ++k)
        std::printf("%zu,%s,%.8f,%.8f,%d,%d,%d\n", i, b.name, bands[k].begin, bands[k].end,
                    bands[k].beginrising, bands[k].endrising, bands[k].flags);
    }
  }
}

// The data of the Moon's distance view for the years: the apsides
// (moonapsides()) and every new and full moon of the moon report with the
// precise Moon's distance at it; "tt" is the dynamical time at which that
// distance is taken.
void moon_distance_rows(int y0, int y1) {
  const double begin = datetojd(y0, 1, 1), end = datetojd(y1 + 1, 1, 1);
  std::printf("event,ut,tt,distance\n");
  const int n = moonapsides(begin, end, nullptr, 0);
  std::vector<MoonApsis> apsides(n);
  moonapsides(begin, end, apsides.data(), n);
  for (const MoonApsis &a : apsides)
    std::printf("%s,%.8f,%.8f,%.3f\n", a.apogee ? "apogee" : "perigee", a.jd,
                a.jd + deltatdays(a.jd), a.distance);
  for (int k = report_lunation(y0, 1) - 1; k <= report_lunation(y1 + 1, 1) + 1; ++k) {
    for (int phase = 0; phase <= 2; phase += 2) {
      const double jd = moonphase(k, phase, kToUniversal);
      if (jd < begin || jd >= end) continue;
      double lambda = 0.0, beta = 0.0, distance = 0.0;
      const double tt = jd + deltatdays(jd);
      moongeocentric(tt, &lambda, &beta, &distance);
      std::printf("%s,%.8f,%.8f,%.3f\n", phase ? "full" : "new", jd, tt, distance);
    }
  }
}

// The limits of astro/eclipse.h that docs/accuracy.md cites, as
// name,value (exact doubles).
void constants() {
  std::printf("name,value\n");
  const struct {
    const char *name;
    double value;
  } kLimits[] = {{"node", kNodeLimit},           {"central", kCentralLimit},
                 {"solar", kSolarLimit},         {"annular_total", kAnnularTotalFactor},
                 {"umbral", kUmbralLimit},       {"lunar", kLunarLimit},
                 {"umbral_width", kUmbralWidth}, {"totality", kTotalityLimit}};
  for (const auto &c : kLimits) std::printf("%s,%.17g\n", c.name, c.value);
}

int usage() {
  std::fprintf(stderr,
               "usage: nb_accuracy phases|eclipses|seasons Y0 Y1\n"
               "       nb_accuracy illum MJD0 MJD1 STEP\n"
               "       nb_accuracy riseset PLACES MJD0 MJD1 STEP\n"
               "       nb_accuracy constants\n"
               "       nb_accuracy placeeclipses PLACES Y0 Y1\n"
               "       nb_accuracy sunday PLACES MJD0 MJD1 STEP\n"
               "       nb_accuracy moondistance Y0 Y1\n"
               "       nb_accuracy sunbands PLACES Y0 Y1\n");
  return 2;
}

}  // namespace

int main(int argc, char **argv) {
  if (argc == 2 && !std::strcmp(argv[1], "constants")) {
    constants();
    return 0;
  }
  if (argc < 4) return usage();
  const char *what = argv[1];
  const int a = std::atoi(argv[2]), b = std::atoi(argv[3]);
  if (!std::strcmp(what, "phases")) {
    phases(a, b);
  } else if (!std::strcmp(what, "eclipses")) {
    eclipses(a, b);
  } else if (!std::strcmp(what, "seasons")) {
    seasons(a, b);
  } else if (!std::strcmp(what, "illum") && argc == 5) {
    illum(a, b, std::atoi(argv[4]));
  } else if (!std::strcmp(what, "moondistance")) {
    moon_distance_rows(a, b);
  } else if (!std::strcmp(what, "placeeclipses") && argc == 5) {
    place_eclipse_rows(argv[2], std::atoi(argv[3]), std::atoi(argv[4]));
  } else if (!std::strcmp(what, "sunbands") && argc == 5) {
    sun_band_rows(argv[2], std::atoi(argv[3]), std::atoi(argv[4]));
  } else if (!std::strcmp(what, "sunday") && argc == 6) {
    sun_day_rows(argv[2], std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]));
  } else if (!std::strcmp(what, "riseset") && argc == 6) {
    riseset_rows(argv[2], std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]));
  } else {
    return usage();
  }
  return 0;
}
