#include "calc/synthesis.h"

#include <cmath>

namespace korvel {

TimeHistory timeHistory;

std::int32_t sampleCountFor(double quotient) {
  if (!std::isfinite(quotient) || quotient <= 0) return 0;
  if (quotient >= kMaxSampleCount) return kMaxSampleCount;
  return static_cast<std::int32_t>(quotient);
}

double waveletEndTime(const WaveletParams& params) {
  return params.halfSineCount / (params.frequency + params.frequency) + params.delay;
}

SynthesisResult synthesizeWavelet(const WaveletParams& params, TimeHistory& history) {
  const double dt = 1.0 / params.samplesPerSecond;
  const double twoPi = 2.0 * std::atan2(0.0, -1.0);
  const std::int32_t count = sampleCountFor(params.duration / dt);
  const double tend = waveletEndTime(params);

  // Written as a negated "enough" test so that a NaN on either side refuses.
  if (!(params.duration >= tend)) {
    return {SynthesisResult::DurationTooShort, tend};
  }

  const double delay = params.delay;
  const double frequency = params.frequency;
  const double halfSines = static_cast<double>(params.halfSineCount);
  const double amplitude = params.amplitude;
  for (std::int32_t i = 0; i < count; ++i) {
    const double t = static_cast<double>(i - 1) * dt;
    history.time[i] = t;
    if (delay < t && t < tend) {
      const double angle = ((t - delay) * twoPi) * frequency;
      history.amplitude[i] = (std::sin(angle) * std::sin(angle / halfSines)) * amplitude;
    } else {
      history.amplitude[i] = 0.0;
    }
  }
  history.count = count;
  return {SynthesisResult::Ok, 0.0};
}

}  // namespace korvel
