// SPDX-License-Identifier: MIT
// The eclipses view: the solar and lunar eclipses of a year as seen from a
// place, with the local instants to the second in the place's time (its
// zone, or MEZ/MESZ), the Sun's or the Moon's altitude and azimuth at each,
// and for the solar ones the kind seen there, magnitude and obscuration.
#ifndef NACHTBLICK_ECLIPSES_H
#define NACHTBLICK_ECLIPSES_H

#include <string>
#include <vector>

#include "nachtblick/events/placeeclipses.h"
#include "nachtblick/place/places.h"
#include "nachtblick/views/reports.h"
#include "nachtblick/views/viewformat.h"
#include "nachtblick/views/viewresult.h"

// The columns of the tsv format, tab-separated, the header line of it.
extern const char *const kEclipsesTsvHeader;

// The view of the year (kFirstReportYear..kLastReportYear) at the place;
// January is named by jan_variant. A year out of range is bad input.
ViewResult eclipses_view(int year, const Place &place, int jan_variant, ViewFormat format);

// The sentences that say the eclipse is going on when the body rises or
// sets within it, with the instant in the place's time: "Bei Mondaufgang
// (21:03:10 CET) bereits im Gange", "Bei Sonnenaufgang (05:24:27 EDT)
// schon im Gange", "Bei Sonnenuntergang (20:38:00 MESZ) noch im Gange";
// none, one or both. The names in the view's text (ASCII)
// or, with utf8, as the export writes them.
std::vector<std::string> eclipse_horizon_notes(const Place &place, const PlaceEclipse &e,
                                               bool utf8);

// The view as text for the window: the year of the entries as the moon
// report reads it (clamped to the reports' years; today's with year and
// month 0), at the current place.
ReportText eclipses_report(const ReportInput &in);

#endif
