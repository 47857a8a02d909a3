#include "platform/numbers/number_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

#include "platform/numbers/decimal_digits.h"

namespace korvel {
namespace {

// Moves the text [start, end) right so that it fills `width`, spaces in front.
char* padLeft(char* start, char* end, int width) {
  const int length = static_cast<int>(end - start);
  if (length >= width) return end;
  const int pad = width - length;
  std::memmove(start + pad, start, static_cast<std::size_t>(length));
  std::memset(start, ' ', static_cast<std::size_t>(pad));
  return start + width;
}

char* writeNonFinite(char* out, double value, int width) {
  char* p = out;
  if (std::signbit(value)) *p++ = '-';
  const char* word = std::isnan(value) ? "nan" : "inf";
  std::memcpy(p, word, 3);
  return padLeft(out, p + 3, width);
}

}  // namespace

RoundedDecimal roundToSignificant(double magnitude, int significant) {
  if (magnitude == 0) return {0, 0};
  // 17 significant digits, correctly rounded: "d.dddddddddddddddde[+-]x..."
  char text[40];
  const auto result = std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific, 16);
  std::uint64_t digits = static_cast<std::uint64_t>(text[0] - '0');
  for (int i = 2; i < 18; ++i) digits = digits * 10 + static_cast<std::uint64_t>(text[i] - '0');
  int exponent = 0;
  std::from_chars(text + 19 + (text[19] == '+' ? 1 : 0), result.ptr, exponent);

  if (significant < 17) {
    const int dropped = 17 - significant;
    const std::uint64_t remainder = digits % kPow10[dropped];
    digits /= kPow10[dropped];
    if (remainder >= 5 * kPow10[dropped - 1]) {
      ++digits;
      if (digits == kPow10[significant]) {
        digits /= 10;
        ++exponent;
      }
    }
  } else {
    digits *= kPow10[significant - 17];
  }
  return {digits, exponent};
}

char* formatExponent(char* out, double value, int precision, int width) {
  precision = std::clamp(precision, 0, kMaxPrecision);
  width = std::clamp(width, 0, kMaxWidth);
  if (!std::isfinite(value)) return writeNonFinite(out, value, width);

  const RoundedDecimal rounded = roundToSignificant(std::fabs(value), precision + 1);
  char* p = out;
  if (std::signbit(value)) *p++ = '-';
  const std::uint64_t scale = kPow10[precision];
  *p++ = static_cast<char>('0' + rounded.digits / scale);
  if (precision > 0) {
    *p++ = '.';
    p = putDigits(p, rounded.digits % scale, precision);
  }
  p = putExponent(p, rounded.exponent);
  return padLeft(out, p, width);
}

char* formatGeneral(char* out, double value, int precision, int width) {
  precision = std::clamp(precision, 0, kMaxPrecision);
  width = std::clamp(width, 0, kMaxWidth);
  if (!std::isfinite(value)) return writeNonFinite(out, value, width);

  const int significant = precision == 0 ? 1 : precision;
  const RoundedDecimal rounded = roundToSignificant(std::fabs(value), significant);
  char digits[20];
  putDigits(digits, rounded.digits, significant);
  const int exponent = rounded.exponent;

  char* p = out;
  if (std::signbit(value)) *p++ = '-';
  // The fraction's digits, before dropping its trailing zeros.
  const char* fraction;
  int fractionLength;
  const bool exponential = exponent < -4 || exponent >= significant;
  if (exponential) {
    *p++ = digits[0];
    fraction = digits + 1;
    fractionLength = significant - 1;
  } else if (exponent >= 0) {
    p = std::copy(digits, digits + exponent + 1, p);
    fraction = digits + exponent + 1;
    fractionLength = significant - 1 - exponent;
  } else {
    *p++ = '0';
    fraction = digits;
    fractionLength = significant;
  }
  while (fractionLength > 0 && fraction[fractionLength - 1] == '0') --fractionLength;
  if (fractionLength > 0 || (!exponential && exponent < 0)) {
    *p++ = '.';
    if (!exponential && exponent < 0) p = std::fill_n(p, -exponent - 1, '0');
    p = std::copy(fraction, fraction + fractionLength, p);
  }
  if (exponential) p = putExponent(p, exponent);
  return padLeft(out, p, width);
}

void appendGeneral(std::string& text, double value, int precision, int width) {
  char buffer[kMaxNumberText];
  text.append(buffer, formatGeneral(buffer, value, precision, width));
}

}  // namespace korvel
