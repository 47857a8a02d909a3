#include "platform/numbers/fast_exponent.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstring>

#include "platform/numbers/decimal_digits.h"
#include "platform/numbers/uint128.h"

namespace korvel {
namespace {

// magnitude * 10^scale is computed exactly as mantissa * 5^scale * 2^(e2 + scale);
// with scale <= 27 the product of a 53-bit mantissa and 5^scale stays below 2^117.
constexpr int kMaxScale = 27;

constexpr auto kPow5 = [] {
  std::array<std::uint64_t, kMaxScale + 1> table{};
  table[0] = 1;
  for (int i = 1; i <= kMaxScale; ++i) table[i] = table[i - 1] * 5;
  return table;
}();

// For `significant` digits, the largest s with 2^s <= 10^(17 - significant). The
// 17-digit step moves a value by at most half a unit of its 17th digit, that is
// by at most half / 10^(17 - significant) in units of the cut's remainder, and
// half >> s is never less than that.
constexpr auto kNearHalfShift = [] {
  std::array<int, 17> table{};
  for (int significant = 1; significant <= 16; ++significant) {
    const std::uint64_t limit = kPow10[17 - significant];
    int s = 0;
    while ((std::uint64_t{1} << (s + 1)) <= limit) ++s;
    table[significant] = s;
  }
  return table;
}();

// The rounding without the 17-digit text: the scaled value's integer part and
// remainder are exact, so the cut is decided directly unless the remainder lies
// so close to one half that the 17-digit step could move it across. Returns false
// for those, and for magnitudes whose scale lies outside the exact table.
template <int kSignificant>
[[gnu::always_inline]] inline bool tryRoundFast(double magnitude, RoundedDecimal& result) {
  constexpr int significant = kSignificant;
  const std::uint64_t bits = std::bit_cast<std::uint64_t>(magnitude);
  const int biased = static_cast<int>(bits >> 52);
  std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52) - 1);
  int e2 = -1074;
  if (biased != 0) {
    mantissa |= std::uint64_t{1} << 52;
    e2 = biased - 1075;
  }
  const int log2 = e2 + 63 - std::countl_zero(mantissa);
  // floor(log2 * log10(2)): floor(log10(magnitude)) or one below it.
  int exponent = (log2 * 78913) >> 18;
  int scale = significant - 1 - exponent;
  for (;;) {
    if (scale < 0 || scale > kMaxScale) return false;
    const Uint128 scaled = static_cast<Uint128>(mantissa) * kPow5[scale];
    const int shift = -(e2 + scale);  // magnitude * 10^scale == scaled / 2^shift
    if (shift < -60 || shift > 120) return false;
    std::uint64_t whole;
    std::uint64_t fraction = 0;  // the part below the point: its top 64 bits, then the rest
    std::uint64_t fractionRest = 0;
    if (shift <= 0) {
      whole = static_cast<std::uint64_t>(scaled << -shift);
    } else {
      whole = static_cast<std::uint64_t>(scaled >> shift);
      const Uint128 below = scaled << (128 - shift);
      fraction = static_cast<std::uint64_t>(below >> 64);
      fractionRest = static_cast<std::uint64_t>(below);
    }
    if (whole >= kPow10[significant]) {  // the estimate was one decade low
      ++exponent;
      --scale;
      continue;
    }
    // Within reach of the 17-digit step from one half, the cut cannot be decided
    // here, except for an exact half: it has at most 17 digits, keeps them, and goes up.
    constexpr std::uint64_t kHalf = std::uint64_t{1} << 63;
    constexpr std::uint64_t kReach = (kHalf >> kNearHalfShift[significant]) + 1;
    if (fraction - (kHalf - kReach) <= 2 * kReach && (fraction != kHalf || fractionRest != 0)) return false;
    whole += fraction >> 63;
    if (whole == kPow10[significant]) {  // rounded up into the next decade
      whole /= 10;
      ++exponent;
    }
    result = {whole, exponent};
    return true;
  }
}

// The two fields of a row: precision known at compile time, digits from pairs.
template <int kPrecision>
char* formatFixedExponent(char* out, double value) {
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
  if (!tryRoundFast<kPrecision + 1>(magnitude, rounded)) rounded = roundToSignificant(magnitude, kPrecision + 1);
  // At most 7 digits: 32-bit arithmetic, which 32-bit processors do without a library call.
  const auto digits = static_cast<std::uint32_t>(rounded.digits);
  const std::uint32_t first = digits / static_cast<std::uint32_t>(kFirst);
  const std::uint32_t rest = digits - first * static_cast<std::uint32_t>(kFirst);
  out[1] = static_cast<char>('0' + first);
  out[2] = '.';
  putExponent(putDigits(out + 3, rest, kPrecision), rounded.exponent);
  return out + kWidth;
}

}  // namespace

char* formatTimeField(char* out, double value) {
  if (!std::isfinite(value)) [[unlikely]] return formatExponent(out, value, 6, 14);
  return formatFixedExponent<6>(out, value);
}

char* formatAmplitudeField(char* out, double value) {
  if (!std::isfinite(value)) [[unlikely]] return formatExponent(out, value, 4, 12);
  return formatFixedExponent<4>(out, value);
}

}  // namespace korvel
