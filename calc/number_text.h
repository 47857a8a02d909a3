#pragma once

#include <cstddef>
#include <string_view>

namespace korvel {

// A leading decimal number read from a field's text, and how many characters it took.
struct LeadingNumber {
  double value = 0;
  std::size_t length = 0;  // 0 when the text does not begin with a number
};

// Reads: white space, an optional sign, digits with at most one point (at least
// one digit), an optional exponent (e, E, d or D, optional sign, digits). Stops
// at the first character that does not fit. No inf, nan or hexadecimal forms;
// the point is the decimal separator whatever the locale.
LeadingNumber readLeadingNumber(std::string_view text);

// The field text's value: the nearest double, the sign applied last, overflow
// to an infinity and underflow to a zero of that sign; 0 for text that does not
// begin with a number.
double parseNumber(std::string_view text);

}  // namespace korvel
