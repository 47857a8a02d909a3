#pragma once

// The sine the synthesis uses: the C library's where it is accurate to the last
// bit of a double (glibc), a correctly rounded one of our own on Windows, whose
// C runtime takes the x87 fsin and its short pi (wrong from the 12th digit on
// near multiples of pi, and so in the file's small amplitudes).

#ifdef _WIN32
#include "platform/numbers/sine/correctly_rounded_sine.h"
namespace korvel {
inline double sine(double x) { return correctlyRoundedSine(x); }
}  // namespace korvel
#else
#include <cmath>
namespace korvel {
inline double sine(double x) { return std::sin(x); }
}  // namespace korvel
#endif
