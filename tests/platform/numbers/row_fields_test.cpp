// The row's fields against the straightforward exact formatter (17-digit text,
// then the half-up cut), over many millions of values chosen to hit the fast
// rounding's weak spots.

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <limits>
#include <ostream>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "calc/time_history_file.h"
#include "platform/numbers/row_fields.h"
#include "platform/numbers/number_format.h"

namespace korvel {
namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr int kScaleDown = 5;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(undefined_behavior_sanitizer)
constexpr int kScaleDown = 5;
#else
constexpr int kScaleDown = 1;
#endif
#else
constexpr int kScaleDown = 1;
#endif

constexpr int scaled(int count) { return count / kScaleDown; }

// Counts values whose fast text differs from the reference, reporting the first few.
class Comparison {
 public:
  void checkTime(double value) { compare(value, 6, 14, formatTimeField(actual_, value)); }
  void checkAmplitude(double value) { compare(value, 4, 12, formatAmplitudeField(actual_, value)); }
  // Both columns of a row.
  void checkRowFields(double value) {
    checkTime(value);
    checkAmplitude(value);
  }
  // The value and its neighbours a few steps either side.
  void checkAround(double value, int steps) {
    double up = value;
    double down = value;
    checkRowFields(value);
    for (int i = 0; i < steps; ++i) {
      up = std::nextafter(up, std::numeric_limits<double>::infinity());
      down = std::nextafter(down, -std::numeric_limits<double>::infinity());
      checkRowFields(up);
      checkRowFields(down);
    }
  }
  long checked() const { return checked_; }
  long mismatches() const { return mismatches_; }

 private:
  void compare(double value, int precision, int width, const char* end) {
    char expected[kMaxNumberText];
    const std::string_view want(expected, formatExponent(expected, value, precision, width) - expected);
    const std::string_view got(actual_, end - actual_);
    ++checked_;
    if (want != got && ++mismatches_ <= 10) {
      ADD_FAILURE() << "value " << std::hexfloat << value << std::defaultfloat << " (%" << width << "." << precision
                    << "e): expected \"" << want << "\", got \"" << got << "\"";
    }
  }

  char actual_[kMaxNumberText];
  long checked_ = 0;
  long mismatches_ = 0;
};

double parse(const std::string& text) { return std::strtod(text.c_str(), nullptr); }

struct Family {
  const char* name;
  std::function<void(Comparison&, std::mt19937_64&)> run;
};

const Family kFamilies[] = {
    {"RandomBitPatterns",  // every kind of double: subnormals, huge and tiny exponents, inf, nan
     [](Comparison& c, std::mt19937_64& rng) {
       for (int i = 0; i < scaled(2'000'000); ++i) c.checkRowFields(std::bit_cast<double>(rng()));
     }},
    {"SampleTimes",  // (i - 1) * dt as the synthesis makes them, for assorted rates
     [](Comparison& c, std::mt19937_64& rng) {
       std::uniform_int_distribution<int> index(0, 1'999'998);
       const double rates[] = {10000, 1024, 100, 3, 7777, 44100, 8192, 12345.678, 0.5, 1e-3};
       for (const double rate : rates) {
         const double dt = 1.0 / rate;
         for (int i = 0; i < scaled(300'000); ++i) {
           c.checkTime(static_cast<double>(index(rng) - 1) * dt);
         }
       }
     }},
    {"AmplitudeRange",  // sine products times assorted amplitudes, down to rounding residues
     [](Comparison& c, std::mt19937_64& rng) {
       std::uniform_real_distribution<double> angle(0, 100);
       std::uniform_int_distribution<int> decade(-20, 6);
       for (int i = 0; i < scaled(3'000'000); ++i) {
         const double a = angle(rng);
         const double value = std::sin(a) * std::sin(a / 3) * std::pow(10.0, decade(rng));
         c.checkAmplitude(value);
         if (i % 3 == 0) c.checkTime(value);
       }
     }},
    {"HalfwayFractions",  // k / 2^m: exact halves at the printed digit and near them
     [](Comparison& c, std::mt19937_64& rng) {
       std::uniform_int_distribution<std::int64_t> numerator(-(std::int64_t{1} << 40), std::int64_t{1} << 40);
       std::uniform_int_distribution<int> power(0, 60);
       for (int i = 0; i < scaled(1'500'000); ++i) {
         c.checkRowFields(std::ldexp(static_cast<double>(numerator(rng)), -power(rng)));
       }
       for (int k = -20000; k <= 20000; ++k) c.checkRowFields(k / 1024.0);
     }},
    {"NextToRoundingBoundaries",  // d.dddddd5 x 10^e and d.dddd5 x 10^e, as parsed and a few ulps off
     [](Comparison& c, std::mt19937_64& rng) {
       std::uniform_int_distribution<std::uint64_t> digits(1'000'000, 9'999'999);
       std::uniform_int_distribution<int> exponent(-30, 30);
       std::uniform_int_distribution<int> zeros(0, 12);
       std::uniform_int_distribution<int> digit(0, 9);
       char text[64];
       for (int i = 0; i < scaled(200'000); ++i) {
         const std::uint64_t d = digits(rng);
         const int e = exponent(rng);
         const std::string tail = std::string(static_cast<std::size_t>(zeros(rng)), '0') + char('0' + digit(rng));
         const bool shortForm = i % 2 == 0;  // the amplitude column cuts after five digits
         if (shortForm) {
           std::snprintf(text, sizeof text, "%llu.%04llu5", static_cast<unsigned long long>(d / 1'000'000),
                         static_cast<unsigned long long>(d % 1'000'000 / 100));
         } else {
           std::snprintf(text, sizeof text, "%llu.%06llu5", static_cast<unsigned long long>(d / 1'000'000),
                         static_cast<unsigned long long>(d % 1'000'000));
         }
         c.checkAround(parse(std::string(text) + "e" + std::to_string(e)), 2);
         c.checkRowFields(parse(std::string(text) + tail + "e" + std::to_string(e)));
         c.checkRowFields(-parse(std::string(text) + tail + "e" + std::to_string(e)));
       }
     }},
    {"PowersOfTwoAndTen",
     [](Comparison& c, std::mt19937_64&) {
       for (int e = -1074; e <= 1023; ++e) {
         c.checkAround(std::ldexp(1.0, e), 3);
         c.checkAround(-std::ldexp(1.0, e), 1);
       }
       for (int e = -330; e <= 310; ++e) c.checkAround(parse("1e" + std::to_string(e)), 3);
       for (int e = -330; e <= 310; ++e) c.checkAround(parse("9.9999995e" + std::to_string(e)), 3);
       for (int e = -330; e <= 310; ++e) c.checkAround(parse("9.99995e" + std::to_string(e)), 3);
     }},
    {"SpecialValues",
     [](Comparison& c, std::mt19937_64&) {
       const double inf = std::numeric_limits<double>::infinity();
       const double nan = std::numeric_limits<double>::quiet_NaN();
       const double specials[] = {0.0,
                                  -0.0,
                                  inf,
                                  -inf,
                                  nan,
                                  -nan,
                                  std::numeric_limits<double>::denorm_min(),
                                  std::numeric_limits<double>::min(),
                                  std::numeric_limits<double>::max(),
                                  -std::numeric_limits<double>::max()};
       for (const double value : specials) c.checkRowFields(value);
     }},
    {"EightyBinaryDecades",
     [](Comparison& c, std::mt19937_64& rng) {
       std::uniform_real_distribution<double> mantissa(-10, 10);
       std::uniform_int_distribution<int> exponent(-40, 40);
       for (int i = 0; i < scaled(1'000'000); ++i) c.checkRowFields(std::ldexp(mantissa(rng), exponent(rng)));
     }},
};

void PrintTo(const Family& family, std::ostream* out) { *out << family.name; }

class FastFormatMatchesReference : public testing::TestWithParam<Family> {};

TEST_P(FastFormatMatchesReference, ByteForByte) {
  std::mt19937_64 rng(0x6b6f7276656cULL ^ std::hash<std::string>{}(GetParam().name));
  Comparison comparison;
  GetParam().run(comparison, rng);
  EXPECT_EQ(comparison.mismatches(), 0) << "of " << comparison.checked() << " values";
  RecordProperty("checked", std::to_string(comparison.checked()));
}

INSTANTIATE_TEST_SUITE_P(Families, FastFormatMatchesReference, testing::ValuesIn(kFamilies),
                         [](const testing::TestParamInfo<Family>& info) { return std::string(info.param.name); });

// The row as the straightforward formatter builds it.
std::string referenceRow(double time, double amplitude) {
  char text[kMaxNumberText];
  std::string row = " ";
  row.append(text, formatExponent(text, time, 6, 14));
  row += " \t ";
  row.append(text, formatExponent(text, amplitude, 4, 12));
  row += " \r\n";
  return row;
}

TEST(FastRowTest, RowsMatchTheReferenceAndKeepTheirLength) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const struct {
    double time;
    double amplitude;
  } rows[] = {{-0.01, 0.0},    {0.0, -0.0},      {5.0 / 1024, 0.12221}, {199.9998, -0.94585},
              {0.05, 1.2e-16}, {1e-4, inf},      {2e-4, -inf},          {3e-4, nan},
              {4e-4, -nan},    {-1e300, 1e-300}, {1e22, -5e-324},       {9.9999995e-3, 9.99995}};
  std::string row = "left over from an earlier, much longer use of the shared text";
  for (const auto& r : rows) {
    formatTimeHistoryRow(r.time, r.amplitude, row);
    EXPECT_EQ(row, referenceRow(r.time, r.amplitude));
    EXPECT_EQ(row.size(), static_cast<std::size_t>(kRowLength));
  }
}

}  // namespace
}  // namespace korvel
