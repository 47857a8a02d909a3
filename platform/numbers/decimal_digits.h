#pragma once

// What both number formatters write digits with: the powers of ten, a digit
// writer and the three-digit exponent field.

#include <array>
#include <cstdint>
#include <cstring>

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

// Writes "e+ddd" or "e-ddd" at `out` for |exponent| < 1000; returns the end.
inline char* putExponent(char* out, int exponent) {
  out[0] = 'e';
  out[1] = exponent < 0 ? '-' : '+';
  return putDigits(out + 2, static_cast<std::uint64_t>(exponent < 0 ? -exponent : exponent), 3);
}

}  // namespace korvel
