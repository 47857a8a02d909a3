#include "platform/sine.h"

#include <cmath>

namespace korvel {
namespace {

// pi/2 in three parts: two of 32 bits, so that k times either is exact in a
// long double for k below 2^32, and the rest to 64 bits.
constexpr long double kHalfPi1 = 0xc90fdaa2p-31L;
constexpr long double kHalfPi2 = 0x85a308d3p-65L;
constexpr long double kHalfPi3 = 0x98cc51701b839a25p-132L;
constexpr long double kTwoOverPi = 0xa2f9836e4e44152ap-64L;
constexpr long double kLargestQuadrant = 0x1p32L;

}  // namespace

// x less a whole number of quarter turns, to about 2^-96 absolute: enough for
// the sine near multiples of pi too; then the x87 sine or cosine of the rest,
// which is accurate within a quarter turn, rounded once to a double.
double sine(double x) {
  const long double k = std::nearbyint(x * kTwoOverPi);
  if (!(std::fabs(k) < kLargestQuadrant)) return std::sin(x);  // also NaN and infinities
  const long double rest = ((x - k * kHalfPi1) - k * kHalfPi2) - k * kHalfPi3;
  const long long quadrant = static_cast<long long>(k) & 3;
  const long double value = quadrant == 0 ? std::sin(rest)
                            : quadrant == 1 ? std::cos(rest)
                            : quadrant == 2 ? -std::sin(rest)
                                            : -std::cos(rest);
  return static_cast<double>(value);
}

}  // namespace korvel
