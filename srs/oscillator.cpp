#include "srs/oscillator.h"

#include <cmath>

namespace korvel::srs {
namespace {

// 2 pi, as the wavelet's synthesis takes it.
const double kTwoPi = 2.0 * std::atan2(0.0, -1.0);

// Fills f[0..terms) with the Taylor coefficients of the solution of
// f'' + 2 zeta Omega f' + Omega^2 f = 0 (in u) from f[0] and f[1].
void seriesOf(double* f, int terms, double twoZetaOmega, double omegaSquared) {
  for (int k = 0; k + 2 < terms; ++k) {
    f[k + 2] = -(twoZetaOmega * (k + 1) * f[k + 1] + omegaSquared * f[k]) / ((k + 1.0) * (k + 2.0));
  }
}

// The sum of f[first..terms), from the smallest term up.
double sumFrom(const double* f, int first, int terms) {
  double sum = 0;
  for (int k = terms - 1; k >= first; --k) sum += f[k];
  return sum;
}

// The sum of k f[k] over k in [first, terms): the series' slope at u = 1.
double slopeSumFrom(const double* f, int first, int terms) {
  double sum = 0;
  for (int k = terms - 1; k >= first; --k) sum += k * f[k];
  return sum;
}

}  // namespace

StepConstants stepConstants(double frequency, double step, double q) {
  StepConstants c;
  const double omega = (kTwoPi * frequency) * step;
  c.zeta = 1.0 / (2.0 * q);
  c.inverseOmega = 1.0 / omega;
  c.envelopeScale = 1.0 / std::sqrt(1.0 - c.zeta * c.zeta);
  // With a little to spare for the rounding of the bound itself.
  c.overshoot = (omega * omega) * (0.125 * (1.0 + 0x1p-20));
  const double twoZetaOmega = 2.0 * c.zeta * omega;
  const double omegaSquared = omega * omega;

  // p: h = 1, h' = 0 at u = 0; q: h = 0, w = 1 (h' = Omega in u).
  c.terms = kSeriesTerms;
  c.p[0] = 1.0;
  c.q[1] = omega;
  seriesOf(c.p, c.terms, twoZetaOmega, omegaSquared);
  seriesOf(c.q, c.terms, twoZetaOmega, omegaSquared);
  // Terms beyond need not be carried: stop where both series' terms have died out.
  while (c.terms > 2 && c.p[c.terms - 1] == 0 && c.q[c.terms - 1] == 0) --c.terms;
  int used = 2;
  const double tiny = 0x1p-70 * (1.0 + omega);
  for (int k = 2; k < c.terms; ++k) {
    if (std::abs(c.p[k]) > tiny || std::abs(c.q[k]) > tiny * omega) used = k + 1;
  }
  for (int k = used; k < c.terms; ++k) c.p[k] = c.q[k] = 0;
  c.terms = used;

  // The matrix less the identity: p(1) - 1 without the 1, and w(1) = h'(1) / Omega.
  c.hh = sumFrom(c.p, 2, c.terms);
  c.hw = sumFrom(c.q, 1, c.terms);
  c.hs = -sumFrom(c.q, 2, c.terms) * c.inverseOmega;
  c.wh = slopeSumFrom(c.p, 2, c.terms) * c.inverseOmega;
  c.ww = slopeSumFrom(c.q, 2, c.terms) * c.inverseOmega;
  return c;
}

}  // namespace korvel::srs
