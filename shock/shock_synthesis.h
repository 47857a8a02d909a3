#pragma once

// A shock synthesis: the sum of korvel wavelets whose shock response spectrum
// meets a target within a tolerance band, within a shaker's limits.
//
// One wavelet per check point (its frequency the check point's), with an odd
// number of half-sines so that it ends at rest. The half-sine counts grow
// towards the low end when the stroke binds (more half-sines give more
// response per unit of displacement); delays and signs are drawn from the
// seed (splitmix64), so that the low-frequency wavelets' displacements do not
// add up in step. The amplitudes start from the target over the wavelet's
// response per unit amplitude and are iterated, A <- A (aim / achieved)^p
// with p damped when the largest error grows, aiming at the middle of the
// band; the best iterate by its largest error is kept. Where the stroke or
// velocity cannot be met, the low end is lowered below a cut-off frequency
// (as (f / cut-off)^2); where the acceleration cannot, everything is scaled.
// Every decision is taken in plain double arithmetic (the spectrum engine,
// correctly rounded sines, steady_math.h), so the same target and settings
// give the same table on every platform.

#include <cstdint>
#include <optional>
#include <vector>

#include "shock/synthesis_target.h"
#include "shock/wavelet_table.h"

namespace korvel::shock {

struct ShakerLimits {
  std::optional<double> displacement;  // mm, the peak of either sign
  std::optional<double> velocity;      // m/s
  std::optional<double> acceleration;  // in the target's unit
};

enum class SynthesisMethod {
  Shaped,         // the method above
  PlainIteration  // the baseline: 11 half-sines each, centred, full-ratio updates, limits by scaling
};

inline constexpr std::uint64_t kDefaultSeed = 1;

struct SynthesisSettings {
  double q = 10;
  double low = -1.5, high = 3;  // dB
  int fraction = 12;
  double rate = 0;  // samples per second
  std::optional<double> longestDuration;
  double unitScale = 9.80665;  // m/s² per unit of the target
  ShakerLimits limits;
  std::uint64_t seed = kDefaultSeed;
  SynthesisMethod method = SynthesisMethod::Shaped;
  // The threads the spectra are followed on (each natural frequency's engine is
  // independent, so the results are the same for any count); 0: two where the
  // machine has two processors or more, else one. With 1 no thread is started.
  int threads = 0;
};

// The threads `settings` asks for, 0 resolved.
int synthesisThreads(const SynthesisSettings& settings);

struct ShockSynthesis {
  std::vector<double> checkFrequencies;
  std::vector<TableWavelet>
      wavelets;         // in frequency order: the check points, and one beyond an end that the target reaches past
  double duration = 0;  // the record's length: the last wavelet's end
  // The peaks of the best fit before any limit was applied (mm, m/s).
  double neededDisplacement = 0;
  double neededVelocity = 0;
  double neededAcceleration = 0;  // in the target's unit (after the stroke's and velocity's needs)
  double cutoff = 0;              // Hz: below it the low end was lowered for the stroke or velocity (0: it was not)
  double scale = 1;  // all amplitudes scaled by this for the acceleration (or, in the baseline, every limit)
  int iterations = 0;
};

// The check points: the 1/fraction-octave series within the target's first
// and last breakpoint.
std::vector<double> checkFrequencies(const SynthesisTarget& target, int fraction);

// A round sample rate (1, 2 or 5 times a power of ten) at least ten times `highest`.
double roundRate(double highest);

// Throws UsageError when the longest duration cannot hold the lowest check
// point's shortest wavelet, or the record would exceed 1,999,999 samples.
ShockSynthesis synthesizeShock(const SynthesisTarget& target, const SynthesisSettings& settings);

}  // namespace korvel::shock
