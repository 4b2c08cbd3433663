// SPDX-License-Identifier: MIT
// Pi report: every one of the 2799 decimals against Machin's formula
// computed here with a plain fixed-point number, the line layout, the
// program text and the repeated report.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "nachtblick/pi.h"
#include "nachtblick/reports.h"

namespace {

// x / d for a non-negative base-10^4 fixed-point number, limb 0 the
// integer part.
std::vector<long> divided(std::vector<long> x, long d) {
  long rem = 0;
  for (long &limb : x) {
    const long cur = rem * 10000 + limb;
    limb = cur / d;
    rem = cur % d;
  }
  return x;
}

// "3" and the decimals of pi = 16 arctan(1/5) - 4 arctan(1/239) (Machin),
// arctan(1/n) = sum over k of (-1)^k / ((2k + 1) n^(2k + 1)), with 710
// fraction limbs: 2840 decimals, 41 guard digits.
std::string machin_digits() {
  std::vector<long> pi(711, 0);
  for (const long n : {5L, 239L}) {
    std::vector<long> power(711, 0);
    power[0] = n == 5 ? 16 : 4;
    power = divided(power, n);
    for (long k = 0; std::any_of(power.begin(), power.end(), [](long l) { return l != 0; }); ++k) {
      const std::vector<long> term = divided(power, 2 * k + 1);
      const long sign = (k % 2 == 0) == (n == 5) ? 1 : -1;
      for (size_t i = 0; i < pi.size(); ++i) pi[i] += sign * term[i];
      power = divided(power, n * n);
    }
  }
  for (size_t i = pi.size() - 1; i > 0; --i) {  // carry and borrow: limbs back to 0..9999
    const long carry = pi[i] >= 0 ? pi[i] / 10000 : -((9999 - pi[i]) / 10000);
    pi[i] -= carry * 10000;
    pi[i - 1] += carry;
  }
  std::string digits = std::to_string(pi[0]);
  for (size_t i = 1; i < pi.size(); ++i) {
    char group[8];
    std::snprintf(group, sizeof group, "%04ld", pi[i]);
    digits += group;
  }
  return digits;
}

const char kHeading[] = "\n Kreiszahl \"PI\" - mit 2799 Dezimalstellen: \n\n";
const char kProgram[] =
    "\n int f[9814],b,c=9814,g,i; long a=1e4,d,e,h; "
    "\n main(){for(;b=c,c-=14;i=printf(\"%04d\",e+d/a),e=d%a) "
    "\n while(g=--b*2)d=h*b+a*(i?f[b]:a/5),h=d/--g,f[b]=d%g;} ";

}  // namespace

TEST(PiReport, AllDecimalsAgreeWithMachin) {
  const std::string reference = machin_digits();
  ASSERT_EQ(reference.compare(0, 12, "314159265358"), 0);
  const std::string text = pi_report().text;
  std::string digits;
  const size_t start = sizeof kHeading - 1;
  const size_t end = text.size() - (sizeof kProgram - 1);
  for (size_t i = start; i < end; ++i)
    if (text[i] >= '0' && text[i] <= '9') digits += text[i];
  ASSERT_EQ(digits.size(), 2800u);
  EXPECT_EQ(digits, reference.substr(0, 2800));
}

TEST(PiReport, LineLayout) {
  const ReportText r = pi_report();
  EXPECT_STREQ(r.font, FONT_REPORT);
  const std::string &t = r.text;
  ASSERT_EQ(t.size(), 3144u);
  ASSERT_EQ(t.compare(0, sizeof kHeading - 1, kHeading), 0);
  ASSERT_EQ(t.compare(t.size() - (sizeof kProgram - 1), std::string::npos, kProgram), 0);

  size_t pos = sizeof kHeading - 1;
  auto next_line = [&]() {
    const size_t nl = t.find('\n', pos);
    std::string line = t.substr(pos, nl - pos);
    pos = nl + 1;
    return line;
  };
  const std::string first = next_line();
  EXPECT_EQ(first, " 3.141592653589793238462643383279502884197");
  EXPECT_EQ(first.size(), 6u + 36u);
  const std::string second = next_line();
  EXPECT_EQ(second.compare(0, 11, " 1693993751"), 0);
  EXPECT_EQ(second.size(), 41u);
  for (int line = 3; line <= 70; ++line) {
    const std::string l = next_line();
    ASSERT_EQ(l.size(), 41u) << line;
    ASSERT_EQ(l[0], ' ') << line;
    ASSERT_EQ(l.find_first_not_of("0123456789", 1), std::string::npos) << line;
  }
  // A line holding one blank, then the program text.
  EXPECT_EQ(t.compare(pos - 1, 3, "\n \n"), 0);
  EXPECT_EQ(pos + 1, t.size() - (sizeof kProgram - 1));
}

TEST(PiReport, RepeatedReportIsTheSameText) {
  const std::string once = pi_report().text;
  EXPECT_EQ(pi_report().text, once);
  EXPECT_EQ(pi_digits_text(), once);
}
