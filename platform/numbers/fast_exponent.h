#pragma once

// The two fields of a time-history row: the bytes of formatExponent for every
// double, got without the 17-digit text in all but a handful of cases.

#include "platform/numbers/number_format.h"

namespace korvel {

// formatExponent(out, value, 6, 14) and formatExponent(out, value, 4, 12).
char* formatTimeField(char* out, double value);
char* formatAmplitudeField(char* out, double value);

}  // namespace korvel
