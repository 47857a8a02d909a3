#include "calc/synthesis.h"

#include <cmath>
#include <system_error>
#include <thread>

namespace korvel {
namespace {

// Below this many samples a second thread costs more than it saves.
constexpr std::int32_t kSplitThreshold = 1 << 16;

struct SampleLoop {
  double dt;
  double twoPi;
  double tend;
  double delay;
  double frequency;
  double halfSines;
  double amplitude;

  // Samples i in [begin, end): every sample depends on its index alone.
  void fill(TimeHistory& history, std::int32_t begin, std::int32_t end) const {
    for (std::int32_t i = begin; i < end; ++i) {
      const double t = static_cast<double>(i - 1) * dt;
      history.time[i] = t;
      if (delay < t && t < tend) {
        const double angle = ((t - delay) * twoPi) * frequency;
        history.amplitude[i] = (std::sin(angle) * std::sin(angle / halfSines)) * amplitude;
      } else {
        history.amplitude[i] = 0.0;
      }
    }
  }
};

}  // namespace

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

  const SampleLoop loop{dt,
                        twoPi,
                        tend,
                        params.delay,
                        params.frequency,
                        static_cast<double>(params.halfSineCount),
                        params.amplitude};
  if (count >= kSplitThreshold) {
    // The upper half on a second core; without one, everything here.
    const std::int32_t middle = count / 2;
    try {
      std::thread upper([&] { loop.fill(history, middle, count); });
      loop.fill(history, 0, middle);
      upper.join();
    } catch (const std::system_error&) {
      loop.fill(history, 0, count);
    }
  } else {
    loop.fill(history, 0, count);
  }
  history.count = count;
  return {SynthesisResult::Ok, 0.0};
}

}  // namespace korvel
