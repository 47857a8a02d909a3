#pragma once

// Slow, independent references: the number conversions built on the C
// library (its exact %.16e digits cut by hand, and strtod on a prefix that a
// POSIX regular expression has checked against the field grammar), and the
// wavelet sampled in one plain pass over the indices.

#include <cstddef>
#include <string>

#include "calc/time_history.h"

namespace korvel::testing {

std::string referenceExponent(double value, int precision, int width);
std::string referenceGeneral(double value, int precision, int width);

struct ReferenceNumber {
  double value;
  std::size_t length;
};
ReferenceNumber referenceParse(const std::string& text);

// Fills `history` for parameters whose duration holds the wavelet.
void referenceSynthesis(const WaveletParams& params, TimeHistory& history);

}  // namespace korvel::testing
