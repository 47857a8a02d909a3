#include "calc/number_text.h"

#include <charconv>
#include <limits>
#include <cstdint>
#include <string>
#include <system_error>

namespace korvel {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Beyond these decimal exponents every value is an infinity or a zero; the
// bound keeps the exponent arithmetic far from overflow.
constexpr std::int64_t kExponentLimit = 100'000;
constexpr double kInfinity = std::numeric_limits<double>::infinity();

}  // namespace

LeadingNumber readLeadingNumber(std::string_view text) {
  std::size_t pos = 0;
  const std::size_t size = text.size();
  while (pos < size && isBlank(text[pos])) ++pos;
  bool negative = false;
  if (pos < size && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';

  // Mantissa: the significant digits (leading zeros dropped) and the power of
  // ten of the first of them relative to the point.
  std::string significant;
  std::int64_t pointExponent = 0;  // value = 0.significant * 10^pointExponent
  bool anyDigit = false;
  bool seenPoint = false;
  for (; pos < size; ++pos) {
    const char c = text[pos];
    if (isDigit(c)) {
      anyDigit = true;
      if (significant.empty() && c == '0') {
        if (seenPoint) --pointExponent;
        continue;
      }
      significant.push_back(c);
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
        if (exponent < kExponentLimit) exponent = exponent * 10 + (text[probe] - '0');
      }
      if (exponentNegative) exponent = -exponent;
      pos = probe;
    }
  }

  double magnitude;
  const std::int64_t decimalExponent = pointExponent + exponent;
  if (significant.empty() || decimalExponent < -kExponentLimit) {
    magnitude = 0.0;
  } else if (decimalExponent > kExponentLimit) {
    magnitude = kInfinity;
  } else {
    significant.insert(0, "0.");
    significant += 'e';
    significant += std::to_string(decimalExponent);
    const auto result = std::from_chars(significant.data(), significant.data() + significant.size(), magnitude);
    if (result.ec == std::errc::result_out_of_range) magnitude = decimalExponent > 0 ? kInfinity : 0.0;
  }
  return {negative ? -magnitude : magnitude, pos};
}

double parseNumber(std::string_view text) { return readLeadingNumber(text).value; }

}  // namespace korvel
