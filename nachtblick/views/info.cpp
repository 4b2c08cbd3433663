// SPDX-License-Identifier: MIT
// The program information text, with the credits of the city search
// when the program links libgeonames.
#include "nachtblick/views/reports.h"

#include "nachtblick/place/cities.h"

ReportText info_report(void) {
  std::string text =
      "\n Kalender & Nachtblick light for Linux with GTK+"
      "\n\n by das Nachtblick-Team"
      "\n\n https://example.org/nachtblick ";
  if (sizeof(void *) == 4) text += "\n\n (32Bit Version) ";
  if (sizeof(void *) == 8) text += "\n\n (64Bit Version) ";
  text +=
      "\n\n Dieses Programm wird so wie es ist\n ohne Garantie zur Verfuegung gestellt.\n"
      " Es koennte Bugs enthalten, so dass die\n Verwendung dieses Tools auf eigenes\n"
      " Risiko erfolgt. \n";
  if (cities_linked())
    text +=
        "\n Die Ortssuche nutzt libgeonames (GPL-3)\n und die Ortsdaten von GeoNames\n"
        " (geonames.org, CC-BY 4.0). \n";
  return ReportText{text, kFontReport};
}
