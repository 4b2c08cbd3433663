// SPDX-License-Identifier: MIT
// Name tables and fonts shared by the reports, and the months by the
// January rule.
#include "nachtblick/views/reports.h"

#include "nachtblick/views/monthnames.h"

const char *const kFontGreeting = "-misc-fixed-medium-r-*-*-*-145-*-*-*-*-*-*";
const char *const kFontReport = "-misc-fixed-medium-r-*-*-*-140-*-*-*-*-*-*";
const char *const kFontFeasts = "-adobe-helvetica-medium-r-normal-*-16-*-*-*-*-*-*-*";

const char *const kGreetingText = "\n [Nachtblick Light Version for Linux] ";
const char *const kEntryNames[kDateEntries] = {"year", "month", "day"};
const char *const kEntryHints[kDateEntries] = {" [Jahr]", " [Monat]", " [Tag]"};

const char *const szMonat[13] = {kMonthNames[0].name, kMonthNames[1].name,  kMonthNames[2].name,
                                 kMonthNames[3].name, kMonthNames[4].name,  kMonthNames[5].name,
                                 kMonthNames[6].name, kMonthNames[7].name,  kMonthNames[8].name,
                                 kMonthNames[9].name, kMonthNames[10].name, kMonthNames[11].name,
                                 kMonthNames[12].name};
const char *const szMonatKurz[13] = {"Jan. ", "Jan. ", "Feb. ", "Maerz", "April", "Mai  ", "Juni ",
                                     "Juli ", "Aug. ", "Sept.", "Okt. ", "Nov. ", "Dez. "};
const char *const szWochentag[8] = {"",         "Sonntag",    "Montag",  "Dienstag",
                                    "Mittwoch", "Donnerstag", "Freitag", "Samstag"};
const char *const szWochentagKurz[8] = {"", "So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"};
const char *const szFeiertag[6] = {"",          "Ostern",       "Ch. Himmelf.",
                                   "Pfingsten", "Fronleichnam", "Aschermittwoch"};
const char *const szMondphase[4] = {"Naechster Neumond:         ", "Naechstes Erstes Viertel:  ",
                                    "Naechster Vollmond:        ", "Naechstes Letzes Viertel:  "};
const char *const szFinsternis[5] = {
    "SOFI partiell:    ", "SOFI total:       ", "SOFI ringfoermig: ", "MOFI partiell:    ",
    "MOFI total:       "};
const char *const szJahreszeit[4] = {"Fruehling ", "Sommer    ", "Herbst    ", "Winter    "};
const char *const szHorizont[4] = {"immer sichtbar ", "nie sichtbar   ", "immer hell     ",
                                   "immer dunkel   "};

const MonthName *month_names(int month, int jan_variant) {
  if (month < 1 || month > 12) return nullptr;
  return &kMonthNames[month == 1 && jan_variant == 2 ? 0 : month];
}

// The design's szMonat, the reports' column of kMonthNames.
const char *month_name(int month, int jan_variant) {
  const MonthName *m = month_names(month, jan_variant);
  return m ? szMonat[m - kMonthNames] : "";
}

const char *month_name_utf8(int month, int jan_variant) {
  const MonthName *m = month_names(month, jan_variant);
  return m ? m->utf8 : "";
}
