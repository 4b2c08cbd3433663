// SPDX-License-Identifier: MIT
// The chart against the rise and set report: on every day of a year, in
// MEZ/MESZ at Berlin, beyond the polar circle at Tromsoe, on the southern
// hemisphere at Sydney and at Apia (2011, the year it skipped a date), the
// last three in their zones over their switch days, the PNG's pixel a few
// minutes before and after each sunrise, sunset and twilight time the
// report prints has the bands on either side of that time.
#include <cairo.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

#include "calendar/calendar.h"
#include "nachtblick/views/chart.h"
#include "nachtblick/views/reports.h"

namespace {

const char kPlaces[] =
    "52 N 31  013 E 24 Berlin\n"
    "69 N 39  018 E 57 Tromsoe [Europe/Oslo]\n"
    "33 S 52  151 E 13 Sydney [Australia/Sydney]\n"
    "13 S 50  171 W 45 Apia [Pacific/Apia]\n";
const int kApia = 3;
const int kWindow = 6;  // minutes either side of a time: two pixel rows

// The squared distance of the pixel at (x, y) from a colour.
double distance(cairo_surface_t *image, double x, double y, const ChartColour &c) {
  const unsigned char *row = cairo_image_surface_get_data(image) +
                             static_cast<int>(y) * cairo_image_surface_get_stride(image);
  const uint32_t p = reinterpret_cast<const uint32_t *>(row)[static_cast<int>(x)];
  const double r = (p >> 16 & 255) / 255.0 - c.r, g = (p >> 8 & 255) / 255.0 - c.g,
               b = (p & 255) / 255.0 - c.b;
  return r * r + g * g + b * b;
}

// The band whose colour is nearest to the pixel's (an hour line over a
// band leaves it nearest to its band).
int band_at(cairo_surface_t *image, double x, double y) {
  int best = 0;
  for (int b = 1; b < kChartBands; ++b)
    if (distance(image, x, y, kBandColours[b]) < distance(image, x, y, kBandColours[best]))
      best = b;
  return best;
}

// The minute of the day of the report's "hh:mm" at text[at]; -1 for
// "-----" and the texts of days without a crossing.
int report_minute(const std::string &text, size_t at) {
  int h, m;
  return std::sscanf(text.c_str() + at, "%2d:%2d", &h, &m) == 2 ? h * 60 + m : -1;
}

// Hands cairo the PNG from a string stream.
cairo_status_t read_png(void *stream, unsigned char *data, unsigned int length) {
  auto &in = *static_cast<std::istringstream *>(stream);
  return in.read(reinterpret_cast<char *>(data), length) ? CAIRO_STATUS_SUCCESS
                                                         : CAIRO_STATUS_READ_ERROR;
}

}  // namespace

TEST(Chart, BandEdgesAreTheReportsTimes) {
  Place table[kPlaceSlots];
  reset_places(table);
  int jan = 1;
  parse_places(kPlaces, sizeof kPlaces - 1, table, &jan);
  for (int place = 0; place <= kApia; ++place) {
    const int year = place == kApia ? 2011 : 2024;
    std::string png, err;
    ASSERT_TRUE(chart_report(year, table[place], jan, kChartPng, {2024, 1, 1}, png, err));
    std::istringstream stream(png);
    cairo_surface_t *image = cairo_image_surface_create_from_png_stream(read_png, &stream);
    ASSERT_EQ(cairo_surface_status(image), CAIRO_STATUS_SUCCESS);
    int checked = 0;
    const int first = datetomjd(year, 1, 1);
    for (int day = 0; day < datetomjd(year + 1, 1, 1) - first; ++day) {
      int y, m, d;
      jdtodate(first + day + kMjdToJdn, &y, &m, &d);
      const std::string texts[] = {std::to_string(y), std::to_string(m), std::to_string(d)};
      const ReportInput in{
          texts[0].c_str(), texts[1].c_str(), texts[2].c_str(), {2024, 1, 1}, table, place, 1};
      const std::string report = riseset_report(in).text;
      SCOPED_TRACE(report);
      // Rise and set of the Sun, then of civil, nautical and astronomical
      // twilight: band b (0..3) begins at time 2b, a rising, and ends at
      // time 2b + 1, a setting.
      const size_t sun = report.find("Mond\n  ") + 7,
                   twilight = report.find("astronomisch\n  ") + 15;
      int at[2 * kBandNight];  // the minutes of the day of the eight times
      const double x = chart_x(day) + kPixelsPerDay / 2;
      for (int b = 0; b < kBandNight; ++b) {
        const size_t cell = b ? twilight + 15 * (b - 1) : sun;
        at[2 * b] = report_minute(report, cell);
        at[2 * b + 1] = report_minute(report, cell + 8);
        // A day without a crossing ("immer sichtbar", "nie sichtbar",
        // "immer hell", "immer dunkel"): above the altitude all day, or
        // below it, at every half hour.
        for (int i = 0; i < 4; ++i) {
          if (report.find(szHorizont[i], cell) != cell) continue;
          for (double h = 0.5; h < 24; ++h)
            EXPECT_EQ(band_at(image, x, chart_y(h)) <= b, i % 2 == 0) << "band " << b;
        }
      }
      // A time with no other within the window: before a rising the band
      // below, after it the band that rose; the other way round at a setting.
      for (int k = 0; k < 2 * kBandNight; ++k) {
        bool alone = at[k] > kWindow && at[k] < 1440 - kWindow;
        for (int j = 0; j < 2 * kBandNight; ++j)
          if (j != k && at[j] >= 0 && std::abs(at[j] - at[k]) <= kWindow) alone = false;
        if (!alone) continue;
        const int band = k / 2, setting = k % 2;
        EXPECT_EQ(band_at(image, x, chart_y((at[k] - kWindow) / 60.0)), band + 1 - setting) << k;
        EXPECT_EQ(band_at(image, x, chart_y((at[k] + kWindow) / 60.0)), band + setting) << k;
        ++checked;
      }
    }
    EXPECT_GT(checked, 2 * 366) << table[place].name;
    // The date Apia's clock skipped is a column of its own colour.
    if (place == kApia) {
      const int skipped = datetomjd(2011, 12, 30) - first;
      EXPECT_LT(distance(image, chart_x(skipped) + 1, chart_y(12.5), kSkippedDayColour),
                3 * (0.5 / 255) * (0.5 / 255));  // the colour to half a step of 255
    }
    cairo_surface_destroy(image);
  }
}
