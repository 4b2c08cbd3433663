// SPDX-License-Identifier: MIT
// Pi report: pi to 2799 decimal places from an integer spigot in base 10000
// (Rabinowitz and Wagon's mixed-radix spigot, four digits per pass),
// followed by the short program text of the same algorithm.
#include <cstdint>
#include <string>

#include "nachtblick/text/textbuf.h"
#include "nachtblick/views/pi.h"
#include "nachtblick/views/reports.h"

namespace {

const int kSpigotTerms = 9814;     // size of the work array f (index 0 unused)
const int kTermsPerPass = 14;      // terms dropped per four-digit group
const std::int64_t kBase = 10000;  // four decimal digits per group

// Quotient and remainder of d (0 <= d < 2^40) by g (1 <= g < 2^15).
// Where 128-bit products exist the quotient is a multiplication by
// m = ceil(2^55 / g), exact in that range (Granlund and Montgomery, 1994:
// the error d (m g - 2^55) / (g 2^55) stays below 2^-15 < 1/g). m does not
// depend on d, so its own division runs beside the dependent chain of the
// spigot instead of in it.
std::int64_t divrem_small(std::int64_t d, std::int64_t g, std::int64_t *rem) {
#if defined(__SIZEOF_INT128__)
  const std::uint64_t m = ((std::uint64_t(1) << 55) + static_cast<std::uint64_t>(g) - 1) /
                          static_cast<std::uint64_t>(g);
  const std::int64_t q = static_cast<std::int64_t>(
      (static_cast<unsigned __int128>(static_cast<std::uint64_t>(d)) * m) >> 55);
#else
  const std::int64_t q = d / g;
#endif
  *rem = d - q * g;
  return q;
}

const char kHeading[] = "\n Kreiszahl \"PI\" - mit 2799 Dezimalstellen: \n\n";
const char kProgram[] =
    "\n int f[9814],b,c=9814,g,i; long a=1e4,d,e,h; "
    "\n main(){for(;b=c,c-=14;i=printf(\"%04d\",e+d/a),e=d%a) "
    "\n while(g=--b*2)d=h*b+a*(i?f[b]:a/5),h=d/--g,f[b]=d%g;} ";

}  // namespace

// 700 passes over the remainders f[1..c+13] of pi in the mixed radix
// 1/3, 2/5, 3/7, ...; every pass yields the next four decimals. The carry h
// runs on from pass to pass, so d and h need 64 bits (d stays below
// 3.1e11 < 2^40, h below 3.2e7).
std::string pi_digits_text(void) {
  std::int32_t f[kSpigotTerms] = {0};
  std::int64_t h = 0;
  std::int64_t e = 0;
  bool first = true;

  std::string text;
  text += kHeading;
  int n = 0;
  for (int c = kSpigotTerms - kTermsPerPass; c != 0; c -= kTermsPerPass) {
    std::int64_t d = 0;
    for (int b = c + kTermsPerPass - 1; b != 0; --b) {
      // Every mixed-radix digit of pi is 2; the first pass takes it scaled
      // by 1000 (2000), so that the first group is 3141.
      const std::int64_t x = first ? kBase / 5 : f[b];
      d = h * b + x * kBase;
      const std::int64_t g = 2 * b - 1;
      std::int64_t r = 0;
      h = divrem_small(d, g, &r);
      f[b] = static_cast<std::int32_t>(r);
    }
    first = false;
    const long group = static_cast<long>(d / kBase + e);
    e = d % kBase;
    if (n == 0)
      text += " 3.141";
    else
      append_format(text, "%04ld", group);
    if (n % 10 == 9) text += "\n ";
    ++n;
  }
  text += kProgram;
  return text;
}

ReportText pi_report(void) { return ReportText{pi_digits_text(), kFontReport}; }
