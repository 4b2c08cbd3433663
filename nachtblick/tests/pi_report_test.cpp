// Pi report: every one of the 2799 decimals against Machin's formula
// computed here with a plain fixed-point number, the line layout, the
// program text and the repeated report.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "nachtblick/pi.h"
#include "nachtblick/reports.h"

namespace {

// Fixed-point number: limb 0 the integer part, then base-10^4 fractions.
typedef std::vector<std::uint32_t> Fixed;
const std::uint32_t kLimb = 10000;
const int kFractionLimbs = 710;  // 2840 decimals: 41 guard digits

void divide(Fixed &x, std::uint32_t divisor) {
  std::uint64_t rem = 0;
  for (std::uint32_t &limb : x) {
    const std::uint64_t cur = rem * kLimb + limb;
    limb = static_cast<std::uint32_t>(cur / divisor);
    rem = cur % divisor;
  }
}

void add(Fixed &x, const Fixed &y) {
  std::uint32_t carry = 0;
  for (size_t i = x.size(); i-- > 0;) {
    const std::uint32_t s = x[i] + y[i] + carry;
    x[i] = s % kLimb;
    carry = s / kLimb;
  }
}

void subtract(Fixed &x, const Fixed &y) {  // x >= y
  std::int32_t borrow = 0;
  for (size_t i = x.size(); i-- > 0;) {
    std::int32_t d = static_cast<std::int32_t>(x[i]) - static_cast<std::int32_t>(y[i]) - borrow;
    borrow = d < 0 ? 1 : 0;
    x[i] = static_cast<std::uint32_t>(d + borrow * static_cast<std::int32_t>(kLimb));
  }
}

void multiply(Fixed &x, std::uint32_t factor) {
  std::uint64_t carry = 0;
  for (size_t i = x.size(); i-- > 0;) {
    const std::uint64_t p = static_cast<std::uint64_t>(x[i]) * factor + carry;
    x[i] = static_cast<std::uint32_t>(p % kLimb);
    carry = p / kLimb;
  }
}

bool is_zero(const Fixed &x) {
  for (std::uint32_t limb : x)
    if (limb != 0) return false;
  return true;
}

// arctan(1/n) = sum over k of (-1)^k / ((2k + 1) n^(2k + 1)).
Fixed arctan_inverse(std::uint32_t n) {
  Fixed sum(kFractionLimbs + 1, 0), power(kFractionLimbs + 1, 0);
  power[0] = 1;
  divide(power, n);
  for (std::uint32_t k = 0; !is_zero(power); ++k) {
    Fixed term = power;
    divide(term, 2 * k + 1);
    if (k % 2 == 0) add(sum, term); else subtract(sum, term);
    divide(power, n * n);
  }
  return sum;
}

// "3" followed by the decimals of pi = 16 arctan(1/5) - 4 arctan(1/239).
std::string machin_digits() {
  Fixed pi = arctan_inverse(5);
  multiply(pi, 16);
  Fixed b = arctan_inverse(239);
  multiply(b, 4);
  subtract(pi, b);
  std::string digits = std::to_string(pi[0]);
  for (size_t i = 1; i < pi.size(); ++i) {
    const std::string group = std::to_string(pi[i]);
    digits += std::string(4 - group.size(), '0') + group;
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
  for (size_t i = start; i < end; ++i) {
    if (text[i] >= '0' && text[i] <= '9') digits += text[i];
  }
  ASSERT_EQ(digits.size(), 2800u);
  EXPECT_EQ(digits, reference.substr(0, 2800));
  // The 2796th to 2799th decimals close the block.
  EXPECT_EQ(digits.substr(2796), reference.substr(2796, 4));
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
