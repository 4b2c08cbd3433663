// SPDX-License-Identifier: MIT
// The intervals in which the precise Sun (localposition.h) stands within a
// band of altitudes, such as the golden hour (-4 to +6 deg) or the blue
// hour (-6 to -4 deg): each interval whole, also where it begins or ends
// on another day than the span asked for (after midnight, across a white
// night, over the weeks of a polar twilight). Instants are UT Julian
// Dates; altitudes are those of the Sun's centre, geometric (without
// refraction) and topocentric, degrees; east longitude and north latitude
// positive.
#ifndef NACHTBLICK_SUNBANDS_H
#define NACHTBLICK_SUNBANDS_H

// The photographers' hours by the Sun's geometric altitude, degrees: the
// blue hour from -6 to -4, the golden hour from -4 to +6.
constexpr double kBlueHourLow = -6.0, kGoldenHourLow = -4.0, kGoldenHourHigh = 6.0;

// The widest band searched: its edges within this many degrees of the
// horizon.
constexpr double kSunBandLimit = 20.0;

// Flags of an interval whose edge the search did not reach (see sunbands).
enum SunBandFlag { kSunBandBeginUnknown = 1, kSunBandEndUnknown = 2 };

struct SunBand {
  double begin, end;  // UT Julian Dates, begin < end
  int beginrising;    // 1: the Sun enters the band rising through its low edge, 0: sinking
                      // through its high edge
  int endrising;      // 1: the Sun leaves the band rising through its high edge, 0: sinking
                      // through its low edge
  int flags;          // 0, or SunBandFlags of edges not found
};

// Every maximal interval in which the Sun's altitude h satisfies
// low < h <= high and which overlaps the span [jd1, jd2], in time order:
// writes at most capacity of them to out and returns how many there are
// (which may exceed capacity; two a day, at most five in a day).
// Returns -1 for a band that is not -kSunBandLimit <= low < high <=
// kSunBandLimit, and 0 for jd2 < jd1 (jd2 = jd1 gives the interval that
// holds the instant, if any).
//
// The edges are the crossings of levelcrossings() with kAltitudeSearch
// (levelcrossings.h), but bisected to 1 ms: exact also where the Sun's
// highest or lowest altitude of a day passes an edge between two samples,
// so that an interval lasting a few seconds about that extremum is found.
// An interval that begins before jd1 or ends after jd2 is followed day by
// day outward to its edge, at most as many days as the Sun can stay in
// the band anywhere on Earth (from the slowest change of its declination
// within the band, see sunbands.cpp: 36 days for the golden hour, 14 for
// the blue hour). An edge not found within that reach (not seen) leaves
// the instant where the search stopped and sets the edge's flag, with
// beginrising or endrising 0.
int sunbands(double longitude, double latitude, double low, double high, double jd1, double jd2,
             SunBand *out, int capacity);

#endif
