#include "shock/log_scale.h"

#include <cmath>

namespace korvel::shock {

double log10Of(double x) {
  int exponent = 0;
  double m = std::frexp(x, &exponent);  // x = m 2^exponent, 0.5 <= m < 1: exact
  if (m < 0.7071067811865476) {
    m *= 2.0;
    --exponent;
  }
  // ln m = 2 atanh(s), s = (m - 1) / (m + 1), |s| < 0.172.
  const double s = (m - 1.0) / (m + 1.0);
  const double s2 = s * s;
  double term = s;
  double sum = 0;
  for (int k = 1; k < 40; k += 2) {
    sum += term / k;
    term *= s2;
    if (term == 0) break;
  }
  constexpr double kLog10Of2 = 0.30102999566398120;
  constexpr double kLog10OfE = 0.43429448190325183;
  return exponent * kLog10Of2 + (2.0 * sum) * kLog10OfE;
}

double powerOfTen(int k) {
  double result = 1.0;
  const double factor = k < 0 ? 0.1 : 10.0;
  // Whole powers up to 10^22 are exact doubles; beyond, repeated products suffice for an axis.
  if (k >= 0 && k <= 22) {
    for (int i = 0; i < k; ++i) result *= 10.0;
    return result;
  }
  if (k < 0 && k >= -22) {
    for (int i = 0; i < -k; ++i) result *= 10.0;
    return 1.0 / result;
  }
  for (int i = 0; i < (k < 0 ? -k : k); ++i) result *= factor;
  return result;
}

}  // namespace korvel::shock
