// SPDX-License-Identifier: MIT
// The chart against the rise and set report: on every day of a year, at
// places from the equator to beyond the polar circle, in MEZ/MESZ and in
// zones over their switch days, the PNG's pixel a few minutes before and
// after each sunrise, sunset and twilight time the report prints has the
// bands on either side of that time.
#include <cairo.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "calendar/calendar.h"
#include "nachtblick/chart.h"
#include "nachtblick/reports.h"

namespace {

const char kPlaces[] =
    "52 N 31  013 E 24 Berlin\n"
    "69 N 39  018 E 57 Tromsoe [Europe/Oslo]\n"
    "00 S 11  078 W 28 Quito [America/Guayaquil]\n"
    "33 S 52  151 E 13 Sydney [Australia/Sydney]\n"
    "40 N 43  074 W 00 New York [America/New_York]\n"
    "13 S 50  171 W 45 Apia [Pacific/Apia]\n";
const int kApia = 5;
const int kWindow = 6;  // minutes either side of a time: two pixel rows

struct PngReader {
  const std::string &bytes;
  size_t at;
};

cairo_status_t read_png(void *closure, unsigned char *data, unsigned int length) {
  PngReader &r = *static_cast<PngReader *>(closure);
  if (r.bytes.size() - r.at < length) return CAIRO_STATUS_READ_ERROR;
  std::memcpy(data, r.bytes.data() + r.at, length);
  r.at += length;
  return CAIRO_STATUS_SUCCESS;
}

// The pixel of the image at (x, y), 0xRRGGBB.
uint32_t pixel(cairo_surface_t *image, double x, double y) {
  const unsigned char *row = cairo_image_surface_get_data(image) +
                             static_cast<int>(y) * cairo_image_surface_get_stride(image);
  return reinterpret_cast<const uint32_t *>(row)[static_cast<int>(x)] & 0xFFFFFF;
}

uint32_t rgb(const ChartColour &c) {
  return std::lround(c.r * 255) << 16 | std::lround(c.g * 255) << 8 | std::lround(c.b * 255);
}

// The band whose colour is nearest to the pixel's (an hour line over a
// band leaves it nearest to its band).
int band_at(cairo_surface_t *image, double x, double y) {
  const uint32_t p = pixel(image, x, y);
  int best = 0;
  long best_distance = 1L << 30;
  for (int b = 0; b < kChartBands; ++b) {
    long distance = 0;
    for (int shift : {0, 8, 16}) {
      const long d = static_cast<long>(p >> shift & 255) - (rgb(kBandColours[b]) >> shift & 255);
      distance += d * d;
    }
    if (distance < best_distance) best_distance = distance, best = b;
  }
  return best;
}

// The minute of the day of the report's "hh:mm" at text[at]; -1 for
// "-----" and the texts of days without a crossing.
int report_minute(const std::string &text, size_t at) {
  int h, m;
  return std::sscanf(text.c_str() + at, "%2d:%2d", &h, &m) == 2 ? h * 60 + m : -1;
}

}  // namespace

TEST(Chart, BandEdgesAreTheReportsTimes) {
  Place table[kPlaceSlots];
  int jan = 1;
  parse_places(kPlaces, sizeof kPlaces - 1, table, &jan);
  for (int place = 0; place <= kApia; ++place) {
    const int year = place == kApia ? 2011 : 2024;
    std::string png, err;
    ASSERT_EQ(chart_report(year, table[place], jan, kChartPng, {2024, 1, 1}, png, err), 0);
    PngReader reader{png, 0};
    cairo_surface_t *image = cairo_image_surface_create_from_png_stream(read_png, &reader);
    ASSERT_EQ(cairo_surface_status(image), CAIRO_STATUS_SUCCESS);
    int checked = 0;
    for (int day = 0; day < datetomjd(year + 1, 1, 1) - datetomjd(year, 1, 1); ++day) {
      int y, m, d;
      jdtodate(datetomjd(year, 1, 1) + day + kMjdToJdn, &y, &m, &d);
      const std::string texts[] = {std::to_string(y), std::to_string(m), std::to_string(d)};
      const std::string report =
          riseset_report(
              {texts[0].c_str(), texts[1].c_str(), texts[2].c_str(), {2024, 1, 1}, table, place, 1})
              .text;
      // Rise and set of the Sun, then of civil, nautical and astronomical
      // twilight: the bands 0..3 begin at a rising and end at a setting.
      const size_t sun = report.find("Mond\n  ") + 7,
                   twilight = report.find("astronomisch\n  ") + 15;
      int minute[kBandNight][2];
      const double x = chart_x(day) + kPixelsPerDay / 2;
      for (int b = 0; b < kBandNight; ++b) {
        const size_t cell = b ? twilight + 15 * (b - 1) : sun;
        for (int e = 0; e < 2; ++e) minute[b][e] = report_minute(report, cell + 8 * e);
        // A day without a crossing ("immer sichtbar", "nie sichtbar",
        // "immer hell", "immer dunkel"): above the altitude all day, or
        // below it, at every half hour.
        for (int i = 0; i < 4; ++i) {
          if (report.compare(cell, std::strlen(szHorizont[i]), szHorizont[i]) != 0) continue;
          for (double h = 0.5; h < 24; ++h)
            EXPECT_EQ(band_at(image, x, chart_y(h)) <= b, i % 2 == 0)
                << table[place].name << " " << y << "-" << m << "-" << d << " band " << b;
        }
      }
      for (int b = 0; b < kBandNight; ++b)
        for (int e = 0; e < 2; ++e) {
          const int at = minute[b][e];
          bool alone = at > kWindow && at < 1440 - kWindow;
          for (int b2 = 0; b2 < kBandNight; ++b2)
            for (int e2 = 0; e2 < 2; ++e2)
              if ((b2 != b || e2 != e) && minute[b2][e2] >= 0)
                alone = alone && std::abs(minute[b2][e2] - at) > kWindow;
          if (!alone) continue;
          const int earlier = band_at(image, x, chart_y((at - kWindow) / 60.0));
          const int later = band_at(image, x, chart_y((at + kWindow) / 60.0));
          EXPECT_EQ(earlier, b + 1 - e) << table[place].name << " " << y << "-" << m << "-" << d
                                        << " band " << b << (e ? " set " : " rise ") << at;
          EXPECT_EQ(later, b + e) << table[place].name << " " << y << "-" << m << "-" << d
                                  << " band " << b << (e ? " set " : " rise ") << at;
          ++checked;
        }
    }
    EXPECT_GT(checked, 2 * 366) << table[place].name;
    // The date Apia's clock skipped is a column of its own colour.
    if (place == kApia) {
      EXPECT_EQ(
          pixel(image, chart_x(datetomjd(2011, 12, 30) - datetomjd(2011, 1, 1)) + 1, chart_y(12.5)),
          rgb(kSkippedDayColour));
    }
    cairo_surface_destroy(image);
  }
}
