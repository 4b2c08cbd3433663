// SPDX-License-Identifier: MIT
#include "nachtblick/views/eventnames.h"

const EventName kPhaseNames[4] = {
    {"Neumond", "Neumond", "neumond", "new"},
    {"Erstes Viertel", "Erstes Viertel", "erstes-viertel", nullptr},
    {"Vollmond", "Vollmond", "vollmond", "full"},
    {"Letztes Viertel", "Letztes Viertel", "letztes-viertel", nullptr}};
const EventName kEclipseNames[5] = {
    {nullptr, "Partielle Sonnenfinsternis", "partielle-sonnenfinsternis", nullptr},
    {nullptr, "Totale Sonnenfinsternis", "totale-sonnenfinsternis", nullptr},
    {nullptr, "Ringförmige Sonnenfinsternis", "ringfoermige-sonnenfinsternis", nullptr},
    {nullptr, "Partielle Mondfinsternis", "partielle-mondfinsternis", nullptr},
    {nullptr, "Totale Mondfinsternis", "totale-mondfinsternis", nullptr}};
const EventName kSeasonStartNames[4] = {
    {"Fruehlingsanfang", "Frühlingsanfang", "fruehlingsanfang", nullptr},
    {"Sommeranfang", "Sommeranfang", "sommeranfang", nullptr},
    {"Herbstanfang", "Herbstanfang", "herbstanfang", nullptr},
    {"Winteranfang", "Winteranfang", "winteranfang", nullptr}};
const EventName kFeastNames[6] = {{nullptr, "", "", nullptr},
                                  {nullptr, "Ostersonntag", "ostersonntag", nullptr},
                                  {nullptr, "Christi Himmelfahrt", "christi-himmelfahrt", nullptr},
                                  {nullptr, "Pfingstsonntag", "pfingstsonntag", nullptr},
                                  {nullptr, "Fronleichnam", "fronleichnam", nullptr},
                                  {nullptr, "Aschermittwoch", "aschermittwoch", nullptr}};
const EventName kRiseSetNames[2][2] = {
    {{"Sonnenaufgang", "Sonnenaufgang", "sonnenaufgang", nullptr},
     {"Sonnenuntergang", "Sonnenuntergang", "sonnenuntergang", nullptr}},
    {{"Mondaufgang", "Mondaufgang", nullptr, nullptr},
     {"Monduntergang", "Monduntergang", nullptr, nullptr}}};
const EventName kSunHourNames[kSunHours] = {
    {"Blaue Stunde", nullptr, nullptr, nullptr},
    {"Goldene Stunde", "Goldene Stunde", "goldene-stunde", nullptr}};
const EventName kSunEventNames[kSunEvents] = {
    {"Aufgang", nullptr, nullptr, "rise"},        {"Hoechststand", nullptr, nullptr, "transit"},
    {"Untergang", nullptr, nullptr, "set"},       {nullptr, nullptr, nullptr, "blue_am_begin"},
    {nullptr, nullptr, nullptr, "blue_am_end"},   {nullptr, nullptr, nullptr, "golden_am_begin"},
    {nullptr, nullptr, nullptr, "golden_am_end"}, {nullptr, nullptr, nullptr, "golden_pm_begin"},
    {nullptr, nullptr, nullptr, "golden_pm_end"}, {nullptr, nullptr, nullptr, "blue_pm_begin"},
    {nullptr, nullptr, nullptr, "blue_pm_end"}};
const EventName kApsisNames[2] = {{"Erdnaehe", "Erdnähe des Mondes", "erdnaehe", "perigee"},
                                  {"Erdferne", "Erdferne des Mondes", "erdferne", "apogee"}};
const EventName kLocalEclipseNames[2] = {
    {"Sonnenfinsternis", "Sonnenfinsternis", "sonnenfinsternis-am-ort", "sun"},
    {"Mondfinsternis", "Mondfinsternis", "mondfinsternis-am-ort", "moon"}};
const EventName kEclipseKindNames[3] = {{"partiell", "partiell", nullptr, "partial"},
                                        {"total", "total", nullptr, "total"},
                                        {"ringfoermig", "ringförmig", nullptr, "annular"}};
const EventName kContactNames[kEclipseContacts] = {
    {"Beginn", "Beginn", nullptr, "C1"},
    {"Beginn Zentralphase", "Beginn Zentralphase", nullptr, "C2"},
    {"Maximum", "Maximum", nullptr, "MAX"},
    {"Ende Zentralphase", "Ende Zentralphase", nullptr, "C3"},
    {"Ende", "Ende", nullptr, "C4"},
    {"Beginn Halbschatten", "Beginn Halbschatten", nullptr, "P1"},
    {"Beginn Kernschatten", "Beginn Kernschatten", nullptr, "U1"},
    {"Beginn Totalitaet", "Beginn Totalität", nullptr, "U2"},
    {"Maximum", "Maximum", nullptr, "MAX"},
    {"Ende Totalitaet", "Ende Totalität", nullptr, "U3"},
    {"Ende Kernschatten", "Ende Kernschatten", nullptr, "U4"},
    {"Ende Halbschatten", "Ende Halbschatten", nullptr, "P4"}};
