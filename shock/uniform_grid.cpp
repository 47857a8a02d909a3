#include "shock/uniform_grid.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include <fast_float/fast_float.h>

namespace korvel::shock {
namespace {

// The nearest double to digits x 10^exponent, read exactly.
double readDecimal(long long digits, int exponent) {
  const std::string text = std::to_string(digits) + "e" + std::to_string(exponent);
  double value = 0;
  fast_float::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

// Half units, 5 x 10^exponent, are asked for once a row: read once each.
constexpr int kHalfUnitExponents = 400;
struct HalfUnits {
  double value[2 * kHalfUnitExponents + 1];
  HalfUnits() {
    for (int e = -kHalfUnitExponents; e <= kHalfUnitExponents; ++e) value[e + kHalfUnitExponents] = readDecimal(5, e);
  }
};

double decimal(long long digits, int exponent) {
  if (digits == 5 && exponent >= -kHalfUnitExponents && exponent <= kHalfUnitExponents) {
    static const HalfUnits halfUnits;
    return halfUnits.value[exponent + kHalfUnitExponents];
  }
  return readDecimal(digits, exponent);
}

// A printed exponent's value: "+004" gives 4, "-12" gives -12.
int exponentOf(std::string_view text) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  int value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

// Room for the rounding of the bounds' own arithmetic.
constexpr double kRounding = 0x1p-40;
// Times summed in floating point stray by up to this part of their value.
constexpr double kSummedTimes = 1e-9;

}  // namespace

double halfUnitOf(std::string_view number) {
  std::size_t i = 0;
  if (i < number.size() && (number[i] == '-' || number[i] == '+')) ++i;
  int fractionDigits = 0;
  bool inFraction = false;
  bool zero = true;
  for (; i < number.size(); ++i) {
    const char c = number[i];
    if (c == '.') {
      inFraction = true;
    } else if (c >= '0' && c <= '9') {
      fractionDigits += inFraction ? 1 : 0;
      zero = zero && c == '0';
    } else {
      break;
    }
  }
  // A zero is exact: records start at a time printed as 0 or 0.0 when it is
  // zero, and taking "0" as anything within 0.5 s would let any later times fit.
  if (zero) return 0;
  int exponent = 0;
  if (i < number.size() && (number[i] == 'e' || number[i] == 'E')) exponent = exponentOf(number.substr(i + 1));
  return halfUnitAt(exponent - fractionDigits - 1);
}

double halfUnitAt(int k) {
  // 5 x 10^k for every k a double can hold, read once.
  constexpr int kLowest = -330;
  constexpr int kHighest = 310;
  static const std::vector<double> halves = [] {
    std::vector<double> table;
    for (int k = kLowest; k <= kHighest; ++k) table.push_back(decimal(5, k));
    return table;
  }();
  return halves[static_cast<std::size_t>(std::clamp(k, kLowest, kHighest) - kLowest)];
}

bool UniformGrid::add(double time, double halfUnit) {
  const double margin = (halfUnit + std::abs(time) * kSummedTimes) * (1.0 + kRounding);
  if (rows_++ == 0) {
    first_ = time;
    firstMargin_ = margin;
    lowest_ = fixedStep_ ? *fixedStep_ : 0.0;
    highest_ = fixedStep_ ? *fixedStep_ : std::numeric_limits<double>::infinity();
    return true;
  }
  const double index = static_cast<double>(rows_ - 1);
  const double low = ((time - margin) - (first_ + firstMargin_)) / index * (1.0 - kRounding);
  const double high = ((time + margin) - (first_ - firstMargin_)) / index * (1.0 + kRounding);
  if (fixedStep_) return low <= *fixedStep_ && *fixedStep_ <= high;
  lowest_ = std::max(lowest_, low);
  highest_ = std::min(highest_, high);
  return lowest_ <= highest_ && highest_ > 0;
}

double shortestRateFor(double lowestStep, double highestStep) {
  const double lowRate = 1.0 / highestStep;
  const double highRate = 1.0 / std::max(lowestStep, std::numeric_limits<double>::min());
  const double middle = 2.0 / (lowestStep + highestStep);
  char text[32];
  const auto printed = std::to_chars(text, text + sizeof text, middle, std::chars_format::scientific, 0);
  const char* e = std::find(text, printed.ptr, 'e');
  const int exponent = exponentOf(std::string_view(e + 1, printed.ptr - (e + 1)));
  for (int digits = 1; digits <= 17; ++digits) {
    const int scale = exponent - digits + 1;
    const double unit = decimal(1, scale);
    const long long first = static_cast<long long>(std::ceil(lowRate / unit));
    for (long long k = first - 1; k <= first + 1; ++k) {
      const double rate = decimal(k, scale);
      if (rate >= lowRate && rate <= highRate) return rate;
    }
  }
  return middle;
}

}  // namespace korvel::shock
