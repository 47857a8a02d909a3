#pragma once

// The single-degree-of-freedom oscillator on the shaker table, for one natural
// frequency and one sample step: what carries its motion from one sample to the
// next, and its motion between samples.
//
// The record's acceleration x is taken as linear between samples. The
// oscillator's absolute acceleration y is then x plus a free damped oscillation
// h that restarts at every sample with a new slope:
//   y(t) = x(t) + h(t),   h'' + 2 zeta omega h' + omega^2 h = 0 between samples,
// with h and y continuous and h' jumping by the change of the input's slope at
// each sample. In the step's own time u = t / T (0 to 1 over a step) and with
// Omega = omega T, the state is (h, w = h' / omega). Both the step's matrix and
// the motion within a step are power series in u whose terms follow from the
// equation itself; no exponential or cosine is taken, so the constants are the
// same bits on every platform and keep their precision where the natural
// frequency is tiny against the sample rate (Omega near 0).

namespace korvel::srs {

// Terms kept of the within-step series: enough for Omega up to pi (two
// samples per cycle, half the sample rate), where the last kept term is below
// 2^-64 of the first.
inline constexpr int kSeriesTerms = 40;

struct StepConstants {
  // The step's matrix less the identity, in the state (h, w):
  //   h(1) = h + (hh * h + hw * w),   w(1) = w + (wh * h + ww * w).
  double hh = 0, hw = 0, wh = 0, ww = 0;
  // 1 - hw / Omega: what the input's own slope adds to the response over a
  // step beyond the input's change (y(1) = y + hh h + hw g + hs slope).
  double hs = 0;
  double inverseOmega = 0;  // 1 / Omega: a change of slope (per step) in w
  double zeta = 0;          // the damping ratio 1 / (2 Q)
  // The envelope: |h(u)| <= R for u >= 0, R^2 = h^2 + ((w + zeta h) * envelopeScale)^2.
  double envelopeScale = 0;
  // A bound on how far a response can rise between two samples above the
  // higher of them: overshoot * R (the linear interpolant's error, Omega^2 / 8).
  double overshoot = 0;
  // h(u) = h * p(u) + w * q(u): the series' coefficients, p[k] and q[k] of u^k.
  int terms = 0;
  double p[kSeriesTerms] = {};
  double q[kSeriesTerms] = {};
};

// The constants for natural frequency `frequency` (Hz) at step `step` (s) and
// quality factor `q` (> 0.5), for frequencies up to half the sample rate.
StepConstants stepConstants(double frequency, double step, double q);

}  // namespace korvel::srs
