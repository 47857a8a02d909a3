#pragma once

// What a shock response spectrum reports at one natural frequency.

namespace korvel::srs {

// Where a peak is looked for: at the record's own sample instants (what the
// standards and other tools compute, so results compare with theirs), or
// anywhere in the oscillator's continuous response, between samples too.
enum class PeakRule { Sampled, Continuous };

// The peaks of the oscillator's absolute acceleration, all as magnitudes (>= 0).
struct Peaks {
  double maximax = 0;   // the largest |response|, anywhere
  double positive = 0;  // the largest positive response
  double negative = 0;  // the largest negative response, as a positive number
  double primary = 0;   // the largest |response| up to the record's last sample
  double residual = 0;  // the largest |response| after it, in the free decay
};

}  // namespace korvel::srs
