// Reading a field's text as a number: the grammar, the rounding, and agreement
// with the C library's strtod on texts the grammar accepts.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>

#include "calc/number_text.h"
#include "tests/support/slow_reference.h"

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
      {"\xc3\xa9"
       "5",
       0, 0},
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

// Exactly half the smallest subnormal, all 752 digits.
constexpr const char* kHalfSmallestSubnormal =
    "2.47032822920623272088284396434110686182529901307162382212792841250337753635104375932649918180817996"
    "1898982823477228588654633283551779698981993873980053909390631503565951557022639229085839244910518443"
    "5931802849936536152500319370457678249219365623669863658480757001585769269903706311928279558551332927"
    "8343384093519780155312465972635795746227664652728272200563740064854999770965994704540208281662262378"
    "5739345073633900796776193057750674017632467360096895134053553745851666113422376667860416215968046191"
    "4467291840300530057530849048765391711386591646239524912623653881879636239373280423891018672348497668"
    "2350898633885879256283027559956575244555072551893136908362547791869486679949683240497058210285131854"
    "51396213837722826145437693412532098591327667236328125";
// The midpoint between the largest double and the next power of two.
constexpr const char* kAboveLargestDouble =
    "179769313486231580793728971405303415079934132710037826936173778980444968292764750946649017977587207096330"
    "286416692887910946555547851940402630657488671505820681908902000708383676273854845817711531764475730270069"
    "855571366959622842914819860834936475292719074168444365510704342711559699508093042880177904174497792";

TEST(ReadLeadingNumber, AgreesWithStrtodOnHugeTexts) {
#ifdef _WIN32
  GTEST_SKIP() << "the Windows C runtime's strtod is neither exact nor quick on millions of digits";
#endif
  // A head, a run of one character, a tail: up to millions of digits, and
  // exponents at and beyond the limits of a 64-bit integer.
  const struct {
    const char* head;
    std::size_t count;
    char fill;
    const char* tail;
  } cases[] = {
      {"0.", 100'000, '0', "1e1000000"},  // 1e999999: infinity
      {"1", 100'000, '0', "e-1000000"},   // 1e-900000: zero
      {"-0.", 1'000'000, '0', "1e1000300x"},
      {"1", 1'000'000, '0', "e-1000300"},
      {"0.", 1'000'000, '0', "1e9223372036854775807"},
      {"-", 50'000, '9', "e-9223372036854775808"},
      {"1", 20'000, '0', "e99999999999999999999999999999"},
      {"0.", 20'000, '0', "1e-99999999999999999999999"},
      {"1e", 1'000'000, '0', "5"},
      {"1e-", 1'000'000, '9', ""},
      {"", 2'000'000, '1', "e-2000300"},  // every digit significant
      {"1", 900, '0', ".e-900"},
      {"0.", 2'000'000, '9', "d1"},
      {"4.9406564584124654e-324", 0, '0', ""},
      {"2.4703282292062327", 100'000, '0', "1e-324"},  // just below half the smallest subnormal: zero
      {"2.4703282292062328", 100'000, '0', "1e-324"},  // just above: the smallest subnormal
      // Half the smallest subnormal: ties to even (zero), unless a digit far away says otherwise.
      {kHalfSmallestSubnormal, 1'000'000, '0', "e-324"},
      {kHalfSmallestSubnormal, 1'000'000, '0', "1e-324"},
      // Halfway between 1 and the next double: ties to even, unless a digit far away says otherwise.
      {"1.00000000000000011102230246251565404236316680908203125", 1'000'000, '0', ""},
      {"1.00000000000000011102230246251565404236316680908203125", 1'000'000, '0', "1"},
      {kAboveLargestDouble, 1'000'000, '0', "e-1000000"},  // ties to even: overflows
  };
  for (const auto& c : cases) {
    const std::string text = c.head + std::string(c.count, c.fill) + c.tail;
    const std::string shown = std::string(c.head) + " [" + std::to_string(c.count) + " x " + c.fill + "] " + c.tail;
    const testing::ReferenceNumber reference = testing::referenceParse(text);
    const LeadingNumber number = readLeadingNumber(text);
    EXPECT_EQ(number.length, reference.length) << shown;
    EXPECT_EQ(std::signbit(number.value), std::signbit(reference.value)) << shown;
    EXPECT_EQ(number.value, reference.value) << shown;
  }
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
