// SPDX-License-Identifier: MIT
// The Moon's distance view: the rows of events/moondistances.h as German
// text or tsv.
#ifndef NACHTBLICK_MOONDISTANCE_H
#define NACHTBLICK_MOONDISTANCE_H

#include <string>

#include "nachtblick/views/viewformat.h"
#include "nachtblick/views/viewresult.h"

// The header line of the tsv format.
extern const char *const kMoonDistanceTsvHeader;

// The view of the year (kFirstReportYear..kLastReportYear; events from its
// 1 January 0h UT up to the next). A year out of range is bad input.
ViewResult moon_distance_view(int year, ViewFormat format);

#endif
