#include "srs/spectrum_engine.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "srs/between_samples.h"

namespace korvel::srs {
namespace {

// Oscillators followed side by side over the same samples: independent
// chains of arithmetic the processor overlaps.
constexpr std::size_t kGroupWidth = 8;
// ... fewer with the continuous rule, whose state takes more registers.
constexpr std::size_t kContinuousWidth = 4;
// Samples followed at a time before the continuous rule's check of a stretch.
constexpr std::size_t kStretch = 1024;

// Zeros fed at a time while the free decay after the record is followed.
constexpr std::size_t kDecayChunk = 32;
const double kZeros[kDecayChunk] = {};

}  // namespace

SpectrumEngine::SpectrumEngine(const std::vector<double>& frequencies, double sampleRate, double q, PeakRule rule)
    : rule_(rule) {
  const double step = 1.0 / sampleRate;
  lanes_.resize(frequencies.size());
  for (std::size_t i = 0; i < frequencies.size(); ++i) lanes_[i].constants = stepConstants(frequencies[i], step, q);
}

namespace {

// Two doubles side by side, for the processor's paired arithmetic where it
// has it; each lane still rounds as plain double arithmetic does.
using Two = double __attribute__((vector_size(16)));

inline Two larger(Two a, Two b) { return a > b ? a : b; }
inline Two smaller(Two a, Two b) { return a < b ? a : b; }
inline Two both(double v) { return Two{v, v}; }

// Steps where the continuous response might peak between its samples, kept
// aside and searched in batches, away from the loop over the samples. The
// peaks found there join the lanes' own when the batch of samples ends; until
// then a lane's bound compares against its peaks at the samples alone, which
// only keeps more steps aside.
constexpr std::size_t kStepsToSearch = 256;

template <int kWidth>
struct StepsToSearch {
  struct Step {
    int lane;
    double x0, slope, hStart, wStart, hEnd, wEnd;
  };
  Step steps[kStepsToSearch];
  std::size_t count = 0;
  double positive[kWidth] = {};
  double negative[kWidth] = {};

  std::size_t size() const { return count; }
  void push_back(const Step& step) { steps[count++] = step; }
  [[gnu::noinline]] void search(const SpectrumEngineLane* lanes) {
    for (std::size_t i = 0; i < count; ++i) {
      const Step& s = steps[i];
      const StepConstants& c = lanes[s.lane].constants;
      if (mayTurnBetweenSamples(c, s.slope, s.hStart, s.wStart, s.hEnd, s.wEnd)) {
        extremesBetweenSamples(c, s.x0, s.slope, s.hStart, s.wStart, positive[s.lane], negative[s.lane]);
      }
    }
    count = 0;
  }
};

}  // namespace

// Over each step: the free part at its start is the response less the input
// (h = y - x) and the response's slope less the input's (w = g - slope /
// Omega); it moves on by the step's matrix, and the response at the step's end
// is the input there plus the free part. The state carried from step to step
// is the response's own (y and g, both continuous at a sample), and its
// change is summed without the input, so that a record with sharp changes of
// slope, at a sample rate far above the natural frequency, costs it no digits. With the continuous rule, a step where
// the response might rise between its samples above the peaks found so far
// (by the bound overshoot * R) is searched for its true extremes.
template <bool kContinuous, int kWidth>
void SpectrumEngine::follow(Lane* lanes, const double* samples, std::size_t count, double x0) {
  constexpr int kPairs = kWidth / 2;
  Two g[kPairs], y[kPairs], highest[kPairs], lowest[kPairs];
  Two hh[kPairs], hw[kPairs], hs[kPairs], wh[kPairs], ww[kPairs], inverseOmega[kPairs];
  Two zeta[kPairs], envelopeScale[kPairs], overshootSquared[kPairs];
  StepsToSearch<kWidth> steps;
  for (int j = 0; j < kPairs; ++j) {
    const Lane& a = lanes[2 * j];
    const Lane& b = lanes[2 * j + 1];
    g[j] = Two{a.g, b.g}, y[j] = Two{a.y, b.y};
    highest[j] = Two{a.positive, b.positive}, lowest[j] = Two{-a.negative, -b.negative};
    hh[j] = Two{a.constants.hh, b.constants.hh}, hw[j] = Two{a.constants.hw, b.constants.hw};
    hs[j] = Two{a.constants.hs, b.constants.hs};
    wh[j] = Two{a.constants.wh, b.constants.wh}, ww[j] = Two{a.constants.ww, b.constants.ww};
    inverseOmega[j] = Two{a.constants.inverseOmega, b.constants.inverseOmega};
    zeta[j] = Two{a.constants.zeta, b.constants.zeta};
    envelopeScale[j] = Two{a.constants.envelopeScale, b.constants.envelopeScale};
    overshootSquared[j] =
        Two{a.constants.overshoot * a.constants.overshoot, b.constants.overshoot * b.constants.overshoot};
  }
  for (std::size_t i = 0; i < count; ++i) {
    const double x1 = samples[i];
    const double slope = x1 - x0;
    const Two input = both(x0);
    const Two inputSlope = both(slope);
#pragma GCC unroll 8
    for (int j = 0; j < kPairs; ++j) {
      // The free part at the step's start, h = y - x and w = g - slope / Omega;
      // the response moves on by h's change over the step plus the input's,
      // whose sum is taken without the input itself (no cancellation against it).
      const Two hStart = y[j] - input;
      const Two wStart = g[j] - inputSlope * inverseOmega[j];
      const Two y1 = y[j] + ((hh[j] * hStart + hw[j] * g[j]) + hs[j] * inputSlope);
      g[j] = g[j] + (ww[j] * wStart + wh[j] * hStart);
      if constexpr (kContinuous) {
        const Two high = larger(y[j], y1);
        const Two low = smaller(y[j], y1);
        highest[j] = larger(highest[j], high);
        lowest[j] = smaller(lowest[j], low);
        const Two room = smaller(highest[j] - high, low - lowest[j]);
        const Two e = (wStart + zeta[j] * hStart) * envelopeScale[j];
        const Two rise = overshootSquared[j] * (hStart * hStart + e * e);
        const auto mayRise = rise > room * room;
        if (mayRise[0] | mayRise[1]) [[unlikely]] {
          const Two hEnd = y1 - both(x1);
          const Two wEnd = g[j] - inputSlope * inverseOmega[j];
          for (int side = 0; side < 2; ++side) {
            if (!mayRise[side]) continue;
            steps.push_back({2 * j + side, x0, slope, hStart[side], wStart[side], hEnd[side], wEnd[side]});
            if (steps.size() == kStepsToSearch) steps.search(lanes);
          }
        }
      } else {
        highest[j] = larger(highest[j], y1);
        lowest[j] = smaller(lowest[j], y1);
      }
      y[j] = y1;
    }
    x0 = x1;
  }
  if constexpr (kContinuous) steps.search(lanes);
  for (int j = 0; j < kPairs; ++j) {
    for (int side = 0; side < 2; ++side) {
      Lane& lane = lanes[2 * j + side];
      lane.g = g[j][side], lane.y = y[j][side];
      lane.positive = std::max(highest[j][side], steps.positive[2 * j + side]);
      // 0 - lowest: a response that never went below zero has its negative peak +0, not -0.
      lane.negative = std::max(0.0 - lowest[j][side], steps.negative[2 * j + side]);
    }
  }
}

template <bool kContinuous>
void SpectrumEngine::followAll(Lane* lanes, std::size_t width, const double* samples, std::size_t count, double x0) {
  constexpr std::size_t kWidth = kContinuous ? kContinuousWidth : kGroupWidth;
  std::size_t l = 0;
  for (; l + kWidth <= width; l += kWidth) follow<kContinuous, kWidth>(lanes + l, samples, count, x0);
  for (; l + 2 <= width; l += 2) follow<kContinuous, 2>(lanes + l, samples, count, x0);
  if (l < width) {
    // The last odd lane beside a copy of itself.
    Lane pair[2] = {lanes[l], lanes[l]};
    follow<kContinuous, 2>(pair, samples, count, x0);
    lanes[l] = pair[0];
  }
}

// With the continuous rule the samples are first followed in stretches at the
// samples alone, each lane's peaks of the stretch kept apart. Within a stretch
// the free part's envelope grows by no more than the input's changes of slope
// put into it, so no response between its samples rises more than overshoot
// times that above the stretch's peaks: where that stays below the lane's
// peaks, the stretch's in-between needs no search. Only the other lanes follow
// the stretch again, from its start, step by step between samples; the peaks
// come out as if every step had been searched.
void SpectrumEngine::follow(Lane* lanes, std::size_t width, const double* samples, std::size_t count, double x0,
                            double slope0) const {
  if (rule_ == PeakRule::Sampled) {
    followAll<false>(lanes, width, samples, count, x0);
    return;
  }
  struct Start {
    double g, y, positive, negative;
  };
  std::vector<Start> starts(width);
  for (std::size_t begin = 0; begin < count; begin += kStretch) {
    const std::size_t length = std::min(kStretch, count - begin);
    const double* stretch = samples + begin;
    double changes = 0;
    double x = x0, slope = slope0;
    for (std::size_t i = 0; i < length; ++i) {
      const double next = stretch[i] - x;
      changes += std::abs(slope - next);
      x = stretch[i];
      slope = next;
    }
    for (std::size_t l = 0; l < width; ++l) {
      Lane& lane = lanes[l];
      starts[l] = {lane.g, lane.y, lane.positive, lane.negative};
      lane.positive = lane.negative = -std::numeric_limits<double>::infinity();
    }
    followAll<false>(lanes, width, stretch, length, x0);
    for (std::size_t l = 0; l < width; ++l) {
      Lane& lane = lanes[l];
      const Start& start = starts[l];
      const StepConstants& c = lane.constants;
      // The stretch's highest and lowest responses at its samples (its first
      // sample, the last of the stretch before, counts too).
      const double high = std::max(lane.positive, start.y);
      const double low = std::min(-lane.negative, start.y);
      const double positive = std::max(start.positive, high);
      const double negative = std::max(start.negative, -low);
      const double envelope = std::sqrt(envelopeSquared(c, start.y - x0, start.g - slope0 * c.inverseOmega)) +
                              changes * c.inverseOmega * c.envelopeScale;
      const double rise = c.overshoot * envelope * (1.0 + 0x1p-30);
      if (high + rise <= positive && -low + rise <= negative) {
        lane.positive = positive;
        lane.negative = negative;
      } else {
        lane.g = start.g, lane.y = start.y;
        lane.positive = start.positive, lane.negative = start.negative;
        Lane pair[2] = {lane, lane};
        follow<true, 2>(pair, stretch, length, x0);
        lane = pair[0];
      }
    }
    x0 = x;
    slope0 = slope;
  }
}

void SpectrumEngine::feed(const double* samples, std::size_t count) {
  if (count == 0) return;
  follow(lanes_.data(), lanes_.size(), samples, count, lastInput_, lastSlope_);
  lastSlope_ = samples[count - 1] - (count > 1 ? samples[count - 2] : lastInput_);
  lastInput_ = samples[count - 1];
}

std::vector<Peaks> SpectrumEngine::finish() {
  std::vector<Peaks> peaks(lanes_.size());
  for (std::size_t i = 0; i < lanes_.size(); ++i) {
    const Lane& record = lanes_[i];
    // After the last sample, in a lane of its own: the step where the input
    // falls to zero, then the one whose start sees its slope come to rest.
    // From there on the free part alone is the response, within an envelope
    // that only falls.
    Lane decay = record;
    decay.positive = decay.negative = 0;
    follow(&decay, 1, kZeros, 1, lastInput_, lastSlope_);
    follow(&decay, 1, kZeros, 1, 0.0, -lastInput_);
    const StepConstants& c = decay.constants;
    // The input at rest: the free part is the response itself (h = y, w = g).
    const double start = envelopeSquared(c, decay.y, decay.g);
    for (;;) {
      const double envelope = envelopeSquared(c, decay.y, decay.g);
      // The smallest of the peaks the decay could still raise: the residual,
      // and the largest response of each sign over the record and the decay.
      const double least =
          std::min({std::max(decay.positive, decay.negative), std::max(record.positive, decay.positive),
                    std::max(record.negative, decay.negative)});
      // Nothing later can reach it, or the envelope has fallen below 2^-64
      // of where it started, or the response has overflowed (a decay from an
      // infinite or undefined state never ends; the peaks say it is not finite).
      if (envelope * (1.0 + 0x1p-40) <= least * least || envelope <= start * 0x1p-128 || !std::isfinite(envelope)) {
        break;
      }
      follow(&decay, 1, kZeros, kDecayChunk, 0.0, 0.0);
    }
    Peaks& p = peaks[i];
    p.positive = std::max(record.positive, decay.positive);
    p.negative = std::max(record.negative, decay.negative);
    p.primary = std::max(record.positive, record.negative);
    p.residual = std::max(decay.positive, decay.negative);
    p.maximax = std::max(p.primary, p.residual);
  }
  return peaks;
}

}  // namespace korvel::srs
