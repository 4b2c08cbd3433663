// SPDX-License-Identifier: MIT
// Solar and lunar eclipses of one lunation (Meeus, Astronomical Algorithms,
// 2nd ed., 1998, ch. 54). Lunation 0 is
// that of the new moon of 2000 January 6; instants are Julian Dates.
#ifndef NACHTBLICK_ECLIPSE_H
#define NACHTBLICK_ECLIPSE_H

// Eclipse kinds and types as eclipse() takes them.
enum EclipseKind { kKindSolar = 0, kKindLunar = 1 };
enum EclipseType { kTypePartial = 0, kTypeTotal = 1, kTypeAnnular = 2 };

// The limits that classify an eclipse (Meeus ch. 54); gamma and u in Earth
// radii.
constexpr double kNodeLimit = 0.36;       // |sin F| above: no eclipse
constexpr double kCentralLimit = 0.9972;  // |gamma| of a central solar eclipse
constexpr double kSolarLimit = 1.5433;    // |gamma| - u above: no solar eclipse
constexpr double kAnnularLimit = 0.0047;  // u above: always annular
constexpr double kAnnularTotalFactor = 0.00464;
constexpr double kUmbralLimit = 1.0128;  // umbral magnitude numerator
constexpr double kLunarLimit = 1.0248;   // no lunar eclipse at or below
constexpr double kUmbralWidth = 0.5450;
constexpr double kTotalityLimit = 0.4678;

// Radius u of the Moon's umbral cone in the fundamental plane, in Earth
// radii, from the eccentricity factor E and the anomalies M and M' (degrees)
// of the lunation (Meeus eq. 54.1 ff.).
double umbraradius(double E, double M, double Mp);

// Greatest eclipse of lunation n: kind 0 solar (new moon), 1 lunar (full
// moon); type 0 partial, 1 total, 2 annular. Returns the Julian Date when
// the lunation holds an eclipse of exactly that kind and type, else
// ttut(0, to_universal). Writes gamma (Earth radii) and the Saros number.
double eclipse(int n, int kind, int type, double *gamma, int *saros, int to_universal);

// The type of the eclipse of that kind in lunation n, whatever it is, with
// the Julian Date (UT) of its greatest eclipse in *jd; -1 when the
// lunation has none.
int eclipsetype(int n, int kind, double *jd);

#endif
