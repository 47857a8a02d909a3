#include "calc/synthesis.h"

#include <cmath>

#include "platform/numbers/sine/sine.h"
#include "platform/process/resource_calls.h"

namespace korvel {
namespace {

// The background synthesis publishes its progress once per this many samples.
constexpr std::int32_t kPublishBlock = 1 << 14;

// The wavelet's end time: N / (f + f) + delay.
double waveletEndTime(const WaveletParams& params) {
  return params.halfSineCount / (params.frequency + params.frequency) + params.delay;
}

}  // namespace

TimeHistory timeHistory;

std::int32_t sampleCountFor(double quotient) {
  if (!std::isfinite(quotient) || quotient <= 0) return 0;
  if (quotient >= kMaxSampleCount) return kMaxSampleCount;
  return static_cast<std::int32_t>(quotient);
}

SynthesisPlan planSynthesis(const WaveletParams& params) {
  SynthesisPlan plan;
  plan.dt = 1.0 / params.samplesPerSecond;
  plan.twoPi = 2.0 * std::atan2(0.0, -1.0);
  const double steps = params.duration / plan.dt;
  const std::int32_t count = sampleCountFor(steps);
  plan.tend = waveletEndTime(params);
  // Written as a negated "enough" test so that a NaN on either side refuses.
  if (!(params.duration >= plan.tend)) {
    plan.result = {SynthesisResult::DurationTooShort, plan.tend};
    return plan;
  }
  plan.count = count;
  plan.cut = count == kMaxSampleCount && steps >= kMaxSampleCount + 1.0;
  plan.delay = params.delay;
  plan.frequency = params.frequency;
  plan.halfSines = static_cast<double>(params.halfSineCount);
  plan.amplitude = params.amplitude;
  return plan;
}

void fillSamples(const SynthesisPlan& plan, TimeHistory& history, std::int32_t begin, std::int32_t end) {
  const double dt = plan.dt;
  const double twoPi = plan.twoPi;
  const double tend = plan.tend;
  const double delay = plan.delay;
  const double frequency = plan.frequency;
  const double halfSines = plan.halfSines;
  const double amplitude = plan.amplitude;
  for (std::int32_t i = begin; i < end; ++i) {
    const double t = static_cast<double>(i - 1) * dt;
    history.time[i] = t;
    if (delay < t && t < tend) {
      const double angle = ((t - delay) * twoPi) * frequency;
      history.amplitude[i] = (sine(angle) * sine(angle / halfSines)) * amplitude;
    } else {
      history.amplitude[i] = 0.0;
    }
  }
}

WaveletSynthesis::WaveletSynthesis(const WaveletParams& params, TimeHistory& history)
    : plan_(planSynthesis(params)), count_(plan_.count) {
  if (plan_.result.outcome != SynthesisResult::Ok) return;
  history.count = count_;
  if (count_ >= kBackgroundThreshold) {
    thread_ = tryStartThread([this, &history] {
      for (std::int32_t begin = 0; begin < count_; begin += kPublishBlock) {
        const std::int32_t end = count_ - begin > kPublishBlock ? begin + kPublishBlock : count_;
        fillSamples(plan_, history, begin, end);
        {
          const std::lock_guard lock(mutex_);
          ready_.store(end, std::memory_order_release);
        }
        published_.notify_all();
      }
    });
  }
  if (!thread_.joinable()) {
    fillSamples(plan_, history, 0, count_);
    ready_.store(count_, std::memory_order_release);
  }
}

}  // namespace korvel
