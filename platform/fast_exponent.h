#pragma once

// A faster twin of formatExponent: the same bytes for every double, got without
// the 17-digit text in all but a handful of cases.

#include "platform/number_format.h"

namespace korvel {

// Same result as roundToSignificant, for a finite magnitude >= 0.
RoundedDecimal roundToSignificantFast(double magnitude, int significant);

// Same contract and bytes as formatExponent.
char* formatExponentFast(char* out, double value, int precision, int width);

}  // namespace korvel
