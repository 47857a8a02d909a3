#include "tests/srs/exact_response.h"

#include <quadmath.h>

#include <cmath>
#include <cstddef>

namespace korvel::srs {
namespace {

using Quad = __float128;

Quad larger(Quad a, Quad b) { return a > b ? a : b; }
Quad smaller(Quad a, Quad b) { return a < b ? a : b; }

// The relative displacement z of the mass against the table obeys
//   z'' + 2 sigma z' + Omega^2 z = -x,   sigma = zeta Omega,
// in the step's own time (a step is 1), and the absolute acceleration is
// y = -(2 sigma z' + Omega^2 z). Over a step the input is x0 + s tau.
struct Oscillator {
  Quad zeta, omega, sigma, omegaSquared, damped;  // damped = Omega sqrt(1 - zeta^2)
};

// e^(-sigma tau), cos(damped tau), sin(damped tau).
struct Phase {
  Quad decay, cosine, sine;
};

Phase phaseAt(const Oscillator& o, Quad tau) {
  return {expq(-o.sigma * tau), cosq(o.damped * tau), sinq(o.damped * tau)};
}

struct Motion {
  Quad z, v;        // z and z'
  Quad y, dy, ddy;  // the response and its first two derivatives
};

// The motion over one step in closed form: the ramp's particular solution
// a + b tau plus the free motion e^(-sigma tau) (c1 cos + c2 sin) that matches
// z and z' at the step's start.
struct StepMotion {
  Quad x0, s, a, b, c1, c2;
};

StepMotion solveStep(const Oscillator& o, Quad z, Quad v, Quad x0, Quad s) {
  StepMotion m{x0, s, 0, 0, 0, 0};
  m.b = -s / o.omegaSquared;
  m.a = (-x0 - 2 * o.sigma * m.b) / o.omegaSquared;
  m.c1 = z - m.a;
  m.c2 = (v - m.b + o.sigma * m.c1) / o.damped;
  return m;
}

Motion motionAt(const Oscillator& o, const StepMotion& st, Quad tau, const Phase& ph) {
  Motion m;
  m.z = st.a + st.b * tau + ph.decay * (st.c1 * ph.cosine + st.c2 * ph.sine);
  m.v = st.b +
        ph.decay * ((o.damped * st.c2 - o.sigma * st.c1) * ph.cosine - (o.sigma * st.c2 + o.damped * st.c1) * ph.sine);
  const Quad z2 = -(st.x0 + st.s * tau) - 2 * o.sigma * m.v - o.omegaSquared * m.z;
  const Quad z3 = -st.s - 2 * o.sigma * z2 - o.omegaSquared * m.v;
  m.y = -(2 * o.sigma * m.v + o.omegaSquared * m.z);
  m.dy = -(2 * o.sigma * z2 + o.omegaSquared * m.v);
  m.ddy = -(2 * o.sigma * z3 + o.omegaSquared * z2);
  return m;
}

// The square of a free damped oscillation's amplitude, from its value and slope.
Quad amplitudeSquared(const Oscillator& o, Quad value, Quad slope) {
  const Quad b = (slope + o.sigma * value) / o.damped;
  return value * value + b * b;
}

// The running peaks of one rule.
struct Running {
  Quad positive = 0, negative = 0, primary = 0, residual = 0;
  void note(Quad y, bool primarySection) {
    positive = larger(positive, y);
    negative = larger(negative, -y);
    Quad& section = primarySection ? primary : residual;
    section = larger(section, fabsq(y));
  }
  Peaks peaks() const {
    return {static_cast<double>(larger(primary, residual)), static_cast<double>(positive),
            static_cast<double>(negative), static_cast<double>(primary), static_cast<double>(residual)};
  }
};

// Points per step where the response's slope is looked at for a sign change.
constexpr int kDense = 8;

// The root of the slope between tau = lo and hi, where it changes sign:
// Newton's steps on the curvature, kept within the bracket.
Quad slopeRoot(const Oscillator& o, const StepMotion& st, Quad lo, Quad hi, bool risingAtLo) {
  Quad tau = (lo + hi) / 2;
  for (int i = 0; i < 200; ++i) {
    const Motion m = motionAt(o, st, tau, phaseAt(o, tau));
    if (m.dy == 0) break;
    ((m.dy > 0) == risingAtLo ? lo : hi) = tau;
    Quad next = tau - m.dy / m.ddy;
    if (!(next > lo && next < hi)) next = (lo + hi) / 2;
    const bool settled = fabsq(next - tau) < Quad(1e-30);
    tau = next;
    if (settled || hi - lo < Quad(1e-32)) break;
  }
  return tau;
}

// z and z' at a step's start.
struct State {
  Quad z = 0, v = 0;
};

}  // namespace

ExactPeaks exactPeaks(const std::vector<double>& record, double frequency, double sampleRate, double q) {
  Oscillator o;
  o.zeta = 1 / (2 * static_cast<Quad>(q));
  o.omega = 2 * acosq(-1) * static_cast<Quad>(frequency) / static_cast<Quad>(sampleRate);
  o.sigma = o.zeta * o.omega;
  o.omegaSquared = o.omega * o.omega;
  o.damped = o.omega * sqrtq(1 - o.zeta * o.zeta);
  Phase dense[kDense + 1];
  for (int j = 0; j <= kDense; ++j) dense[j] = phaseAt(o, static_cast<Quad>(j) / kDense);
  const Phase& whole = dense[kDense];
  // A whole step as a linear map of (z, z', x0, s): the closed form applied to each alone.
  Motion unit[4];
  for (int i = 0; i < 4; ++i) {
    unit[i] = motionAt(o, solveStep(o, i == 0, i == 1, i == 2, i == 3), 1, whole);
  }

  // The samples, and every step up to where the free decay can no longer
  // raise a sampled peak (nor a continuous one, which is at least as large).
  std::vector<State> states;
  std::vector<Quad> inputs, ys;
  State state;
  Quad input = 0;
  Running sampled;
  auto advance = [&](Quad x1) {
    states.push_back(state);
    inputs.push_back(input);
    const Quad s = x1 - input;
    const Quad z = unit[0].z * state.z + unit[1].z * state.v;
    state.v = unit[0].v * state.z + unit[1].v * state.v;
    state.z = z;
    if (input != 0 || s != 0) {  // not in the free decay
      state.z += unit[2].z * input + unit[3].z * s;
      state.v += unit[2].v * input + unit[3].v * s;
    }
    input = x1;
    ys.push_back(-(2 * o.sigma * state.v + o.omegaSquared * state.z));
    sampled.note(ys.back(), ys.size() <= record.size());
  };
  for (double x : record) advance(x);
  advance(0);  // the input falls to zero; the motion is free from here on
  const Quad y = ys.back();
  const Quad slope = -(2 * o.sigma * (-2 * o.sigma * state.v - o.omegaSquared * state.z) + o.omegaSquared * state.v);
  const Quad start = amplitudeSquared(o, y, slope);
  const Quad fall = whole.decay * whole.decay;  // of the amplitude's square over a step
  for (Quad r = start; r > 0 && r > start * Quad(1e-80);) {
    const Quad least = smaller(sampled.residual, smaller(sampled.positive, sampled.negative));
    if (r <= least * least) break;
    advance(0);
    r *= fall;
  }
  inputs.push_back(0);

  // The continuous response: a step can hold a peak above its ends only by
  // its free part's bend (|y''| <= Omega^2 R, R the free part's amplitude: at
  // most Omega^2 R / 8 above the chord, taken twice over for margin) and
  // stays within the input plus R; steps that might beat the peaks found are
  // searched for every turn of the response. From the decay's first full step
  // on, R only falls, and the search ends where it is below the peaks found.
  // Which steps to search is decided in doubles, with a margin far above
  // their rounding; the search itself is in quad.
  Running continuous = sampled;
  if (!record.empty()) continuous.residual = larger(continuous.residual, fabsq(ys[record.size() - 1]));
  Peaks found = continuous.peaks();
  const double bendScale = static_cast<double>(o.omegaSquared) / 4;
  double decayAmplitude = static_cast<double>(start);
  const double decayFall = static_cast<double>(fall);
  for (std::size_t k = 0; k < states.size(); ++k) {
    const bool primarySection = k < record.size();
    const double x0 = static_cast<double>(inputs[k]);
    const double x1 = static_cast<double>(inputs[k + 1]);
    const double y0 = k ? static_cast<double>(ys[k - 1]) : 0;
    const double y1 = static_cast<double>(ys[k]);
    double r = 0;
    if (k > record.size()) {
      r = std::sqrt(decayAmplitude);
      decayAmplitude *= decayFall;
    } else {
      const Quad hStart = (k ? ys[k - 1] : 0) - inputs[k];  // the free part at the step's start
      const Quad slope = -(2 * o.sigma * (-inputs[k] - 2 * o.sigma * states[k].v - o.omegaSquared * states[k].z) +
                           o.omegaSquared * states[k].v);
      r = std::sqrt(static_cast<double>(amplitudeSquared(o, hStart, slope - (inputs[k + 1] - inputs[k]))));
    }
    const double margin = 1e-9 * (r + std::abs(y0) + std::abs(y1) + std::abs(x0) + std::abs(x1));
    const double bend = bendScale * r;
    const double highest = std::min(std::max(y0, y1) + bend, std::max(x0, x1) + r) + margin;
    const double lowest = std::max(std::min(y0, y1) - bend, std::min(x0, x1) - r) - margin;
    const double section = primarySection ? found.primary : found.residual;
    const double leastPositive = std::min(found.positive, section);
    const double leastNegative = std::min(found.negative, section);
    if (k > record.size() && r + margin <= leastPositive && r + margin <= leastNegative) break;
    if (highest <= leastPositive && -lowest <= leastNegative) continue;
    const StepMotion st = solveStep(o, states[k].z, states[k].v, inputs[k], inputs[k + 1] - inputs[k]);
    Quad slope = motionAt(o, st, 0, dense[0]).dy;
    for (int j = 1; j <= kDense; ++j) {
      const Quad tau = static_cast<Quad>(j) / kDense;
      const Quad slopeHere = motionAt(o, st, tau, dense[j]).dy;
      if ((slope > 0) != (slopeHere > 0)) {
        const Quad root = slopeRoot(o, st, static_cast<Quad>(j - 1) / kDense, tau, slope > 0);
        continuous.note(motionAt(o, st, root, phaseAt(o, root)).y, primarySection);
      }
      slope = slopeHere;
    }
    found = continuous.peaks();
  }
  return {sampled.peaks(), continuous.peaks()};
}

}  // namespace korvel::srs
