#include "platform/numbers/row_fields.h"

#include <array>
#include <bit>

#include "platform/numbers/decimal_digits.h"
#include "platform/numbers/uint128.h"

namespace korvel::row_fields_detail {
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

// The rounding without the 17-digit text: the scaled value's integer part and
// remainder are exact, so the cut is decided directly unless the remainder lies
// so close to one half that the 17-digit step could move it across. Returns false
// for those, and for magnitudes whose scale lies outside the exact table.
template <int kSignificant>
[[gnu::always_inline]] inline bool tryRoundByIntegers(double magnitude, RoundedDecimal& result) {
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

}  // namespace

template <int kSignificant>
RoundedDecimal roundBeyondDoubles(double magnitude) {
  RoundedDecimal rounded;
  if (!tryRoundByIntegers<kSignificant>(magnitude, rounded)) rounded = roundToSignificant(magnitude, kSignificant);
  return rounded;
}

template RoundedDecimal roundBeyondDoubles<5>(double magnitude);
template RoundedDecimal roundBeyondDoubles<7>(double magnitude);

}  // namespace korvel::row_fields_detail
