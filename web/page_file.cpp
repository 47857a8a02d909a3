#include "web/page_file.h"

#include <cstring>

#include "calc/calculate_command.h"
#include "calc/synthesis.h"
#include "calc/time_history_file.h"

namespace korvel::web {

bool PageFile::calculate(CalculationUi& form) {
  const SynthesisPlan plan = planSynthesis(readWaveletParams(form));
  if (plan.result.outcome == SynthesisResult::DurationTooShort) {
    message_ = durationWarningText(plan.result.recommendedDuration);
    return false;
  }
  // One thread in the page: the samples first, then the rows.
  fillSamples(plan, timeHistory, 0, plan.count);
  timeHistory.count = plan.count;
  if (!bytes_) bytes_ = std::make_unique_for_overwrite<char[]>(std::size_t{kMaxSampleCount} * kRowLength);
  std::string row;
  char* out = bytes_.get();
  for (std::int32_t i = 0; i < plan.count; ++i, out += kRowLength) {
    formatTimeHistoryRow(timeHistory.time[i], timeHistory.amplitude[i], row);
    std::memcpy(out, row.data(), kRowLength);
  }
  size_ = static_cast<std::size_t>(out - bytes_.get());
  message_.clear();
  return true;
}

}  // namespace korvel::web
