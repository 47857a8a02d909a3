// Reading a field's text as a number: the grammar, the rounding, and agreement
// with the C library's strtod on texts the grammar accepts.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>

#include "calc/number_text.h"
#include "support/slow_reference.h"

namespace korvel {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

struct ReadCase {
  const char* text;
  double value;
  std::size_t length;
  bool negativeZero = false;
};

TEST(ReadLeadingNumber, FollowsTheFieldGrammar) {
  const ReadCase cases[] = {
      {"", 0, 0},
      {"   ", 0, 0},
      {"-", 0, 0},
      {"+", 0, 0},
      {".", 0, 0},
      {"abc", 0, 0},
      {"5", 5, 1},
      {" \t\n\v\f\r7", 7, 7},
      {".5", 0.5, 2},
      {"5.", 5, 2},
      {"+2.5abc", 2.5, 4},
      {"1,5", 1, 1},
      {"1.5d3", 1500, 5},
      {"1.5D-3", 0.0015, 6},
      {"1.5E+3x", 1500, 6},
      {"1e", 1, 1},
      {"1e+", 1, 1},
      {"1.2.3", 1.2, 3},
      {"0x10", 0, 1},
      {"inf", 0, 0},
      {"nan", 0, 0},
      {"- 5", 0, 0},
      {"-0", 0, 2, true},
      {"-0.0e5", 0, 6, true},
      {"1e999", kInf, 5},
      {"-1e999", -kInf, 6},
      {"1e-400", 0, 6},
      {"-1e-400", 0, 7, true},
      {"1.7976931348623157e308", 1.7976931348623157e308, 22},
      {"1.7976931348623159e308", kInf, 22},  // rounds beyond the largest double
      {"4.9406564584124654e-324", 4.9406564584124654e-324, 23},
      {"2e-324", 0, 6},  // below half the smallest subnormal
      {"1e99999999999999999999999", kInf, 25},
      {"0.000000000000000000000000000001e30", 1, 35},
      {"\xc3\xa9" "5", 0, 0},
  };
  for (const auto& c : cases) {
    const LeadingNumber number = readLeadingNumber(c.text);
    EXPECT_EQ(number.value, c.value) << '"' << c.text << '"';
    EXPECT_EQ(number.length, c.length) << '"' << c.text << '"';
    EXPECT_EQ(std::signbit(number.value), c.negativeZero || c.value < 0) << '"' << c.text << '"';
  }
}

TEST(ReadLeadingNumber, LongDigitRunsRoundCorrectly) {
  // 10,000 digits: a one, then zeros, then a five that decides the rounding.
  std::string text = "1." + std::string(9000, '0') + "1";
  EXPECT_EQ(parseNumber(text), 1.0);
  std::string large = "9" + std::string(9999, '9');
  EXPECT_EQ(parseNumber(large), kInf);
  std::string scaled = std::string(400, '0') + "1" + std::string(300, '0') + "e-300";
  EXPECT_EQ(parseNumber(scaled), 1.0);
  // Exactly halfway between 1 and the next double, plus a far-away 1: rounds up.
  EXPECT_EQ(parseNumber("1.00000000000000011102230246251565404236316680908203125" + std::string(5000, '0') + "1"),
            std::nextafter(1.0, 2.0));
}

TEST(ReadLeadingNumber, AgreesWithSlowReferenceOnRandomDecimalTexts) {
  std::mt19937_64 random(42);
  const char* exponentLetters = "eEdD";
  for (int i = 0; i < 200000; ++i) {
    std::string text;
    if (random() % 2) text += (random() % 2) ? '-' : '+';
    const int digits = 1 + static_cast<int>(random() % 25);
    const int point = static_cast<int>(random() % (digits + 1));
    for (int d = 0; d < digits; ++d) {
      if (d == point) text += '.';
      text += static_cast<char>('0' + random() % 10);
    }
    if (random() % 2) {
      text += exponentLetters[random() % 4];
      const int exponent = static_cast<int>(random() % 700) - 350;
      text += std::to_string(exponent);
    }
    const testing::ReferenceNumber reference = testing::referenceParse(text);
    const double expected = reference.value;
    const LeadingNumber number = readLeadingNumber(text);
    ASSERT_EQ(number.length, text.size()) << text;
    ASSERT_EQ(reference.length, text.size()) << text;
    ASSERT_EQ(std::signbit(number.value), std::signbit(expected)) << text;
    ASSERT_EQ(number.value, expected) << text;
  }
}

}  // namespace
}  // namespace korvel
