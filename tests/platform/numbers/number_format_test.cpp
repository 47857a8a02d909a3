// The %e and %g conversions: fixed examples, then agreement with a slow
// reference built on the C library's exact %.16e digits over many values.

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "platform/numbers/number_format.h"
#include "tests/support/slow_reference.h"

namespace korvel {
namespace {

using testing::referenceExponent;
using testing::referenceGeneral;

std::string exponentText(double value, int precision, int width) {
  char text[kMaxNumberText];
  return std::string(text, formatExponent(text, value, precision, width));
}

std::string generalText(double value, int precision, int width) {
  std::string text;
  appendGeneral(text, value, precision, width);
  return text;
}

struct ExponentCase {
  double value;
  int precision;
  int width;
  const char* expected;
};

TEST(FormatExponent, WritesThreeDigitExponentsAndRoundsHalfUp) {
  const ExponentCase cases[] = {
      {-0.01, 6, 14, "-1.000000e-002"},
      {0.0, 6, 14, " 0.000000e+000"},
      {0.0, 4, 12, " 0.0000e+000"},
      {-0.0, 4, 12, "-0.0000e+000"},
      {5.0 / 1024, 6, 14, " 4.882813e-003"},
      {-5.0 / 1024, 6, 14, "-4.882813e-003"},
      {0.12221, 4, 12, " 1.2221e-001"},
      {9.99999995, 6, 14, " 1.000000e+001"},  // carry into a new exponent
      {9.99995, 4, 12, " 1.0000e+001"},
      {1e100, 4, 12, " 1.0000e+100"},
      {DBL_MAX, 6, 14, " 1.797693e+308"},
      {DBL_MIN, 6, 14, " 2.225074e-308"},
      {std::numeric_limits<double>::denorm_min(), 4, 12, " 4.9407e-324"},
      {123.456, 0, 0, "1e+002"},
      {std::numeric_limits<double>::infinity(), 4, 12, "         inf"},
      {-std::numeric_limits<double>::infinity(), 4, 12, "        -inf"},
      {std::numeric_limits<double>::quiet_NaN(), 4, 12, "         nan"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(exponentText(c.value, c.precision, c.width), c.expected) << c.value;
  }
}

TEST(FormatExponent, SeventeenthDigitDecidesBeforeTheCut) {
  // 0.12345649999999999 to 17 digits is 1.2345650000000000e-1, so the cut at
  // five decimals rounds up, where exact rounding of the binary value would not.
  EXPECT_EQ(exponentText(0.12345649999999999, 5, 0), "1.23457e-001");
}

struct GeneralCase {
  double value;
  const char* expected;
};

TEST(FormatGeneral, FourSignificantDigitsInEightCharacters) {
  const GeneralCase cases[] = {
      {2.0, "       2"},
      {1.0625, "   1.063"},
      {12345.0, "1.235e+004"},
      {10000.0, "  1e+004"},
      {9999.5, "  1e+004"},
      {9999.4, "    9999"},
      {0.15, "    0.15"},
      {0.0001, "  0.0001"},
      {0.00001234, "1.234e-005"},
      {0.0, "       0"},
      {-0.0, "      -0"},
      {-2.5, "    -2.5"},
      {100.0, "     100"},
      {1e300, "  1e+300"},
      {std::numeric_limits<double>::infinity(), "     inf"},
      {-std::numeric_limits<double>::infinity(), "    -inf"},
  };
  for (const auto& c : cases) EXPECT_EQ(generalText(c.value, 4, 8), c.expected) << c.value;
}

constexpr double kInfinity = std::numeric_limits<double>::infinity();

std::vector<double> adversarialValues() {
  std::vector<double> values = {0.0,
                                -0.0,
                                DBL_MAX,
                                -DBL_MAX,
                                DBL_MIN,
                                std::numeric_limits<double>::denorm_min(),
                                std::nextafter(DBL_MIN, 0.0),
                                std::numeric_limits<double>::infinity(),
                                std::numeric_limits<double>::quiet_NaN()};
  for (int k = 0; k <= 4096; ++k) values.push_back(k / 1024.0);
  for (int m = 1; m <= 60; ++m) {
    for (int k = 1; k < 64; k += 2) values.push_back(std::ldexp(k, -m));
  }
  for (int e = -1074; e <= 1023; ++e) values.push_back(std::ldexp(1.0, e));
  for (int e = -323; e <= 308; ++e) {
    const double p = std::pow(10.0, e);
    values.push_back(p);
    values.push_back(std::nextafter(p, 0.0));
    values.push_back(std::nextafter(p, kInfinity));
    // Values that sit on a printed digit's halfway point.
    for (double lead : {1.0000005, 1.00005, 9.9999995, 9.99995, 2.5000005, 7.77775}) {
      const double v = lead * p;
      values.push_back(v);
      values.push_back(std::nextafter(v, 0.0));
      values.push_back(std::nextafter(v, kInfinity));
    }
  }
  return values;
}

TEST(FormatExponent, AgreesWithSlowReferenceOnAdversarialValues) {
  for (double v : adversarialValues()) {
    for (double value : {v, -v}) {
      ASSERT_EQ(exponentText(value, 6, 14), referenceExponent(value, 6, 14)) << std::hexfloat << value;
      ASSERT_EQ(exponentText(value, 4, 12), referenceExponent(value, 4, 12)) << std::hexfloat << value;
    }
  }
}

TEST(FormatExponent, AgreesWithSlowReferenceOnRandomValues) {
  std::mt19937_64 random(20261208);
  std::uniform_real_distribution<double> times(-1.0, 2000.0);
  std::uniform_real_distribution<double> amplitudes(-10.0, 10.0);
  for (int i = 0; i < 300000; ++i) {
    std::uint64_t bits = random();
    double fromBits;
    std::memcpy(&fromBits, &bits, sizeof bits);
    const int precision = static_cast<int>(bits % 17);
    ASSERT_EQ(exponentText(fromBits, precision, 0), referenceExponent(fromBits, precision, 0))
        << std::hexfloat << fromBits << " precision " << precision;
    const double t = times(random);
    ASSERT_EQ(exponentText(t, 6, 14), referenceExponent(t, 6, 14)) << std::hexfloat << t;
    const double a = amplitudes(random);
    ASSERT_EQ(exponentText(a, 4, 12), referenceExponent(a, 4, 12)) << std::hexfloat << a;
  }
}

TEST(FormatGeneral, AgreesWithSlowReference) {
  std::mt19937_64 random(7);
  std::vector<double> values = adversarialValues();
  for (int i = 0; i < 100000; ++i) {
    std::uint64_t bits = random();
    double fromBits;
    std::memcpy(&fromBits, &bits, sizeof bits);
    values.push_back(fromBits);
    values.push_back(std::ldexp(static_cast<double>(bits >> 11), -static_cast<int>(bits % 80)));
  }
  for (double v : values) {
    for (int precision : {1, 4, 6}) {
      ASSERT_EQ(generalText(v, precision, 8), referenceGeneral(v, precision, 8)) << std::hexfloat << v;
      ASSERT_EQ(generalText(-v, precision, 8), referenceGeneral(-v, precision, 8)) << std::hexfloat << v;
    }
  }
}

}  // namespace
}  // namespace korvel
