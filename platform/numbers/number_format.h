#pragma once

// printf-style number conversions with the program's own byte rules: exponents
// always have three digits, and digits are rounded by first taking the value to
// 17 significant digits and then cutting, where a first dropped digit of 5 or
// more rounds the magnitude up (0.0048828125 at six decimals is 4.882813e-003).
// Infinities and NaNs are written as inf, -inf, nan and -nan.

#include <cstdint>
#include <string>

namespace korvel {

inline constexpr int kMaxPrecision = 16;
inline constexpr int kMaxWidth = 40;
// Enough room for any conversion with precision <= kMaxPrecision and width <= kMaxWidth.
inline constexpr int kMaxNumberText = 48;

// A magnitude rounded to `significant` digits: digits * 10^(exponent - significant + 1),
// with digits in [10^(significant-1), 10^significant), or 0 with exponent 0.
struct RoundedDecimal {
  std::uint64_t digits;
  int exponent;
};
RoundedDecimal roundToSignificant(double magnitude, int significant);

// "%W.Pe": writes at `out`, returns the end. No terminating zero.
char* formatExponent(char* out, double value, int precision, int width);
// "%W.Pg": general notation, trailing zeros dropped.
char* formatGeneral(char* out, double value, int precision, int width);

void appendGeneral(std::string& text, double value, int precision, int width);

}  // namespace korvel
