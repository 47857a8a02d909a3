#pragma once

// Slow, independent references for the number conversions, built on the C
// library: its exact %.16e digits cut by hand, and strtod on a prefix that a
// POSIX regular expression has checked against the field grammar.

#include <cstddef>
#include <string>

namespace korvel::testing {

std::string referenceExponent(double value, int precision, int width);
std::string referenceGeneral(double value, int precision, int width);

struct ReferenceNumber {
  double value;
  std::size_t length;
};
ReferenceNumber referenceParse(const std::string& text);

}  // namespace korvel::testing
