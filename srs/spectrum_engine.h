#pragma once

// The shock response spectrum of a record fed in blocks of any size: one
// oscillator per natural frequency, each at rest before the record's first
// sample (the input taken as zero one step before it, rising linearly to the
// first sample), the record followed by zeros. Memory does not grow with the
// record's length.

#include <cstddef>
#include <vector>

#include "srs/oscillator.h"
#include "srs/peaks.h"

namespace korvel::srs {

// One oscillator's constants, its state at the last sample and the largest
// responses of each sign so far.
struct SpectrumEngineLane {
  StepConstants constants;
  double y = 0;  // the response
  double g = 0;  // its slope over omega (the free part's w plus the input's slope over Omega)
  double positive = 0, negative = 0;
};

class SpectrumEngine {
 public:
  // Natural frequencies in Hz, each above 0 and at most half the sample rate;
  // q above 0.5.
  SpectrumEngine(const std::vector<double>& frequencies, double sampleRate, double q, PeakRule rule);

  // The record's next samples, in order.
  void feed(const double* samples, std::size_t count);

  // The peaks, in the frequencies' order, once the free decay after the
  // record's last sample has been followed to where it can no longer matter.
  // Ends the record: feed nothing after it.
  std::vector<Peaks> finish();

  std::size_t frequencyCount() const { return lanes_.size(); }

 private:
  using Lane = SpectrumEngineLane;

  // Follows `kWidth` lanes (or `width` of them) over the samples, from input
  // x0 at the last sample; the rule's dispatch also takes the input's change
  // `slope0` over the step that ended there, for its bound on the envelope.
  template <bool kContinuous, int kWidth>
  static void follow(Lane* lanes, const double* samples, std::size_t count, double x0);
  template <bool kContinuous>
  static void followAll(Lane* lanes, std::size_t width, const double* samples, std::size_t count, double x0);
  void follow(Lane* lanes, std::size_t width, const double* samples, std::size_t count, double x0, double slope0) const;

  PeakRule rule_;
  std::vector<Lane> lanes_;
  double lastInput_ = 0;  // x at the last sample (0 before the record)
  double lastSlope_ = 0;  // x's change over the step that ended there
};

}  // namespace korvel::srs
