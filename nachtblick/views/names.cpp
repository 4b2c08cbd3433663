// SPDX-License-Identifier: MIT
// Name tables and fonts shared by the reports.
#include "nachtblick/views/reports.h"

const char *const kFontGreeting = "-misc-fixed-medium-r-*-*-*-145-*-*-*-*-*-*";
const char *const kFontReport = "-misc-fixed-medium-r-*-*-*-140-*-*-*-*-*-*";
const char *const kFontFeasts = "-adobe-helvetica-medium-r-normal-*-16-*-*-*-*-*-*-*";

const char *const kGreetingText = "\n [Nachtblick Light Version for Linux] ";
const char *const kEntryNames[kDateEntries] = {"year", "month", "day"};
const char *const kEntryHints[kDateEntries] = {" [Jahr]", " [Monat]", " [Tag]"};

const char *const szMonat[13] = {"Jaenner", "Januar",   "Februar", "Maerz",  "April",
                                 "Mai",     "Juni",     "Juli",    "August", "September",
                                 "Oktober", "November", "Dezember"};
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

const char *month_name(int month, int jan_variant) {
  if (month < 1 || month > 12) return "";
  if (month == 1 && jan_variant == 2) return szMonat[0];
  return szMonat[month];
}
