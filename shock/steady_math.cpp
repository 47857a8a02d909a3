#include "shock/steady_math.h"

#include <cmath>

namespace korvel::shock {
namespace {

// ln 2 in two parts: the first with its low bits clear, so that k times it is
// exact for the k that occur.
constexpr double kLn2High = 0x1.62e42fefa3800p-1;
constexpr double kLn2Low = 0x1.ef35793c7673p-45;
constexpr double kLn10 = 2.302585092994045684;

}  // namespace

double steadyLog(double x) {
  int exponent = 0;
  double m = std::frexp(x, &exponent);  // exact: x = m 2^exponent, m in [0.5, 1)
  if (m < 0.70710678118654752) {
    m = m + m;
    --exponent;
  }
  // ln m = 2 atanh(s) with s = (m - 1)/(m + 1), |s| < 0.172.
  const double s = (m - 1.0) / (m + 1.0);
  const double s2 = s * s;
  double sum = 0;
  for (int k = 25; k >= 1; k -= 2) sum = sum * s2 + 1.0 / k;
  const double e = exponent;
  return (e * kLn2High) + ((2.0 * s * sum) + e * kLn2Low);
}

double steadyExp(double x) {
  const double k = std::nearbyint(x / (kLn2High + kLn2Low));
  const double r = (x - k * kLn2High) - k * kLn2Low;  // |r| < 0.35
  double sum = 1;
  for (int n = 22; n >= 1; --n) sum = 1.0 + sum * r / n;
  return std::ldexp(sum, static_cast<int>(k));
}

double steadyPower(double x, double p) { return steadyExp(p * steadyLog(x)); }

double steadyDecibels(double ratio) { return 20.0 * (steadyLog(ratio) / kLn10); }

double steadyRatio(double decibels) { return steadyExp(decibels / 20.0 * kLn10); }

}  // namespace korvel::shock
