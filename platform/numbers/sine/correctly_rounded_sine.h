#pragma once

// sin(x) rounded to the nearest double, for every double x. The result is the
// same bits on every processor and compiler that round doubles as the standard
// says, whichever way it is reached: in plain double arithmetic (each operation
// rounded on its own), or, where the processor has it, with the fused
// multiply-add, which only makes the inner sums more exact; the nearest double
// to the sine does not depend on either. The plain evaluation is inline, so
// that a loop taking many sines keeps its registers (on 64-bit Windows a call
// must save ten of them); the fused one is a call, as only it may use the
// processor's newer instructions.

#include <bit>
#include <cmath>
#include <cstdint>

#include "platform/numbers/sine/multiword_sine.h"
#include "platform/numbers/sine/sine_tables.h"

namespace korvel {
namespace sine_detail {

using namespace sine_tables;

// Below this the multiple k of pi/512 stays under 2^24, so that k times the
// first two parts of pi/512 is exact.
inline constexpr double kLargestFastAngle = 0x1p16;
inline constexpr double kRoundingShift = 0x1.8p52;  // adding and taking it off rounds to a whole number
inline constexpr double kSplitShift = 0x1.8p18;     // ... to a multiple of 2^-34
// Bounds of the error of head + tail below: a share of the result from the
// evaluation (at most 2^-66 of it, here taken of head, which the tail changes
// by less than 2^-15, with room for rounding tail +- bound), and an absolute
// part from the reduction (the sine's slope is at most 1), per unit of k and overall.
inline constexpr double kEvaluationError = 0x1.18p-66;
inline constexpr double kReductionErrorPerUnit = 0x1p-120;
inline constexpr double kReductionError = 0x1p-112;
inline constexpr double kSigns[2] = {1.0, -1.0};

// a * b + c, fused (one rounding) or as two roundings. The builtin is the
// processor's instruction at every optimisation level, where the C library's
// fma might be taken instead, and a library's own may round twice.
template <bool kFused>
[[gnu::always_inline]] inline double multiplyAdd(double a, double b, double c) {
  if constexpr (kFused) {
    return __builtin_fma(a, b, c);
  } else {
    return a * b + c;
  }
}

// |x| less the nearest multiple k of pi/512, as b + bLow (Cody and Waite's
// reduction with pi/512 in three parts; the pair is left unnormalised, bLow
// below 2^-43, so that the work on b need not wait for it). With
// t = (k mod 512) pi/512, sin |x| = +-sin(t + b), negative when k mod 1024 >= 512, and
//   sin(t + b + bLow) = sin t + cos t * b                  (head + headLow, exact)
//                     + cos t * (sin b - b) + sin t * (cos b - 1)
//                     + bLow * (cos t - sin t * b - cos t * b^2 / 2)   (tail)
// to far below 2^-66 of the result. The product cos t * b is exact as a pair:
// with the fused multiply-add directly, without it by cutting b so that its
// first part times the cosine's first 27 bits is exact. The result is the nearest
// double when head + tail, widened by the error bound to either side, rounds to
// one double; otherwise (about once in 5,000 angles), and for angles too large
// for the reduction, the many-word evaluation decides.
template <bool kFused>
[[gnu::always_inline]] inline double sineOf(double x) {
  const double ax = std::abs(x);
  if (!(ax < kLargestFastAngle)) return multiwordSine(x);  // also infinities and not-a-number
  if (ax < 0x1p-26) return x;                              // the sine rounds to the angle itself

  const double shifted = multiplyAdd<kFused>(ax, kUnitsPerRadian, kRoundingShift);
  const std::uint64_t units = std::bit_cast<std::uint64_t>(shifted);  // k in the low bits
  const double k = shifted - kRoundingShift;
  const double first = multiplyAdd<kFused>(-k, kUnit1, ax);  // exact: both lie within a factor 2
  const double second = k * kUnit2;                          // exact
  const double b = first - second;
  // Within 2^-40 of a multiple of pi/512 the reduction's error may matter.
  if (std::abs(b) < 0x1p-40) return multiwordSine(x);
  const double bPart = b - first;
  const double bLow = (first - (b - bPart)) - ((second + bPart) + k * kUnit3);

  const unsigned index = static_cast<unsigned>(units) % kUnitsPerHalfTurn;
  const SinCos& entry = kSinCos[index];
  const double sign = kSigns[((units / kUnitsPerHalfTurn) ^ (std::bit_cast<std::uint64_t>(x) >> 63)) & 1];
  const double cosHigh = entry.cosTop + entry.cosRest;
  double head;
  double headLow;
  double cross;  // cos t * b less what head holds of it
  if constexpr (kFused) {
    const double product = cosHigh * b;
    head = entry.sinHigh + product;
    headLow = product - (head - entry.sinHigh);       // exact: sin t is 0 or above |b|
    cross = multiplyAdd<true>(cosHigh, b, -product);  // exact
  } else {
    // At t = 0 the cosine is 1: b needs no cut, and no part of it goes to the rest.
    const double shift = index == 0 ? 0.0 : kSplitShift;
    const double bTop = (b + shift) - shift;
    const double bRest = b - bTop;
    const double product = entry.cosTop * bTop;  // exact
    head = entry.sinHigh + product;
    headLow = product - (head - entry.sinHigh);  // exact: sin t is 0 or above |b|
    cross = entry.cosTop * bRest + entry.cosRest * b;
  }
  // The series in powers of b^2, split so that their steps overlap.
  const double b2 = b * b;
  const double b3 = b * b2;
  const double sinRest = multiplyAdd<kFused>(b3, -1.0 / 6, (b3 * b2) * multiplyAdd<kFused>(b2, -1.0 / 5040, 1.0 / 120));
  const double cosRest = multiplyAdd<kFused>(b2, -0.5, (b2 * b2) * multiplyAdd<kFused>(b2, -1.0 / 720, 1.0 / 24));
  const double lowSlope = cosHigh - multiplyAdd<kFused>(entry.sinHigh, b, (cosHigh * b2) * 0.5);
  const double small = ((headLow + entry.sinLow) + cross) + entry.cosLow * b;
  const double tail = multiplyAdd<kFused>(
      cosHigh, sinRest, multiplyAdd<kFused>(entry.sinHigh, cosRest, multiplyAdd<kFused>(bLow, lowSlope, small)));

  const double bound = std::abs(head) * kEvaluationError + (k * kReductionErrorPerUnit + kReductionError);
  const double above = head + (tail + bound);
  const double below = head + (tail - bound);
  if (above == below) return above * sign;
  return multiwordSine(x);
}

#if defined(__x86_64__) || defined(__i386__)
// The evaluation with the fused multiply-add, for processors that have it:
// out of line, since the rest of the program is built without it. On 32-bit
// x86, which returns a double in the x87 unit's register, the move from SSE
// there and back stalls every call: there the result comes back through memory
// (elsewhere that would only lengthen the call).
#if defined(__i386__)
[[gnu::noinline, gnu::target("fma")]] inline void fusedSineInto(double x, double& result) { result = sineOf<true>(x); }

inline double fusedSine(double x) {
  double result;
  fusedSineInto(x, result);
  return result;
}
#else
[[gnu::noinline, gnu::target("fma")]] inline double fusedSine(double x) { return sineOf<true>(x); }
#endif

// Whether the processor (and the system, which must save its wider registers) has it.
inline const bool kHasFusedMultiplyAdd = [] {
  __builtin_cpu_init();
  return __builtin_cpu_supports("fma") != 0;
}();
#else
// Elsewhere (WebAssembly, for the page) the plain doubles alone.
inline constexpr bool kHasFusedMultiplyAdd = false;
inline double fusedSine(double x) { return sineOf<false>(x); }
#endif

}  // namespace sine_detail

// With the fused multiply-add where the processor has it (a call, but fewer
// steps), otherwise inline in plain doubles; the same bits either way.
inline double correctlyRoundedSine(double x) {
  return sine_detail::kHasFusedMultiplyAdd ? sine_detail::fusedSine(x) : sine_detail::sineOf<false>(x);
}

}  // namespace korvel
