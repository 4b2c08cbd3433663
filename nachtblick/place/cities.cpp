// SPDX-License-Identifier: MIT
// Cities by name and the zone guess, through libgeonames.
#include "nachtblick/place/cities.h"

#include <glib.h>
#include <libintl.h>
#include <locale.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#if NB_GEONAMES
#include <geonames.h>
#endif

#include "astro/constants.h"
#include "nachtblick/text/textbuf.h"

namespace {

// The variable that lists gettext's languages, and the language of the
// names.
const char kLanguageVariable[] = "LANGUAGE";
const char kGerman[] = "de";

// The Earth's mean radius R1 (IUGG), km.
const double kEarthRadiusKm = 6371.0088;

#if NB_GEONAMES

// libgeonames's message domain.
const char kGeonamesDomain[] = "geonames";

// Pairs "ae", "oe", "ue" of a query that the umlaut retries vary (2^2 - 1
// forms, each a query of its own, at most).
const size_t kUmlautSpots = 2;

const char kNoUtf8Locale[] = "city search unavailable: the system has no locale C.UTF-8";

// The calling thread in the locale C.UTF-8 while it lives (uselocale), its
// locale before afterwards. ok() is false when the system has no C.UTF-8.
class Utf8ThreadLocale {
 public:
  Utf8ThreadLocale() : locale_(newlocale(LC_ALL_MASK, "C.UTF-8", locale_t(0))) {
    if (locale_) before_ = uselocale(locale_);
  }
  ~Utf8ThreadLocale() {
    if (!locale_) return;
    uselocale(before_);
    freelocale(locale_);
  }
  Utf8ThreadLocale(const Utf8ThreadLocale &) = delete;
  Utf8ThreadLocale &operator=(const Utf8ThreadLocale &) = delete;
  bool ok() const { return locale_ != locale_t(0); }

 private:
  locale_t locale_;
  locale_t before_ = locale_t(0);
};

// A result without cities.
CitySearch no_cities(CityStatus status, const std::string &message) {
  return CitySearch{status, {}, message};
}

// Why query may not go to libgeonames; empty when it may.
std::string query_fault(const char *query, size_t max_bytes) {
  std::string fault;
  const size_t bytes = query ? strnlen(query, max_bytes + 1) : 0;
  if (bytes > max_bytes) {
    append_format(fault, "city name longer than %zu bytes", max_bytes);
  } else if (std::all_of(query, query + bytes, [](char c) { return g_ascii_isspace(c); })) {
    fault = "empty city name";
  } else if (!g_utf8_validate(query, gssize(bytes), nullptr)) {
    fault = "city name is not valid UTF-8";
  }
  return fault;
}

// The forms of query with umlauts for its first kUmlautSpots pairs "ae",
// "oe", "ue" (any case; the umlaut lower case, which the search folds
// anyway), leaving out a "ue" after a vowel or q, which German never
// writes for ü ("Neue", "Aue", "Quedlinburg"): every non-empty choice of
// them, all first, then by the choice's bits read as a number, downwards.
// Empty when query holds no such pair.
std::vector<std::string> umlaut_forms(const std::string &query) {
  std::vector<size_t> spots;
  for (size_t i = 0; i + 1 < query.size() && spots.size() < kUmlautSpots; ++i) {
    const char vowel = g_ascii_tolower(query[i]);
    const bool after_vowel = i > 0 && std::strchr("aeiouq", g_ascii_tolower(query[i - 1]));
    if (std::strchr("aou", vowel) && g_ascii_tolower(query[i + 1]) == 'e' &&
        !(vowel == 'u' && after_vowel)) {
      spots.push_back(i++);
    }
  }
  std::vector<std::string> forms;
  for (unsigned choice = (1u << spots.size()) - 1; choice > 0; --choice) {
    std::string form;
    size_t from = 0;
    for (size_t k = 0; k < spots.size(); ++k) {
      if (!(choice & (1u << (spots.size() - 1 - k)))) continue;
      form.append(query, from, spots[k] - from);
      const char vowel = g_ascii_tolower(query[spots[k]]);
      form += vowel == 'a' ? "\u00e4" : vowel == 'o' ? "\u00f6" : "\u00fc";
      from = spots[k] + 2;
    }
    forms.push_back(form + query.substr(from));
  }
  return forms;
}

// A string of libgeonames, "" for none.
std::string text(const gchar *s) { return s ? s : ""; }

// The city at index of libgeonames's table, its names as gettext gives
// them in the calling thread.
City city_at(int index) {
  g_autoptr(GeonamesCity) c = geonames_get_city(index);
  return City{text(geonames_city_get_name(c)),      text(geonames_city_get_state(c)),
              text(geonames_city_get_country(c)),   text(geonames_city_get_timezone(c)),
              geonames_city_get_latitude(c),        geonames_city_get_longitude(c),
              long(geonames_city_get_population(c))};
}

// Appends the indices of the cities that match query to found, those not
// there yet, until it holds kMaxCities.
void add_matches(const std::string &query, GCancellable *cancellable, std::vector<int> *found) {
  guint n = 0;
  g_autofree gint *match =
      geonames_query_cities_sync(query.c_str(), GEONAMES_QUERY_DEFAULT, &n, cancellable, nullptr);
  for (guint i = 0; match && i < n && found->size() < size_t(kMaxCities); ++i) {
    if (std::find(found->begin(), found->end(), match[i]) == found->end()) {
      found->push_back(match[i]);
    }
  }
}

// search_cities in the calling thread, LANGUAGE already German; stops
// early when cancellable is cancelled (libgeonames itself does not heed
// it: a query once started runs to its end), also before it starts, as a
// search queued for a worker thread may have been cancelled meanwhile.
CitySearch search_here(const char *query, size_t max_bytes, GCancellable *cancellable) {
  if (g_cancellable_is_cancelled(cancellable)) return no_cities(kCitiesNone, "");
  const std::string fault = query_fault(query, max_bytes);
  if (!fault.empty()) return no_cities(kCitiesBadInput, fault);
  Utf8ThreadLocale locale;
  if (!locale.ok()) return no_cities(kCitiesUnavailable, kNoUtf8Locale);
  bind_textdomain_codeset(kGeonamesDomain, "UTF-8");
  std::vector<int> found;
  add_matches(query, cancellable, &found);
  if (found.empty()) {
    for (const std::string &form : umlaut_forms(query)) {
      if (g_cancellable_is_cancelled(cancellable) || found.size() == size_t(kMaxCities)) break;
      add_matches(form, cancellable, &found);
    }
  }
  CitySearch search{found.empty() ? kCitiesNone : kCitiesFound, {}, ""};
  for (int index : found) search.cities.push_back(city_at(index));
  if (found.empty()) search.message = kNoCityFound;
  return search;
}

#else

const char kUnavailable[] = "city search unavailable: built without libgeonames";

CitySearch search_here(const char *, size_t, GCancellable *) {
  return CitySearch{kCitiesUnavailable, {}, kUnavailable};
}

#endif

// A search handed to a worker thread, and its result; the German names
// it shares until the main loop has taken the result.
struct AsyncSearch {
  bool null_query;
  std::string query;
  CitySearchDone done;
  void *data;
  CitySearch result;
  std::shared_ptr<const GermanCityNames> names;
};

void run_search(GTask *task, gpointer, gpointer task_data, GCancellable *cancellable) {
  AsyncSearch *s = static_cast<AsyncSearch *>(task_data);
  s->result =
      search_here(s->null_query ? nullptr : s->query.c_str(), kMaxCityQueryBytes, cancellable);
  g_task_return_boolean(task, TRUE);
}

// In the main loop of the thread that started the search.
void deliver_search(GObject *, GAsyncResult *result, gpointer) {
  GTask *task = G_TASK(result);
  AsyncSearch *s = static_cast<AsyncSearch *>(g_task_get_task_data(task));
  s->names.reset();  // the worker is done: let go of the names here, not there
  if (g_cancellable_is_cancelled(g_task_get_cancellable(task))) return;
  s->done(s->result, s->data);
}

}  // namespace

bool cities_linked(void) { return NB_GEONAMES; }

GermanCityNames::GermanCityNames() {
  const char *language = g_getenv(kLanguageVariable);
  changed_ = !language || std::strcmp(language, kGerman) != 0;
  had_ = language != nullptr;
  old_ = language ? language : "";
  if (changed_) g_setenv(kLanguageVariable, kGerman, TRUE);
}

GermanCityNames::~GermanCityNames() {
  if (!changed_) return;
  if (had_) {
    g_setenv(kLanguageVariable, old_.c_str(), TRUE);
  } else {
    g_unsetenv(kLanguageVariable);
  }
}

CitySearch search_cities(const char *query, size_t max_bytes) {
  GermanCityNames names;
  return search_here(query, max_bytes, nullptr);
}

void search_cities_async(std::shared_ptr<const GermanCityNames> names, const char *query,
                         GCancellable *cancellable, CitySearchDone done, void *data) {
  GTask *task = g_task_new(nullptr, cancellable, deliver_search, nullptr);
  g_task_set_task_data(
      task, new AsyncSearch{query == nullptr, query ? query : "", done, data, {}, std::move(names)},
      [](gpointer s) { delete static_cast<AsyncSearch *>(s); });
  g_task_run_in_thread(task, run_search);
  g_object_unref(task);
}

double great_circle_km(double lat1, double lon1, double lat2, double lon2) {
  const double hav_lat = std::sin((lat2 - lat1) * kDegToRad / 2);
  const double hav_lon = std::sin((lon2 - lon1) * kDegToRad / 2);
  const double h = hav_lat * hav_lat + cosd(lat1) * cosd(lat2) * hav_lon * hav_lon;
  return 2 * kEarthRadiusKm * std::asin(std::min(1.0, std::sqrt(h)));
}

ZoneGuess guess_zone(double latitude, double longitude) {
  ZoneGuess guess{kCitiesNone, {}, 0, false, {}, 0, ""};
#if NB_GEONAMES
  if (!(std::fabs(latitude) <= 90 && std::fabs(longitude) <= 180)) {
    guess.status = kCitiesBadInput;
    guess.message = "latitude or longitude out of range";
    return guess;
  }
  GermanCityNames names;
  Utf8ThreadLocale locale;
  if (!locale.ok()) {
    guess.status = kCitiesUnavailable;
    guess.message = kNoUtf8Locale;
    return guess;
  }
  bind_textdomain_codeset(kGeonamesDomain, "UTF-8");
  // The cities within kZoneGuessKm: distance, index, zone.
  struct Near {
    double km;
    int index;
    std::string zone;
  };
  std::vector<Near> near;
  for (int i = 0, n = geonames_get_n_cities(); i < n; ++i) {
    g_autoptr(GeonamesCity) c = geonames_get_city(i);
    const double km = great_circle_km(latitude, longitude, geonames_city_get_latitude(c),
                                      geonames_city_get_longitude(c));
    if (km <= kZoneGuessKm) near.push_back({km, i, text(geonames_city_get_timezone(c))});
  }
  if (near.empty()) {
    append_format(guess.message, "no city within %d km", int(kZoneGuessKm));
    return guess;
  }
  std::stable_sort(near.begin(), near.end(),
                   [](const Near &a, const Near &b) { return a.km < b.km; });
  guess.status = kCitiesFound;
  guess.city = city_at(near[0].index);
  guess.km = near[0].km;
  for (const Near &other : near) {
    if (other.zone == near[0].zone) continue;
    if (other.km - near[0].km <= std::max(near[0].km, double(kZoneDoubtKm))) {
      guess.uncertain = true;
      guess.other = city_at(other.index);
      guess.other_km = other.km;
    }
    break;
  }
#else
  (void)latitude;
  (void)longitude;
  guess.status = kCitiesUnavailable;
  guess.message = kUnavailable;
#endif
  return guess;
}
