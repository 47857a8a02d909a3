#include "platform/numbers/sine/multiword_sine.h"

#include <array>
#include <bit>
#include <cstdint>

#include "platform/numbers/sine/sine_tables.h"

namespace korvel {
namespace {

using sine_tables::kFractionWords;
using sine_tables::kTwoOverPiBits;
using sine_tables::kTwoOverPiWords;

// A number in [0, 1): sum of word[i] * 2^(32 * (i - kFractionWords)), lowest word
// first. Sums and differences wrap around modulo 1.
using Fraction = std::array<std::uint32_t, kFractionWords>;
constexpr int kFractionBits = 32 * kFractionWords;
void add(Fraction& a, const Fraction& b) {
  std::uint64_t carry = 0;
  for (int i = 0; i < kFractionWords; ++i) {
    const std::uint64_t sum = std::uint64_t{a[i]} + b[i] + carry;
    a[i] = static_cast<std::uint32_t>(sum);
    carry = sum >> 32;
  }
}

void subtract(Fraction& a, const Fraction& b) {
  std::uint64_t borrow = 0;
  for (int i = 0; i < kFractionWords; ++i) {
    const std::uint64_t difference = std::uint64_t{a[i]} - b[i] - borrow;
    a[i] = static_cast<std::uint32_t>(difference);
    borrow = (difference >> 32) & 1;
  }
}

Fraction oneMinus(const Fraction& a) {
  Fraction result{};
  subtract(result, a);
  return result;
}

bool isZero(const Fraction& a) {
  for (std::uint32_t word : a) {
    if (word != 0) return false;
  }
  return true;
}

// One row of a long multiplication: adds factor * words[0, count) into the
// words of `sum` from `at` on, and puts the carry in word at + count, which
// the rows before have not reached.
void addRow(std::uint32_t* sum, int at, std::uint32_t factor, const std::uint32_t* words, int count) {
  std::uint64_t carry = 0;
  for (int j = 0; j < count; ++j) {
    const std::uint64_t product = std::uint64_t{factor} * words[j] + sum[at + j] + carry;
    sum[at + j] = static_cast<std::uint32_t>(product);
    carry = product >> 32;
  }
  sum[at + count] = static_cast<std::uint32_t>(carry);
}

Fraction multiply(const Fraction& a, const Fraction& b) {
  std::array<std::uint32_t, 2 * kFractionWords> full{};
  for (int i = 0; i < kFractionWords; ++i) addRow(full.data(), i, a[i], b.data(), kFractionWords);
  Fraction result;
  for (int i = 0; i < kFractionWords; ++i) result[i] = full[i + kFractionWords];
  return result;
}

Fraction divide(const Fraction& a, std::uint32_t divisor) {
  Fraction result;
  std::uint64_t remainder = 0;
  for (int i = kFractionWords - 1; i >= 0; --i) {
    const std::uint64_t current = (remainder << 32) | a[i];
    result[i] = static_cast<std::uint32_t>(current / divisor);
    remainder = current % divisor;
  }
  return result;
}

// The 32 binary digits of 2/pi that end with digit `last` (digit 1 is the first
// after the point); digits before the point and beyond the table count as 0.
std::uint32_t twoOverPiDigitsEndingAt(int last) {
  auto word = [](int index) -> std::uint64_t {
    return index >= 0 && index < kTwoOverPiWords ? kTwoOverPiBits[index] : 0;
  };
  // Digit d sits in word (d - 1) / 32; shifted by 32 so the division never sees a negative.
  const int shifted = last - 1 + 32;
  const int index = shifted / 32 - 1;
  const int fromTheRight = 31 - shifted % 32;
  const std::uint64_t pair = (word(index - 1) << 32) | word(index);
  return static_cast<std::uint32_t>(pair >> fromTheRight);
}

struct Reduced {
  Fraction angle;    // |x| less the nearest multiple of pi/2, in absolute value
  int quarterTurns;  // that multiple, modulo 4
  bool below;        // whether |x| lies below that multiple
};

// |x| = (m * 2^e) * (2/pi) gives quarter turns; only its last two whole digits
// and its fraction matter, so the digits of 2/pi whose products with m are
// multiples of 4 are left out, and as many after the point are taken as the
// fraction needs plus 64 more to cover the truncated rest.
Reduced reduce(std::uint64_t mantissa, int exponent) {
  const int last = exponent + kFractionBits + 64;
  const int first = exponent - 1 > 1 ? exponent - 1 : 1;
  const int words = (last - first + 1 + 31) / 32;
  std::array<std::uint32_t, kFractionWords + 5> digits{};
  for (int i = 0; i < words; ++i) digits[i] = twoOverPiDigitsEndingAt(last - 32 * i);

  // The product of the mantissa's two words with the digits: its word 2 + k is
  // word k of the fraction, and word kFractionWords + 2 holds the whole part.
  std::array<std::uint32_t, kFractionWords + 7> product{};
  const std::uint32_t m[2] = {static_cast<std::uint32_t>(mantissa), static_cast<std::uint32_t>(mantissa >> 32)};
  for (int i = 0; i < 2; ++i) addRow(product.data(), i, m[i], digits.data(), words);
  Reduced reduced;
  Fraction fraction;
  for (int k = 0; k < kFractionWords; ++k) fraction[k] = product[2 + k];
  reduced.quarterTurns = static_cast<int>(product[kFractionWords + 2] & 3);
  reduced.below = (fraction[kFractionWords - 1] >> 31) != 0;
  if (reduced.below) {
    fraction = oneMinus(fraction);
    reduced.quarterTurns = (reduced.quarterTurns + 1) & 3;
  }
  // Quarter turns to radians: times pi/2 = 1 + (pi/2 - 1).
  Fraction halfPiFraction;
  for (int k = 0; k < kFractionWords; ++k) halfPiFraction[k] = sine_tables::kHalfPiFraction[k];
  reduced.angle = fraction;
  add(reduced.angle, multiply(fraction, halfPiFraction));
  return reduced;
}

// sin(r) for r in [0, pi/4] by its series; with `cosine`, 1 - cos(r).
Fraction series(const Fraction& r, bool cosine) {
  const Fraction square = multiply(r, r);
  Fraction term = cosine ? divide(square, 2) : r;
  Fraction sum = term;
  bool negative = false;
  for (std::uint32_t k = cosine ? 2 : 1; !isZero(term); k += 2) {
    term = divide(multiply(term, square), (k + 1) * (k + 2));
    negative = !negative;
    if (negative) {
      subtract(sum, term);
    } else {
      add(sum, term);
    }
  }
  return sum;
}

// The nearest double to a fraction, ties to even.
double nearestDouble(const Fraction& a) {
  int top = kFractionWords - 1;
  while (top >= 0 && a[top] == 0) --top;
  if (top < 0) return 0.0;
  // 64 digits from the leading one, and whether any digit below them is set.
  const int leading = 31 - std::countl_zero(a[top]);
  const int position = 32 * top + leading;  // of the leading one, counted from digit 0
  auto digit = [&](int p) -> std::uint64_t { return p >= 0 ? (a[p / 32] >> (p % 32)) & 1 : 0; };
  std::uint64_t window = 0;
  for (int p = position; p > position - 64; --p) window = (window << 1) | digit(p);
  bool sticky = false;
  for (int p = position - 64; p >= 0 && !sticky; --p) sticky = digit(p) != 0;
  std::uint64_t mantissa = window >> 11;
  const std::uint64_t rest = window & 0x7FF;
  if (rest > 0x400 || (rest == 0x400 && (sticky || (mantissa & 1)))) ++mantissa;
  int exponent = position - kFractionBits;  // of the leading one
  if (mantissa >> 53) {
    mantissa >>= 1;
    ++exponent;
  }
  // Results lie far above the subnormal range.
  const std::uint64_t bits = (static_cast<std::uint64_t>(exponent + 1023) << 52) | (mantissa & ((1ull << 52) - 1));
  return std::bit_cast<double>(bits);
}

}  // namespace

double multiwordSine(double x) {
  const std::uint64_t bits = std::bit_cast<std::uint64_t>(x);
  const int biased = static_cast<int>((bits >> 52) & 0x7FF);
  if (biased == 0x7FF) return x - x;  // infinities give not-a-number, which stays as it is
  // Below 2^-26 the sine rounds to the angle itself.
  if (biased < 1023 - 26) return x;
  const std::uint64_t mantissa = (bits & ((1ull << 52) - 1)) | (1ull << 52);
  const Reduced reduced = reduce(mantissa, biased - 1075);

  const bool cosine = (reduced.quarterTurns & 1) != 0;
  Fraction value = series(reduced.angle, cosine);
  if (cosine) value = oneMinus(value);
  // sin(k pi/2 + r) is sin r, cos r, -sin r, -cos r for k = 0, 1, 2, 3.
  bool negative = reduced.quarterTurns >= 2;
  if (!cosine && reduced.below) negative = !negative;
  if (x < 0) negative = !negative;

  // Good to about 2^-300: far closer than the sine of any double is known to
  // come to a halfway point between two doubles, so its nearest double is the
  // sine's.
  const double magnitude = nearestDouble(value);
  return negative ? -magnitude : magnitude;
}

}  // namespace korvel
