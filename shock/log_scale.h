#pragma once

// Logarithmic axes for the plots: the decimal logarithm by the same IEEE
// operations on every platform (the C libraries' differ in the last bit), so
// a plot is the same bytes everywhere.

namespace korvel::shock {

// log10(x) for finite x > 0, to about 1e-15.
double log10Of(double x);

// 10^k for whole k in [-300, 300], exact where a double holds it.
double powerOfTen(int k);

}  // namespace korvel::shock
