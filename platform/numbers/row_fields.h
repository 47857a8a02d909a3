#pragma once

// The two fields of a row: the bytes of formatExponent for every double, got
// without the 17-digit text in all but a handful of cases. The common case, a
// product below 10^7 taken in doubles, is inline: a few dozen instructions,
// where a call would cost 32-bit processors as much again (doubles passed
// through memory, registers saved); the rest is out of line.

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "platform/numbers/decimal_digits.h"
#include "platform/numbers/number_format.h"

namespace korvel {
namespace row_fields_detail {

// For `significant` digits, the largest s with 2^s <= 10^(17 - significant). The
// 17-digit step moves a value by at most half a unit of its 17th digit, that is
// by at most half / 10^(17 - significant) in units of the cut's remainder, and
// half >> s is never less than that.
inline constexpr auto kNearHalfShift = [] {
  std::array<int, 17> table{};
  for (int significant = 1; significant <= 16; ++significant) {
    const std::uint64_t limit = kPow10[17 - significant];
    int s = 0;
    while ((std::uint64_t{1} << (s + 1)) <= limit) ++s;
    table[significant] = s;
  }
  return table;
}();

// 10^k for k = 0 to 22, every one exact in a double, each with its two halves
// of at most 26 significant bits (Veltkamp's split), for exact products below.
inline constexpr int kMaxExactPower = 22;
struct SplitPower {
  double value;
  double high;
  double low;
};
inline constexpr double kSplitter = 134217729.0;  // 2^27 + 1

constexpr SplitPower split(double value) {
  const double spread = kSplitter * value;
  const double high = spread - (spread - value);
  return {value, high, value - high};
}

inline constexpr auto kSplitPow10 = [] {
  std::array<SplitPower, kMaxExactPower + 1> table{};
  double power = 1;
  for (int i = 0; i <= kMaxExactPower; ++i, power *= 10) table[i] = split(power);
  return table;
}();

// The rounding in doubles alone, for processors without a 64x64-bit product
// (and cheaper on those with one). The rounded product magnitude * 10^scale,
// below 10^7, has an exact whole part and fraction; the exact product differs
// from it by an error below half a unit of its last bit, which matters only
// when the fraction lies that close to one half. There the error is taken
// exactly (Dekker's product: product + error is magnitude * 10^scale, since
// each operation rounds to nearest on its own and nothing overflows or
// underflows for scale <= 22). Returns false where roundBeyondDoubles has to decide.
template <int kSignificant>
[[gnu::always_inline]] inline bool tryRoundByDoubles(double magnitude, RoundedDecimal& result) {
  constexpr int significant = kSignificant;
  constexpr double kLimit = static_cast<double>(kPow10[significant]);
  constexpr double kLowest = static_cast<double>(kPow10[significant - 1]);
  // |remainder - 1/2| beyond 2^-s, twice the reach of the 17-digit step (see
  // kNearHalfShift), is beyond it even after the one rounding of the sum below.
  constexpr double kReach = 1.0 / static_cast<double>(std::uint64_t{1} << kNearHalfShift[significant]);
  constexpr double kUnsettled = 0x1p-26;
  // The biased exponent from the top 32 bits: one 32-bit shift on 32-bit processors.
  const auto top = static_cast<std::uint32_t>(std::bit_cast<std::uint64_t>(magnitude) >> 32);
  const int biased = static_cast<int>(top >> 20);
  if (biased == 0) return false;                   // subnormal: far beyond the exact powers
  int exponent = ((biased - 1023) * 78913) >> 18;  // floor(log10(magnitude)) or one below
  int scale = significant - 1 - exponent;
  if (scale < 0 || scale > kMaxExactPower) return false;
  double product = magnitude * kSplitPow10[scale].value;
  if (product >= kLimit) {  // the estimate was one decade low
    ++exponent;
    if (--scale < 0) return false;
    product = magnitude * kSplitPow10[scale].value;
  }
  if (!(product >= kLowest && product < kLimit)) return false;
  // Below 10^7 the whole part fits in a signed 32-bit integer (whose conversions
  // are single instructions on every x86), and product - whole - 1/2 is exact.
  auto whole = static_cast<std::int32_t>(product);
  const double offHalf = (product - static_cast<double>(whole)) - 0.5;
  if (offHalf > kUnsettled) {
    ++whole;
  } else if (offHalf >= -kUnsettled) {
    // The product's error, below half a unit of its last bit (2^-30 below
    // 10^7), can move the remainder across one half only from this close.
    const SplitPower& power = kSplitPow10[scale];
    const SplitPower factor = split(magnitude);
    const double error = ((factor.high * power.high - product) + factor.high * power.low + factor.low * power.high) +
                         factor.low * power.low;
    const double offHalfWithError = offHalf + error;
    if (offHalfWithError > kReach) {
      ++whole;
    } else if (offHalfWithError >= -kReach) {
      // Within reach of the 17-digit step from one half, the cut cannot be decided
      // here, except for an exact half: it has at most 17 digits, keeps them, and goes up.
      if (offHalf != 0 || error != 0) return false;
      ++whole;
    }
  }
  if (whole == static_cast<std::int32_t>(kPow10[significant])) {  // rounded up into the next decade
    whole /= 10;
    ++exponent;
  }
  result = {static_cast<std::uint32_t>(whole), exponent};
  return true;
}

// The rounding where tryRoundByDoubles leaves it: exact 128-bit products, or
// the 17-digit text. For 5 and 7 significant digits.
template <int kSignificant>
RoundedDecimal roundBeyondDoubles(double magnitude);
extern template RoundedDecimal roundBeyondDoubles<5>(double magnitude);
extern template RoundedDecimal roundBeyondDoubles<7>(double magnitude);

// The two fields of a row: precision known at compile time, digits from pairs.
template <int kPrecision>
inline char* formatFixedExponent(char* out, double value) {
  constexpr int kWidth = kPrecision + 8;  // "-d." + digits + "e-ddd": negative values fill it
  constexpr std::uint64_t kFirst = kPow10[kPrecision];
  const bool negative = std::signbit(value);
  const double magnitude = std::abs(value);
  out[0] = negative ? '-' : ' ';
  if (magnitude == 0) {  // most amplitudes outside the wavelet
    constexpr char kZero[] = "0.000000000000000000";
    std::memcpy(out + 1, kZero, kPrecision + 2);
    std::memcpy(out + kPrecision + 3, "e+000", 5);
    return out + kWidth;
  }
  RoundedDecimal rounded;
  if (!tryRoundByDoubles<kPrecision + 1>(magnitude, rounded)) [[unlikely]] {
    rounded = roundBeyondDoubles<kPrecision + 1>(magnitude);
  }
  // At most 7 digits: 32-bit arithmetic, which 32-bit processors do without a library call.
  static_assert(kPrecision % 2 == 0);
  const auto digits = static_cast<std::uint32_t>(rounded.digits);
  out[1] = static_cast<char>('0' + digits / static_cast<std::uint32_t>(kFirst));
  out[2] = '.';
  putExponent(putLastDigitPairs<kPrecision / 2>(out + 3, digits), rounded.exponent);
  return out + kWidth;
}

}  // namespace row_fields_detail

// formatExponent(out, value, 6, 14) and formatExponent(out, value, 4, 12).
inline char* formatTimeField(char* out, double value) {
  if (!std::isfinite(value)) [[unlikely]]
    return formatExponent(out, value, 6, 14);
  return row_fields_detail::formatFixedExponent<6>(out, value);
}

inline char* formatAmplitudeField(char* out, double value) {
  if (!std::isfinite(value)) [[unlikely]]
    return formatExponent(out, value, 4, 12);
  return row_fields_detail::formatFixedExponent<4>(out, value);
}

}  // namespace korvel
