#include "srs/between_samples.h"

#include <algorithm>
#include <cmath>

namespace korvel::srs {
namespace {

// A polynomial in u on [0, 1] and its first two derivatives.
struct Polynomial {
  int terms = 0;
  double c[kSeriesTerms] = {};

  double value(double u) const {
    double v = 0;
    for (int k = terms - 1; k >= 0; --k) v = v * u + c[k];
    return v;
  }
  double slope(double u) const {
    double v = 0;
    for (int k = terms - 1; k >= 1; --k) v = v * u + k * c[k];
    return v;
  }
  double curvature(double u) const {
    double v = 0;
    for (int k = terms - 1; k >= 2; --k) v = v * u + (k * (k - 1.0)) * c[k];
    return v;
  }
};

// The root of f in (lo, hi), where f(lo) and f(hi) have opposite signs and f
// is monotonic: Newton's steps on derivative df, kept within the bracket, with
// halving where a step would leave it.
template <class F, class DF>
double rootBetween(F f, DF df, double lo, double hi) {
  double fLo = f(lo);
  double u = 0.5 * (lo + hi);
  for (int i = 0; i < 100 && hi - lo > 0x1p-50; ++i) {
    const double fu = f(u);
    if (fu == 0) return u;
    if ((fu < 0) == (fLo < 0)) {
      lo = u;
      fLo = fu;
    } else {
      hi = u;
    }
    const double d = df(u);
    const double next = d != 0 ? u - fu / d : lo;
    u = next > lo && next < hi ? next : 0.5 * (lo + hi);
  }
  return u;
}

}  // namespace

void extremesBetweenSamples(const StepConstants& c, double x0, double slope, double h, double w, double& positive,
                            double& negative) {
  Polynomial y;
  y.terms = c.terms;
  for (int k = 0; k < c.terms; ++k) y.c[k] = h * c.p[k] + w * c.q[k];
  y.c[0] += x0;
  y.c[1] += slope;
  auto note = [&](double u) {
    const double v = y.value(u);
    positive = std::max(positive, v);
    negative = std::max(negative, -v);
  };
  // Within a step of at most half a cycle the curvature (that of the free
  // part alone: the input is linear) changes sign at most once, so the slope
  // is monotonic on each side of that point and has at most one root there.
  auto slopeRootIn = [&](double lo, double hi) {
    const double s0 = y.slope(lo);
    const double s1 = y.slope(hi);
    if (s0 == 0 || s1 == 0 || (s0 < 0) == (s1 < 0)) return;
    note(rootBetween([&](double u) { return y.slope(u); }, [&](double u) { return y.curvature(u); }, lo, hi));
  };
  const double k0 = y.curvature(0);
  const double k1 = y.curvature(1);
  if (k0 != 0 && k1 != 0 && (k0 < 0) != (k1 < 0)) {
    const double bend = rootBetween([&](double u) { return y.curvature(u); },
                                    [&](double u) {
                                      double v = 0;
                                      for (int k = y.terms - 1; k >= 3; --k)
                                        v = v * u + (k * (k - 1.0) * (k - 2.0)) * y.c[k];
                                      return v;
                                    },
                                    0.0, 1.0);
    slopeRootIn(0.0, bend);
    slopeRootIn(bend, 1.0);
  } else {
    slopeRootIn(0.0, 1.0);
  }
}

}  // namespace korvel::srs
