#pragma once

// The oscillator's response to a record taken as linear between samples,
// solved from its equation of motion in closed form in 113-bit arithmetic: a
// reference independent of the engine's state, series and precision.

#include <vector>

#include "srs/peaks.h"

namespace korvel::srs {

struct ExactPeaks {
  Peaks sampled;
  Peaks continuous;
};

// Both rules' peaks at natural frequency `frequency` (at most half of
// `sampleRate`), the oscillator at rest before the record, its input rising
// from zero one step before the first sample and falling to zero one step
// after the last.
ExactPeaks exactPeaks(const std::vector<double>& record, double frequency, double sampleRate, double q);

}  // namespace korvel::srs
