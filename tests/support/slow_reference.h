#pragma once

// Slow references for the tests. The number conversions are independent of
// the program's: built on the C library (its exact %.16e digits cut by hand,
// and strtod on a prefix read by a plain scan of the field grammar). The
// wavelet is not: see referenceSynthesis.

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

// Fills `history` for parameters whose duration holds the wavelet: the
// synthesis's steps written out a second time, in the same double operations
// and with the program's own sine, in one plain pass over the indices with a
// count rule of its own. It agrees bit for bit with a correct synthesis, so it
// holds the plan, the blocks and the second thread to the plain steps; it does
// not check the formula itself, which the worked example's figures do (and the
// sine's own test its sine).
void referenceSynthesis(const WaveletParams& params, TimeHistory& history);

}  // namespace korvel::testing
