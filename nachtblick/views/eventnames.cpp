// SPDX-License-Identifier: MIT
#include "nachtblick/views/eventnames.h"

const EventName kPhaseNames[4] = {{"Neumond", "neumond"},
                                  {"Erstes Viertel", "erstes-viertel"},
                                  {"Vollmond", "vollmond"},
                                  {"Letztes Viertel", "letztes-viertel"}};
const EventName kEclipseNames[5] = {
    {"Partielle Sonnenfinsternis", "partielle-sonnenfinsternis"},
    {"Totale Sonnenfinsternis", "totale-sonnenfinsternis"},
    {"Ringförmige Sonnenfinsternis", "ringfoermige-sonnenfinsternis"},
    {"Partielle Mondfinsternis", "partielle-mondfinsternis"},
    {"Totale Mondfinsternis", "totale-mondfinsternis"}};
const EventName kSeasonStartNames[4] = {{"Frühlingsanfang", "fruehlingsanfang"},
                                        {"Sommeranfang", "sommeranfang"},
                                        {"Herbstanfang", "herbstanfang"},
                                        {"Winteranfang", "winteranfang"}};
const EventName kFeastNames[6] = {{"", ""},
                                  {"Ostersonntag", "ostersonntag"},
                                  {"Christi Himmelfahrt", "christi-himmelfahrt"},
                                  {"Pfingstsonntag", "pfingstsonntag"},
                                  {"Fronleichnam", "fronleichnam"},
                                  {"Aschermittwoch", "aschermittwoch"}};
const EventName kSunNames[2] = {{"Sonnenaufgang", "sonnenaufgang"},
                                {"Sonnenuntergang", "sonnenuntergang"}};
const EventName kGoldenHourName = {"Goldene Stunde", "goldene-stunde"};
const EventName kApsisNames[2] = {{"Erdnähe des Mondes", "erdnaehe"},
                                  {"Erdferne des Mondes", "erdferne"}};
const EventName kLocalEclipseNames[2] = {{"Sonnenfinsternis", "sonnenfinsternis-am-ort"},
                                         {"Mondfinsternis", "mondfinsternis-am-ort"}};
const char *const kEclipseKindNames[3] = {"partiell", "total", "ringförmig"};
