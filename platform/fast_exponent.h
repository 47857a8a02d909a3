#pragma once

// A faster twin of formatExponent: the same bytes for every double, got without
// the 17-digit text in all but a handful of cases.

#include "platform/number_format.h"

namespace korvel {

// Same result as roundToSignificant, for a finite magnitude >= 0.
RoundedDecimal roundToSignificantFast(double magnitude, int significant);

// Same contract and bytes as formatExponent.
char* formatExponentFast(char* out, double value, int precision, int width);

// formatExponentFast(out, value, 6, 14) and (out, value, 4, 12), the two fields
// of a time-history row, without choosing the format at every call.
char* formatTimeField(char* out, double value);
char* formatAmplitudeField(char* out, double value);

}  // namespace korvel
