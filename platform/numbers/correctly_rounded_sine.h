#pragma once

// sin(x) rounded to the nearest double, for every double x, in plain double
// arithmetic (each operation rounded on its own, no fused multiply-add), so
// that it gives the same bits on every processor and compiler that round
// doubles as the standard says. Inline, so that a loop taking many sines keeps
// its registers: on 64-bit Windows a call must save ten of them.

#include <bit>
#include <cmath>
#include <cstdint>

#include "platform/numbers/multiword_sine.h"
#include "platform/numbers/sine_tables.h"

namespace korvel {
namespace sine_detail {

using namespace sine_tables;

// Below this the multiple k of pi/512 stays under 2^24, so that k times the
// first two parts of pi/512 is exact.
inline constexpr double kLargestFastAngle = 0x1p16;
inline constexpr double kRoundingShift = 0x1.8p52;  // adding and taking it off rounds to a whole number
inline constexpr double kSplitShift = 0x1.8p18;     // ... to a multiple of 2^-34
// Bounds of the error of the sum below: a share of the result from the
// evaluation, and an absolute part from the reduction (the sine's slope is at
// most 1), per unit of k and overall.
inline constexpr double kEvaluationError = 0x1p-66;
inline constexpr double kReductionErrorPerUnit = 0x1p-120;
inline constexpr double kReductionError = 0x1p-112;
inline constexpr double kSigns[2] = {1.0, -1.0};

// Half the distance from y to its neighbours; a quarter when y is a power of
// two, whose neighbour toward zero is twice as near.
inline double halfUnitAround(double y) {
  const double power = std::bit_cast<double>(std::bit_cast<std::uint64_t>(y) & 0x7FF0000000000000ull);
  return power == std::abs(y) ? power * 0x1p-54 : power * 0x1p-53;
}

}  // namespace sine_detail

// |x| less the nearest multiple k of pi/512, as a pair b + bLow (Cody and
// Waite's reduction with pi/512 in three parts); with k = 256 q + j,
// sin |x| = sin(q pi/2 + t + b) for t = j pi/512, which is sin(t + b), cos(t + b),
// -sin(t + b), -cos(t + b) for q = 0, 1, 2, 3 (mod 4), and cos(t + b) is
// sin(pi/2 - t - b), the table's entry 256 - j with b negated. Then
//   sin(t + b) = sin t + cos t * b + cos t * (sin b - b) + sin t * (cos b - 1)
// where the first two terms are summed exactly (b is cut so that its first part
// times the cosine's first 27 bits is exact) and the small rest in doubles.
// When the error bound leaves the rounding open (about once in 5,000 angles),
// or the angle is too large for the reduction, the many-word evaluation decides.
inline double correctlyRoundedSine(double x) {
  using namespace sine_detail;
  const double ax = std::abs(x);
  if (!(ax < kLargestFastAngle)) return multiwordSine(x);  // also infinities and not-a-number
  if (ax < 0x1p-26) return x;                             // the sine rounds to the angle itself

  const double k = (ax * kUnitsPerRadian + kRoundingShift) - kRoundingShift;
  const double first = ax - k * kUnit1;  // exact: both lie within a factor 2
  const double second = k * kUnit2;      // exact
  double b = first - second;
  const double bPart = b - first;
  double bLow = ((first - (b - bPart)) - (second + bPart)) - k * kUnit3;
  // Within 2^-40 of a multiple of pi/512 the reduction's error may matter.
  if (std::abs(b) < 0x1p-40) return multiwordSine(x);
  const double bSum = b + bLow;
  bLow -= bSum - b;  // now below half a unit of b's last place
  b = bSum;

  const int units = static_cast<int>(k);
  const int quarter = (units >> 8) & 3;
  const int odd = quarter & 1;
  const int index = odd ? 256 - (units & 255) : units & 255;
  const SinCos& entry = kSinCos[index];
  b *= kSigns[odd];
  bLow *= kSigns[odd];

  // At t = 0 the cosine is 1: b needs no cut, and no part of it goes to the rest.
  const double shift = index == 0 ? 0.0 : kSplitShift;
  const double bTop = (b + shift) - shift;
  const double bRest = b - bTop;
  const double cosHigh = entry.cosTop + entry.cosRest;
  const double product = entry.cosTop * bTop;  // exact
  const double head = entry.sinHigh + product;
  const double headLow = product - (head - entry.sinHigh);  // exact: sin t is 0 or above |b|
  const double b2 = b * b;
  const double sinRest = (b * b2) * (-1.0 / 6 + b2 * (1.0 / 120 - b2 * (1.0 / 5040))) - (b2 * bLow) * 0.5;
  const double cosRest = b2 * (-0.5 + b2 * (1.0 / 24 - b2 * (1.0 / 720))) - b * bLow;
  const double small = ((headLow + entry.sinLow) + (entry.cosTop * bRest + entry.cosRest * b)) +
                       (cosHigh * bLow + entry.cosLow * b);
  const double tail = small + (cosHigh * sinRest + entry.sinHigh * cosRest);

  const double y = head + tail;
  const double beyond = tail - (y - head);  // y + beyond is head + tail exactly
  const double error = std::abs(y) * kEvaluationError + (k * kReductionErrorPerUnit + kReductionError);
  if (std::abs(beyond) + error < halfUnitAround(y)) {
    return (quarter >= 2) != (x < 0) ? -y : y;
  }
  return multiwordSine(x);
}

}  // namespace korvel
