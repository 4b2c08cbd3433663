// SPDX-License-Identifier: MIT
// The layout of a line of the place file gtknblick.conf, for its reader
// (places.cpp) and its writer (placeadd.cpp), and for the messages of both:
//
//   0-1    latitude degrees         9-11   longitude degrees
//   3      N or S                   13     E (or O) or W
//   5-6    latitude minutes         15-16  longitude minutes
//   18...  the name, then an optional [ZONE]
//
// The longitude group may also stand one column further right.
#ifndef NACHTBLICK_PLACELINE_H
#define NACHTBLICK_PLACELINE_H

// A field of the line: its first column (counted from 0) and its width.
struct LineField {
  int column, width;
};

constexpr LineField kLatDegrees = {0, 2}, kLatLetter = {3, 1}, kLatMinutes = {5, 2};
constexpr LineField kLonDegrees = {9, 3}, kLonLetter = {13, 1}, kLonMinutes = {15, 2};
// The positions of the longitude group that are tried: as above and one
// column further right.
constexpr int kLonShifts = 2;
// The column where the name begins, and the columns of the line read for
// it.
constexpr int kNameColumn = 18, kNameLook = 55;
// Shorter lines are never places.
constexpr int kMinPlaceLine = 16;

// The hemisphere letters (either case): north, south; east, Ost, west.
constexpr char kNorthLetter = 'N', kSouthLetter = 'S';
constexpr char kEastLetter = 'E', kOstLetter = 'O', kWestLetter = 'W';

// Arc minutes of a degree.
constexpr int kMinutesPerDegree = 60;
// The largest degrees and minutes of the fields.
constexpr int kMaxLatDegrees = 90, kMaxLonDegrees = 180, kMaxMinutes = 59;

// A line beginning with one of these is a comment.
constexpr char kCommentMarks[] = ";:,";
// A zone stands in these brackets at the end of the line.
constexpr char kZoneOpen = '[', kZoneClose = ']';
// Every such byte of the file is dropped before its lines are read.
constexpr char kDroppedByte = '%';

#endif
