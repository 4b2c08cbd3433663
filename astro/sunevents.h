// SPDX-License-Identifier: MIT
// When the precise Sun (localposition.h) stands at a given altitude or on
// the meridian, within a span of time: the edges of the golden and blue
// hours and the transit. Instants are UT Julian Dates; altitudes are
// geometric (without refraction), degrees.
#ifndef NACHTBLICK_SUNEVENTS_H
#define NACHTBLICK_SUNEVENTS_H

// The Sun's geometric altitudes at samples across a span, from which the
// crossings of any altitude are found.
struct SunSamples {
  static constexpr int kMax = 200;  // a span of up to 33 hours at 10 minutes
  double jd[kMax];
  double altitude[kMax];
  int count;
  double longitude, latitude;
};

// Samples the span [jd1, jd2] (at most 33 hours long; longer spans are cut)
// every 10 minutes, with its end as the last sample.
void sunsamples(double jd1, double jd2, double longitude, double latitude, SunSamples *s);

// The first instant in the sampled span at which the Sun's geometric
// altitude crosses `altitude` upwards (rising) or downwards,
// bisected to 0.05 s. 1 with *jd, or 0 when it does not cross that way
// between two samples. A crossing and its return within one sample step
// (10 minutes, only where the altitude barely reaches the height at its
// highest or lowest) is not seen.
int suncrossing(const SunSamples &s, double altitude, bool rising, double *jd);

// The Sun's upper transit (its topocentric hour angle 0, local apparent
// noon) in [jd1, jd2): 1 with its instant, or 0 when there is none.
int suntransit(double jd1, double jd2, double longitude, double latitude, double *jd);

#endif
