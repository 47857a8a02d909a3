#include "web/page_preview.h"

#include "calc/calculate_command.h"
#include "calc/synthesis.h"
#include "preview/column_extremes.h"

namespace korvel::web {

bool PagePreview::update(CalculationUi& form, double scale) {
  const SynthesisPlan plan = planSynthesis(readWaveletParams(form));
  if (plan.result.outcome == SynthesisResult::DurationTooShort) {
    count_ = 0;
    warning_ = durationWarningText(plan.result.recommendedDuration);
    figures_ = {};
    return false;
  }
  fillSamples(plan, timeHistory, 0, plan.count);
  timeHistory.count = count_ = plan.count;
  warning_.clear();
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
