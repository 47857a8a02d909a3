#pragma once

// Logarithm, exponential and power from additions, multiplications and
// divisions alone, so that a shock synthesis takes the same decisions and
// prints the same digits on every platform, whatever its C library's log and
// exp round to. Accurate to a few units in the last place.

namespace korvel::shock {

// The natural logarithm of x > 0 (finite).
double steadyLog(double x);
// e^x for |x| below 700.
double steadyExp(double x);
// x^p for x > 0.
double steadyPower(double x, double p);
// 20 log10(ratio): the ratio in decibels.
double steadyDecibels(double ratio);
// 10^(dB / 20): the ratio of a level in decibels.
double steadyRatio(double decibels);

}  // namespace korvel::shock
