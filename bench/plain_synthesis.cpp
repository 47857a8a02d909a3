#include "bench/plain_synthesis.h"

#include <cmath>

#include "calc/synthesis.h"

namespace korvel::bench {

void plainSynthesis(const WaveletParams& params, TimeHistory& history) {
  const double dt = 1.0 / params.samplesPerSecond;
  const double twoPi = 2.0 * std::atan2(0.0, -1.0);
  const std::int32_t count = sampleCountFor(params.duration / dt);
  const double tend = waveletEndTime(params);
  const double halfSines = static_cast<double>(params.halfSineCount);
  for (std::int32_t i = 0; i < count; ++i) {
    const double t = static_cast<double>(i - 1) * dt;
    history.time[i] = t;
    if (params.delay < t && t < tend) {
      const double angle = ((t - params.delay) * twoPi) * params.frequency;
      history.amplitude[i] = (std::sin(angle) * std::sin(angle / halfSines)) * params.amplitude;
    } else {
      history.amplitude[i] = 0.0;
    }
  }
  history.count = count;
}

}  // namespace korvel::bench
