#include "web/page_preview.h"

#include <bit>
#include <cstdint>

#include "calc/calculate_command.h"
#include "calc/synthesis.h"
#include "preview/column_extremes.h"

namespace korvel::web {

namespace {

// Equal bit for bit, so that a NaN input equals itself and -0 differs from 0.
bool sameBits(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }

bool sameParams(const WaveletParams& a, const WaveletParams& b) {
  return sameBits(a.amplitude, b.amplitude) && sameBits(a.frequency, b.frequency) &&
         a.halfSineCount == b.halfSineCount && sameBits(a.delay, b.delay) && sameBits(a.duration, b.duration) &&
         sameBits(a.samplesPerSecond, b.samplesPerSecond);
}

}  // namespace

bool PagePreview::update(CalculationUi& form, double scale) {
  const WaveletParams params = readWaveletParams(form);
  if (sampled_ && sameParams(params, params_) && sameBits(scale, scale_)) return warning_.empty();
  const SynthesisPlan plan = planSynthesis(params);
  if (plan.result.outcome == SynthesisResult::DurationTooShort) {
    count_ = 0;
    warning_ = durationWarningText(plan.result.recommendedDuration);
    figures_ = {};
    sampled_ = false;
    return false;
  }
  if (!sampled_ || !sameParams(params, params_)) {
    fillSamples(plan, timeHistory, 0, plan.count);
    timeHistory.count = count_ = plan.count;
    params_ = params;
    sampled_ = true;
  }
  warning_.clear();
  scale_ = scale;
  integrateFromRest(timeHistory.amplitude, count_, plan.dt, scale, velocity_.get(), displacement_.get());
  figures_ = motionFigures(timeHistory.time, timeHistory.amplitude, velocity_.get(), displacement_.get(), count_);
  return true;
}

const double* PagePreview::series(PreviewSeries which) const {
  switch (which) {
    case PreviewSeries::Velocity: return velocity_.get();
    case PreviewSeries::Displacement: return displacement_.get();
    default: return timeHistory.amplitude;
  }
}

std::int32_t PagePreview::reduce(std::int32_t columns) {
  if (columns > kMaxColumns) columns = kMaxColumns;
  if (columns > count_) columns = count_;
  if (columns < 1) return 0;
  for (int s = 0; s < kSeriesCount; ++s) {
    const auto which = static_cast<PreviewSeries>(s);
    reduceToColumns(series(which), count_, columns, columnBounds(which, 0), columnBounds(which, 1));
  }
  return columns;
}

}  // namespace korvel::web
