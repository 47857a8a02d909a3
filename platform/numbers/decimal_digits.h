#pragma once

// What both number formatters write digits with: the powers of ten, a digit
// writer and the three-digit exponent field.

#include <array>
#include <cstdint>
#include <cstring>
#include <type_traits>
#include <utility>

namespace korvel {

inline constexpr auto kPow10 = [] {
  std::array<std::uint64_t, 18> table{};
  table[0] = 1;
  for (std::size_t i = 1; i < table.size(); ++i) table[i] = table[i - 1] * 10;
  return table;
}();

inline constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Writes exactly `count` decimal digits of `value` at `out`, zero-filled in
// front; returns the end.
inline char* putDigits(char* out, std::uint64_t value, int count) {
  char* const end = out + count;
  char* p = end;
  for (; count >= 2 && value > 0xFFFFFFFF; count -= 2) {
    p -= 2;
    std::memcpy(p, kDigitPairs + 2 * (value % 100), 2);
    value /= 100;
  }
  // The rest in 32 bits: on 32-bit processors a 64-bit division is a slow library call.
  auto rest = static_cast<std::uint32_t>(value);
  for (; count >= 2; count -= 2) {
    p -= 2;
    std::memcpy(p, kDigitPairs + 2 * (rest % 100), 2);
    rest /= 100;
  }
  if (count > 0) *--p = static_cast<char>('0' + rest);
  return end;
}

// Writes the last 2 * kPairs decimal digits of `value` at `out`; returns the
// end. Each pair's quotients come from the value itself, so that the divisions
// (multiplications by constants) run side by side instead of one after another.
template <int kPairs>
inline char* putLastDigitPairs(char* out, std::uint32_t value) {
  static_assert(kPairs >= 1 && kPairs <= 4);
  // One pair, counted from the left; its divisors are constants, so that the
  // compiler turns each division into a multiplication.
  auto put = [&]<int kPair>(std::integral_constant<int, kPair>) {
    constexpr auto kUnit = static_cast<std::uint32_t>(kPow10[2 * (kPairs - 1 - kPair)]);
    const std::uint32_t upTo = value / kUnit;
    const std::uint32_t above = value / (kUnit * 100);
    std::memcpy(out + 2 * kPair, kDigitPairs + 2 * (upTo - 100 * above), 2);
  };
  const auto putEach = [&]<int... kPair>(std::integer_sequence<int, kPair...>) {
    (put(std::integral_constant<int, kPair>{}), ...);
  };
  putEach(std::make_integer_sequence<int, kPairs>{});
  return out + 2 * kPairs;
}

// Writes "e+ddd" or "e-ddd" at `out` for |exponent| < 1000; returns the end.
inline char* putExponent(char* out, int exponent) {
  out[0] = 'e';
  out[1] = exponent < 0 ? '-' : '+';
  return putDigits(out + 2, static_cast<std::uint64_t>(exponent < 0 ? -exponent : exponent), 3);
}

}  // namespace korvel
