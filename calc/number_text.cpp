#include "calc/number_text.h"

#include <charconv>
#include <cstdint>
#include <limits>
#include <system_error>

#include <fast_float/fast_float.h>

namespace korvel {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// A double's nearest value is decided by its first 768 significant digits and
// by whether any later digit is non-zero: every double and every midpoint
// between two neighbours has at most 767 significant digits. Keeping 800 and
// standing in a single 1 for all the non-zero digits beyond leaves the text
// between the same two such points, so it rounds the same way.
constexpr std::size_t kKeptDigits = 800;

// With the significant digits read as 0.d1d2..., a decimal exponent above this
// is beyond the largest double (0.1e310), and one below the other bound gives
// less than half the smallest subnormal (0.99...e-330 < 2.4e-324).
constexpr std::int64_t kOverflowExponent = 310;
constexpr std::int64_t kUnderflowExponent = -330;

// An exponent of more than 18 digits counts as this. The other part of the
// decimal exponent, the position of the point, is bounded by the length of the
// text, and no text that fits in memory comes near 1e17 characters: the sum
// cannot overflow, and a capped exponent still lies far beyond both bounds.
constexpr std::int64_t kExponentCap = 1'000'000'000'000'000'000;

}  // namespace

LeadingNumber readLeadingNumber(std::string_view text) {
  std::size_t pos = 0;
  const std::size_t size = text.size();
  while (pos < size && isBlank(text[pos])) ++pos;
  bool negative = false;
  if (pos < size && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';

  // Mantissa: value = 0.d1d2... * 10^pointExponent, leading zeros dropped.
  // Room for "0.", the kept digits, a sticky 1 and "e-330".
  char digits[2 + kKeptDigits + 1 + 8];
  digits[0] = '0';
  digits[1] = '.';
  std::size_t kept = 0;
  bool droppedNonZero = false;
  std::int64_t pointExponent = 0;
  bool anyDigit = false;
  bool seenPoint = false;
  for (; pos < size; ++pos) {
    const char c = text[pos];
    if (isDigit(c)) {
      anyDigit = true;
      if (kept == 0 && c == '0') {
        if (seenPoint) --pointExponent;
        continue;
      }
      if (kept < kKeptDigits) {
        digits[2 + kept++] = c;
      } else if (c != '0') {
        droppedNonZero = true;
      }
      if (!seenPoint) ++pointExponent;
    } else if (c == '.' && !seenPoint) {
      seenPoint = true;
    } else {
      break;
    }
  }
  if (!anyDigit) return {};

  std::int64_t exponent = 0;
  if (pos < size && (text[pos] == 'e' || text[pos] == 'E' || text[pos] == 'd' || text[pos] == 'D')) {
    std::size_t probe = pos + 1;
    bool exponentNegative = false;
    if (probe < size && (text[probe] == '+' || text[probe] == '-')) exponentNegative = text[probe++] == '-';
    if (probe < size && isDigit(text[probe])) {
      for (; probe < size && isDigit(text[probe]); ++probe) {
        exponent = exponent < kExponentCap / 10 ? exponent * 10 + (text[probe] - '0') : kExponentCap;
      }
      if (exponentNegative) exponent = -exponent;
      pos = probe;
    }
  }

  double magnitude;
  const std::int64_t decimalExponent = pointExponent + exponent;
  if (kept == 0 || decimalExponent < kUnderflowExponent) {
    magnitude = 0.0;
  } else if (decimalExponent > kOverflowExponent) {
    magnitude = kInfinity;
  } else {
    std::size_t end = 2 + kept;
    if (droppedNonZero) digits[end++] = '1';
    digits[end++] = 'e';
    const auto written = std::to_chars(digits + end, digits + sizeof digits, decimalExponent);
    // fast_float rather than the C++ library's from_chars: correctly rounded
    // on every system korvel is built for, some of whose libraries lack it.
    const auto result = fast_float::from_chars(digits, written.ptr, magnitude);
    if (result.ec == std::errc::result_out_of_range) magnitude = decimalExponent > 0 ? kInfinity : 0.0;
  }
  return {negative ? -magnitude : magnitude, pos};
}

double parseNumber(std::string_view text) { return readLeadingNumber(text).value; }

}  // namespace korvel
