#pragma once

// sin(x) rounded to the nearest double, for every double x, in plain double
// arithmetic (each operation rounded on its own, no fused multiply-add), so
// that it gives the same bits on every processor and compiler that round
// doubles as the standard says.

namespace korvel {
double correctlyRoundedSine(double x);
}
