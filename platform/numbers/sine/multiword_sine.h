#pragma once

// The sine rounded to the nearest double, computed in fixed point with many
// 32-bit words: the angle is reduced by as many binary digits of 2/pi as the
// angle's size needs and the series summed to about 2^-300. Slow (microseconds)
// but valid for every double; the fast sine falls back on it for the few
// angles whose rounding it cannot decide.

namespace korvel {
double multiwordSine(double x);
}
